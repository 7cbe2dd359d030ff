#pragma once

#include "core/data/CPublic.h"

#include <QByteArray>

// The settlement rows turn the stored readings into one row per reading (a
// manual reading is left out) with the load of its level, the average
// settlement of gauges 1-4 and the minutes elapsed in the level. Row k lives
// in the settlement-row fields (avgSettlement, rowLoad, rowMinutes) of record
// k. A level-opening row carries the minutes "0"; the row after the last one
// carries "99999".

// The minutes text that ends the settlement rows.
inline constexpr char kEndOfRows[] = "99999";

// Recomputes every settlement row of pub.recordList and pub.rowCount from the
// first pub.readingCount readings. Writes "--:--" into the clock of record 0:
// the first reading always opens a level.
void DeriveSettlementRows(CPublic& pub);

// Average of the enabled gauges among 1-4 (gauges 5-8 never count), unrounded.
// With none of them enabled the sum, 0, is divided by 1.
float EnabledGaugeAverage(const CPublic& pub, const Record& record);

// The same, rounded to the settlement decimals of pub's standard.
float RoundedGaugeAverage(const CPublic& pub, const Record& record);

// True for a reading whose remark holds "手动": it has no settlement row.
bool IsManualReading(const Record& record);

// True for a level-opening record (clock "--:--").
bool OpensLevel(const Record& record);

// The minutes text of a settlement row, trimmed of white space.
QByteArray RowMinutesText(const Record& record);

// The minutes of a settlement row as a number; an empty text (a computed time
// of 0, which "%.0d" prints as nothing) reads as 0.
float RowMinutesValue(const Record& record);
