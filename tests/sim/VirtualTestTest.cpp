#include "VirtualTest.h"
#include "core/view/CurveModel.h"
#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "support/TempDevice.h"

#include <QFile>

#include <cstring>

#include <gtest/gtest.h>

namespace {

struct RunCase {
    const char* name;
    int standard;
    float step;
    float max;
    bool autoAdvance;
    bool doubleCircuitJack;
    std::vector<float> levels; // loading stages, then unloading levels down to 0
};

std::ostream& operator<<(std::ostream& out, const RunCase& c) {
    return out << c.name;
}

std::vector<float> Loads(const std::vector<StageReport>& stages) {
    std::vector<float> loads;
    for (const StageReport& stage : stages)
        loads.push_back(stage.load);
    return loads;
}

// The reading fields of a row, which the file must hold as the memory does.
bool SameReading(const Record& a, const Record& b) {
    return std::memcmp(a.clock, b.clock, sizeof a.clock) == 0 && a.load == b.load &&
           std::memcmp(a.gauge, b.gauge, sizeof a.gauge) == 0 &&
           std::memcmp(a.copyMark, b.copyMark, sizeof a.copyMark) == 0 && a.copyLoad == b.copyLoad &&
           std::memcmp(a.copyGauge, b.copyGauge, sizeof a.copyGauge) == 0 &&
           std::memcmp(a.remark, b.remark, sizeof a.remark) == 0;
}

QByteArray GoldenFile(const char* name) {
    QFile file(QStringLiteral(STATICLOAD_GOLDEN_DIR "/%1.kvt").arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WholeTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(WholeTest, RunsFromTheStartToTheAutomaticEnd) {
    const RunCase& c = GetParam();
    TempDevice device;
    TestSetup setup;
    setup.standardCode = c.standard;
    setup.stageStep = c.step;
    setup.maxLoad = c.max;
    setup.autoAdvance = c.autoAdvance;
    setup.doubleCircuitJack = c.doubleCircuitJack;
    VirtualTest test(device.Folders(), setup);
    ASSERT_EQ(test.Start(), QString());
    device.Write(DeviceFile::kUploadQueue, QByteArray(45, '\1'));
    device.Write(DeviceFile::kSettingsCopy, QByteArray(388, '\0'));

    const RunReport report = test.Run();
    ASSERT_TRUE(report.finished) << "stopped after " << report.virtualMs / 60000 << " min";
    const CPublic& pub = test.Pub();
    EXPECT_TRUE(pub.testFinished);
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_EQ(Loads(report.stages), c.levels);
    // In manual load control the operator unloads; the engine never asks.
    EXPECT_EQ(report.maxLoadPrompts, c.autoAdvance ? 1 : 0);
    for (const StageReport& stage : report.stages) {
        if (!stage.unloading) {
            EXPECT_TRUE(stage.stable) << stage.load;
        }
        EXPECT_GT(stage.readings, 1) << stage.load;
    }

    QString path;
    ParameterList list;
    ASSERT_TRUE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(path, pub.dataFilePath);
    EXPECT_EQ(list[Entry::endMark], 0.0f);
    EXPECT_FALSE(device.Exists(DeviceFile::kUploadQueue));
    // The copy is kept, equal to tarvo.ini, for start-up to restore from.
    EXPECT_EQ(device.Read(DeviceFile::kSettingsCopy), device.Read(DeviceFile::kSettings));

    CPublic reopened;
    ASSERT_TRUE(device.Files().ReadDataFile(pub.dataFilePath, reopened.recordList));
    device.Files().RestoreParameters(reopened, reopened.recordList, setup.start);
    EXPECT_EQ(reopened.readingCount, pub.readingCount);
    EXPECT_EQ(reopened.standardCode, c.standard);
    for (int row = 0; row < pub.readingCount; ++row) {
        EXPECT_TRUE(SameReading(reopened.recordList[static_cast<std::size_t>(row)],
                                pub.recordList[static_cast<std::size_t>(row)]))
            << "row " << row;
    }

    DeriveSettlementRows(reopened);
    CurveModel curves;
    BuildLevelSummary(reopened, curves);
    std::vector<float> summaryLoads;
    for (const LevelSummary& level : reopened.levelSummaries)
        summaryLoads.push_back(static_cast<float>(level.load));
    EXPECT_EQ(summaryLoads, c.levels);

    // Every byte of the data file, against the file the same run wrote before.
    const QByteArray golden = GoldenFile(c.name);
    ASSERT_FALSE(golden.isEmpty()) << "no golden file for " << c.name;
    const QByteArray written = device.Read(pub.dataFilePath);
    ASSERT_EQ(written.size(), golden.size());
    for (qsizetype offset = 0; offset < written.size(); ++offset)
        ASSERT_EQ(written[offset], golden[offset])
            << "row " << offset / static_cast<qsizetype>(kPackedRecordSize) << ", byte "
            << offset % static_cast<qsizetype>(kPackedRecordSize);
}

// "用户输入" takes the criteria the settings file holds, as the standard
// dialog shows them: here the defaults of a new instrument.
TEST(VirtualTestSetup, UserInputKeepsTheCriteriaOfTheSettingsFile) {
    TempDevice device;
    TestSetup setup;
    setup.standardCode = 9;
    VirtualTest test(device.Folders(), setup);
    ASSERT_EQ(test.Start(), QString());
    const CPublic& pub = test.Pub();
    EXPECT_EQ(pub.standardCode, 9);
    EXPECT_EQ(pub.holdMinutes, 90);
    EXPECT_EQ(pub.loadIntervals, (std::array<int, 6>{5, 10, 15, 15, 15, 30}));
    EXPECT_EQ(pub.unloadIntervals, (std::array<int, 6>{15, 15, 30, 30, 30, 30}));
    EXPECT_GT(pub.stableCheckCount, 0);
    EXPECT_GT(pub.stableSettlement, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Standards, WholeTest,
    ::testing::Values(
        // 5·S after a first stage of at most 3·S, then 7·S, then single
        // steps; unloading by the ladder 10·S -> 5·S -> 3·S -> 0.
        RunCase{"convergence", 0, 50, 500, true, false, {50, 250, 350, 400, 450, 500, 250, 150, 0}},
        RunCase{"pile_double_jack", 4, 100, 400, true, true, {100, 200, 300, 400, 200, 0}},
        RunCase{"pile", 5, 100, 300, true, false, {100, 200, 300, 100, 0}},
        RunCase{"pile_manual", 5, 100, 300, false, false, {100, 200, 300, 100, 0}},
        RunCase{"anchor", 7, 100, 300, true, false, {100, 200, 300, 100, 0}},
        RunCase{"plate", 10, 100, 300, true, false, {100, 200, 300, 100, 0}},
        RunCase{"composite_ground", 59, 100, 300, true, false, {100, 200, 300, 100, 0}}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

} // namespace
