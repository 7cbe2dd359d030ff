#include "RigsimOptions.h"

#include <QCommandLineParser>

#include <cmath>

std::variant<RigsimOptions, RigsimUsage> parseRigsimOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated loading rig on a pseudo-terminal"));
    const QCommandLineOption jack(QStringLiteral("jack"), QStringLiteral("Jack circuit: single or double."),
                                  QStringLiteral("single|double"), QStringLiteral("single"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the gauge noise and faults."), QStringLiteral("N"),
                                  QStringLiteral("1"));
    const QCommandLineOption timeScale(QStringLiteral("time-scale"),
                                       QStringLiteral("Model seconds per real second."), QStringLiteral("X"),
                                       QStringLiteral("1"));
    const QCommandLineOption failureLoad(QStringLiteral("failure-load"),
                                         QStringLiteral("Ultimate load of the pile, kN."),
                                         QStringLiteral("KN"), QStringLiteral("1600"));
    const QCommandLineOption fault(QStringLiteral("fault"),
                                   QStringLiteral("Reply fault: none, silence, short, garbage or zeros."),
                                   QStringLiteral("KIND"), QStringLiteral("none"));
    const QCommandLineOption faultRate(QStringLiteral("fault-rate"),
                                       QStringLiteral("Share of replies hit by the fault, 0 to 1."),
                                       QStringLiteral("R"), QStringLiteral("0.1"));
    parser.addOptions({jack, seed, timeScale, failureLoad, fault, faultRate});
    parser.addHelpOption();
    if (!parser.parse(arguments))
        return RigsimUsage{parser.errorText()};
    if (parser.isSet(QStringLiteral("help")))
        return RigsimUsage{parser.helpText(), false};
    if (!parser.positionalArguments().isEmpty())
        return RigsimUsage{
            QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first())};

    RigsimOptions options;
    const QString circuit = parser.value(jack);
    if (circuit == QLatin1String("single"))
        options.rig.circuit = JackCircuit::Single;
    else if (circuit == QLatin1String("double"))
        options.rig.circuit = JackCircuit::Double;
    else
        return RigsimUsage{QStringLiteral("--jack must be single or double, not %1").arg(circuit)};

    bool ok = false;
    options.rig.seed = parser.value(seed).toUInt(&ok);
    if (!ok)
        return RigsimUsage{QStringLiteral("--seed needs a whole number")};
    options.timeScale = parser.value(timeScale).toDouble(&ok);
    if (!ok || !std::isfinite(options.timeScale) || options.timeScale <= 0.0)
        return RigsimUsage{QStringLiteral("--time-scale needs a number above 0")};
    options.rig.pile.failureLoad = parser.value(failureLoad).toDouble(&ok);
    if (!ok || !std::isfinite(options.rig.pile.failureLoad) || options.rig.pile.failureLoad <= 0.0)
        return RigsimUsage{QStringLiteral("--failure-load needs a load above 0 kN")};

    const auto kind = faultKindFromName(parser.value(fault));
    if (!kind)
        return RigsimUsage{QStringLiteral("--fault must be none, silence, short, garbage or zeros")};
    options.rig.fault.kind = *kind;
    options.rig.fault.rate = parser.value(faultRate).toDouble(&ok);
    if (!ok || !(options.rig.fault.rate >= 0.0 && options.rig.fault.rate <= 1.0))
        return RigsimUsage{QStringLiteral("--fault-rate needs a number from 0 to 1")};
    return options;
}
