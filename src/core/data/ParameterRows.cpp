#include "core/data/ParameterRows.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"

#include <QDate>

#include <algorithm>
#include <array>

namespace {

using enum TextField;
using P = ParameterText;
using B = BlankText;
using R = Restore;

// clang-format off
// | setting | first row | field | rows | blank text | format | entry | restored as | typed field |
constexpr std::array kRows = std::to_array<ParameterRow>({
    {P::calibrationCoefficient, 0, value2, 1, B::fieldNumber, "%.3f", -1, R::number, {&CPublic::calibrationCoefficient}},
    {P::loadPulseTicks, 1, value2, 1, B::entryNumber, "%.0f", Entry::loadPulseTicks, R::integer, {&CPublic::loadPulseTicks}},
    {P::unloadPulseTicks, 2, value2, 1, B::entryNumber, "%.0f", Entry::unloadPulseTicks, R::integer, {&CPublic::unloadPulseTicks}},
    {P::plateArea, 3, value2, 1, B::entryNumber, "%.3f", Entry::plateArea, R::number, {&CPublic::plateArea}},
    // Row 4 holds the target load, a run-state text (kTargetLoadSlot).
    {P::holdBand, 5, value2, 1, B::entryNumber, "%.1f", Entry::holdBand, R::number, {&CPublic::holdBand}},
    {P::jackCount, 6, value, 1, B::entryNumber, "%.0f", Entry::jackCount, R::integer, {&CPublic::jackCount}},
    {P::stageStep, 6, value2, 1, B::entryNumber, "%.1f", Entry::stageStep, R::number, {&CPublic::stageStep}},
    {P::maxLoad, 7, value2, 1, B::entryNumber, "%.1f", Entry::maxLoad, R::number, {&CPublic::maxLoad}},
    {P::serialNumber, 7, longText, 1, B::empty, nullptr, -1, R::none, {}},
    {P::pileNumber, 8, value, 1, B::empty, nullptr, -1, R::none, {}},
    {P::testDate, 9, value, 1, B::keep, nullptr, -1, R::none, {}},
    {P::sensorNumber, 9, longText, 1, B::fieldText, nullptr, -1, R::text, {&CPublic::sensorNumber}},
    {P::jackNumber, 12, value, 1, B::fieldText, nullptr, -1, R::text, {&CPublic::jackNumber}},
    {P::maxSettlement, 8, value2, 1, B::entryNumber, "%.2f", Entry::maxSettlement, R::integer, {&CPublic::maxSettlement}},
    {P::maxUnevenSettlement, 9, value2, 1, B::entryNumber, "%.2f", Entry::maxUnevenSettlement, R::integer, {&CPublic::maxUnevenSettlement}},
    {P::loadProtectSeconds, 10, value2, 1, B::entryNumber, "%.2f", Entry::loadProtectSeconds, R::integer, {&CPublic::loadProtectSeconds}},
    {P::gaugeRangeAlarm, 11, value2, 1, B::entryNumber, "%.2f", Entry::gaugeRangeAlarm, R::number, {&CPublic::gaugeRangeAlarm}},
    {P::anchorUpliftAlarm, 12, value2, 1, B::keep, nullptr, -1, R::number, {&CPublic::anchorUpliftAlarm}},
    {P::sensorRange, 10, longText, 1, B::entryNumber, "%.0f", Entry::sensorRange, R::integer, {&CPublic::sensorRange}},
    // A blank test keeps the sensitivity to whole numbers only.
    {P::sensitivity, 11, longText, 1, B::entryNumber, "%.0f", Entry::sensorSensitivity, R::number, {&CPublic::sensorSensitivity}},
    {P::pressureSensor, 12, longText, 1, B::entryIsOne, nullptr, Entry::pressureSensor, R::integer, {&CPublic::pressureSensor}},
    {P::pressureMode, 13, longText, 1, B::entryNumber, "%.0f", Entry::pressureMode, R::integer, {&CPublic::pressureMode}},
    {P::calibrationSource, 14, longText, 1, B::entryNumber, "%.0f", Entry::calibrationSource, R::integer, {&CPublic::calibrationSource}},
    {P::regressionA, 15, longText, 1, B::entryNumber, "%.5f", Entry::regressionA, R::number, {&CPublic::regressionA}},
    {P::regressionB, 16, longText, 1, B::entryNumber, "%.5f", Entry::regressionB, R::number, {&CPublic::regressionB}},
    {P::holdMinutes, 13, value2, 1, B::entryNumber, "%.0f", Entry::holdMinutes, R::integer, {&CPublic::holdMinutes}},
    {P::stableCheckMinutes, 14, value2, 1, B::entryNumber, "%.0f", Entry::stableCheckMinutes, R::integer, {&CPublic::stableCheckMinutes}},
    {P::stableCheckCount, 15, value2, 1, B::entryNumber, "%.0f", Entry::stableCheckCount, R::integer, {&CPublic::stableCheckCount}},
    {P::stableSettlement, 16, value2, 1, B::entryNumber, "%.0f", Entry::stableSettlement, R::number, {&CPublic::stableSettlement}},
    {P::ratedPressure, 14, value, 1, B::entryNumber, "%.0f", Entry::jackRatedPressure, R::number, {&CPublic::jackRatedPressure}},
    {P::ratedForce, 15, value, 1, B::entryNumber, "%.0f", Entry::jackRatedForce, R::number, {&CPublic::jackRatedForce}},
    {P::loadIntervals, 16, value, 6, B::entryNumber, "%.0f", Entry::loadIntervalsFirst, R::integer, {&CPublic::loadIntervals}},
    {P::highGaugesOn, 21, value2, 4, B::entryIsOne, nullptr, Entry::gaugeOnFirst + 4, R::flag, {&CPublic::gaugeOn, 4}},
    {P::unloadIntervals, 22, value, 6, B::entryNumber, "%.0f", Entry::unloadIntervalsFirst, R::integer, {&CPublic::unloadIntervals}},
    {P::spareGaugesOn, 25, value2, 4, B::keep, nullptr, -1, R::none, {}},
    {P::autoAdvance, 30, value2, 1, B::one, nullptr, -1, R::flag, {&CPublic::autoAdvance}},
    {P::lowGaugesOn, 31, value, 4, B::entryIsOne, nullptr, Entry::gaugeOnFirst, R::flag, {&CPublic::gaugeOn, 0}},
    {P::doubleCircuit, 32, value2, 1, B::entryNotZero, nullptr, Entry::doubleCircuitJack, R::flag, {&CPublic::doubleCircuitJack}},
    {P::loadZero, 33, value2, 1, B::fieldNumber, "%.0f", -1, R::number, {&CPublic::loadZero}},
    {P::gaugeZero, 34, value2, 8, B::fieldNumber, "%.0f", -1, R::number, {&CPublic::gaugeZero}},
    {P::singlePileTest, 36, value, 1, B::entryNotOne, nullptr, Entry::groundTest, R::flag, {&CPublic::loadInKN}},
    {P::spareZero, 42, value2, 1, B::zero, "%.0f", -1, R::none, {}},
    {P::loadOffset, 46, value2, 1, B::fieldNumber, "%.0f", -1, R::number, {&CPublic::loadOffset}},
    {P::gaugeOffset, 47, value2, 8, B::fieldNumber, "%.0f", -1, R::number, {&CPublic::gaugeOffset}},
    {P::spareOffset, 55, value2, 1, B::zero, "%.0f", -1, R::none, {}},
    {P::loadDirection, 59, value2, 1, B::fieldNumber, "%.0f", -1, R::direction, {&CPublic::loadDirection}},
    {P::gaugeDirection, 60, value2, 8, B::fieldNumber, "%.0f", -1, R::direction, {&CPublic::gaugeDirection}},
    {P::spareDirection, 68, value2, 1, B::zero, "%.0f", -1, R::none, {}},
    {P::standardCode, 69, longText, 1, B::entryNumber, "%.0f", Entry::standardCode, R::integer, {&CPublic::standardCode}},
    {P::bearingCapacity, 71, longText, 1, B::keep, nullptr, -1, R::integer, {&CPublic::bearingCapacity}},
});
// clang-format on

template <typename... F> struct Overloaded : F... { using F::operator()...; };
template <typename... F> Overloaded(F...) -> Overloaded<F...>; // clang needs the guide

template <std::size_t N> QByteArray BytesOf(const char (&field)[N]) {
    return FieldText(field);
}

const Record* RowAt(const std::vector<Record>& rows, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? &rows[static_cast<std::size_t>(row)]
                                                                   : nullptr;
}

// Stores a text read back from a row into element i of the typed field.
void Store(CPublic& pub, const TypedField& typed, int i, Restore restore, const QString& text) {
    const int integer = ReadInteger(text);
    const float number = ReadNumber(text);
    const bool flag = text.startsWith(QLatin1Char('1'));
    const int whole = restore == Restore::flag                        ? (flag ? 1 : 0)
                      : restore == Restore::direction && integer == 0 ? 1
                                                                      : integer;
    const auto element = static_cast<std::size_t>(typed.first + i);
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [&](int CPublic::*m) { pub.*m = whole; },
                   [&](float CPublic::*m) { pub.*m = number; },
                   [&](bool CPublic::*m) { pub.*m = flag; },
                   [&](QString CPublic::*m) { pub.*m = text; },
                   [&](std::array<int, 6> CPublic::*m) { (pub.*m)[element] = whole; },
                   [&](std::array<int, 8> CPublic::*m) { (pub.*m)[element] = whole; },
                   [&](std::array<float, 8> CPublic::*m) { (pub.*m)[element] = number; },
               },
               typed.member);
}

QByteArray BlankTextOf(const ParameterRow& row, int i, const CPublic& pub) {
    const double entry = static_cast<double>(ParameterAt(pub.paramList, row.entry + i));
    switch (row.blank) {
    case BlankText::keep:
        break;
    case BlankText::empty:
        return {};
    case BlankText::entryNumber:
        return CFormat(row.format, entry);
    case BlankText::fieldNumber:
        return CFormat(row.format, TypedNumber(pub, row.typed, i));
    case BlankText::fieldText:
        return DeviceText::FromUnicode(pub.*std::get<QString CPublic::*>(row.typed.member));
    case BlankText::entryIsOne:
        return FlagText(entry == 1.0);
    case BlankText::entryNotZero:
        return FlagText(entry != 0.0);
    case BlankText::entryNotOne:
        return FlagText(entry != 1.0);
    case BlankText::one:
        return FlagText(true);
    case BlankText::zero:
        return CFormat(row.format, 0.0);
    }
    return {};
}

} // namespace

std::span<const ParameterRow> ParameterRows() {
    return kRows;
}

const ParameterRow& ParameterRowOf(ParameterText id) {
    return *std::find_if(kRows.begin(), kRows.end(), [id](const ParameterRow& row) { return row.id == id; });
}

RowSlot SlotOf(ParameterText id, int i) {
    const ParameterRow& row = ParameterRowOf(id);
    return {row.firstRow + i, row.field};
}

double TypedNumber(const CPublic& pub, const TypedField& typed, int i) {
    const auto element = static_cast<std::size_t>(typed.first + i);
    return std::visit(
        Overloaded{
            [](std::monostate) { return 0.0; },
            [](QString CPublic::*) { return 0.0; },
            [&](int CPublic::*m) { return static_cast<double>(pub.*m); },
            [&](float CPublic::*m) { return static_cast<double>(pub.*m); },
            [&](bool CPublic::*m) { return pub.*m ? 1.0 : 0.0; },
            [&](std::array<int, 6> CPublic::*m) { return static_cast<double>((pub.*m)[element]); },
            [&](std::array<int, 8> CPublic::*m) { return static_cast<double>((pub.*m)[element]); },
            [&](std::array<float, 8> CPublic::*m) { return static_cast<double>((pub.*m)[element]); },
        },
        typed.member);
}

QByteArray RowBytes(const std::vector<Record>& rows, RowSlot slot) {
    const Record* record = RowAt(rows, slot.row);
    if (!record)
        return {};
    switch (slot.field) {
    case TextField::value:
        return BytesOf(record->textValue);
    case TextField::value2:
        return BytesOf(record->textValue2);
    case TextField::longText:
        return BytesOf(record->textLong);
    }
    return {};
}

QString RowString(const std::vector<Record>& rows, RowSlot slot) {
    return DeviceText::ToUnicode(RowBytes(rows, slot));
}

void SetRowBytes(std::vector<Record>& rows, RowSlot slot, const QByteArray& text) {
    if (slot.row < 0 || static_cast<std::size_t>(slot.row) >= rows.size())
        return;
    Record& record = rows[static_cast<std::size_t>(slot.row)];
    switch (slot.field) {
    case TextField::value:
        SetFieldText(record.textValue, text);
        break;
    case TextField::value2:
        SetFieldText(record.textValue2, text);
        break;
    case TextField::longText:
        SetFieldText(record.textLong, text);
        break;
    }
}

QByteArray FlagText(bool on) {
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

QByteArray DateText(const QDate& date) {
    return CFormat("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

void WriteBlankParameterTexts(std::vector<Record>& rows, const CPublic& pub) {
    for (const ParameterRow& row : kRows) {
        if (row.blank == BlankText::keep)
            continue;
        for (int i = 0; i < row.count; ++i)
            SetRowBytes(rows, {row.firstRow + i, row.field}, BlankTextOf(row, i, pub));
    }
}

void ReadParameterTexts(CPublic& pub, const std::vector<Record>& rows) {
    for (const ParameterRow& row : kRows) {
        if (row.restore == Restore::none)
            continue;
        for (int i = 0; i < row.count; ++i)
            Store(pub, row.typed, i, row.restore, RowString(rows, {row.firstRow + i, row.field}));
    }
}
