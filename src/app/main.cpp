#include "AcceleratedRig.h"
#include "DemonstrationState.h"
#include "platform/DeviceFolders.h"
#include "platform/FileSystem.h"
#include "platform/SimulatorProcess.h"
#include "ui/app/AppOptions.h"
#include "ui/app/CMainApp.h"
#include "ui/panel/ChineseTexts.h"
#include "ui/report/TestDocuments.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

struct CommandLine {
    AppOptions options;
    bool simulate = false;
};

CommandLine ParseCommandLine(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Static load test instrument"));
    parser.addHelpOption();
    const QCommandLineOption dataRoot(QStringLiteral("data-root"),
                                      QStringLiteral("Folder that holds the instrument's device folders."),
                                      QStringLiteral("DIR"), DeviceFolders::DefaultDataRoot());
    const QCommandLineOption usb(
        QStringLiteral("usb"),
        QStringLiteral("Folder of the USB disk (default: a mounted removable disk, else DIR/硬盘2)."),
        QStringLiteral("FOLDER"));
    const QCommandLineOption com1(QStringLiteral("com1"),
                                  QStringLiteral("Serial device of the loading controller (COM1)."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption com2(QStringLiteral("com2"),
                                  QStringLiteral("Serial device of the GPRS modem (COM2)."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Run against the simulated loading rig (rigsim) as COM1 and the simulated GPRS module "
                       "(modemsim) as COM2, unless --com2 names a real one."));
    const QCommandLineOption timeScale(
        QStringLiteral("time-scale"),
        QStringLiteral("With --simulate: clock seconds per real second, e.g. 60 to watch a test in minutes."),
        QStringLiteral("X"), QStringLiteral("1"));
    const QCommandLineOption ownSystemClock(
        QStringLiteral("own-system-clock"),
        QStringLiteral("\"系统时间\" sets the host's clock (the instrument's panel); without it the program "
                       "keeps its own offset to the host's time."));
    parser.addOptions({dataRoot, usb, com1, com2, simulate, timeScale, ownSystemClock});
    parser.process(app);

    CommandLine commandLine{
        {parser.value(dataRoot), parser.value(usb), parser.value(com1), parser.value(com2)},
        parser.isSet(simulate)};
    commandLine.options.ownSystemClock = parser.isSet(ownSystemClock);
    commandLine.options.simulated = commandLine.simulate;
    bool ok = false;
    commandLine.options.timeScale = parser.value(timeScale).toDouble(&ok);
    if (!ok || !(commandLine.options.timeScale >= 1.0 && commandLine.options.timeScale <= 600.0)) {
        std::fprintf(stderr, "staticload: --time-scale needs a number from 1 to 600\n");
        std::exit(2);
    }
    // A real test must be timed by the real clock.
    if (commandLine.options.timeScale != 1.0 && !commandLine.simulate) {
        std::fprintf(stderr, "staticload: --time-scale works only with --simulate\n");
        std::exit(2);
    }
    return commandLine;
}

// The device the simulator serves; empty (and said so) when it did not start.
QString StartSimulator(SimulatorProcess& process, const char* buildPath) {
    const QString program = SimulatorProcess::FindProgram(QLatin1String(buildPath));
    const QString device = program.isEmpty() ? QString() : process.Start(program, {});
    if (device.isEmpty())
        std::fprintf(stderr, "staticload: %s could not be started\n", buildPath);
    return device;
}

// The accelerated demonstration's clock and plant are kept in the data root,
// so a restart goes on where the demonstration stood; a first start begins
// at the host's time.
int RunDemonstration(AppOptions options) {
    const QString statePath = QDir(options.dataRoot).filePath(QLatin1String(kDemonstrationStateFile));
    const FileSystem& fs = HostFileSystem::Instance();
    const std::optional<DemonstrationState> kept = LoadDemonstrationState(fs, statePath);
    options.clockStandingAt = kept ? kept->clock : QDateTime::currentDateTime();
    std::optional<RigState> plant;
    if (kept)
        plant = kept->plant;
    // Pump, pile and schedule all follow the accelerated clock, which a
    // serial line's 200 ms cycle cannot: the rig runs inside the program.
    CMainApp instrument(
        options,
        [&](const Clock& clock, ControllerPort::Composer composer,
            ControllerPort::ReplyHandler replyHandler) {
            return std::make_unique<AcceleratedRig>(
                clock, std::move(composer), std::move(replyHandler), RigConfig{}, plant,
                [&fs, statePath, failed = false](qint64 clockMs, const RigState& now) mutable {
                    const bool saved = SaveDemonstrationState(
                        fs, statePath, DemonstrationState{QDateTime::fromMSecsSinceEpoch(clockMs), now});
                    if (!saved && !failed)
                        std::fprintf(stderr, "staticload: cannot write %s\n", qPrintable(statePath));
                    failed = !saved;
                });
        },
        WriteTestDocuments);
    return instrument.Run();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QApplication sets the locale from the environment; number texts need '.'.
    std::setlocale(LC_NUMERIC, "C");

    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("SimSun")});
    font.setPixelSize(14);
    QApplication::setFont(font);
    if (!UseChineseTexts(app))
        std::fprintf(stderr,
                     "staticload: Qt's Chinese translation is not installed; its own texts stay English\n");

    CommandLine commandLine = ParseCommandLine(app);
    SimulatorProcess modem;
    if (commandLine.simulate && commandLine.options.com2Device.isEmpty())
        commandLine.options.com2Device = StartSimulator(modem, "tools/modem/modemsim");
    if (commandLine.options.timeScale != 1.0)
        return RunDemonstration(commandLine.options);
    SimulatorProcess rig;
    if (commandLine.simulate)
        commandLine.options.com1Device = StartSimulator(rig, "tools/rig/rigsim");
    CMainApp instrument(commandLine.options, {}, WriteTestDocuments);
    return instrument.Run();
}
