#include "KvtRun.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Simulated tests of standards that differ in what the report and export
// must carry: a pile in kN with 2 decimals, a rock pile with 3, and a ground
// test in kPa with 3.
struct SimulatedCase {
    const char* name;
    const char* standard;
    const char* ground; // plate area in m², empty for a pile
    const char* loadColumn;
    int decimals;
};

const SimulatedCase kCases[] = {
    {"pile_code5", "5", "", "load_kN", 2},
    {"rock_pile_code3", "3", "", "load_kN", 3},
    {"ground_code58", "58", "0.5", "load_kPa", 3},
};

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The cells of a table as `kvt tables` prints it, header first.
std::vector<QStringList> Table(const QString& file, const char* view) {
    const KvtRun run =
        Kvt({QStringLiteral("tables"), file, QStringLiteral("--view"), QString::fromLatin1(view)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    std::vector<QStringList> rows;
    for (const QString& line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.push_back(line.split(QLatin1Char('\t')));
    return rows;
}

// As the tables print a number: C's "%.*f", which rounds an exact half to even.
QString Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return QString::fromLatin1(text);
}

class ReportExportTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>();
        for (const SimulatedCase& c : kCases) {
            QStringList args{
                QStringLiteral("simulate"), QStringLiteral("--standard"), QString::fromLatin1(c.standard),
                QStringLiteral("--step"),   QStringLiteral("100"),        QStringLiteral("--max"),
                QStringLiteral("300"),      QStringLiteral("--out"),      DataFile(c)};
            if (*c.ground)
                args << QStringLiteral("--ground") << QString::fromLatin1(c.ground);
            const KvtRun run = Kvt(args);
            ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err.toStdString();
        }
    }

    static void TearDownTestSuite() { s_dir.reset(); }

    static QString DataFile(const SimulatedCase& c) {
        return s_dir->filePath(QString::fromLatin1(c.name) + QStringLiteral(".kvt"));
    }

    static QString Output(const SimulatedCase& c, const char* suffix) {
        return s_dir->filePath(QString::fromLatin1(c.name) + QLatin1Char('.') + QString::fromLatin1(suffix));
    }

    static QJsonObject ExportJson(const SimulatedCase& c) {
        const QString out = Output(c, "json");
        const KvtRun run = Kvt({QStringLiteral("export"), DataFile(c), QStringLiteral("--format"),
                                QStringLiteral("json"), QStringLiteral("--out"), out});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(Read(out).toUtf8()).object();
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
};

std::unique_ptr<QTemporaryDir> ReportExportTest::s_dir;

// A line of pdftotext's layout output that holds exactly these cells; it
// drops the spaces between Chinese characters ("时 间").
QRegularExpression RowPattern(const QStringList& cells) {
    QStringList parts;
    for (const QString& cell : cells)
        parts.append(QRegularExpression::escape(cell).replace(QLatin1String("\\ "), QLatin1String("\\s*")));
    return QRegularExpression(QStringLiteral("^\\s*") + parts.join(QStringLiteral("\\s+")) +
                              QStringLiteral("\\s*$"));
}

TEST_F(ReportExportTest, TheReportShowsTheTablesAndIdentityOfItsFile) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils, see scripts/install-deps)";
    for (const SimulatedCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QString pdf = Output(c, "pdf");
        const KvtRun run = Kvt({QStringLiteral("report"), DataFile(c), QStringLiteral("--out"), pdf});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, pdf + QLatin1Char('\n'));
        QProcess process;
        process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());

        QStringList pages = text.split(QLatin1Char('\f'));
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        ASSERT_GE(pages.size(), 4);
        for (qsizetype n = 0; n < pages.size(); ++n) {
            const QRegularExpression number(
                QStringLiteral("第\\s*%1\\s*页\\s*共\\s*%2\\s*页").arg(n + 1).arg(pages.size()));
            EXPECT_TRUE(number.match(pages[n]).hasMatch()) << n;
        }

        // Every text the export names the test by appears in the header.
        const QJsonObject identity = ExportJson(c)[QStringLiteral("test")].toObject();
        for (auto field = identity.begin(); field != identity.end(); ++field) {
            if (field->isString()) {
                EXPECT_TRUE(pages[0].contains(field->toString())) << field.key().toStdString();
            }
        }

        // Each table's rows, in order, after its title; the record table's
        // header heads every page it runs over.
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const char* view : {"summary", "settlement", "records"}) {
            const std::vector<QStringList> table = Table(DataFile(c), view);
            ASSERT_GT(table.size(), 1u) << view;
            const QString title = QString::fromUtf8(std::strcmp(view, "summary") == 0      ? "数据汇总表"
                                                    : std::strcmp(view, "settlement") == 0 ? "荷载沉降表"
                                                                                           : "数据记录表");
            qsizetype at = 0;
            while (at < lines.size() && lines[at].trimmed() != title)
                ++at;
            ASSERT_LT(at, lines.size()) << view;
            for (std::size_t r = 0; r < table.size(); ++r) {
                const QRegularExpression pattern = RowPattern(table[r]);
                while (at < lines.size() && !pattern.match(lines[at]).hasMatch())
                    ++at;
                ASSERT_LT(at, lines.size())
                    << view << " row " << r << ": " << table[r].join(' ').toStdString();
            }
        }
        const std::vector<QStringList> records = Table(DataFile(c), "records");
        const QRegularExpression header = RowPattern(records[0]);
        for (const QString& page : pages) {
            const QStringList pageLines = page.split(QLatin1Char('\n'));
            const bool hasRecords = page.contains(QStringLiteral("数据记录表"));
            const bool hasHeader = std::any_of(pageLines.begin(), pageLines.end(), [&](const QString& line) {
                return header.match(line).hasMatch();
            });
            EXPECT_EQ(hasRecords, hasHeader);
        }
    }
}

TEST_F(ReportExportTest, TheJsonExportHoldsTheNumbersOfTheTables) {
    for (const SimulatedCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QJsonObject json = ExportJson(c);
        const QString load = QString::fromLatin1(c.loadColumn);

        const QJsonArray readings = json[QStringLiteral("readings")].toArray();
        const std::vector<QStringList> records = Table(DataFile(c), "records");
        ASSERT_EQ(static_cast<std::size_t>(readings.size()), records.size() - 1);
        for (qsizetype i = 0; i < readings.size(); ++i) {
            const QJsonObject reading = readings[i].toObject();
            const QStringList& row = records[static_cast<std::size_t>(i) + 1];
            EXPECT_EQ(reading[QStringLiteral("index")].toInt(), row[0].toInt());
            EXPECT_EQ(reading[load].toInt(), row[1].toInt()) << i;
            EXPECT_EQ(reading[QStringLiteral("clock")].toString(), row[2]);
            EXPECT_EQ(reading[QStringLiteral("opens_level")].toBool(), row[2] == QLatin1String("--:--"));
            if (reading[QStringLiteral("opens_level")].toBool())
                continue;
            for (int k = 1; k <= 4; ++k) {
                const QJsonValue gauge = reading[QStringLiteral("gauge%1_mm").arg(k)];
                EXPECT_EQ(gauge.isUndefined() ? QStringLiteral("--") : Fixed(gauge.toDouble(), c.decimals),
                          row[2 + k])
                    << i << " gauge " << k;
            }
            EXPECT_EQ(Fixed(reading[QStringLiteral("average_mm")].toDouble(), c.decimals), row[7]) << i;
        }

        const QJsonArray rows = json[QStringLiteral("settlement_rows")].toArray();
        const std::vector<QStringList> settlement = Table(DataFile(c), "settlement");
        ASSERT_EQ(static_cast<std::size_t>(rows.size()), settlement.size() - 1);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QJsonObject row = rows[i].toObject();
            const QStringList& cells = settlement[static_cast<std::size_t>(i) + 1];
            EXPECT_EQ(row[load].toInt(), cells[1].toInt());
            EXPECT_EQ(row[QStringLiteral("elapsed_min")].toDouble(), cells[2].toDouble()) << i;
            EXPECT_EQ(Fixed(row[QStringLiteral("displacement_mm")].toDouble(), 2), cells[3]) << i;
            EXPECT_EQ(Fixed(row[QStringLiteral("change_mm")].toDouble(), c.decimals), cells[4]) << i;
            EXPECT_EQ(Fixed(row[QStringLiteral("level_settlement_mm")].toDouble(), c.decimals), cells[5])
                << i;
        }

        const QJsonArray levels = json[QStringLiteral("level_summary")].toArray();
        const std::vector<QStringList> summary = Table(DataFile(c), "summary");
        ASSERT_EQ(static_cast<std::size_t>(levels.size()), summary.size() - 1);
        ASSERT_GE(levels.size(), 4); // three loading levels and the unloading
        for (qsizetype i = 0; i < levels.size(); ++i) {
            const QJsonObject level = levels[i].toObject();
            const QStringList& cells = summary[static_cast<std::size_t>(i) + 1];
            EXPECT_EQ(level[load].toInt(), cells[1].toInt());
            EXPECT_EQ(Fixed(level[QStringLiteral("level_settlement_mm")].toDouble(), c.decimals), cells[2])
                << i;
            EXPECT_EQ(Fixed(level[QStringLiteral("cum_settlement_mm")].toDouble(), c.decimals), cells[3])
                << i;
            EXPECT_EQ(Fixed(level[QStringLiteral("level_time_min")].toDouble(), 0), cells[4]) << i;
            EXPECT_EQ(Fixed(level[QStringLiteral("cum_time_min")].toDouble(), 0), cells[5]) << i;
        }
        EXPECT_EQ(json[QStringLiteral("test")][QStringLiteral("standard_code")].toInt(),
                  QString::fromLatin1(c.standard).toInt());
        EXPECT_EQ(json[QStringLiteral("test")][QStringLiteral("load_unit")].toString(), load.mid(5));
    }
}

// Fields of one CSV line; a quoted field may hold commas and doubled quotes.
QStringList CsvFields(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (ch == QLatin1Char('"') && quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
            fields.last().append(line[++i]);
        else if (ch == QLatin1Char('"'))
            quoted = !quoted;
        else if (ch == QLatin1Char(',') && !quoted)
            fields.append(QString());
        else
            fields.last().append(ch);
    }
    return fields;
}

// The CSV field a JSON value is written as.
QString CsvForm(const QJsonValue& value) {
    if (value.isNull())
        return {};
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

TEST_F(ReportExportTest, TheCsvExportHoldsWhatTheJsonHolds) {
    for (const SimulatedCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const QJsonObject json = ExportJson(c);
        const QString out = Output(c, "csv");
        const KvtRun run = Kvt({QStringLiteral("export"), DataFile(c), QStringLiteral("--format"),
                                QStringLiteral("csv"), QStringLiteral("--out"), out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList blocks = Read(out).split(QStringLiteral("\n\n"));
        ASSERT_EQ(blocks.size(), 4);

        const QStringList test = blocks[0].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_EQ(test[0], QStringLiteral("test"));
        EXPECT_EQ(CsvFields(test[2]),
                  (QStringList{"source", "数据文件", QString::fromLatin1(c.name) + ".kvt"}));
        const QJsonObject identity = json[QStringLiteral("test")].toObject();
        ASSERT_EQ(test.size(), identity.size() + 3);
        for (qsizetype i = 3; i < test.size(); ++i) {
            const QStringList fields = CsvFields(test[i]);
            ASSERT_EQ(fields.size(), 3);
            EXPECT_EQ(fields[2], CsvForm(identity[fields[0]])) << fields[0].toStdString();
        }

        for (qsizetype b = 1; b < blocks.size(); ++b) {
            const QStringList lines = blocks[b].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            const QJsonArray rows = json[lines[0]].toArray();
            ASSERT_EQ(lines.size(), rows.size() + 2) << lines[0].toStdString();
            const QStringList columns = CsvFields(lines[1]);
            EXPECT_TRUE(columns.contains(QString::fromLatin1(c.loadColumn))) << lines[1].toStdString();
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const QStringList fields = CsvFields(lines[r + 2]);
                ASSERT_EQ(fields.size(), columns.size());
                for (qsizetype k = 0; k < columns.size(); ++k)
                    EXPECT_EQ(fields[k], CsvForm(rows[r].toObject()[columns[k]]))
                        << lines[r + 2].toStdString();
            }
        }
    }
}

// A reading whose gauges hold no number (a damaged file) exports as empty
// fields and nulls, never as "nan" or "inf".
TEST(KvtExport, WritesValuesThatAreNotNumbersAsEmptyOrNull) {
    TempDevice device;
    CPublic pub;
    pub.paramList = DefaultParameterList();
    for (int gauge = 1; gauge <= 2; ++gauge)
        pub.paramList[Entry::gaugeOnFirst + gauge - 1] = 1;
    KVTFile::BuildBlankRecords(pub);
    const float values[][2] = {{0, 0},
                               {0.5f, std::numeric_limits<float>::quiet_NaN()},
                               {std::numeric_limits<float>::infinity(), 0.75f}};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        Record& row = pub.recordList[i];
        std::memcpy(row.clock, i == 0 ? "--:--" : "09:00", 5);
        row.load = 400;
        row.gauge[0] = values[i][0];
        row.gauge[1] = values[i][1];
    }
    const QString path = QStringLiteral("\\硬盘\\APP\\123456-0002.kvt");
    ASSERT_TRUE(device.Files().CreateDataFile(path, pub.recordList));

    for (const char* format : {"csv", "json"}) {
        const QString out = device.Root() + QStringLiteral("/out.") + QString::fromLatin1(format);
        const KvtRun run =
            Kvt({QStringLiteral("export"), device.Folders().HostPath(path), QStringLiteral("--format"),
                 QString::fromLatin1(format), QStringLiteral("--out"), out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString text = Read(out);
        EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << format;
        EXPECT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << format;
        if (std::strcmp(format, "json") == 0) {
            const QJsonArray readings =
                QJsonDocument::fromJson(text.toUtf8())[QStringLiteral("readings")].toArray();
            ASSERT_EQ(readings.size(), 3);
            EXPECT_EQ(readings[1][QStringLiteral("gauge1_mm")].toDouble(), 0.5);
            EXPECT_TRUE(readings[1][QStringLiteral("gauge2_mm")].isNull());
            EXPECT_TRUE(readings[1][QStringLiteral("average_mm")].isNull());
            EXPECT_TRUE(readings[2][QStringLiteral("gauge1_mm")].isNull());
            EXPECT_EQ(readings[2][QStringLiteral("gauge2_mm")].toDouble(), 0.75);
        } else {
            EXPECT_TRUE(text.contains(QStringLiteral("\n2,09:00,400,0.5,,,,false,false\n")))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("\n3,09:00,400,,0.75,,,false,false\n")))
                << text.toStdString();
        }
    }
}

// Several files at once: the unreadable ones are named on stderr, the others
// still written, and the exit status tells that not all went through.
TEST(KvtBatch, GoesOnPastFilesItCannotReadAndSaysSo) {
    TempDevice device;
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    const QString good = QStringLiteral("\\硬盘\\APP\\123456-0003.kvt");
    const QString good2 = QStringLiteral("\\硬盘\\APP\\123456-0004.kvt");
    ASSERT_TRUE(device.Files().CreateDataFile(good, pub.recordList));
    ASSERT_TRUE(device.Files().CreateDataFile(good2, pub.recordList));
    device.Write(QStringLiteral("\\硬盘\\APP\\short.kvt"), QByteArray(266, '\0'));
    const QString missing = device.Root() + QStringLiteral("/missing.kvt");
    const QString shortFile = device.Folders().HostPath(QStringLiteral("\\硬盘\\APP\\short.kvt"));

    const struct {
        QStringList command;
        const char* suffix;
    } commands[] = {
        {{QStringLiteral("report")}, "pdf"},
        {{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("csv")}, "csv"},
        {{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json")}, "json"},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.suffix);
        const QString outDir = device.Root() + QStringLiteral("/out-") + QString::fromLatin1(c.suffix);
        const KvtRun mixed = Kvt(QStringList(c.command) << device.Folders().HostPath(good) << missing
                                                        << shortFile << device.Folders().HostPath(good2)
                                                        << QStringLiteral("--out-dir") << outDir);
        EXPECT_EQ(mixed.exitCode, 1);
        EXPECT_TRUE(mixed.err.contains(QStringLiteral("cannot read ") + missing)) << mixed.err.toStdString();
        EXPECT_TRUE(mixed.err.contains(shortFile + QStringLiteral(" holds no whole 267-byte row")))
            << mixed.err.toStdString();
        const QStringList written = QDir(outDir).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(written, (QStringList{QStringLiteral("123456-0003.") + QString::fromLatin1(c.suffix),
                                        QStringLiteral("123456-0004.") + QString::fromLatin1(c.suffix)}));

        const KvtRun allGood = Kvt(QStringList(c.command) << device.Folders().HostPath(good)
                                                          << QStringLiteral("--out-dir") << outDir);
        EXPECT_EQ(allGood.exitCode, 0) << allGood.err.toStdString();

        const QString unwritable = device.Root() + QStringLiteral("/no/such/folder/out");
        const KvtRun failed = Kvt(QStringList(c.command) << device.Folders().HostPath(good)
                                                         << QStringLiteral("--out") << unwritable);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_TRUE(failed.err.contains(QStringLiteral("cannot write ") + unwritable))
            << failed.err.toStdString();
    }
}

TEST(KvtBatch, RefusesBadArguments) {
    const QString file = QStringLiteral("a.kvt");
    const QStringList cases[] = {
        {QStringLiteral("report")},
        {QStringLiteral("report"), file},
        {QStringLiteral("report"), file, file, QStringLiteral("--out"), QStringLiteral("x.pdf")},
        {QStringLiteral("report"), file, QStringLiteral("--out"), QStringLiteral("x.pdf"),
         QStringLiteral("--out-dir"), QStringLiteral("d")},
        {QStringLiteral("report"), file, QStringLiteral("--out-dir")},
        {QStringLiteral("report"), file, QStringLiteral("--size"), QStringLiteral("2"),
         QStringLiteral("--out-dir"), QStringLiteral("d")},
        {QStringLiteral("export"), file, QStringLiteral("--out"), QStringLiteral("x.csv")},
        {QStringLiteral("export"), file, QStringLiteral("--format"), QStringLiteral("xml"),
         QStringLiteral("--out"), QStringLiteral("x.xml")},
        {QStringLiteral("export"), file, QStringLiteral("--format")},
    };
    for (const QStringList& args : cases) {
        const KvtRun run = Kvt(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: kvt ") + args[0])) << run.err.toStdString();
    }
}

} // namespace
