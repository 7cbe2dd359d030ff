#include "core/calib/JackCalibration.h"

#include "core/data/CPublic.h"
#include "core/data/CalibrationSelection.h"
#include "core/link/CalibrationTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace JackCalibrationText;

// A jack group as the operator fills it: 1000 kN in five points, generated
// standard forces, rising pressures.
JackGroupForm FilledJackGroup() {
    JackGroupForm form;
    form.jackNumber = QStringLiteral("QJ01");
    form.maxForce = QStringLiteral("1000");
    form.pointCount = QStringLiteral("5");
    const StandardForces forces = GenerateStandardForces(form);
    for (int i = 0; i <= 5; ++i) {
        form.standardForce[static_cast<std::size_t>(i)] =
            QString::number(forces.force[static_cast<std::size_t>(i)]);
        form.measured[static_cast<std::size_t>(i)] = QString::number(6.5 * i, 'f', 2);
    }
    return form;
}

JackRecord SavedRecord(const QString& jackNumber) {
    JackGroupForm form = FilledJackGroup();
    form.jackNumber = jackNumber;
    JackRecord record = JackRecord::Blank();
    EXPECT_EQ(StoreGroup(form, record), nullptr);
    return record;
}

struct ForcesCase {
    const char* name;
    const char* maxForce;
    const char* points;
    std::vector<int> expected;
};

class GenerateForcesTest : public ::testing::TestWithParam<ForcesCase> {};

TEST_P(GenerateForcesTest, IntegerSteps) {
    JackGroupForm form;
    form.maxForce = QString::fromUtf8(GetParam().maxForce);
    form.pointCount = QString::fromUtf8(GetParam().points);
    const StandardForces forces = GenerateStandardForces(form);
    ASSERT_EQ(forces.refusal, nullptr);
    ASSERT_EQ(forces.pointCount + 1, static_cast<int>(GetParam().expected.size()));
    for (std::size_t i = 0; i < GetParam().expected.size(); ++i)
        EXPECT_EQ(forces.force[i], GetParam().expected[i]) << "point " << i;
}

INSTANTIATE_TEST_SUITE_P(
    JackCalibration, GenerateForcesTest,
    ::testing::Values(ForcesCase{"F1000_n3_step333", "1000", "3", {0, 333, 666, 999}},
                      ForcesCase{"F1000_n4_step250", "1000", "4", {0, 250, 500, 750, 1000}},
                      ForcesCase{"F2500p7_readAs2500_n10",
                                 "2500.7",
                                 "10",
                                 {0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2250, 2500}},
                      ForcesCase{"F5_n1", "5", "1", {0, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JackCalibration, GenerateRefusesInOrder) {
    struct Case {
        bool system;
        const char* sensor;
        const char* maxForce;
        const char* points;
        const char* refusal;
    };
    const Case cases[] = {
        {true, "", "abc", "11", kSensorNumberEmpty}, // the sensor number first, for "系统" only
        {false, "", "abc", "11", kMaxForceNotNumber},
        {false, "", "0", "11", kMaxForceZero},
        {false, "", "0.5", "3", kMaxForceZero}, // read as the integer 0
        {false, "", "1000", "11", kPointCountInvalid},
        {false, "", "1000", "0", kPointCountInvalid},
        {false, "", "1000", "2.5", kPointCountInvalid},
        {false, "", "1000", "", kPointCountInvalid},
        {true, "S1", "1000", "10", nullptr},
    };
    for (const Case& c : cases) {
        JackGroupForm form;
        form.system = c.system;
        form.sensorNumber = QString::fromUtf8(c.sensor);
        form.maxForce = QString::fromUtf8(c.maxForce);
        form.pointCount = QString::fromUtf8(c.points);
        EXPECT_STREQ(GenerateStandardForces(form).refusal, c.refusal) << c.maxForce << " / " << c.points;
    }
}

TEST(JackCalibration, StoreRefusesWithTheFirstFailedCheck) {
    struct Case {
        const char* name;
        void (*change)(JackGroupForm&);
        const char* refusal;
    };
    const Case cases[] = {
        {"jack number empty", [](JackGroupForm& f) { f.jackNumber.clear(); }, kJackNumberEmpty},
        {"system without sensor", [](JackGroupForm& f) { f.system = true; }, kSensorNumberEmpty},
        {"point 3 empty", [](JackGroupForm& f) { f.measured[3].clear(); }, kPointMissing},
        {"point 2 not a number before empty point 4",
         [](JackGroupForm& f) {
             f.measured[2] = QStringLiteral("1..2");
             f.measured[4].clear();
         },
         kPointInvalid},
        {"point 6 beyond n is not read", [](JackGroupForm& f) { f.measured[6] = QStringLiteral("x"); },
         nullptr},
        {"zero point", [](JackGroupForm& f) { f.measured[0] = QStringLiteral("-"); }, kZeroInvalid},
        {"count beyond the group", [](JackGroupForm& f) { f.pointCount = QStringLiteral("11"); },
         kPointCountInvalid},
        {"two points cannot convert", [](JackGroupForm& f) { f.pointCount = QStringLiteral("2"); },
         kTooFewPoints},
        {"forces not generated for a larger count",
         [](JackGroupForm& f) {
             f.pointCount = QStringLiteral("6");
             f.measured[6] = QStringLiteral("40");
         },
         kForcesNotRising},
        {"pressure falls at point 4", [](JackGroupForm& f) { f.measured[4] = QStringLiteral("10"); },
         kMeasuredNotRising},
        {"pressure flat at point 5", [](JackGroupForm& f) { f.measured[5] = f.measured[4]; },
         kMeasuredNotRising},
    };
    for (const Case& c : cases) {
        JackGroupForm form = FilledJackGroup();
        c.change(form);
        JackRecord record = JackRecord::Blank();
        const JackRecord before = record;
        EXPECT_STREQ(StoreGroup(form, record), c.refusal) << c.name;
        if (c.refusal) {
            EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0) << c.name << ": record changed";
        }
    }
}

TEST(JackCalibration, StoredGroupIsWhatTheConversionUses) {
    JackGroupForm form = FilledJackGroup();
    form.system = true;
    form.sensorNumber = QStringLiteral("CGQ7");
    form.measured[0] = QStringLiteral("0.3");
    JackRecord record = JackRecord::Blank();
    ASSERT_EQ(StoreGroup(form, record), nullptr);
    EXPECT_EQ(record.type, JackCalibrationType::system);
    EXPECT_EQ(JackText(record.jackNumber), QStringLiteral("QJ01"));
    EXPECT_EQ(JackText(record.sensorNumber), QStringLiteral("CGQ7"));
    EXPECT_EQ(record.maxForce, 1000.0f);
    EXPECT_EQ(record.pointCount, 5);
    EXPECT_EQ(record.force[0], 200.0f) << "point 1 in the first slot";
    EXPECT_EQ(record.force[4], 1000.0f);
    EXPECT_EQ(record.pressure[4], 32.5f);
    EXPECT_EQ(record.force[5], 0.0f);
    EXPECT_EQ(record.zeroValue, 0.3f);
    EXPECT_EQ(record.saved, 1);

    CalibrationSelection selection;
    std::copy(std::begin(record.force), std::end(record.force), selection.calibrationLoads.begin());
    std::copy(std::begin(record.pressure), std::end(record.pressure), selection.calibrationPressures.begin());
    selection.pointCount = record.pointCount;
    EXPECT_TRUE(IsUsableCalibrationTable(selection));
}

TEST(JackCalibration, SavedGroupIsRefusedAfterItsChecks) {
    JackRecord record = SavedRecord(QStringLiteral("QJ01"));
    const JackRecord saved = record;
    JackGroupForm form = FormOfRecord(record);
    form.measured[3] = QStringLiteral("20");
    EXPECT_STREQ(StoreGroup(form, record), kAlreadySaved);
    EXPECT_EQ(std::memcmp(&record, &saved, sizeof record), 0);
}

TEST(JackCalibration, FormOfRecordShowsTwoDecimals) {
    const JackGroupForm form = FormOfRecord(SavedRecord(QStringLiteral("QJ01")));
    EXPECT_EQ(form.maxForce, QStringLiteral("1000.00"));
    EXPECT_EQ(form.pointCount, QStringLiteral("5"));
    EXPECT_EQ(form.standardForce[5], QStringLiteral("1000.00"));
    EXPECT_EQ(form.measured[5], QStringLiteral("32.50"));
    EXPECT_FALSE(form.system);
}

TEST(JackCalibration, LongNumbersKeepWhatTheFileHolds) {
    JackGroupForm form = FilledJackGroup();
    form.jackNumber = QStringLiteral("123456789012");
    JackRecord record = JackRecord::Blank();
    ASSERT_EQ(StoreGroup(form, record), nullptr);
    EXPECT_EQ(JackText(record.jackNumber), QStringLiteral("1234567890"));
}

TEST(JackCalibration, Navigation) {
    std::vector<JackRecord> table = BlankJackTable();
    table[0] = SavedRecord(QStringLiteral("A"));
    table[9] = SavedRecord(QStringLiteral("J"));
    struct Case {
        int from;
        bool running;
        int to;
        const char* refusal;
    };
    const Case cases[] = {
        {1, false, 2, nullptr},      // group 1 saved
        {2, false, 2, kNextRefused}, // group 2 not saved
        {1, true, 1, nullptr},       // running: group 2 not saved, silently kept
        {10, false, 10, nullptr},    // the last group stays
    };
    for (const Case& c : cases) {
        const GroupMove move = NextGroup(table, c.from, c.running);
        EXPECT_EQ(move.group, c.to) << "from " << c.from;
        EXPECT_STREQ(move.refusal, c.refusal) << "from " << c.from;
    }
    EXPECT_EQ(PreviousGroup(1), 1);
    EXPECT_EQ(PreviousGroup(4), 3);
}

TEST(JackCalibration, DeletingGroup3MovesTheRestUp) {
    std::vector<JackRecord> table;
    for (int g = 1; g <= kJackSlots; ++g)
        table.push_back(SavedRecord(QString::number(g)));
    DeleteGroup(table, 3);
    ASSERT_EQ(table.size(), static_cast<std::size_t>(kJackSlots));
    EXPECT_EQ(JackText(table[1].jackNumber), QStringLiteral("2"));
    for (int place = 3; place <= 9; ++place)
        EXPECT_EQ(JackText(table[static_cast<std::size_t>(place - 1)].jackNumber),
                  QString::number(place + 1));
    const JackRecord blank = JackRecord::Blank();
    EXPECT_EQ(std::memcmp(&table[9], &blank, sizeof blank), 0);
}

} // namespace
