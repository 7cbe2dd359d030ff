#include "core/setup/ChannelSettings.h"

#include "core/setup/TickCaption.h"
#include "core/standards/StandardRows.h"

namespace {

// Rows of the parameter column that hold the channel choice.
constexpr int kFirstLowGaugeRow = 31;  // textValue, gauges 1-4
constexpr int kFirstHighGaugeRow = 21; // textValue2, gauges 5-8
constexpr int kFirstSpareGaugeRow = 25; // textValue2, 25-28, always "0"
constexpr int kTestTypeRow = 36;       // textValue, "1" single pile

constexpr int kGauges = 8;
constexpr int kLowGauges = 4;

const QString kSingleCaption = QStringLiteral("单桩");
const QString kGroundCaption = QStringLiteral("地基");

QByteArray FlagText(bool on) {
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

// Gauges 1-4 live in the first text of rows 31-34, gauges 5-8 in the second
// text of rows 21-24; `gauge` counts from 0.
bool StoredGaugeChosen(const CPublic& pub, int gauge) {
    const QString text = gauge < kLowGauges
                             ? StandardRow::Read(pub, kFirstLowGaugeRow + gauge, &Record::textValue)
                             : StandardRow::Read(pub, kFirstHighGaugeRow + gauge - kLowGauges, &Record::textValue2);
    return text.startsWith(QLatin1Char('1'));
}

void StoreGaugeChosen(CPublic& pub, int gauge, bool chosen) {
    if (gauge < kLowGauges)
        StandardRow::Write(pub, kFirstLowGaugeRow + gauge, &Record::textValue, FlagText(chosen));
    else
        StandardRow::Write(pub, kFirstHighGaugeRow + gauge - kLowGauges, &Record::textValue2, FlagText(chosen));
}

void ShowTestType(ChannelForm& form, bool single) {
    form.single = single ? kTick + kSingleCaption : kSingleCaption;
    form.ground = single ? kGroundCaption : kTick + kGroundCaption;
}

QString DataFileNameTail(const CPublic& pub) {
    const QString serial = StandardRow::Read(pub, StandardRow::serialNumber, &Record::textLong);
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
    StandardRow::Write(pub, kTestTypeRow, &Record::textValue, FlagText(single));

    int mask = 0;
    for (int gauge = 0; gauge < kGauges; ++gauge) {
        const bool chosen = IsTicked(form.gauges[static_cast<std::size_t>(gauge)]);
        StoreGaugeChosen(pub, gauge, chosen);
        pub.gaugeOn[static_cast<std::size_t>(gauge)] = chosen ? 1 : 0;
        if (chosen)
            mask |= 1 << gauge;
    }
    pub.gaugeMask = mask;
    for (int row = kFirstSpareGaugeRow; row < kFirstSpareGaugeRow + 4; ++row)
        StandardRow::Write(pub, row, &Record::textValue2, FlagText(false));

    if (mask == 0 && pub.run.View().running)
        return QString::fromUtf8(kNoGaugeChosenText);
    return {};
}

void LeaveChannels(CPublic& pub) {
    if (pub.wizardMode)
        pub.setupStep = 0;
    pub.wizardMode = false;
}
