#include "KvtRun.h"

#include "core/calib/JackCalibration.h"
#include "core/calib/SystemCalibration.h"
#include "core/calib/SystemCalibrationFile.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(KvtJacks, PrintsTheTenGroups) {
    TempDevice device;
    std::vector<JackRecord> table = BlankJackTable();
    JackGroupForm form;
    form.system = true;
    form.jackNumber = QStringLiteral("QJ7");
    form.sensorNumber = QStringLiteral("S2");
    form.maxForce = QStringLiteral("600");
    form.pointCount = QStringLiteral("3");
    form.measured = {QStringLiteral("0.5"), QStringLiteral("190"), QStringLiteral("405"),
                     QStringLiteral("598")};
    form.standardForce = {QStringLiteral("0"), QStringLiteral("200"), QStringLiteral("400"),
                          QStringLiteral("600")};
    ASSERT_EQ(StoreGroup(form, table[1]), nullptr);
    ASSERT_TRUE(device.Files().SaveJackTable(table));

    const KvtRun run = Kvt({QStringLiteral("jacks"), device.Folders().HostPath(DeviceFile::kJackTable)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0],
              QStringLiteral("group,type,jack,sensor,max_force_kN,points,saved,zero,force/measured"));
    EXPECT_EQ(lines[1], QStringLiteral("1,千斤顶,,,1000,5,0,0,0/0 0/0 0/0 0/0 0/0"));
    EXPECT_EQ(lines[2], QStringLiteral("2,系统,QJ7,S2,600,3,1,0.5,200/190 400/405 600/598"));
}

TEST(KvtCalibration, PrintsTheFieldsAndTables) {
    TempDevice device;
    SystemCalibrationRun run;
    ASSERT_EQ(StartCalibration(FormOfRun(run), run), nullptr);
    ASSERT_TRUE(RecordPoint(run, {QStringLiteral("1.5"), QStringLiteral("0.10")}).recorded);
    run.carried = {7, -1};
    ASSERT_TRUE(SaveSystemCalibration(device.Folders(), run));

    const KvtRun printed =
        Kvt({QStringLiteral("calibration"), device.Folders().HostPath(kSystemCalibrationFile)});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QStringList lines = printed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 18 + 1 + 12);
    EXPECT_EQ(lines[0], QStringLiteral("sensor_kind,oil"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("counts_per_kN,2.0767")))
        << lines[2].toStdString(); // float32 of 2.07675
    EXPECT_EQ(lines[4], QStringLiteral("points,10"));
    EXPECT_EQ(lines[9], QStringLiteral("started,1"));
    EXPECT_EQ(lines[10], QStringLiteral("calibration_index,1"));
    EXPECT_EQ(lines[14], QStringLiteral("field15,7"));
    EXPECT_EQ(lines[15], QStringLiteral("field16,-1"));
    EXPECT_EQ(lines[18],
              QStringLiteral("point,standard_kN,calibration_kN,calibration_MPa,check_kN,check_MPa"));
    EXPECT_EQ(lines[19], QStringLiteral("0,0,1.5,0.1,0,0"));
    EXPECT_EQ(lines[20], QStringLiteral("1,100,0,0,0,0"));
}

TEST(KvtCalibration, FailsWithAMessageOnFilesItCannotRead) {
    TempDevice device;
    device.Write(DeviceFile::kJackTable, QByteArray(150, '\0'));
    device.Write(kSystemCalibrationFile, QByteArray(300, '\0'));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{QStringLiteral("jacks"), device.Root() + QStringLiteral("/missing.dat")}, "cannot read"},
        {{QStringLiteral("jacks"), device.Folders().HostPath(DeviceFile::kJackTable)}, "not a jack table"},
        {{QStringLiteral("calibration"), device.Root() + QStringLiteral("/missing.ini")}, "cannot read"},
        {{QStringLiteral("calibration"), device.Folders().HostPath(kSystemCalibrationFile)},
         "not a system calibration file"},
    };
    for (const auto& c : cases) {
        const KvtRun run = Kvt(c.args);
        EXPECT_NE(run.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

} // namespace
