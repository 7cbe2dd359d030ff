#include "core/standards/StandardForm.h"

#include "core/data/CFormat.h"
#include "core/data/ParameterRows.h"
#include "core/standards/StandardsCatalogue.h"

namespace {

QString EntryText(const ParameterList& list, int entry, const char* format) {
    return QString::fromLatin1(CFormat(format, static_cast<double>(ParameterAt(list, entry))));
}

CriteriaBoxes StoredBoxes(const CPublic& pub) {
    CriteriaBoxes boxes;
    boxes.holdMinutes = ReadParameterText(pub, ParameterText::holdMinutes);
    boxes.stableCheckMinutes = ReadParameterText(pub, ParameterText::stableCheckMinutes);
    boxes.stableCheckCount = ReadParameterText(pub, ParameterText::stableCheckCount);
    boxes.stableSettlement = ReadParameterText(pub, ParameterText::stableSettlement);
    for (int i = 0; i < 6; ++i) {
        boxes.loadIntervals[i] = ReadParameterText(pub, ParameterText::loadIntervals, i);
        boxes.unloadIntervals[i] = ReadParameterText(pub, ParameterText::unloadIntervals, i);
    }
    return boxes;
}

CriteriaBoxes PresetBoxes(const StandardEntry& entry) {
    CriteriaBoxes boxes;
    boxes.holdMinutes = QString::fromUtf8(entry.criteria.holdMinutes);
    boxes.stableCheckMinutes = QString::fromUtf8(entry.criteria.stableCheckMinutes);
    boxes.stableCheckCount = QString::fromUtf8(entry.criteria.stableCheckCount);
    boxes.stableSettlement = QString::fromUtf8(entry.criteria.stableSettlement);
    for (int i = 0; i < 6; ++i) {
        boxes.loadIntervals[i] = QString::number(entry.loadIntervals[i]);
        boxes.unloadIntervals[i] = QString::number(entry.unloadIntervals[i]);
    }
    return boxes;
}

CriteriaBoxes UserInputBoxes(const ParameterList& list) {
    CriteriaBoxes boxes;
    boxes.holdMinutes = EntryText(list, Entry::holdMinutes, "%.f");
    boxes.stableCheckMinutes = EntryText(list, Entry::stableCheckMinutes, "%.f");
    boxes.stableCheckCount = EntryText(list, Entry::stableCheckCount, "%.f");
    boxes.stableSettlement = EntryText(list, Entry::stableSettlement, "%.2f");
    // The convergence marker 111 prints as a number; only a value that
    // prints as no number at all (nan, inf) falls back.
    if (!IsNumber(boxes.stableSettlement))
        boxes.stableSettlement = QStringLiteral("0.10");
    for (int i = 0; i < 6; ++i) {
        boxes.loadIntervals[i] = EntryText(list, Entry::loadIntervalsFirst + i, "%.f");
        boxes.unloadIntervals[i] = EntryText(list, Entry::unloadIntervalsFirst + i, "%.f");
    }
    return boxes;
}

} // namespace

std::array<const QString*, 16> CriteriaBoxes::InCheckOrder() const {
    return {&holdMinutes,        &stableCheckMinutes, &stableCheckCount,   &stableSettlement,
            &loadIntervals[0],   &loadIntervals[1],   &loadIntervals[2],   &loadIntervals[3],
            &loadIntervals[4],   &loadIntervals[5],   &unloadIntervals[0], &unloadIntervals[1],
            &unloadIntervals[2], &unloadIntervals[3], &unloadIntervals[4], &unloadIntervals[5]};
}

QString StandardDialogCaption(const CPublic& pub) {
    const int nameLength = ReadParameterText(pub, ParameterText::serialNumber).size() < 7 ? 15 : 21;
    return QStringLiteral("规范选择                                 文件名： ") +
           pub.dataFilePath.right(nameLength);
}

QString BearingCapacityLabel(bool loadInKN) {
    return loadInKN ? QStringLiteral("地基承载力特征值(kN)") : QStringLiteral("地基承载力特征值(kPa)");
}

int ReadStoredStandardCode(CPublic& pub) {
    const QString text = ReadParameterText(pub, ParameterText::standardCode);
    if (IsNumber(text))
        return ReadInteger(text);
    WriteParameterText(pub, ParameterText::standardCode, "0");
    return 0;
}

StandardForm OpenStandardForm(CPublic& pub, const ParameterList& list) {
    StandardForm form;
    form.code = ReadStoredStandardCode(pub);
    pub.standardCode = form.code;
    form.boxes = StoredBoxes(pub);
    form.bearingCapacity = ReadParameterText(pub, ParameterText::bearingCapacity);
    if (form.code != kUserInputCode)
        ApplyPreset(form, form.code, pub, list);

    if (!pub.wizardMode && form.code == kBearingCapacityCode) {
        const bool withinCapacity = ReadNumber(form.bearingCapacity) >= pub.run.View().targetLoad;
        form.boxes.stableSettlement = withinCapacity ? QStringLiteral("0.10") : QStringLiteral("0.25");
    }
    return form;
}

void ApplyPreset(StandardForm& form, int code, const CPublic& pub, const ParameterList& list) {
    form.code = code;
    if (code == kUserInputCode) {
        form.boxes = UserInputBoxes(list);
        return;
    }
    if (const StandardEntry* entry = FindStandardByCode(code))
        form.boxes = PresetBoxes(*entry);
    if (code == kBearingCapacityCode) {
        form.bearingCapacity = pub.wizardMode ? EntryText(list, Entry::bearingCapacity, "%.0f")
                                              : ReadParameterText(pub, ParameterText::bearingCapacity);
    }
}
