#include "core/view/LivePanel.h"

#include "core/data/CFormat.h"
#include "core/link/MeasurementConversion.h"
#include "core/view/RoundDecimals.h"
#include "core/view/TableViews.h"

#include <cmath>
#include <cstdint>

namespace {

// Shown for a value nobody measured: the controller is silent, or the value
// is not finite.
const QString kNoValue = QStringLiteral("--");

QString Fixed(const char* format, float value) {
    if (!std::isfinite(value))
        return kNoValue;
    return QString::fromLatin1(CFormat(format, static_cast<double>(value)));
}

// "%f" without its trailing zeros and then without a trailing point:
// 1200 is shown as "1200", 1200.5 as "1200.5".
QString TrimmedLoad(float value) {
    if (!std::isfinite(value))
        return kNoValue;
    QByteArray text = CFormat("%f", static_cast<double>(value));
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return QString::fromLatin1(text);
}

struct StatusFields {
    std::optional<QString> statusWord;
    std::optional<QString> nextReadingField;
};

StatusFields StatusFor(const CPublic& pub, const RunState& run, const QString& clockText) {
    switch (run.controlState) {
    case ControlState::Waiting:
        return {QString::fromUtf8(run.running && !pub.autoAdvance ? "待加载" : "等  待"), clockText};
    case ControlState::Loading:
        return {QString::fromUtf8("加载中"), QString()};
    case ControlState::Holding:
        return {QString::fromUtf8("维  荷"), pub.nextReadingText};
    case ControlState::Reloading:
        return {QString::fromUtf8("补载中"), pub.nextReadingText};
    case ControlState::Stable:
        return {QString::fromUtf8("稳  定"), QString()};
    case ControlState::Unloading:
        return {QString::fromUtf8("卸载中"), QString()};
    case ControlState::HoldingUnload:
        return {QString::fromUtf8("卸载中"), pub.nextReadingText};
    }
    return {};
}

} // namespace

SwitchPictures SwitchPicturesFor(const RunState& run, bool manualLoadAllowed) {
    using Manual = SwitchPictures::Manual;
    const Manual manual = !manualLoadAllowed ? Manual::Unavailable
                          : run.manualLoad   ? Manual::On
                                             : Manual::Off;
    return {run.pumpGate == PumpGate::closed, manualLoadAllowed, manual};
}

LivePanelView RefreshLivePanel(const CPublic& pub, const RunState& run, const LiveSample& live,
                               bool manualLoadAllowed, const QString& clockText) {
    const int decimals = SettlementDecimals(pub.standardCode);
    // A silent controller leaves only stale values: none is shown as a number.
    const LiveSample shown = run.linkFault ? WithoutValues(live) : live;
    LivePanelView view;
    // A refused calibration table freezes the load the pump is steered by:
    // that outranks the alarms, which come back once the table is mended.
    view.messageLine =
        live.calibrationTableRefused ? QString::fromUtf8(kCalibrationTableInvalidText) : pub.alarmText;
    // Under the alarms: how start-up restored lost settings; then that
    // readings go on at whatever load the jack holds.
    if (view.messageLine.isEmpty())
        view.messageLine = pub.startupNotice;
    if (view.messageLine.isEmpty() && pub.resumedPumpClosed && run.running &&
        run.pumpGate == PumpGate::closed)
        view.messageLine = QStringLiteral("测试已恢复,油泵禁止,单击油泵允许后继续控载!");

    if (const std::optional<float> average = LiveAverageOf(pub.gaugeOn, shown.gaugeValue))
        view.averageText = SettlementText(RoundDecimals(*average, decimals), pub.standardCode);
    for (std::size_t k = 0; k < view.gaugeTexts.size(); ++k) {
        if (pub.gaugeOn[k] == 1)
            view.gaugeTexts[k] = SettlementText(shown.gaugeValue[k], pub.standardCode);
    }

    view.targetLoadText = TrimmedLoad(run.targetLoad);
    view.currentLoadText = Fixed("%.0f", shown.currentLoad);
    if (pub.pressureSensor == 1)
        view.oilPressureText = Fixed("%.2f", shown.oilPressure);

    view.switches = SwitchPicturesFor(run, manualLoadAllowed);

    view.progressPosition = run.pump.pumpSpeed;

    StatusFields status = StatusFor(pub, run, clockText);
    view.statusWord = std::move(status.statusWord);
    view.nextReadingField = std::move(status.nextReadingField);
    return view;
}
