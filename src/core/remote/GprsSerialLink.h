#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

class Clock;
class GprsLink;

// The serial side of the GPRS link on COM2, in a thread of its own: it looks
// at the instrument's clock every 50 ms of real time and runs the link's
// sender pass when one is due (every 10 s of the instrument's time, so an
// accelerated clock speeds the link up alike), writes the frame the pass
// hands out, and passes every byte the module sends to HandleGprsReply.
// Same line as COM1 (SerialLine.h). A port that vanishes is opened again
// about once a second.
class GprsSerialLink {
  public:
    static constexpr int kPollMs = 50;

    GprsSerialLink(QString device, GprsLink& link, const Clock& clock);
    ~GprsSerialLink();
    GprsSerialLink(const GprsSerialLink&) = delete;
    GprsSerialLink& operator=(const GprsSerialLink&) = delete;

    // Opens COM2 and starts the thread; false (and no thread) when the port
    // cannot be opened. A missing module is not shown to the operator: the
    // frames wait in the queue file. Opens once.
    bool OpenGprsLink();

    // Frames written whole since open (for status and tests).
    std::uint64_t FramesWritten() const { return m_framesWritten.load(); }

  private:
    friend class GprsSession;

    QString m_device;
    GprsLink& m_link;
    const Clock& m_clock;
    std::thread m_thread; // runs the session's event loop
    std::atomic<bool> m_stopRequested{false};
    std::atomic<std::uint64_t> m_framesWritten{0};
};
