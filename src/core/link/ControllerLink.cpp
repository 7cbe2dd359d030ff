#include "core/link/ControllerLink.h"

#include "core/link/ControllerSession.h"

#include <QEventLoop>

#include <future>

ControllerLink::ControllerLink(QString device, Composer composer, ReplyHandler replyHandler)
    : m_device(std::move(device)), m_composer(std::move(composer)), m_replyHandler(std::move(replyHandler)) {}

ControllerLink::~ControllerLink() {
    // The session sees the flag at its next cycle and ends its event loop.
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool ControllerLink::open() {
    if (m_device.isEmpty() || m_thread.joinable())
        return false;
    // Port, timers and event loop are created, used and destroyed in the link
    // thread; nothing of Qt crosses threads but the two signals.
    std::promise<bool> opened;
    std::future<bool> result = opened.get_future();
    m_thread = std::thread([this, &opened] {
        QEventLoop loop;
        ControllerSession session(*this, loop);
        const bool ok = session.openPort();
        opened.set_value(ok);
        if (ok)
            loop.exec();
    });
    const bool ok = result.get();
    if (!ok)
        m_thread.join();
    return ok;
}

ReplyCounts ControllerLink::replyCounts() const {
    const std::lock_guard lock(m_countsMutex);
    return m_replyCounts;
}
