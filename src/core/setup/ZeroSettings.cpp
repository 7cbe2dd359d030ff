#include "core/setup/ZeroSettings.h"

#include "core/data/CFormat.h"
#include "core/data/ParameterRows.h"
#include "core/engine/SettingsPublication.h"
#include "core/view/RoundDecimals.h"

#include <mutex>

namespace {

constexpr std::size_t kGauges = 8;
constexpr std::size_t kMarkedGauges = 4; // gauges whose changes the next reading remarks

// The rows of one channel: its zero, offset and direction.
struct ChannelRows {
    RowSlot zero, offset, direction;
};

void WriteChannelRows(CPublic& pub, const ChannelRows& rows, float zero, float offset, int direction) {
    SetRowBytes(pub.recordList, rows.zero, CFormat("%f", static_cast<double>(zero)));
    SetRowBytes(pub.recordList, rows.offset, CFormat("%f", static_cast<double>(offset)));
    SetRowBytes(pub.recordList, rows.direction, CFormat("%d", direction));
}

void WriteAllChannelRows(CPublic& pub) {
    using P = ParameterText;
    WriteChannelRows(pub, {SlotOf(P::loadZero), SlotOf(P::loadOffset), SlotOf(P::loadDirection)},
                     pub.loadZero, pub.loadOffset, pub.loadDirection);
    for (std::size_t k = 0; k < kGauges; ++k) {
        const int i = static_cast<int>(k);
        WriteChannelRows(pub,
                         {SlotOf(P::gaugeZero, i), SlotOf(P::gaugeOffset, i), SlotOf(P::gaugeDirection, i)},
                         pub.gaugeZero[k], pub.gaugeOffset[k], pub.gaugeDirection[k]);
    }
}

void ApplyTicks(CPublic& pub, const LiveSample& live, const ZeroForm& form) {
    if (form.loadZeroTicked)
        pub.loadZero = live.loadRaw;
    for (std::size_t k = 0; k < kGauges; ++k) {
        if (form.gaugeZeroTicked[k])
            pub.gaugeZero[k] = live.gaugeReading[k];
        pub.gaugeDirection[k] = form.gaugeReverseTicked[k] ? -1 : 1;
    }
}

// A gauge set to a typed value shows it from its present reading on:
// (reading - reading + value * direction) * direction = value.
void ApplyModifiedValues(CPublic& pub, const LiveSample& live, const ZeroForm& form) {
    if (IsNumber(form.loadCurrent) && IsNumber(form.loadModified)) {
        pub.loadZero = live.loadRaw;
        pub.loadOffset = 0;
    }
    for (std::size_t k = 0; k < kGauges; ++k) {
        if (!IsNumber(form.gaugeCurrent[k]) || !IsNumber(form.gaugeModified[k]))
            continue;
        pub.gaugeZero[k] = live.gaugeReading[k];
        pub.gaugeOffset[k] = ReadNumber(form.gaugeModified[k]) * static_cast<float>(pub.gaugeDirection[k]);
    }
}

// Each gauge continues from the value captured before the reset:
// (reading - reading + direction * captured) * direction = captured.
void CarryOverRangeAdjustment(CPublic& pub, const LiveSample& live, RangeAdjustment& adjustment) {
    if (!adjustment.confirmed)
        return;
    adjustment.confirmed = false;
    for (std::size_t k = 0; k < kGauges; ++k) {
        pub.gaugeZero[k] = live.gaugeReading[k];
        pub.gaugeOffset[k] = static_cast<float>(pub.gaugeDirection[k]) * adjustment.capturedReadings[k];
    }
}

} // namespace

QString ZeroDialogCaption(const CPublic& pub) {
    return QStringLiteral("数据设置                                 文件名： ") + pub.dataFilePath.right(15);
}

ZeroForm OpenZeroForm(const CPublic& pub, const LiveSample& live) {
    ZeroForm form;
    form.loadCurrent = QString::fromLatin1(CFormat("%.0f", static_cast<double>(live.currentLoad)));
    const int decimals = SettlementDecimals(pub.standardCode);
    for (std::size_t k = 0; k < kGauges; ++k) {
        if (pub.gaugeOn[k] == 1)
            form.gaugeCurrent[k] =
                QString::fromLatin1(CFormat("%.*f", decimals, static_cast<double>(live.gaugeValue[k])));
        form.gaugeReverseTicked[k] = pub.gaugeDirection[k] != 1;
    }
    return form;
}

void ConfirmRangeAdjustment(CPublic& pub, const LiveSample& live, RangeAdjustment& adjustment) {
    adjustment.capturedReadings = live.gaugeValue;
    pub.rangeAdjustPending = true;
    adjustment.confirmed = true;
}

void CancelRangeAdjustment(CPublic& pub, RangeAdjustment& adjustment) {
    adjustment.confirmed = false;
    pub.rangeAdjustPending = false;
}

bool ApplyZeroForm(CPublic& pub, const LiveSample& live, const ZeroForm& form, RangeAdjustment& adjustment) {
    const RunState run = pub.run.View();
    if (!run.running && !pub.wizardMode) {
        // Nothing changes, so no reading may take the gauges as adjusted.
        CancelRangeAdjustment(pub, adjustment);
        return false;
    }
    std::array<float, kMarkedGauges> zeroBefore{};
    std::array<float, kMarkedGauges> offsetBefore{};
    for (std::size_t k = 0; k < kMarkedGauges; ++k) {
        zeroBefore[k] = pub.gaugeZero[k];
        offsetBefore[k] = pub.gaugeOffset[k];
    }

    // Zeros are taken from one reply, and the new zeros, offsets and
    // directions reach the conversion together.
    ApplyTicks(pub, live, form);
    ApplyModifiedValues(pub, live, form);
    CarryOverRangeAdjustment(pub, live, adjustment);
    PublishSettings(pub);
    WriteAllChannelRows(pub);

    if (run.controlState != ControlState::Waiting) {
        for (std::size_t k = 0; k < kMarkedGauges; ++k) {
            if (pub.gaugeZero[k] != zeroBefore[k] || pub.gaugeOffset[k] != offsetBefore[k])
                pub.gaugeAdjusted[k] = true;
        }
    }
    pub.saveRequested = true;
    return true;
}
