#pragma once

#include "core/data/ParameterRows.h"
#include "core/data/Record.h"

#include <QDate>

#include <vector>

// The run state as the data file keeps it, so that a test interrupted by a
// power failure resumes: row 4 (second text) and row 31 (second text), and
// the first texts of rows 41-47.
struct RunStateTexts {
    float targetLoad = 0;      // row 4, "%.2f"
    int readingCount = 0;      // row 31, "%.0d" (a reopened test counts its rows instead)
    int controlState = 0;      // row 41, "%.0d": 0 gives an empty text
    bool stageChanged = false; // row 42, "%.0d" of 1 or 0
    float lastTarget = 0;      // row 43, "%.2f"
    bool stageReached = false; // row 44, "%.0d" of 1 or 0
    int nextReadingTime = 0;   // row 45, "%.0d", seconds since midnight; read as a number, truncated
    int readingStep = 0;       // row 46, "%.0d"
    QDate saveDate;            // row 47, "%04d-%02d-%02d"; invalid when the text is no such date
    // Row 41 holds "00": the test has ended (by the operator or by itself).
    // A waiting test writes the empty text and a blank test's template holds
    // "0", so the mark is told apart from both while every reader of the
    // number still sees state 0.
    bool ended = false;
};

// Rows 4 and 31 are rewritten on every save (KVTFile::WriteRunStateTexts),
// rows 41-47 whole with their rows.
inline constexpr int kFirstRunStateRow = 41;
inline constexpr int kLastRunStateRow = 47;
// The control load, which the load-control settings also show and set.
inline constexpr RowSlot kTargetLoadSlot{4, TextField::value2};

// A list shorter than 74 rows is left alone / reads as all zero.
void WriteRunStateTexts(std::vector<Record>& rows, const RunStateTexts& state);
RunStateTexts ReadRunStateTexts(const std::vector<Record>& rows);

// Row 4 alone: a blank test writes the control load of its settings there.
void WriteTargetLoadText(std::vector<Record>& rows, float targetLoad);
