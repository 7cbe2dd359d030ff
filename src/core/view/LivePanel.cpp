#include "core/view/LivePanel.h"

#include "core/data/CFormat.h"
#include "core/view/RoundDecimals.h"

#include <cstdint>

namespace {

constexpr int kAveragedGauges = 4;

QString Settlement(float value, int decimals) {
    return QString::fromLatin1(CFormat("%.*f", decimals, static_cast<double>(value)));
}

// "%f" without its trailing zeros and then without a trailing point:
// 1200 is shown as "1200", 1200.5 as "1200.5".
QString TrimmedLoad(float value) {
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

StatusFields StatusFor(const CPublic& pub, const QString& clockText) {
    switch (pub.controlState.load()) {
    case 0:
        return {QString::fromUtf8(pub.running && !pub.autoAdvance ? "待加载" : "等  待"), clockText};
    case 1:
        return {QString::fromUtf8("加载中"), QString()};
    case 2:
        return {QString::fromUtf8("维  荷"), pub.nextReadingText};
    case 3:
        return {QString::fromUtf8("补载中"), pub.nextReadingText};
    case 4:
        return {QString::fromUtf8("稳  定"), QString()};
    case 5:
        return {QString::fromUtf8("卸载中"), QString()};
    case 6:
    case 7:
    case 8:
        return {QString::fromUtf8("卸载中"), pub.nextReadingText};
    default:
        return {};
    }
}

} // namespace

std::optional<float> LiveAverageOf(const CPublic& pub) {
    int enabled = 0;
    float sum = 0.0f;
    for (int k = 0; k < kAveragedGauges; ++k) {
        if (pub.gaugeOn[k] == 1) {
            ++enabled;
            sum += pub.gaugeValue[k];
        }
    }
    if (enabled == 0)
        return std::nullopt;
    return sum / static_cast<float>(enabled);
}

void UpdateLiveAverage(CPublic& pub) {
    pub.liveAverage = LiveAverageOf(pub).value_or(0.0f);
}

SwitchPictures SwitchPicturesFor(const CPublic& pub, bool manualLoadAllowed) {
    using Manual = SwitchPictures::Manual;
    const Manual manual = !manualLoadAllowed ? Manual::Unavailable : pub.manualLoad ? Manual::On : Manual::Off;
    return {pub.pumpGate == PumpGate::closed, manualLoadAllowed, manual};
}

LivePanelView RefreshLivePanel(const CPublic& pub, bool manualLoadAllowed, const QString& clockText) {
    const int decimals = SettlementDecimals(pub.standardCode);
    LivePanelView view;
    // A refused calibration table freezes the load the pump is steered by:
    // that outranks the alarms, which come back once the table is mended.
    view.messageLine = pub.calibrationTableRefused ? QString::fromUtf8(kCalibrationTableInvalidText) : pub.alarmText;

    if (const std::optional<float> average = LiveAverageOf(pub))
        view.averageText = Settlement(RoundDecimals(*average, decimals), decimals);
    for (std::size_t k = 0; k < view.gaugeTexts.size(); ++k) {
        if (pub.gaugeOn[k] == 1)
            view.gaugeTexts[k] = Settlement(pub.gaugeValue[k], decimals);
    }

    view.targetLoadText = TrimmedLoad(pub.targetLoad);
    view.currentLoadText = QString::fromLatin1(CFormat("%.0f", static_cast<double>(pub.currentLoad.load())));
    if (pub.pressureSensor == 1)
        view.oilPressureText =
            QString::fromLatin1(CFormat("%.2f", static_cast<double>(pub.oilPressure.load())));

    view.switches = SwitchPicturesFor(pub, manualLoadAllowed);

    view.progressPosition = pub.pumpSpeed;

    StatusFields status = StatusFor(pub, clockText);
    view.statusWord = std::move(status.statusWord);
    view.nextReadingField = std::move(status.nextReadingField);
    return view;
}
