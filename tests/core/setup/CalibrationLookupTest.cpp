#include "core/setup/CalibrationLookup.h"

#include "core/setup/JackRecords.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

namespace {

class CalibrationLookupTest : public ::testing::Test {
  protected:
    // Slot 0: jack 7 with sensor 31; slot 1: a force sensor 31 without jack;
    // slot 2: jack 7 again with sensor 32; slot 3: jack 8.
    void SaveTable() {
        JackRecords::Save(device.Files(),
                          {
                              JackRecords::Make("7", "31", {{1, 10}, {2, 20}, {3, 30}}),
                              JackRecords::Make("", "31", {{5, 100}, {6, 200}, {7, 300}}),
                              JackRecords::Make("7", "32", {{4, 40}, {5, 50}, {6, 60}, {7, 70}}),
                              JackRecords::Make("8", "", {{9, 90}, {10, 100}, {11, 110}}),
                          });
    }

    TempDevice device;
};

TEST_F(CalibrationLookupTest, EachQueryKindMatchesItsOwnFieldsAndTheLastMatchWins) {
    SaveTable();
    struct Case {
        const char* what;
        CalibrationQuery query;
        int index; // -1: no match
    };
    const Case cases[] = {
        {"jack table: last record of the jack", CalibrationQuery::JackTable("7"), 2},
        {"jack table: sensor does not matter", CalibrationQuery::JackTable("8"), 3},
        {"jack table: unknown jack", CalibrationQuery::JackTable("9"), -1},
        {"oil system: jack and sensor", CalibrationQuery::OilSystem("31", "7"), 0},
        {"oil system: sensor of another jack", CalibrationQuery::OilSystem("31", "8"), -1},
        {"oil system: empty jack number finds the force record", CalibrationQuery::OilSystem("31", ""), 1},
        {"force: sensor without a jack", CalibrationQuery::ForceSystem("31"), 1},
        {"force: sensor only held with a jack", CalibrationQuery::ForceSystem("32"), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<CalibrationLookup> found = LookupCalibration(device.Files(), c.query);
        ASSERT_EQ(found.has_value(), c.index >= 0);
        if (found) {
            EXPECT_EQ(found->selection.jackCalibrationIndex, c.index);
        }
    }
}

TEST_F(CalibrationLookupTest, SelectionCarriesTheRecordsPointsAndTheWholeTable) {
    SaveTable();
    const std::optional<CalibrationLookup> found =
        LookupCalibration(device.Files(), CalibrationQuery::JackTable("7"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->selection.pointCount, 4);
    EXPECT_EQ(found->selection.calibrationPressures[3], 7.0f);
    EXPECT_EQ(found->selection.calibrationLoads[3], 70.0f);
    EXPECT_EQ(found->selection.calibrationLoads[4], 0.0f);
    ASSERT_EQ(found->table.size(), static_cast<std::size_t>(kJackSlots));
    EXPECT_EQ(found->table[3].jackNumber[0], u'8');
    EXPECT_EQ(found->table[9].maxForce, 1000.0f) << "blank slots after the saved records";
}

TEST_F(CalibrationLookupTest, DamagedPointCountIsKeptWithinTheTenPoints) {
    std::vector<JackRecord> records{JackRecords::Make("7", "", {{1, 10}}),
                                    JackRecords::Make("8", "", {{1, 10}})};
    records[0].pointCount = 1000;
    records[1].pointCount = -3;
    JackRecords::Save(device.Files(), records);
    EXPECT_EQ(LookupCalibration(device.Files(), CalibrationQuery::JackTable("7"))->selection.pointCount, 10);
    EXPECT_EQ(LookupCalibration(device.Files(), CalibrationQuery::JackTable("8"))->selection.pointCount, 0);
}

TEST_F(CalibrationLookupTest, WithoutTheFileNothingIsFound) {
    EXPECT_FALSE(LookupCalibration(device.Files(), CalibrationQuery::JackTable("")));
}

TEST_F(CalibrationLookupTest, StoringMakesTheRecordTheConversionTable) {
    SaveTable();
    CPublic pub;
    StoreCalibration(pub, *LookupCalibration(device.Files(), CalibrationQuery::ForceSystem("31")));
    const CalibrationSelection selection = pub.calibration;
    EXPECT_EQ(selection.jackCalibrationIndex, 1);
    EXPECT_EQ(selection.pointCount, 3);
    EXPECT_EQ(selection.calibrationLoads[2], 300.0f);
    EXPECT_EQ(pub.jackTable.size(), static_cast<std::size_t>(kJackSlots));
}

TEST_F(CalibrationLookupTest, RestoredTestLooksItsRecordUpAgain) {
    SaveTable();
    struct Case {
        const char* what;
        int pressureMode;
        int pressureSensor;
        int calibrationSource;
        const char* sensorNumber;
        const char* jackNumber;
        bool found;
        int index; // the selected record; -1: selection left alone
    };
    const Case cases[] = {
        {"jack table", 2, 1, 0, "", "8", true, 3},
        {"oil system calibration", 2, 1, 1, "32", "7", true, 2},
        {"force sensor", 2, 0, 1, "31", "", true, 1},
        {"record gone since", 2, 1, 0, "", "9", false, -1},
        {"load from the rated values", 1, 1, 0, "", "8", true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPublic pub;
        pub.pressureMode = c.pressureMode;
        pub.pressureSensor = c.pressureSensor;
        pub.calibrationSource = c.calibrationSource;
        pub.sensorNumber = QString::fromUtf8(c.sensorNumber);
        pub.jackNumber = QString::fromUtf8(c.jackNumber);
        CalibrationSelection untouched;
        untouched.jackCalibrationIndex = 9;
        pub.calibration = untouched;
        EXPECT_EQ(ReselectCalibration(pub, device.Files()), c.found);
        EXPECT_EQ(pub.calibration.jackCalibrationIndex, c.index < 0 ? 9 : c.index);
    }
}

} // namespace
