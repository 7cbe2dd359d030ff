#include "FrameAssembler.h"

FrameAssembler::FrameAssembler(qsizetype frameSize) : m_frameSize(frameSize) {}

QList<QByteArray> FrameAssembler::Feed(const QByteArray& bytes, qint64 atMs) {
    if (!m_pending.isEmpty() && atMs - m_lastByteMs > kGapMs)
        m_pending.clear();
    if (!bytes.isEmpty())
        m_lastByteMs = atMs;
    m_pending.append(bytes);

    QList<QByteArray> frames;
    while (m_pending.size() >= m_frameSize) {
        frames.append(m_pending.left(m_frameSize));
        m_pending.remove(0, m_frameSize);
    }
    return frames;
}
