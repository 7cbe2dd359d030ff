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

void EnableAllGauges(CPublic& pub) {
    for (auto& on : pub.gaugeOn)
        on = 1;
}

void BM_ProcessReplyCoefficient(benchmark::State& state) {
    CPublic pub;
    EnableAllGauges(pub);
    pub.pressureMode = 1;
    const auto block = TypicalReply();
    for (auto _ : state)
        benchmark::DoNotOptimize(ProcessReply(pub, block));
}
BENCHMARK(BM_ProcessReplyCoefficient);

void BM_ProcessReplyCalibrationTable(benchmark::State& state) {
    CPublic pub;
    EnableAllGauges(pub);
    pub.pressureMode = 2;
    CalibrationSelection table;
    table.pointCount = 10;
    for (int i = 0; i < 10; ++i) {
        table.calibrationPressures[i] = 6.0f * static_cast<float>(i);
        table.calibrationLoads[i] = 300.0f * static_cast<float>(i);
    }
    pub.SetCalibrationSelection(table);
    const auto block = TypicalReply();
    for (auto _ : state)
        benchmark::DoNotOptimize(ProcessReply(pub, block));
}
BENCHMARK(BM_ProcessReplyCalibrationTable);

void BM_ComposeLoadingFrame(benchmark::State& state) {
    CPublic pub;
    pub.running = true;
    pub.controlState = 1;
    pub.targetLoad = 1200.5f;
    pub.currentLoad = 1150.25f;
    pub.stageStep = 400;
    pub.loadPulseTicks = 4;
    pub.buzzerCode = 0xFF;
    CommandComposer composer(pub);
    for (auto _ : state)
        benchmark::DoNotOptimize(composer.Compose());
}
BENCHMARK(BM_ComposeLoadingFrame);

} // namespace
