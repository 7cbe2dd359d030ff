#include "core/standards/ConfirmStandardForm.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/standards/StandardsCatalogue.h"
#include "core/view/Truncate.h"

namespace {

// Marks "no fixed stable settlement": the convergence and holding-time rules
// do not use it.
constexpr float kNoStableSettlement = 111.0f;

QString RefusalOf(const QString& box) {
    if (box.isEmpty())
        return QStringLiteral("数据不能为空！");
    if (!IsNumber(box))
        return QStringLiteral("数据输入有误！");
    return {};
}

QString RefusalOf(const StandardForm& form) {
    if (form.code == kUserInputCode) {
        for (const QString* box : form.boxes.InCheckOrder()) {
            if (QString refusal = RefusalOf(*box); !refusal.isEmpty())
                return refusal;
        }
    }
    if (form.code == kBearingCapacityCode)
        return RefusalOf(form.bearingCapacity);
    return {};
}

int BoxInteger(const QString& box) {
    return TruncateToInt(ReadNumber(box));
}

QByteArray DeviceBytes(const QString& box) {
    return DeviceText::FromUnicode(box);
}

// The check minutes, count and stable settlement as stored, with their row
// texts (rows 14-16; the hold minutes are row 13).
struct StoredCriteria {
    int stableCheckMinutes;
    int stableCheckCount;
    float stableSettlement;
    QByteArray holdMinutesText;
    QByteArray stableCheckMinutesText;
    QByteArray stableCheckCountText;
    QByteArray stableSettlementText;
};

StoredCriteria CriteriaOf(const StandardForm& form) {
    const CriteriaBoxes& boxes = form.boxes;
    switch (form.code) {
    case 4:
    case 11:
        // The convergence rule judges single increments; the fixed values
        // only keep the stored set complete. Row 14 keeps the preset's 15.
        return {60, 1, 0.01f, "60", "15", "1", "0.01"};
    case 7:
        return {60, 1, kNoStableSettlement, DeviceBytes(boxes.holdMinutes), "60", "1", "111"};
    case 8:
        return {120, 1, kNoStableSettlement, DeviceBytes(boxes.holdMinutes), "120", "1", "111"};
    default: {
        const bool settlementGiven = IsNumber(boxes.stableSettlement);
        return {BoxInteger(boxes.stableCheckMinutes),
                BoxInteger(boxes.stableCheckCount),
                settlementGiven ? ReadNumber(boxes.stableSettlement) : kNoStableSettlement,
                DeviceBytes(boxes.holdMinutes),
                DeviceBytes(boxes.stableCheckMinutes),
                DeviceBytes(boxes.stableCheckCount),
                settlementGiven ? DeviceBytes(boxes.stableSettlement) : QByteArray("111")};
    }
    }
}

void StoreCriteria(CPublic& pub, const StandardForm& form) {
    const StoredCriteria criteria = CriteriaOf(form);
    pub.holdMinutes = BoxInteger(form.boxes.holdMinutes);
    pub.stableCheckMinutes = criteria.stableCheckMinutes;
    pub.stableCheckCount = criteria.stableCheckCount;
    pub.stableSettlement = criteria.stableSettlement;
    WriteParameterText(pub, ParameterText::holdMinutes, criteria.holdMinutesText);
    WriteParameterText(pub, ParameterText::stableCheckMinutes, criteria.stableCheckMinutesText);
    WriteParameterText(pub, ParameterText::stableCheckCount, criteria.stableCheckCountText);
    WriteParameterText(pub, ParameterText::stableSettlement, criteria.stableSettlementText);
}

void StoreIntervals(CPublic& pub, const CriteriaBoxes& boxes) {
    for (int i = 0; i < 6; ++i) {
        pub.loadIntervals[static_cast<std::size_t>(i)] = BoxInteger(boxes.loadIntervals[i]);
        pub.unloadIntervals[static_cast<std::size_t>(i)] = BoxInteger(boxes.unloadIntervals[i]);
        WriteParameterText(pub, ParameterText::loadIntervals, i, DeviceBytes(boxes.loadIntervals[i]));
        WriteParameterText(pub, ParameterText::unloadIntervals, i, DeviceBytes(boxes.unloadIntervals[i]));
    }
}

} // namespace

QString ConfirmStandardForm(CPublic& pub, ParameterList& list, const StandardForm& form) {
    if (QString refusal = RefusalOf(form); !refusal.isEmpty())
        return refusal;

    pub.standardCode = form.code;
    WriteParameterText(pub, ParameterText::standardCode, CFormat("%d", form.code));

    // Every standard stores box 1027: for the others it holds the row's own
    // text, put there when the dialog opened.
    const float bearingCapacity = ReadNumber(form.bearingCapacity);
    if (static_cast<std::size_t>(Entry::bearingCapacity) < list.size())
        list[Entry::bearingCapacity] = bearingCapacity;
    pub.bearingCapacity = TruncateToInt(bearingCapacity);
    WriteParameterText(pub, ParameterText::bearingCapacity, DeviceBytes(form.bearingCapacity));

    StoreCriteria(pub, form);
    StoreIntervals(pub, form.boxes);
    KVTFile::StoreParametersToList(pub, list);
    return {};
}
