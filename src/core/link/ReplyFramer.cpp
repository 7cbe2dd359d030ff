#include "core/link/ReplyFramer.h"

void ReplyFramer::Receive(QByteArrayView bytes) {
    // A burst longer than a reply is dropped whatever follows: keep no more
    // than a reply, however long garbage streams in.
    const qsizetype room = kReplyBytes - m_burst.size();
    if (room > 0)
        m_burst.append(bytes.first(std::min(room, bytes.size())));
    m_length += bytes.size();
}

std::optional<QByteArray> ReplyFramer::EndBurst() {
    if (m_length == 0)
        return std::nullopt;
    std::optional<QByteArray> reply;
    if (m_length < kReplyBytes) {
        ++m_counts.tooShort;
    } else if (m_length > kReplyBytes) {
        ++m_counts.tooLong;
    } else {
        ++m_counts.whole;
        reply = m_burst;
    }
    m_burst.clear();
    m_length = 0;
    return reply;
}

void ReplyFramer::Discard() {
    if (m_length == 0)
        return;
    ++m_counts.cut;
    m_burst.clear();
    m_length = 0;
}
