#include "KvtRun.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <QFile>

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");

TEST(KvtDump, PrintsEveryRowWithDecodedTexts) {
    TempDevice device;
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    Record& reading = pub.recordList[0];
    std::memcpy(reading.clock, "09:30", 5);
    reading.load = 600;
    reading.gauge[0] = 1.25f;
    reading.copyLoad = 600;
    SetFieldText(reading.remark, DeviceText::FromUnicode(QStringLiteral("手动, 表1")));
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));

    const KvtRun run = Kvt({QStringLiteral("dump"), device.Folders().HostPath(kDataPath)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 75); // header + 74 rows
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("row,clock,load,gauge1,")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(",flagText,remark")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0,09:30,600,1.25,0,")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",\"手动, 表1\""))) << lines[1].toStdString();
    // Row 5: blank-test texts (stage load 100 as "%.1f").
    EXPECT_TRUE(lines[7].contains(QStringLiteral(",100.0,"))) << lines[7].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("1,11111,0,"))) << lines[2].toStdString();
}

TEST(KvtSettings, PrintsThePathAndThe82Entries) {
    TempDevice device;
    ParameterList list = DefaultParameterList();
    list[18] = 2.13f;
    ASSERT_TRUE(device.Files().SaveSettings(kDataPath, list));

    const KvtRun run = Kvt({QStringLiteral("settings"), device.Folders().HostPath(DeviceFile::kSettings)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 84);
    EXPECT_EQ(lines[0], QStringLiteral("path,") + kDataPath);
    EXPECT_EQ(lines[1], QStringLiteral("entry,value"));
    EXPECT_EQ(lines[2 + 13], QStringLiteral("13,65"));
    EXPECT_EQ(lines[2 + 18], QStringLiteral("18,2.13"));
    EXPECT_EQ(lines[2 + 81], QStringLiteral("81,0"));
}

TEST(Kvt, FailsWithAMessageOnFilesItCannotRead) {
    TempDevice device;
    device.Write(DeviceFile::kSettings, QByteArray(100, '\0'));
    device.Write(kDataPath, QByteArray(266, '\0'));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{QStringLiteral("dump"), device.Root() + QStringLiteral("/missing.kvt")}, "cannot read"},
        {{QStringLiteral("dump"), device.Folders().HostPath(kDataPath)}, "no whole 267-byte row"},
        {{QStringLiteral("settings"), device.Root() + QStringLiteral("/missing.ini")}, "cannot read"},
        {{QStringLiteral("settings"), device.Folders().HostPath(DeviceFile::kSettings)},
         "not a settings file"},
        {{QStringLiteral("unknown")}, "usage"},
    };
    for (const auto& c : cases) {
        const KvtRun run = Kvt(c.args);
        EXPECT_NE(run.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

// A simulated test cut off by the time limit did not end: an error, said so.
TEST(KvtSimulate, ATestCutOffByTheTimeLimitIsAnError) {
    const KvtRun run = Kvt({QStringLiteral("simulate"), QStringLiteral("--standard"), QStringLiteral("5"),
                            QStringLiteral("--time-limit"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("did not end within the time limit of 1.0 h")))
        << run.err.toStdString();
}

} // namespace

namespace {

// A data file with two levels and a manual reading, as the instrument writes it.
class KvtTablesTest : public ::testing::Test {
  protected:
    KvtTablesTest() {
        pub.paramList = DefaultParameterList(); // intervals 5, 10, 15, … and 15, 15, 30, …
        for (int gauge = 1; gauge <= 4; ++gauge)
            pub.paramList[Entry::gaugeOnFirst + gauge - 1] = 1;
    }

    void Store(const char* clock, int load, float mm, const char* remark = "") {
        Record& row = pub.recordList[static_cast<std::size_t>(readings++)];
        std::memcpy(row.clock, clock, 5);
        row.load = load;
        std::fill(std::begin(row.gauge), std::end(row.gauge), mm);
        SetFieldText(row.remark, DeviceText::FromUnicode(QString::fromUtf8(remark)));
    }

    QStringList Tables(const QStringList& options) {
        KVTFile::BuildBlankRecords(pub);
        Store("--:--", 400, 0);
        Store("09:00", 400, 0.5f);
        Store("09:05", 400, 0.75f);
        Store("09:07", 400, 0.8f, "手动");
        Store("--:--", 800, 0);
        Store("10:00", 800, 1.25f);
        EXPECT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
        const KvtRun run =
            Kvt(QStringList{QStringLiteral("tables"), device.Folders().HostPath(kDataPath)} << options);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    TempDevice device;
    CPublic pub;
    int readings = 0;
};

TEST_F(KvtTablesTest, SummaryByDefaultTabSeparated) {
    EXPECT_EQ(Tables({}), (QStringList{"序号\t荷载(kN)\t本级沉降\t累计沉降\t本级时间\t累计时间",
                                       "1\t400\t0.75\t0.75\t5\t5", "2\t800\t0.50\t1.25\t0\t5"}));
}

TEST_F(KvtTablesTest, SettlementTableWithTheRestoredStandard) {
    pub.paramList[Entry::standardCode] = 58;
    EXPECT_EQ(
        Tables({QStringLiteral("--view"), QStringLiteral("settlement")}),
        (QStringList{"序号\t荷载(kN)\t时 间\t位 移\t本次沉降\t本级沉降", "1\t400\t0\t0.50\t0.500\t0.500",
                     "2\t400\t5\t0.75\t0.250\t0.750", "3\t800\t0\t1.25\t0.500\t0.500"}));
}

TEST_F(KvtTablesTest, RecordTableOfAGroundTestAsCsv) {
    pub.paramList[Entry::groundTest] = 1;
    pub.paramList[Entry::gaugeOnFirst + 5] = 1; // gauge 6
    const QStringList lines =
        Tables({QStringLiteral("--csv"), QStringLiteral("--view"), QStringLiteral("records")});
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("序号,荷载(kPa),时 间,1#表,2#表,3#表,4#表,平均,5#表,6#表,7#表,8#表"));
    EXPECT_EQ(lines[1], QStringLiteral("1,400,--:--,--,--,--,--,--,--,--,--,--"));
    EXPECT_EQ(lines[4], QStringLiteral("4,400,09:07手动,0.80,0.80,0.80,0.80,0.80,--,0.80,--,--"));
}

TEST_F(KvtTablesTest, RefusesBadArguments) {
    KVTFile::BuildBlankRecords(pub);
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    const QString file = device.Folders().HostPath(kDataPath);
    const QStringList cases[] = {
        {QStringLiteral("tables")},
        {QStringLiteral("tables"), file, QStringLiteral("--view")},
        {QStringLiteral("tables"), file, QStringLiteral("--view"), QStringLiteral("curves")},
        {QStringLiteral("tables"), file, QStringLiteral("--tsv")},
        {QStringLiteral("tables"), file, file},
    };
    for (const QStringList& args : cases) {
        const KvtRun run = Kvt(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("usage: kvt tables"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const KvtRun missing = Kvt({QStringLiteral("tables"), device.Root() + QStringLiteral("/missing.kvt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));
}

TEST_F(KvtTablesTest, ATestWithoutReadingsPrintsTheColumnsOnly) {
    KVTFile::BuildBlankRecords(pub);
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    const KvtRun run = Kvt({QStringLiteral("tables"), device.Folders().HostPath(kDataPath)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("序号\t荷载(kN)\t本级沉降\t累计沉降\t本级时间\t累计时间\n"));
}

} // namespace

namespace {

// A pile loaded in six levels to 1200 kN and unloaded in four, as the
// instrument writes it: settlement grows faster at each level, rebounds at
// the unloading.
class KvtPlotTest : public ::testing::Test {
  protected:
    KvtPlotTest() {
        pub.paramList = DefaultParameterList();
        for (int gauge = 1; gauge <= 4; ++gauge)
            pub.paramList[Entry::gaugeOnFirst + gauge - 1] = 1;
        KVTFile::BuildBlankRecords(pub);
        float mm = 0;
        for (int level = 1; level <= 6; ++level) {
            Store("--:--", 200 * level, 0);
            const float levelSettlement = 0.4f * level * level;
            for (const float share : {0.45f, 0.65f, 0.78f, 0.86f, 0.92f, 0.96f, 0.99f, 1.0f})
                Store("09:00", 200 * level, mm + share * levelSettlement);
            mm += levelSettlement;
        }
        for (const int load : {900, 600, 300, 0}) {
            Store("--:--", load, 0);
            mm -= 0.6f;
            for (const float share : {0.5f, 0.9f, 1.0f})
                Store("10:00", load, mm + 0.6f * (1 - share));
        }
        EXPECT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    }

    void Store(const char* clock, int load, float mm) {
        while (pub.recordList.size() < static_cast<std::size_t>(readings) + 2)
            pub.recordList.push_back(Record::Template());
        Record& row = pub.recordList[static_cast<std::size_t>(readings++)];
        std::memcpy(row.clock, clock, 5);
        row.load = load;
        std::fill(std::begin(row.gauge), std::end(row.gauge), mm);
    }

    QString DataFile() const { return device.Folders().HostPath(kDataPath); }

    // Width and height from the PNG's header chunk.
    static std::pair<int, int> PngSize(const QByteArray& png) {
        if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 24)
            return {0, 0};
        const auto bigEndian = [&png](int at) {
            return (static_cast<unsigned char>(png[at]) << 24) |
                   (static_cast<unsigned char>(png[at + 1]) << 16) |
                   (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
        };
        return {bigEndian(16), bigEndian(20)};
    }

    TempDevice device;
    CPublic pub;
    int readings = 0;
};

TEST_F(KvtPlotTest, WritesEachCurveAsAPictureOfTheGraphWindowsSize) {
    QByteArray pictures[3];
    for (int curve = 1; curve <= 3; ++curve) {
        const QString out = device.Root() + QStringLiteral("/curve%1.png").arg(curve);
        const KvtRun run = Kvt({QStringLiteral("plot"), DataFile(), QStringLiteral("--curve"),
                                QString::number(curve), QStringLiteral("--out"), out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, out + QLatin1Char('\n'));
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        pictures[curve - 1] = file.readAll();
        EXPECT_EQ(PngSize(pictures[curve - 1]), std::make_pair(385, 387)) << curve;
    }
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[1], pictures[2]);
}

TEST_F(KvtPlotTest, RefusesBadArguments) {
    const QString out = device.Root() + QStringLiteral("/curve.png");
    const QStringList cases[] = {
        {QStringLiteral("plot")},
        {QStringLiteral("plot"), DataFile()},
        {QStringLiteral("plot"), DataFile(), QStringLiteral("--out")},
        {QStringLiteral("plot"), DataFile(), QStringLiteral("--curve"), QStringLiteral("4"),
         QStringLiteral("--out"), out},
        {QStringLiteral("plot"), DataFile(), QStringLiteral("--curve"), QStringLiteral("0"),
         QStringLiteral("--out"), out},
        {QStringLiteral("plot"), DataFile(), QStringLiteral("--curve"), QStringLiteral("12"),
         QStringLiteral("--out"), out},
        {QStringLiteral("plot"), DataFile(), QStringLiteral("--size"), QStringLiteral("2"),
         QStringLiteral("--out"), out},
        {QStringLiteral("plot"), DataFile(), DataFile(), QStringLiteral("--out"), out},
    };
    for (const QStringList& args : cases) {
        const KvtRun run = Kvt(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: kvt plot"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    const KvtRun missing = Kvt({QStringLiteral("plot"), device.Root() + QStringLiteral("/missing.kvt"),
                                QStringLiteral("--out"), out});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));
    const KvtRun unwritable = Kvt({QStringLiteral("plot"), DataFile(), QStringLiteral("--out"),
                                   device.Root() + QStringLiteral("/no/such/folder/curve.png")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("cannot write")));
}

} // namespace
