#include "FrameAssembler.h"

#include "CommandFrame.h"

QList<QByteArray> FrameAssembler::feed(const QByteArray& bytes, qint64 atMs) {
    if (!m_pending.isEmpty() && atMs - m_lastByteMs > kGapMs)
        m_pending.clear();
    if (!bytes.isEmpty())
        m_lastByteMs = atMs;
    m_pending.append(bytes);

    QList<QByteArray> frames;
    while (m_pending.size() >= kCommandFrameSize) {
        frames.append(m_pending.left(kCommandFrameSize));
        m_pending.remove(0, kCommandFrameSize);
    }
    return frames;
}
