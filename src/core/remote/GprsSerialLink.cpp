#include "core/remote/GprsSerialLink.h"

#include "core/link/SerialLine.h"
#include "core/link/SessionThread.h"
#include "core/remote/GprsLink.h"
#include "core/remote/SendHeadFrame.h"
#include "platform/Clock.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

#include <chrono>

namespace {
constexpr int kReopenEveryPolls = 20; // about once a second
constexpr int kWriteTimeoutMs = 1000;
} // namespace

// The part of the link that lives in its thread: port, poll timer, reader.
class GprsSession {
  public:
    GprsSession(GprsSerialLink& owner, QEventLoop& loop) : m_owner(owner), m_loop(loop) {
        m_pollTimer.setInterval(GprsSerialLink::kPollMs);
        QObject::connect(&m_pollTimer, &QTimer::timeout, &m_pollTimer, [this] { Poll(); });
        QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { ReadAnswers(); });
        QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                         [this](QSerialPort::SerialPortError e) {
                             if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError)
                                 m_port.close();
                         });
    }

    bool Open() {
        if (!OpenSerialLine(m_port, m_owner.m_device))
            return false;
        m_pollTimer.start();
        return true;
    }

  private:
    void Poll() {
        if (m_owner.m_stopRequested) {
            m_pollTimer.stop();
            m_port.close();
            m_loop.quit();
            return;
        }
        if (!m_port.isOpen()) {
            if (++m_pollsClosed >= kReopenEveryPolls) {
                m_pollsClosed = 0;
                OpenSerialLine(m_port, m_owner.m_device);
            }
            return;
        }
        const std::optional<UploadFrame> frame =
            m_owner.m_link.Tick(m_owner.m_clock.Now().toMSecsSinceEpoch());
        if (frame && SendHeadFrame(
                         *frame, [this](const std::uint8_t* data, qint64 size) { return Write(data, size); },
                         [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }))
            ++m_owner.m_framesWritten;
    }

    // What the driver has not taken when the write time-out ends is dropped
    // from Qt's buffer and counted as not written, so the next write sends
    // it once.
    qint64 Write(const std::uint8_t* data, qint64 size) {
        const qint64 taken = m_port.write(reinterpret_cast<const char*>(data), size);
        if (taken <= 0 || m_port.waitForBytesWritten(kWriteTimeoutMs) || m_port.bytesToWrite() == 0)
            return taken;
        const qint64 left = m_port.bytesToWrite();
        m_port.clear(QSerialPort::Output);
        return taken - left;
    }

    void ReadAnswers() {
        for (const char byte : m_port.readAll())
            m_owner.m_link.HandleGprsReply(static_cast<std::uint8_t>(byte));
    }

    GprsSerialLink& m_owner;
    QEventLoop& m_loop;
    QSerialPort m_port;
    QTimer m_pollTimer;
    int m_pollsClosed = 0;
};

GprsSerialLink::GprsSerialLink(QString device, GprsLink& link, const Clock& clock)
    : m_device(std::move(device)), m_link(link), m_clock(clock) {}

GprsSerialLink::~GprsSerialLink() {
    // The session sees the flag at its next poll and ends its event loop.
    m_stopRequested = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool GprsSerialLink::OpenGprsLink() {
    if (m_device.isEmpty() || m_thread.joinable())
        return false;
    return StartSessionThread<GprsSession>(m_thread, *this);
}
