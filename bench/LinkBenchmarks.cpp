#include "core/engine/RunController.h"
#include "core/link/CommandComposer.h"
#include "core/link/MeasurementConversion.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

// A full reply: load channel 12000 counts, all eight gauges near 10 mm.
std::array<std::uint8_t, kReplyBlockSize> TypicalReply() {
    std::array<std::uint8_t, kReplyBlockSize> block{};
    block[1] = 12000 & 0xFF;
    block[2] = 12000 >> 8;
    for (std::size_t k = 0; k < 8; ++k) {
        const int raw = 1000 + 37 * static_cast<int>(k);
        block[5 + 2 * k] = static_cast<std::uint8_t>(raw & 0xFF);
        block[6 + 2 * k] = static_cast<std::uint8_t>(raw >> 8);
    }
    return block;
}

ConversionSettings AllGauges(int pressureMode) {
    ConversionSettings settings;
    settings.gaugeOn.fill(1);
    settings.pressureMode = pressureMode;
    return settings;
}

void BM_ConvertReplyCoefficient(benchmark::State& state) {
    const ConversionSettings settings = AllGauges(1);
    const LiveSample previous;
    const auto block = TypicalReply();
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertReply(settings, block, previous));
}
BENCHMARK(BM_ConvertReplyCoefficient);

void BM_ConvertReplyCalibrationTable(benchmark::State& state) {
    ConversionSettings settings = AllGauges(2);
    settings.calibration.pointCount = 10;
    for (std::size_t i = 0; i < 10; ++i) {
        settings.calibration.calibrationPressures[i] = 6.0f * static_cast<float>(i);
        settings.calibration.calibrationLoads[i] = 300.0f * static_cast<float>(i);
    }
    const LiveSample previous;
    const auto block = TypicalReply();
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertReply(settings, block, previous));
}
BENCHMARK(BM_ConvertReplyCalibrationTable);

void BM_ComposeLoadingFrame(benchmark::State& state) {
    const FrameInputs in{.running = true,
                         .state = ControlState::Loading,
                         .target = 1200.5f,
                         .current = 1150.25f,
                         .buzzerCode = 0xFF};
    ControlSettings settings;
    settings.stageStep = 400;
    settings.loadPulseTicks = 4;
    PumpCounters counters;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeCommand(in, settings, counters));
}
BENCHMARK(BM_ComposeLoadingFrame);

// The whole worker cycle: queued commands, load-control step, frame, publication.
void BM_RunControllerCycle(benchmark::State& state) {
    RunController run;
    run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::Reloading, .target = 1200, .lastTarget = 1200});
    const auto block = TypicalReply();
    for (auto _ : state) {
        run.HandleReply(block, 0);
        benchmark::DoNotOptimize(run.Cycle());
    }
}
BENCHMARK(BM_RunControllerCycle);
} // namespace
