#include "core/setup/ChannelSettings.h"

#include "core/data/ParameterRows.h"
#include "core/setup/TickCaption.h"

namespace {

constexpr int kGauges = 8;
constexpr int kLowGauges = 4;

const QString kSingleCaption = QStringLiteral("单桩");
const QString kGroundCaption = QStringLiteral("地基");

// Gauges 1-4 and 5-8 are kept apart in the column; `gauge` counts from 0.
RowSlot GaugeChosenSlot(int gauge) {
    return gauge < kLowGauges ? SlotOf(ParameterText::lowGaugesOn, gauge)
                              : SlotOf(ParameterText::highGaugesOn, gauge - kLowGauges);
}

bool StoredGaugeChosen(const CPublic& pub, int gauge) {
    return RowString(pub.recordList, GaugeChosenSlot(gauge)).startsWith(QLatin1Char('1'));
}

void StoreGaugeChosen(CPublic& pub, int gauge, bool chosen) {
    SetRowBytes(pub.recordList, GaugeChosenSlot(gauge), FlagText(chosen));
}

void ShowTestType(ChannelForm& form, bool single) {
    form.single = single ? kTick + kSingleCaption : kSingleCaption;
    form.ground = single ? kGroundCaption : kTick + kGroundCaption;
}

QString DataFileNameTail(const CPublic& pub) {
    const QString serial = ReadParameterText(pub, ParameterText::serialNumber);
    return pub.dataFilePath.right(serial.size() < 7 ? 15 : 21);
}

} // namespace

QString GaugeCaption(int gauge, bool selected) {
    const QString caption = QStringLiteral("位移%1").arg(gauge);
    return selected ? kTick + caption : caption;
}

QString ChannelDialogCaption(const CPublic& pub) {
    if (pub.wizardMode)
        return QStringLiteral("新试桩");
    return QStringLiteral("通道设置                                 文件名： ") + DataFileNameTail(pub);
}

ChannelForm OpenChannelForm(const CPublic& pub) {
    ChannelForm form;
    const bool wizard = pub.wizardMode;
    for (int gauge = 0; gauge < kGauges; ++gauge) {
        const bool chosen = wizard ? gauge < kLowGauges : StoredGaugeChosen(pub, gauge);
        form.gauges[static_cast<std::size_t>(gauge)] = GaugeCaption(gauge + 1, chosen);
    }
    ShowTestType(form, wizard || pub.loadInKN);
    return form;
}

void ChooseSingle(ChannelForm& form, const CPublic& pub) {
    if (pub.wizardMode)
        ShowTestType(form, !IsTicked(form.single));
}

void ChooseGround(ChannelForm& form, const CPublic& pub) {
    if (pub.wizardMode)
        ShowTestType(form, IsTicked(form.ground));
}

QString ConfirmChannels(CPublic& pub, const ChannelForm& form) {
    const bool wizard = pub.wizardMode;
    if (!pub.run.View().running && !wizard)
        return {};
    if (wizard) {
        pub.ResetTest();
        pub.setupStep = 2;
    } else {
        pub.viewDirty = true;
        pub.saveRequested = true;
    }

    const bool single = IsTicked(form.single);
    pub.loadInKN = single;
    WriteParameterText(pub, ParameterText::singlePileTest, FlagText(single));

    int mask = 0;
    for (int gauge = 0; gauge < kGauges; ++gauge) {
        const bool chosen = IsTicked(form.gauges[static_cast<std::size_t>(gauge)]);
        StoreGaugeChosen(pub, gauge, chosen);
        pub.gaugeOn[static_cast<std::size_t>(gauge)] = chosen ? 1 : 0;
        if (chosen)
            mask |= 1 << gauge;
    }
    pub.gaugeMask = mask;
    for (int spare = 0; spare < ParameterRowOf(ParameterText::spareGaugesOn).count; ++spare)
        WriteParameterText(pub, ParameterText::spareGaugesOn, spare, FlagText(false));

    if (mask == 0 && pub.run.View().running)
        return QString::fromUtf8(kNoGaugeChosenText);
    return {};
}

void LeaveChannels(CPublic& pub) {
    if (pub.wizardMode)
        pub.setupStep = 0;
    pub.wizardMode = false;
}
