#include "core/setup/LoadControlForm.h"

#include "core/data/CFormat.h"
#include "core/data/ParameterRows.h"
#include "core/data/RunStateRows.h"

namespace {

// Serial numbers of more than six digits make the file name six characters
// longer.
constexpr int kShortSerialDigits = 6;
constexpr int kShortNameLength = 15;
constexpr int kLongNameLength = 21;

QString Latin(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

QString EntryText(const ParameterList& list, int entry, const char* format) {
    return Latin(CFormat(format, static_cast<double>(ParameterAt(list, entry))));
}

// "12.500" shows as "12.5" and "3.000" as "3". A text without a decimal
// point keeps its zeros: "1000" stays "1000".
QString WithoutTrailingZeros(QString text) {
    if (text.indexOf(QLatin1Char('.')) <= 0)
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString CoefficientText(const QString& numberText) {
    if (!IsNumber(numberText))
        return QStringLiteral("0.000");
    return Latin(CFormat("%.3f", static_cast<double>(ReadNumber(numberText))));
}

// What the next test starts from: the settings list and the control load the
// wizard holds.
LoadControlForm StoredForm(const CPublic& pub, const ParameterList& list, const QString& controlLoadText) {
    LoadControlForm form;
    // A coefficient that prints as no number (nan, inf) shows as zero.
    form.calibrationCoefficient =
        CoefficientText(Latin(CFormat("%.3f", static_cast<double>(pub.calibrationCoefficient))));
    form.targetLoad = controlLoadText.isEmpty() ? QStringLiteral("0") : controlLoadText;
    form.loadPulseTicks = EntryText(list, Entry::loadPulseTicks, "%.f");
    form.unloadPulseTicks = EntryText(list, Entry::unloadPulseTicks, "%.f");
    form.plateArea = WithoutTrailingZeros(EntryText(list, Entry::plateArea, "%.3f"));
    form.holdBand = EntryText(list, Entry::holdBand, "%.f");
    form.stageStep = EntryText(list, Entry::stageStep, "%.f");
    form.maxLoad = EntryText(list, Entry::maxLoad, "%.f");
    form.maxSettlement = EntryText(list, Entry::maxSettlement, "%.f");
    form.maxUnevenSettlement = EntryText(list, Entry::maxUnevenSettlement, "%.f");
    form.loadProtectSeconds = EntryText(list, Entry::loadProtectSeconds, "%.f");
    form.gaugeRangeAlarm = EntryText(list, Entry::gaugeRangeAlarm, "%.f");
    form.anchorUpliftAlarm = EntryText(list, Entry::anchorUpliftAlarm, "%.f");
    return form;
}

// The values of the test in progress, so that they can be changed while it
// runs.
LoadControlForm CurrentTestForm(CPublic& pub) {
    LoadControlForm form;
    form.calibrationCoefficient =
        CoefficientText(ReadParameterText(pub, ParameterText::calibrationCoefficient));
    form.loadPulseTicks = ReadParameterText(pub, ParameterText::loadPulseTicks);
    form.unloadPulseTicks = ReadParameterText(pub, ParameterText::unloadPulseTicks);
    form.plateArea = WithoutTrailingZeros(ReadParameterText(pub, ParameterText::plateArea));
    form.targetLoad = WithoutTrailingZeros(RowString(pub.recordList, kTargetLoadSlot));
    form.holdBand = ReadParameterText(pub, ParameterText::holdBand);
    form.stageStep = ReadParameterText(pub, ParameterText::stageStep);
    form.maxLoad = ReadParameterText(pub, ParameterText::maxLoad);
    form.maxSettlement = ReadParameterText(pub, ParameterText::maxSettlement);
    form.maxUnevenSettlement = ReadParameterText(pub, ParameterText::maxUnevenSettlement);
    form.loadProtectSeconds = ReadParameterText(pub, ParameterText::loadProtectSeconds);
    form.gaugeRangeAlarm = ReadParameterText(pub, ParameterText::gaugeRangeAlarm);
    form.anchorUpliftAlarm = ReadParameterText(pub, ParameterText::anchorUpliftAlarm);

    if (!IsNumber(ReadParameterText(pub, ParameterText::autoAdvance)))
        WriteParameterText(pub, ParameterText::autoAdvance, "1");
    form.stageAdvance = ReadParameterText(pub, ParameterText::autoAdvance).startsWith(QLatin1Char('1'))
                            ? StageAdvance::Automatic
                            : StageAdvance::Manual;
    return form;
}

bool TestInProgress(const CPublic& pub) {
    const RunState run = pub.run.View();
    return run.running || run.pausedFlag;
}

} // namespace

LoadLabels LoadControlLabels(bool loadInKN) {
    if (loadInKN)
        return {QStringLiteral("控载荷载值(kN)"), QStringLiteral("补载下限(kN)"),
                QStringLiteral("单级加荷值(kN)"), QStringLiteral("最大加荷值(kN)")};
    return {QStringLiteral("控载荷载值(kPa)"), QStringLiteral("补载下限(kPa)"),
            QStringLiteral("单级加荷值(kPa)"), QStringLiteral("最大加荷值(kPa)")};
}

PlateAreaState PlateAreaStateOf(const CPublic& pub) {
    if (pub.loadInKN || (!pub.wizardMode && !TestInProgress(pub)))
        return {};
    return {.visible = true, .enabled = pub.wizardMode};
}

bool LoadControlStores(const CPublic& pub) {
    return pub.run.View().running || pub.wizardMode;
}

QString LoadControlCaption(const CPublic& pub, const ParameterList& list) {
    const bool longSerial = EntryText(list, Entry::serialNumberValue, "%.f").size() > kShortSerialDigits;
    return QStringLiteral("控载设置") + QString(33, QLatin1Char(' ')) + QStringLiteral("文件名： ") +
           pub.dataFilePath.right(longSerial ? kLongNameLength : kShortNameLength);
}

LoadControlForm OpenLoadControlForm(CPublic& pub, const ParameterList& list, const QString& controlLoadText) {
    if (!pub.wizardMode && TestInProgress(pub))
        return CurrentTestForm(pub);
    return StoredForm(pub, list, controlLoadText);
}
