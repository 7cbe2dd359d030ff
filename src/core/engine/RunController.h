#pragma once

#include "core/engine/RunCommand.h"
#include "core/engine/RunState.h"
#include "core/link/CommandComposer.h"
#include "core/link/ConversionSettings.h"
#include "core/link/LiveSample.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

// The one owner of the run state. The controller worker calls Cycle every
// 200 ms and HandleReply for every reply; both must run on that one thread.
// Every other thread sends commands and reads copies: View() is the run
// state as the next cycle will start from it (the last published state with
// the commands still queued applied to it, so a sender reads its own
// command at once), Live() the newest converted reply.
class RunController {
  public:
    // `midCycle` runs inside every cycle, after the queued commands were taken
    // and before the new state is published: tests send commands there to
    // show that one arriving during a cycle is applied at the next.
    explicit RunController(std::function<void()> midCycle = {}) : m_midCycle(std::move(midCycle)) {}

    // --- any thread -------------------------------------------------------------
    void Post(const RunCommand& command);
    // Sent only when they change what the next cycle starts from: the
    // schedule repeats them every second.
    void RequestPumpGate(std::uint8_t gate);
    void RequestBuzzer(int code);
    void SetControlSettings(const ControlSettings& settings);
    void SetConversionSettings(const ConversionSettings& settings);
    RunState View() const;
    LiveSample Live() const;
    ConversionSettings Conversion() const;

    // --- controller worker --------------------------------------------------------
    // Applies the queued commands, runs the load-control step while a test
    // runs, composes the frame and publishes the new state.
    CommandCycle Cycle();
    // Converts one whole reply (kReplyBlockSize bytes) and publishes it as the
    // live sample; false (nothing published) for a block of any other length
    // or one that carries no measurement.
    bool HandleReply(std::span<const std::uint8_t> block, qint64 arrivalMs);

    // Cycles without a whole reply after which the link is at fault (1 s).
    static constexpr int kLinkFaultCycles = 5;

  private:
    void WatchLink();

    const std::function<void()> m_midCycle;

    // Worker thread only.
    RunState m_state;
    LiveSample m_sample;
    int m_cyclesWithoutReply = 0;

    mutable std::mutex m_mutex; // guards every member below
    RunState m_published;
    // Sent and not yet published: a cycle removes the ones it applied only
    // when it publishes their result, so View() never misses one.
    std::vector<RunCommand> m_pending;
    ControlSettings m_controlSettings;
    ConversionSettings m_conversionSettings;
    LiveSample m_publishedSample;
};
