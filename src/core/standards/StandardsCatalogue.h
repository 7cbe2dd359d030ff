#pragma once

#include <QString>

#include <array>
#include <optional>
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

// How the stability judgement decides that a held stage is stable.
enum class StabilityFamily {
    never,                  // a code the catalogue does not know
    twoIntervalConvergence, // later two-interval settlements not larger
    incrementConvergence,   // the last increment not larger than the one before
    holdingTimeOnly,        // stable once the holding time is over
    oneWindow,              // one window, 0.01 mm
    windowChain,            // K consecutive windows, 0.01 mm
    lastReadings,           // each of the last K readings against one window, 0.001 mm
};

// What a standard prescribes beyond its criteria boxes. The defaults are
// those of a code the catalogue does not know.
struct StandardRules {
    int settlementDecimals = 2; // of every settlement shown and recorded
    StabilityFamily stability = StabilityFamily::never;
    // The window settlement must stay strictly below the stable settlement
    // (the other last-readings standards accept it equal).
    bool strictlyBelowStableSettlement = false;
    // The window chain allows the stable settlement itself and takes it from
    // the bearing capacity: 0.25 mm above it, else 0.1 mm.
    bool stableSettlementFromBearingCapacity = false;
    // Standard 0's ladder: loading jumps to 5·S, then by 2·S up to 7·S;
    // unloading 10·S -> 5·S -> 3·S -> 0; the tenth stage holds two hours.
    bool loadingLadder = false;
    // The second loading stage is two stage loads above the first.
    bool doubleFirstStep = false;
    // With an odd number of stages to the maximum load the first unloading
    // takes three stage loads off.
    bool oddStageUnloadsThreeSteps = false;
    // Once the six loading intervals are used up the last one counts twice.
    bool doublesLastLoadingInterval = false;
    // An unloading stage is complete once the reading step exceeds this
    // count; none for the standards whose unloading stages the operator ends.
    std::optional<int> unloadingStageReadings;
    // The final rebound is complete once the last settlement row lies more
    // than this many minutes into the stage.
    int finalReboundMinutes = 179;
    // The final rebound may end earlier: from the third reading on, once the
    // last three readings settled less than 0.01 mm.
    bool reboundSettlesWithinHundredth = false;
    // The first reading of the final rebound comes after two hours.
    bool firstReboundAfterTwoHours = false;
};

struct StandardEntry {
    int code;
    int radioId;         // control id of the radio button
    const char* caption; // UTF-8
    bool hasPreset;      // false only for the user-input choice
    CriteriaPreset criteria;
    std::array<int, 6> loadIntervals;   // minutes between loading readings
    std::array<int, 6> unloadIntervals; // minutes between unloading readings
    StandardRules rules;

    QString Caption() const { return QString::fromUtf8(caption); }
};

// All 19 entries in the order of the dialog's table.
std::span<const StandardEntry> StandardsCatalogue();

// nullptr when no entry has that code or radio button.
const StandardEntry* FindStandardByCode(int code);
const StandardEntry* FindStandardByRadioId(int radioId);

// The rules of the standard with that code; the defaults for an unknown one.
const StandardRules& StandardRulesOf(int code);
