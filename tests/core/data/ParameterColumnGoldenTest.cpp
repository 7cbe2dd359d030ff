#include "core/data/KVTFile.h"
#include "core/setup/ApplyTestSettings.h"
#include "core/setup/ChannelSettings.h"
#include "core/setup/ConfirmLoadControlForm.h"
#include "core/setup/ZeroSettings.h"
#include "core/standards/ConfirmStandardForm.h"
#include "core/standards/StandardsCatalogue.h"

#include <QFile>

#include <gtest/gtest.h>

// The parameter column as the builder, the dialogs and the run-state saver
// leave it, against the texts kept in golden/. A change here changes what
// every data file holds: regenerate with STATICLOAD_UPDATE_GOLDEN=1 only on
// purpose and review the difference.
namespace {

const QDate kToday(2026, 5, 4);

// Every setting the builder reads, each with a value whose texts show the
// format (fractions that round, signs, flags both ways).
void SetUpDistinctTest(CPublic& pub) {
    pub.paramList = DefaultParameterList();
    ParameterList& list = pub.paramList;
    const int gaugeOn[8] = {1, 0, 1, 1, 0, 1, 0, 1};
    for (int k = 0; k < 8; ++k)
        list[static_cast<std::size_t>(Entry::gaugeOnFirst + k)] = static_cast<float>(gaugeOn[k]);
    list[Entry::doubleCircuitJack] = 1;
    list[Entry::pressureSensor] = 0;
    list[Entry::jackRatedPressure] = 62.7f;
    list[Entry::jackRatedForce] = 3150.5f;
    list[Entry::jackCount] = 3;
    list[Entry::sensorRange] = 60;
    list[Entry::sensorSensitivity] = 2.73f;
    list[Entry::loadPulseTicks] = 4;
    list[Entry::unloadPulseTicks] = 7;
    list[Entry::plateArea] = 2.3456f;
    list[Entry::targetLoad] = 1234.567f;
    list[Entry::holdBand] = 12.35f;
    list[Entry::stageStep] = 150.25f;
    list[Entry::maxLoad] = 3000.44f;
    list[Entry::maxSettlement] = 41.226f;
    list[Entry::maxUnevenSettlement] = 9.5f;
    list[Entry::loadProtectSeconds] = 95;
    list[Entry::gaugeRangeAlarm] = 38.125f;
    list[Entry::holdMinutes] = 120;
    list[Entry::stableCheckMinutes] = 60;
    list[Entry::stableCheckCount] = 3;
    list[Entry::stableSettlement] = 0.6f;
    for (int i = 0; i < 6; ++i) {
        list[static_cast<std::size_t>(Entry::loadIntervalsFirst + i)] = static_cast<float>(5 + 5 * i);
        list[static_cast<std::size_t>(Entry::unloadIntervalsFirst + i)] = static_cast<float>(15 + 3 * i);
    }
    list[Entry::standardCode] = 58;
    list[Entry::pressureMode] = 3;
    list[Entry::calibrationSource] = 1;
    list[Entry::regressionA] = 0.123456f;
    list[Entry::regressionB] = -1.98765f;
    list[Entry::groundTest] = 1;
    pub.calibrationCoefficient = 2.0777f;
    pub.sensorNumber = QStringLiteral("S-12传");
    pub.jackNumber = QStringLiteral("千斤顶7");
    pub.loadZero = 1530.6f;
    pub.loadOffset = -2.5f;
    pub.loadDirection = -1;
    for (std::size_t k = 0; k < 8; ++k) {
        pub.gaugeZero[k] = 10.4f + static_cast<float>(k);
        pub.gaugeOffset[k] = -0.7f * static_cast<float>(k);
        pub.gaugeDirection[k] = k % 3 == 0 ? -1 : 1;
    }
    KVTFile::BuildBlankRecords(pub);
}

void SetRunState(CPublic& pub) {
    pub.run.Post(RunCommands::Restore{
        .running = true, .state = ControlState::HoldingUnload, .target = 1234.567f, .lastTarget = 987.254f});
    pub.readingCount = 17;
    pub.stageChanged = true;
    pub.stageReached = true;
    pub.nextReadingTime = 45678;
    pub.readingStep = 3;
}

// The dialogs in the order an operator changes a running test.
void RunDialogs(CPublic& pub) {
    pub.run.Post(RunCommands::Start{});

    ChannelForm channels;
    for (int gauge = 0; gauge < 8; ++gauge)
        channels.gauges[static_cast<std::size_t>(gauge)] = GaugeCaption(gauge + 1, gauge % 2 == 1);
    channels.single = QStringLiteral("单桩");
    channels.ground = QStringLiteral("√地基");
    ConfirmChannels(pub, channels);

    TestSettingsForm settings;
    settings.serialNumber = QStringLiteral("123456");
    settings.pileNumber = QStringLiteral("0042");
    settings.jackNumber = QStringLiteral("J-9");
    settings.ratedPressure = QStringLiteral("63.5");
    settings.ratedForce = QStringLiteral("3200");
    settings.jackCount = QStringLiteral("2");
    settings.sensorNumber = QStringLiteral("S-77");
    settings.sensorRange = QStringLiteral("80");
    settings.sensitivity = QStringLiteral("2.135");
    settings.regressionA = QStringLiteral("0.25");
    settings.regressionB = QStringLiteral("0.0195");
    settings.sensor = SensorKind::OilPressure;
    settings.mode = PressureMode::Regression;
    settings.circuit = JackCircuit::Single;
    StoreTestSettings(pub, pub.paramList, settings, SettingsValidation{}, kToday);

    LoadControlForm load;
    load.targetLoad = QStringLiteral("1500.6");
    load.holdBand = QStringLiteral("12.4");
    load.stageStep = QStringLiteral("150");
    load.maxLoad = QStringLiteral("3000");
    load.plateArea = QStringLiteral("1.23456");
    load.stageAdvance = StageAdvance::Manual;
    load.maxSettlement = QStringLiteral("40");
    load.maxUnevenSettlement = QStringLiteral("10.5");
    load.loadProtectSeconds = QStringLiteral("90");
    load.gaugeRangeAlarm = QStringLiteral("45");
    load.anchorUpliftAlarm = QStringLiteral("8.7");
    load.loadPulseTicks = QStringLiteral("2");
    load.unloadPulseTicks = QStringLiteral("3");
    StoreLoadControlForm(pub, pub.paramList, load);

    StandardForm standard;
    standard.code = kUserInputCode;
    standard.boxes.holdMinutes = QStringLiteral("75");
    standard.boxes.stableCheckMinutes = QStringLiteral("30");
    standard.boxes.stableCheckCount = QStringLiteral("2");
    standard.boxes.stableSettlement = QStringLiteral("0.05");
    for (int i = 0; i < 6; ++i) {
        standard.boxes.loadIntervals[i] = QString::number(10 + i);
        standard.boxes.unloadIntervals[i] = QString::number(20 + i);
    }
    standard.bearingCapacity = QStringLiteral("450");
    ConfirmStandardForm(pub, pub.paramList, standard);

    ZeroForm zero;
    zero.gaugeReverseTicked = {true, false, false, true, false, false, true, false};
    zero.gaugeModified[2] = QStringLiteral("1.25");
    zero.gaugeCurrent[2] = QStringLiteral("0.5");
    LiveSample live;
    live.gaugeReading[2] = 3.5f;
    RangeAdjustment adjustment;
    ApplyZeroForm(pub, live, zero, adjustment);
}

// One line per text field that is not all zero: row, field and its bytes up
// to the last non-zero one, printable ASCII as is and the rest as \xNN.
template <std::size_t N> void DumpField(QByteArray& out, int row, const char* name, const char (&field)[N]) {
    std::size_t length = N;
    while (length > 0 && field[length - 1] == 0)
        --length;
    if (length == 0)
        return;
    out += QByteArray::number(row) + ' ' + name + ' ';
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            out += static_cast<char>(byte);
        else
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    out += '\n';
}

QByteArray DumpParameterColumn(const std::vector<Record>& rows) {
    QByteArray out;
    for (int row = 0; row < 74; ++row) {
        const Record& r = rows[static_cast<std::size_t>(row)];
        DumpField(out, row, "textValue", r.textValue);
        DumpField(out, row, "textValue2", r.textValue2);
        DumpField(out, row, "textLong", r.textLong);
        DumpField(out, row, "flagText", r.flagText);
    }
    return out;
}

void ExpectGolden(const char* name, const std::vector<Record>& rows) {
    ASSERT_GE(rows.size(), 74u);
    const QByteArray actual = DumpParameterColumn(rows);
    QFile file(QStringLiteral(STATICLOAD_GOLDEN_DIR "/") + QString::fromLatin1(name));
    if (qEnvironmentVariableIsSet("STATICLOAD_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual);
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_EQ(actual.toStdString(), file.readAll().toStdString()) << name;
}

TEST(ParameterColumnGolden, BlankTest) {
    CPublic pub;
    SetUpDistinctTest(pub);
    ExpectGolden("blank-test.txt", pub.recordList);
}

TEST(ParameterColumnGolden, RunStateOfAHeldUnloadingStage) {
    CPublic pub;
    SetUpDistinctTest(pub);
    SetRunState(pub);
    RefreshRunStateTexts(pub, kToday);
    ExpectGolden("run-state.txt", pub.recordList);
}

TEST(ParameterColumnGolden, RunStateAtRest) {
    CPublic pub;
    SetUpDistinctTest(pub);
    RefreshRunStateTexts(pub, kToday);
    ExpectGolden("run-state-at-rest.txt", pub.recordList);
}

TEST(ParameterColumnGolden, DialogsOverABlankTest) {
    CPublic pub;
    SetUpDistinctTest(pub);
    RunDialogs(pub);
    ExpectGolden("dialogs.txt", pub.recordList);
}

} // namespace
