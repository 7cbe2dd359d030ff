#include "core/link/ControllerLink.h"

#include "core/link/ControllerSession.h"
#include "core/link/SessionThread.h"

ControllerLink::ControllerLink(QString device, Composer composer, ReplyHandler replyHandler)
    : m_device(std::move(device)), m_composer(std::move(composer)), m_replyHandler(std::move(replyHandler)) {}

ControllerLink::~ControllerLink() {
    // The session sees the flag at its next cycle and ends its event loop.
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool ControllerLink::Open() {
    if (m_device.isEmpty() || m_thread.joinable())
        return false;
    // Nothing of Qt crosses threads but the two signals.
    return StartSessionThread<ControllerSession>(m_thread, *this);
}

ReplyCounts ControllerLink::CountedReplies() const {
    const std::lock_guard lock(m_countsMutex);
    return m_replyCounts;
}
