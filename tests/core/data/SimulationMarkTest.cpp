#include "core/data/SimulationMark.h"

#include "core/data/CPublic.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

TEST(SimulationMark, ScreenMarkOfTheProgramAndOfTheTestShown) {
    const struct {
        bool simulated;
        double timeScale;
        bool testSimulated;
        std::optional<QString> mark;
    } cases[] = {
        {false, 1.0, false, std::nullopt},
        {true, 1.0, false, QStringLiteral("模拟")},
        {true, 60.0, true, QStringLiteral("模拟\n×60")},
        {true, 2.5, false, QStringLiteral("模拟\n×2.5")},
        {false, 1.0, true, QStringLiteral("模拟\n数据")}, // a simulated test's file on a real instrument
    };
    for (const auto& c : cases)
        EXPECT_EQ(SimulationScreenMark(c.simulated, c.timeScale, c.testSimulated), c.mark)
            << c.simulated << " " << c.timeScale << " " << c.testSimulated;
}

TEST(SimulationMark, RemarkWithTheClocksPace) {
    EXPECT_EQ(SimulationRemark(1.0), QStringLiteral("模拟试验"));
    EXPECT_EQ(SimulationRemark(60.0), QStringLiteral("模拟试验 时间倍率60"));
}

TEST(SimulationMark, RemarkLivesInRow72AndLeavesEveryOtherByte) {
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    const std::vector<Record> blank = pub.recordList;
    EXPECT_EQ(SimulationRemarkOf(blank), QString());

    MarkSimulatedTest(pub.recordList, SimulationRemark(60.0));
    EXPECT_EQ(SimulationRemarkOf(pub.recordList), QStringLiteral("模拟试验 时间倍率60"));
    EXPECT_EQ(FieldText(pub.recordList[72].textLong),
              DeviceText::FromUnicode(QStringLiteral("模拟试验 时间倍率60")));
    ASSERT_EQ(pub.recordList.size(), blank.size());
    for (std::size_t r = 0; r < blank.size(); ++r) {
        if (r != 72) {
            EXPECT_EQ(std::memcmp(&pub.recordList[r], &blank[r], sizeof(Record)), 0) << r;
        }
    }
    // Another text in that field is no mark; short lists have no row 72.
    SetFieldText(pub.recordList[72].textLong, QByteArrayLiteral("x"));
    EXPECT_EQ(SimulationRemarkOf(pub.recordList), QString());
    std::vector<Record> shortList(10);
    MarkSimulatedTest(shortList, SimulationRemark(1.0));
    EXPECT_EQ(SimulationRemarkOf(shortList), QString());
}

} // namespace
