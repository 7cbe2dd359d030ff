#include "ModemOptions.h"

#include <QCommandLineParser>

#include <cmath>

std::variant<ModemOptions, ModemUsage> ParseModemOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated GPRS module on a pseudo-terminal"));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("Answers: acknowledge, not-registered or silent."),
                                  QStringLiteral("MODE"), QStringLiteral("acknowledge"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Milliseconds before each answer."), QStringLiteral("MS"),
                                   QStringLiteral("5"));
    const QCommandLineOption dropEvery(QStringLiteral("drop-every"),
                                       QStringLiteral("Leave every K-th answer unsent (0: none)."),
                                       QStringLiteral("K"), QStringLiteral("0"));
    const QCommandLineOption silentFor(QStringLiteral("silent-for"),
                                       QStringLiteral("Answer nothing for the first S seconds."),
                                       QStringLiteral("S"), QStringLiteral("0"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Write one line per received frame."),
                                 QStringLiteral("FILE"));
    parser.addOptions({mode, delay, dropEvery, silentFor, log});
    parser.addHelpOption();
    if (!parser.parse(arguments))
        return ModemUsage{parser.errorText()};
    if (parser.isSet(QStringLiteral("help")))
        return ModemUsage{parser.helpText(), false};
    if (!parser.positionalArguments().isEmpty())
        return ModemUsage{
            QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first())};

    ModemOptions options;
    const QString name = parser.value(mode);
    if (name == QLatin1String("acknowledge"))
        options.mode = ModemMode::Acknowledge;
    else if (name == QLatin1String("not-registered"))
        options.mode = ModemMode::NotRegistered;
    else if (name == QLatin1String("silent"))
        options.mode = ModemMode::Silent;
    else
        return ModemUsage{
            QStringLiteral("--mode must be acknowledge, not-registered or silent, not %1").arg(name)};

    bool ok = false;
    options.delayMs = parser.value(delay).toInt(&ok);
    if (!ok || options.delayMs < 0)
        return ModemUsage{QStringLiteral("--delay needs a whole number of milliseconds from 0")};
    options.dropEvery = parser.value(dropEvery).toInt(&ok);
    if (!ok || options.dropEvery < 0)
        return ModemUsage{QStringLiteral("--drop-every needs a whole number from 0")};
    options.silentForS = parser.value(silentFor).toDouble(&ok);
    if (!ok || !std::isfinite(options.silentForS) || options.silentForS < 0)
        return ModemUsage{QStringLiteral("--silent-for needs a number of seconds from 0")};
    options.logFile = parser.value(log);
    return options;
}
