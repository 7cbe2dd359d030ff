#include "core/setup/ConfirmLoadControlForm.h"

#include "core/data/CFormat.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/data/RunStateRows.h"

namespace {

// One numeric box: its messages, where its value is stored and the typed
// field that follows the stored row text.
struct BoxRule {
    QString LoadControlForm::*box;
    const char* emptyMessage;
    const char* notNumberMessage;
    RowSlot slot;
    const char* rowFormat;
    int entry;
    int CPublic::*intField;
    float CPublic::*floatField; // neither: the control load, which the load controller holds
};

// In the order the boxes are checked.
const BoxRule kBoxRules[] = {
    {&LoadControlForm::targetLoad, "请输入控制荷载！", "控制荷载数据输入错误！请重新输入", kTargetLoadSlot,
     "%.0f", Entry::targetLoad, nullptr, nullptr},
    {&LoadControlForm::holdBand, "请输入补载下限！", "补载下限数据输入错误！请重新输入",
     SlotOf(ParameterText::holdBand), "%.0f", Entry::holdBand, nullptr, &CPublic::holdBand},
    {&LoadControlForm::stageStep, "请输入单级荷载！", "单级荷载数据输入错误！请重新输入",
     SlotOf(ParameterText::stageStep), "%.0f", Entry::stageStep, nullptr, &CPublic::stageStep},
    {&LoadControlForm::maxLoad, "请输入限制荷载！", "限制荷载数据输入错误！请重新输入",
     SlotOf(ParameterText::maxLoad), "%.0f", Entry::maxLoad, nullptr, &CPublic::maxLoad},
    {&LoadControlForm::plateArea, "请输入压板面积！", "压板面积数据输入错误！请重新输入",
     SlotOf(ParameterText::plateArea), "%.3f", Entry::plateArea, nullptr, &CPublic::plateArea},
    {&LoadControlForm::maxSettlement, "请输入最大沉降允许值！", "最大沉降允许值输入错误！请重新输入",
     SlotOf(ParameterText::maxSettlement), "%.0f", Entry::maxSettlement, &CPublic::maxSettlement, nullptr},
    {&LoadControlForm::maxUnevenSettlement, "请输入不均匀沉降允许值！",
     "不均匀沉降允许值输入错误！请重新输入", SlotOf(ParameterText::maxUnevenSettlement), "%.0f",
     Entry::maxUnevenSettlement, &CPublic::maxUnevenSettlement, nullptr},
    {&LoadControlForm::loadProtectSeconds, "请输入加载保护时间！", "加载保护时间输入错误！请重新输入",
     SlotOf(ParameterText::loadProtectSeconds), "%.0f", Entry::loadProtectSeconds,
     &CPublic::loadProtectSeconds, nullptr},
    {&LoadControlForm::gaugeRangeAlarm, "请输入位移量程报警值！", "位移量程报警值输入错误！请重新输入",
     SlotOf(ParameterText::gaugeRangeAlarm), "%.0f", Entry::gaugeRangeAlarm, nullptr,
     &CPublic::gaugeRangeAlarm},
    {&LoadControlForm::anchorUpliftAlarm, "请输入锚桩上拔报警值！", "锚桩上拔报警值输入错误！请重新输入",
     SlotOf(ParameterText::anchorUpliftAlarm), "%.0f", Entry::anchorUpliftAlarm, nullptr,
     &CPublic::anchorUpliftAlarm},
    {&LoadControlForm::loadPulseTicks, "请输入加载点动控制！", "加载点动控制输入错误！请重新输入",
     SlotOf(ParameterText::loadPulseTicks), "%.0f", Entry::loadPulseTicks, &CPublic::loadPulseTicks, nullptr},
    {&LoadControlForm::unloadPulseTicks, "请输入卸载点动控制！", "卸载点动控制输入错误！请重新输入",
     SlotOf(ParameterText::unloadPulseTicks), "%.0f", Entry::unloadPulseTicks, &CPublic::unloadPulseTicks,
     nullptr},
};

bool IsPlateArea(const BoxRule& rule) {
    return rule.box == &LoadControlForm::plateArea;
}

QString BoxRefusal(const BoxRule& rule, const QString& text) {
    if (text.isEmpty())
        return QString::fromUtf8(rule.emptyMessage);
    if (!IsNumber(text))
        return QString::fromUtf8(rule.notNumberMessage);
    return {};
}

QByteArray RowTextOf(const BoxRule& rule, const QString& box) {
    return CFormat(rule.rowFormat, static_cast<double>(ReadNumber(box)));
}

// The plate area divides every load of a ground test, so it is judged as it
// will be stored (three decimals): an area that rounds to 0 is refused too.
bool PlateAreaPositive(const BoxRule& rule, const QString& box) {
    return ReadNumber(QString::fromLatin1(RowTextOf(rule, box))) > 0.0f;
}

} // namespace

QString LoadControlRefusal(const LoadControlForm& form, bool loadInKN) {
    for (const BoxRule& rule : kBoxRules) {
        if (IsPlateArea(rule) && loadInKN)
            continue;
        const QString& box = form.*rule.box;
        if (QString refusal = BoxRefusal(rule, box); !refusal.isEmpty())
            return refusal;
        if (IsPlateArea(rule) && !PlateAreaPositive(rule, box))
            return QStringLiteral("压板面积要大于0！请重新输入");
    }
    // Equal values pass: the test may be driven right up to its limit.
    if (ReadNumber(form.maxLoad) < ReadNumber(form.targetLoad))
        return QStringLiteral("控载数据设置大于最大设定值，请重新设置！");
    return {};
}

void StoreLoadControlForm(CPublic& pub, ParameterList& list, const LoadControlForm& form) {
    for (const BoxRule& rule : kBoxRules) {
        const QString& box = form.*rule.box;
        const QByteArray rowText = RowTextOf(rule, box);
        SetRowBytes(pub.recordList, rule.slot, rowText);
        // Taken from the row text itself, so the running test works with
        // exactly what its data file records.
        const QString stored = QString::fromLatin1(rowText);
        if (rule.intField)
            (pub.*rule.intField) = ReadInteger(stored);
        else if (rule.floatField)
            (pub.*rule.floatField) = ReadNumber(stored);
        else
            pub.run.Post(RunCommands::SetTarget{ReadNumber(stored)});
        if (static_cast<std::size_t>(rule.entry) < list.size())
            list[static_cast<std::size_t>(rule.entry)] = ReadNumber(box);
    }
    const bool automatic = form.stageAdvance == StageAdvance::Automatic;
    WriteParameterText(pub, ParameterText::autoAdvance, FlagText(automatic));
    pub.autoAdvance = automatic;
}

QString ConfirmLoadControlForm(CPublic& pub, ParameterList& list, QString& controlLoadText,
                               const KVTFile& files, const LoadControlForm& form) {
    if (QString refusal = LoadControlRefusal(form, pub.loadInKN); !refusal.isEmpty())
        return refusal;
    const bool wizard = pub.wizardMode;
    // Handed over only once every check has passed, so a refused entry does
    // not come back when the wizard returns to this step.
    if (wizard)
        controlLoadText = form.targetLoad;
    StoreLoadControlForm(pub, list, form);
    if (!wizard)
        pub.saveRequested = true;
    files.SaveSettings(pub.dataFilePath, list);
    if (wizard)
        pub.setupStep = 4;
    return {};
}
