#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream from the instrument into 12-byte command frames. The
// instrument sends one frame every 200 ms in one go, so a pause of more than
// 100 ms ends whatever was received: a frame that lost bytes on the way is
// dropped instead of shifting every frame after it.
class FrameAssembler {
  public:
    static constexpr qint64 kGapMs = 100;

    // Bytes received at `atMs` on a monotonic clock; returns the frames completed.
    QList<QByteArray> feed(const QByteArray& bytes, qint64 atMs);

  private:
    QByteArray m_pending;
    qint64 m_lastByteMs = 0;
};
