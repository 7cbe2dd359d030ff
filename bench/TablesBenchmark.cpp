#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "core/view/TableViews.h"
#include "core/view/ViewTitles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReadings = 2000;
constexpr int kReadingsPerLevel = 20;

// A long test: 100 levels of 20 readings each, loading to the top and
// unloading for the last third, all eight gauges on.
void FillLongTest(CPublic& pub) {
    pub.loadIntervals = {5, 10, 15, 15, 15, 30};
    pub.unloadIntervals = {15, 15, 30, 30, 30, 30};
    for (auto& on : pub.gaugeOn)
        on = 1;
    pub.recordList.assign(kReadings + 1, Record::Template());
    float settlement = 0;
    for (int i = 0; i < kReadings; ++i) {
        Record& row = pub.recordList[static_cast<std::size_t>(i)];
        const int level = i / kReadingsPerLevel;
        row.load = 100 * (level < 66 ? level + 1 : 132 - level);
        if (i % kReadingsPerLevel == 0) {
            std::memcpy(row.clock, "--:--", 5);
            continue;
        }
        std::memcpy(row.clock, "12:34", 5);
        settlement += level < 66 ? 0.013f : -0.004f;
        std::fill(std::begin(row.gauge), std::end(row.gauge), settlement);
    }
    pub.readingCount = kReadings;
}

void BM_DeriveSettlementRows(benchmark::State& state) {
    CPublic pub;
    FillLongTest(pub);
    for (auto _ : state) {
        DeriveSettlementRows(pub);
        benchmark::DoNotOptimize(pub.recordList.data());
    }
}
BENCHMARK(BM_DeriveSettlementRows)->Unit(benchmark::kMicrosecond);

void BM_BuildLevelSummary(benchmark::State& state) {
    CPublic pub;
    FillLongTest(pub);
    DeriveSettlementRows(pub);
    CurveModel curves;
    for (auto _ : state) {
        BuildLevelSummary(pub, curves);
        benchmark::DoNotOptimize(curves.loadPoints.data());
    }
}
BENCHMARK(BM_BuildLevelSummary)->Unit(benchmark::kMicrosecond);

// The work after each reading: derivation, summary and the shown table's text.
void BM_RefreshAfterReading(benchmark::State& state) {
    CPublic pub;
    FillLongTest(pub);
    CurveModel curves;
    const int tableView = static_cast<int>(state.range(0));
    for (auto _ : state) {
        DeriveSettlementRows(pub);
        BuildLevelSummary(pub, curves);
        const std::optional<TableView> table = ComposeTable(pub, tableView);
        benchmark::DoNotOptimize(table->rows.data());
    }
    state.SetLabel(TableViewTitle(tableView)->toStdString());
}
BENCHMARK(BM_RefreshAfterReading)
    ->Arg(kSummaryTable)
    ->Arg(kLoadSettlementTable)
    ->Arg(kRecordTable)
    ->Unit(benchmark::kMillisecond);

} // namespace
