#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream from the instrument into frames of a fixed size (the
// 12-byte command frames; the 45-byte upload frames for the modem). The
// instrument sends each frame in one go, so a pause of more than 100 ms ends
// whatever was received: a frame that lost bytes on the way is dropped
// instead of shifting every frame after it.
class FrameAssembler {
  public:
    static constexpr qint64 kGapMs = 100;

    explicit FrameAssembler(qsizetype frameSize);

    // Bytes received at `atMs` on a monotonic clock; returns the frames completed.
    QList<QByteArray> Feed(const QByteArray& bytes, qint64 atMs);

  private:
    qsizetype m_frameSize;
    QByteArray m_pending;
    qint64 m_lastByteMs = 0;
};
