#pragma once

#include "core/link/ControllerPort.h"
#include "core/link/ReplyFramer.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

// The serial link to the loading controller on COM1, in a thread of its own
// so that its 200 ms cycle keeps time while the user interface is busy:
// every 200 ms the composer builds a 12-byte command frame and it is sent;
// the bytes that come back are cut into bursts at a quiet line
// (ReplyFramer.h), and only a burst that is one whole 31-byte reply reaches
// the reply handler. Both callbacks run in the link thread and may only
// touch thread-safe state.
//
// Line: 9600 baud, 8 data bits, no parity, two stop bits (the controller
// expects one and a half, which Linux UARTs cannot send; a receiver for 1 or
// 1.5 accepts 2), no flow control, DTR and RTS on.
class ControllerLink final : public ControllerPort {
    Q_OBJECT
  public:
    static constexpr int kCycleMs = 200;

    ControllerLink(QString device, Composer composer, ReplyHandler replyHandler);
    ~ControllerLink() override;

    // Opens the port and starts the cycle in the link thread; false (and no
    // thread left running) when the port cannot be opened. Opens once. A missing controller is not an error
    // the operator sees: the instrument just runs without live values.
    bool Open() override;

    // Cycles run since open (for status and tests).
    std::uint64_t Cycles() const { return m_cycles.load(); }
    bool PortOpen() const { return m_portOpen.load(); }
    // Whole replies handed on and bursts dropped since open.
    ReplyCounts CountedReplies() const;

  private:
    friend class ControllerSession;

    QString m_device;
    Composer m_composer;
    ReplyHandler m_replyHandler;
    std::thread m_thread; // runs the session's event loop
    std::atomic<bool> m_stopRequested{false};
    std::atomic<std::uint64_t> m_cycles{0};
    std::atomic<bool> m_portOpen{false};
    mutable std::mutex m_countsMutex; // guards m_replyCounts, written by the link thread
    ReplyCounts m_replyCounts;
};
