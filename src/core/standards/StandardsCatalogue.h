#pragma once

#include <QString>

#include <array>
#include <span>

// The building standards a test can follow, as offered by the standard
// selection: each with its stored code, its radio button and the texts its
// criteria boxes show. The codes are not contiguous; they are stored in the
// parameters and data files and compared as they are.

// The choice whose criteria the operator types in; it has no presets.
inline constexpr int kUserInputCode = 9;
// The plate test whose stable settlement follows the bearing capacity.
inline constexpr int kBearingCapacityCode = 10;

// Texts of the four criteria boxes, UTF-8. Besides numbers they hold "收敛"
// (a convergence rule, no fixed settlement) and "不判稳" (holding time only).
struct CriteriaPreset {
    const char* holdMinutes;        // "维荷时间(分)"
    const char* stableCheckMinutes; // "判稳时间(分)"
    const char* stableCheckCount;   // "判稳次数(次)"
    const char* stableSettlement;   // "稳定沉降(mm)"
};

struct StandardEntry {
    int code;
    int radioId;         // control id of the radio button
    const char* caption; // UTF-8
    bool hasPreset;      // false only for the user-input choice
    CriteriaPreset criteria;
    std::array<int, 6> loadIntervals;   // minutes between loading readings
    std::array<int, 6> unloadIntervals; // minutes between unloading readings

    QString Caption() const { return QString::fromUtf8(caption); }
};

// All 19 entries in the order of the dialog's table.
std::span<const StandardEntry> StandardsCatalogue();

// nullptr when no entry has that code or radio button.
const StandardEntry* FindStandardByCode(int code);
const StandardEntry* FindStandardByRadioId(int radioId);
