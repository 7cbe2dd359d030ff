// kvt: the instrument's files on the command line.
//   kvt dump FILE       every row of a data file (.kvt) as CSV
//   kvt settings FILE   the data-file path and the 82 entries of tarvo.ini
//   kvt jacks FILE      the ten groups of a jack table (QJDlddat.dat)
//   kvt calibration FILE
//                       a system calibration run (xtbd.ini): fields and tables
//   kvt queue FILE      the frames of an upload queue (tarvoGPRS.dat), one decoded line each
//   kvt tables FILE [--view records|settlement|summary] [--csv]
//                       a table of a data file as the main screen lists it
//   kvt plot FILE [--curve 1|2|3] --out PNG
//                       a curve of a data file as the main screen draws it
//   kvt report FILE --out PDF | FILE... --out-dir DIR
//                       the test report on A4 pages
//   kvt export FILE --format csv|json --out OUT | FILE... --out-dir DIR
//                       readings, settlement rows and level summary in an open format
//   kvt simulate --standard CODE [--step KN] [--max KN] [--auto|--manual]
//                [--jack single|double] [--ground M2] [--out FILE] [--data-root DIR]
//                [--stop-after MINUTES] [--upload-log FILE]
//                       a whole test against the simulated rig, one line per stage;
//                       stopped early, the test is left running in the data root;
//                       --upload-log writes every frame the test queued for upload

#include "Commands.h"

#include <QFile>
#include <QGuiApplication>

#include "core/data/KVTFile.h"

#include <clocale>
#include <cstring>
#include <memory>

bool ReadHostFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kvt: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    // No file of the instrument is longer than a data file of the most rows.
    constexpr qint64 kMaxBytes = kMaxDataFileRows * static_cast<qint64>(kPackedRecordSize);
    if (file.size() > kMaxBytes) {
        std::fprintf(stderr, "kvt: %s is longer than any file of the instrument (%lld bytes at most)\n",
                     qPrintable(path), static_cast<long long>(kMaxBytes));
        return false;
    }
    bytes = file.read(kMaxBytes);
    return true;
}

int main(int argc, char* argv[]) {
    // Only drawing needs the GUI side of Qt; it must run without a display.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && (std::strcmp(argv[1], "plot") == 0 || std::strcmp(argv[1], "report") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    std::setlocale(LC_NUMERIC, "C");
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("dump"))
        return RunDump(args, stdout);
    if (command == QLatin1String("settings"))
        return RunSettings(args, stdout);
    if (command == QLatin1String("jacks"))
        return RunJacks(args, stdout);
    if (command == QLatin1String("calibration"))
        return RunCalibration(args, stdout);
    if (command == QLatin1String("tables"))
        return RunTables(args, stdout);
    if (command == QLatin1String("plot"))
        return RunPlot(args, stdout);
    if (command == QLatin1String("report"))
        return RunTestReport(args, stdout);
    if (command == QLatin1String("export"))
        return RunExport(args, stdout);
    if (command == QLatin1String("queue"))
        return RunQueue(args, stdout);
    if (command == QLatin1String("simulate"))
        return RunSimulate(args, stdout);
    std::fputs("usage: kvt dump FILE | kvt settings FILE | kvt jacks FILE | kvt calibration FILE\n"
               "       kvt queue FILE\n"
               "       kvt tables FILE [--view records|settlement|summary] [--csv]\n"
               "       kvt plot FILE [--curve 1|2|3] --out PNG\n"
               "       kvt report FILE --out PDF | kvt report FILE... --out-dir DIR\n"
               "       kvt export FILE --format csv|json --out OUT | ... --out-dir DIR\n"
               "       kvt simulate --standard CODE [--step KN] [--max KN] [--auto|--manual]\n"
               "                    [--jack single|double] [--ground M2] [--out FILE] [--data-root DIR]\n"
               "                    [--stop-after MINUTES] [--upload-log FILE]\n",
               stderr);
    return 2;
}
