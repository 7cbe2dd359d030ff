#pragma once

#include "core/data/CPublic.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <span>
#include <variant>

// The parameter column of the data file (rows 0-73): which text field of
// which row holds which setting, how a blank test writes it and how a
// reopened test reads it back. The builder, the dialogs and the restore all
// find their rows here; the run state has its own rows (RunStateRows.h).

// The three text fields of a row.
enum class TextField { value, value2, longText }; // textValue, textValue2, textLong

struct RowSlot {
    int row;
    TextField field;
};

// The settings of the column. An indexed one (`count` > 1 in the table) fills
// consecutive rows of the same field.
enum class ParameterText {
    calibrationCoefficient,
    loadPulseTicks,
    unloadPulseTicks,
    plateArea,
    holdBand,
    jackCount,
    stageStep,
    maxLoad,
    serialNumber,
    pileNumber,
    testDate,
    sensorNumber,
    jackNumber,
    maxSettlement,
    maxUnevenSettlement,
    loadProtectSeconds,
    gaugeRangeAlarm,
    anchorUpliftAlarm,
    sensorRange,
    sensitivity,
    pressureSensor,
    pressureMode,
    calibrationSource,
    regressionA,
    regressionB,
    holdMinutes,
    stableCheckMinutes,
    stableCheckCount,
    stableSettlement,
    ratedPressure,
    ratedForce,
    loadIntervals,   // 6
    unloadIntervals, // 6
    highGaugesOn,    // gauges 5-8
    spareGaugesOn,   // 4, always "0"
    autoAdvance,
    lowGaugesOn, // gauges 1-4
    doubleCircuit,
    singlePileTest,
    loadZero,
    gaugeZero, // 8
    spareZero,
    loadOffset,
    gaugeOffset, // 8
    spareOffset,
    loadDirection,
    gaugeDirection, // 8
    spareDirection,
    standardCode,
    bearingCapacity,
};

// A typed field of CPublic: a scalar member, or element `first` + i of an
// array member for the i-th row of an indexed setting.
struct TypedField {
    std::variant<std::monostate, int CPublic::*, float CPublic::*, bool CPublic::*, QString CPublic::*,
                 std::array<int, 6> CPublic::*, std::array<int, 8> CPublic::*,
                 std::array<float, 8> CPublic::*>
        member;
    int first = 0;
};

// How a blank test fills a row.
enum class BlankText {
    keep,         // the template's text stays
    empty,        // cleared
    entryNumber,  // list entry `entry` + i with `format`
    fieldNumber,  // the typed field with `format`
    fieldText,    // the typed field's text in the device code page
    entryIsOne,   // "1" when the entry is 1.0, else "0"
    entryNotZero, // "1" when the entry is not 0.0
    entryNotOne,  // "1" when the entry is not 1.0
    one,          // "1"
    zero,         // "%.0f" of 0: the spare channel
};

// How RestoreParameters reads a row into its typed field.
enum class Restore {
    none,
    integer,   // wide-string integer conversion
    number,    // ReadNumber
    flag,      // first character '1'
    text,      // the text itself
    direction, // integer, a 0 taken as +1
};

struct ParameterRow {
    ParameterText id;
    int firstRow;
    TextField field;
    int count;
    BlankText blank;
    const char* format; // printf format of a number text from the builder
    int entry;          // list entry of the first row's blank text
    Restore restore;
    TypedField typed;
};

// Every setting of the column, in row order of its first row.
std::span<const ParameterRow> ParameterRows();
const ParameterRow& ParameterRowOf(ParameterText id);

// The slot of row i of a setting (i < count).
RowSlot SlotOf(ParameterText id, int i = 0);

// Element i of a numeric typed field as a number (0 for a text or none).
double TypedNumber(const CPublic& pub, const TypedField& typed, int i);

// A list too short for the row reads it as empty and skips writes to it.
QByteArray RowBytes(const std::vector<Record>& rows, RowSlot slot);
QString RowString(const std::vector<Record>& rows, RowSlot slot);
void SetRowBytes(std::vector<Record>& rows, RowSlot slot, const QByteArray& text);

inline QString ReadParameterText(const CPublic& pub, ParameterText id, int i = 0) {
    return RowString(pub.recordList, SlotOf(id, i));
}
inline void WriteParameterText(CPublic& pub, ParameterText id, const QByteArray& text) {
    SetRowBytes(pub.recordList, SlotOf(id), text);
}
inline void WriteParameterText(CPublic& pub, ParameterText id, int i, const QByteArray& text) {
    SetRowBytes(pub.recordList, SlotOf(id, i), text);
}

// "1" / "0".
QByteArray FlagText(bool on);
// "%04d-%02d-%02d".
QByteArray DateText(const QDate& date);

// The blank test's texts of every setting, from the list and the typed
// fields of `pub` (rows must hold 74 rows).
void WriteBlankParameterTexts(std::vector<Record>& rows, const CPublic& pub);
// Every setting with a restore rule from the texts into the typed fields
// of `pub` (rows must hold 74 rows).
void ReadParameterTexts(CPublic& pub, const std::vector<Record>& rows);
