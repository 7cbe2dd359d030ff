#include "core/link/ControllerLink.h"

#include "core/link/ControllerSession.h"

#include <QMetaObject>

ControllerLink::ControllerLink(QString device, Composer composer, ReplyHandler replyHandler)
    : m_device(std::move(device)), m_composer(std::move(composer)), m_replyHandler(std::move(replyHandler)) {
    m_thread.setObjectName(QStringLiteral("controller link"));
}

ControllerLink::~ControllerLink() {
    if (m_thread.isRunning()) {
        // Timers and port are stopped in their own thread; once that thread
        // has ended, the session can be destroyed from here.
        QMetaObject::invokeMethod(
            m_session.get(), [this] { m_session->stop(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
}

bool ControllerLink::open() {
    if (m_device.isEmpty())
        return false;
    if (!m_thread.isRunning()) {
        m_thread.start();
        m_session = std::make_unique<ControllerSession>(*this);
        m_session->moveToThread(&m_thread);
    }
    bool opened = false;
    QMetaObject::invokeMethod(
        m_session.get(), [this, &opened] { opened = m_session->openPort(); }, Qt::BlockingQueuedConnection);
    if (!opened) {
        m_thread.quit();
        m_thread.wait();
        m_session.reset();
    }
    return opened;
}
