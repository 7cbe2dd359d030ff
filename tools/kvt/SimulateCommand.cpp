#include "Commands.h"

#include "VirtualTest.h"
#include "platform/DeviceFolders.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace {

constexpr const char* kUsage =
    "usage: kvt simulate --standard CODE [--step KN] [--max KN] [--auto|--manual]\n"
    "                    [--jack single|double] [--ground M2] [--out FILE] [--data-root DIR]\n"
    "                    [--stop-after MINUTES] [--time-limit HOURS] [--upload-log FILE]\n";

struct SimulateOptions {
    TestSetup setup;
    QString outFile;
    QString dataRoot;
    QString uploadLog;      // every frame queued for upload, 45 bytes each
    bool stopEarly = false; // leaves the test running in the data root
};

std::optional<float> PositiveNumber(const QString& text) {
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && value > 0 ? std::optional<float>(value) : std::nullopt;
}

std::optional<SimulateOptions> ParseOptions(QStringList args) {
    SimulateOptions options;
    bool haveStandard = false;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--auto") || option == QLatin1String("--manual")) {
            options.setup.autoAdvance = option == QLatin1String("--auto");
            continue;
        }
        if (args.isEmpty())
            return std::nullopt;
        const QString value = args.takeFirst();
        if (option == QLatin1String("--standard")) {
            bool ok = false;
            options.setup.standardCode = value.toInt(&ok);
            if (!ok)
                return std::nullopt;
            haveStandard = true;
        } else if (option == QLatin1String("--step") || option == QLatin1String("--max")) {
            const std::optional<float> load = PositiveNumber(value);
            if (!load)
                return std::nullopt;
            (option == QLatin1String("--step") ? options.setup.stageStep : options.setup.maxLoad) = *load;
        } else if (option == QLatin1String("--jack") &&
                   (value == QLatin1String("single") || value == QLatin1String("double"))) {
            options.setup.doubleCircuitJack = value == QLatin1String("double");
        } else if (option == QLatin1String("--ground")) {
            const std::optional<float> area = PositiveNumber(value);
            if (!area)
                return std::nullopt;
            options.setup.plateArea = *area;
        } else if (option == QLatin1String("--out")) {
            options.outFile = value;
        } else if (option == QLatin1String("--upload-log")) {
            options.uploadLog = value;
            options.setup.uploadAtReading = true;
        } else if (option == QLatin1String("--data-root")) {
            options.dataRoot = value;
        } else if (option == QLatin1String("--stop-after")) {
            const std::optional<float> minutes = PositiveNumber(value);
            if (!minutes)
                return std::nullopt;
            options.setup.timeLimitMs = static_cast<qint64>(*minutes * 60000.0f);
            options.stopEarly = true;
        } else if (option == QLatin1String("--time-limit")) {
            const std::optional<float> hours = PositiveNumber(value);
            if (!hours)
                return std::nullopt;
            options.setup.timeLimitMs = static_cast<qint64>(*hours * 3.6e6f);
        } else {
            return std::nullopt;
        }
    }
    if (!haveStandard || options.setup.stageStep > options.setup.maxLoad)
        return std::nullopt;
    return options;
}

void PrintStages(const RunReport& report, std::FILE* out) {
    int number = 0;
    for (const StageReport& stage : report.stages) {
        std::fprintf(out, "%-9s %2d  load %6.0f kN  readings %3d  held %6.0f min  %s\n",
                     stage.unloading ? "unloading" : "loading", ++number, static_cast<double>(stage.load),
                     stage.readings, stage.minutesHeld,
                     stage.unloading ? "" : (stage.stable ? "stable" : "not stable"));
    }
}

bool WriteUploadLog(const std::vector<UploadFrame>& frames, const QString& path) {
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const UploadFrame& frame : frames)
        written = written && file.write(reinterpret_cast<const char*>(frame.data()), kUploadFrameSize) ==
                                 static_cast<qint64>(kUploadFrameSize);
    if (!written)
        std::fprintf(stderr, "kvt: cannot write %s\n", qPrintable(path));
    return written;
}

} // namespace

int RunSimulate(const QStringList& args, std::FILE* out) {
    const std::optional<SimulateOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QTemporaryDir scratchRoot;
    const QString root = options->dataRoot.isEmpty() ? scratchRoot.path() : options->dataRoot;
    const DeviceFolders folders(root);
    if (!folders.CreateFolders()) {
        std::fprintf(stderr, "kvt: cannot create the device folders under %s\n", qPrintable(root));
        return 1;
    }

    VirtualTest test(folders, options->setup);
    const QString refusal = test.Start();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "kvt: the test does not start: %s\n", qPrintable(refusal));
        return 1;
    }
    const RunReport report = test.Run();
    PrintStages(report, out);

    const QString dataFile = test.Files().HostPath(test.Pub().dataFilePath);
    const double hours = static_cast<double>(report.virtualMs) / 3.6e6;
    std::fprintf(out, "%s after %.1f h of test time; data file %s\n",
                 report.finished ? "finished" : "stopped", hours,
                 qPrintable(options->dataRoot.isEmpty() ? test.Pub().dataFilePath : dataFile));
    // A test cut off by the limit is incomplete: an error unless asked for.
    if (!report.finished && !options->stopEarly)
        std::fprintf(stderr, "kvt: the test did not end within the time limit of %.1f h of test time\n",
                     hours);
    // A test left running in a data root goes on in the program's
    // demonstration from this clock time, with the jack and pile as they are.
    if (options->stopEarly && !options->dataRoot.isEmpty()) {
        const QString statePath = QDir(root).filePath(QLatin1String(kDemonstrationStateFile));
        if (!SaveDemonstrationState(HostFileSystem::Instance(), statePath, test.Demonstration())) {
            std::fprintf(stderr, "kvt: cannot write %s\n", qPrintable(statePath));
            return 1;
        }
    }
    if (!options->outFile.isEmpty()) {
        QFile::remove(options->outFile);
        if (!QFile::copy(dataFile, options->outFile)) {
            std::fprintf(stderr, "kvt: cannot write %s\n", qPrintable(options->outFile));
            return 1;
        }
    }
    if (!options->uploadLog.isEmpty() && !WriteUploadLog(test.QueuedFrames(), options->uploadLog))
        return 1;
    // Stopped on purpose, the running test is what the caller asked for.
    return report.finished || options->stopEarly ? 0 : 1;
}
