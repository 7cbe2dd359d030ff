#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A point of a curve: x is a load (kN or kPa) or minutes within a level, y a
// settlement in hundredths of a millimetre (thousandths for the two
// rock-foundation standards, codes 3 and 58).
struct CurvePoint {
    int x = 0;
    int y = 0;
    bool operator==(const CurvePoint&) const = default;
};

// Everything the curve graph draws: the points of the load and time curves,
// the level of each time point, and the ranges the axes are scaled to.
// Filled from the level summary after every reading; the graph only reads it.
struct CurveModel {
    static constexpr int kNoLevel = 99999;
    // Time points carry their level in a fixed array; later points are dropped.
    static constexpr std::size_t kMaxTimePoints = 1000;

    CurveModel();

    // Empties both point lists and marks every level slot kNoLevel.
    void ClearPoints();
    void AddLoadPoint(CurvePoint point);
    // Stores the point with its level load; false (and nothing stored) once
    // kMaxTimePoints points are held.
    bool AddTimePoint(CurvePoint point, int levelLoad);
    // A test without readings: no points, loads 0-1000 and a settlement scale
    // of 10 mm in the unit of `code`.
    void ShowEmptyTest(int code);

    std::vector<CurvePoint> loadPoints;         // origin, end of every completed level, newest reading
    std::vector<CurvePoint> timePoints;         // readings inside their level, in order
    std::array<int, kMaxTimePoints> pointLevel; // level load of timePoints[i]; kNoLevel past the last

    int maxX = 1000;          // largest level load: right end of the load axes
    int minX = 0;             // left end of the linear load axis
    double yMaxScaled = 1000; // largest cumulative settlement, in point units
    int maxMinutes = 1000;    // longest time within a level: decades of the time axis
    int standardCode = 0;     // decides the point unit
    int curveMode = 1;        // 1 load, 2 log load, 3 log time
    bool loadInKN = true;     // captions in kN, else kPa
};

// Point units per millimetre: 1000 for standard codes 3 and 58, else 100.
int SettlementScale(int standardCode);

// A settlement in point units, truncated toward zero.
int ScaledSettlement(float mm, int standardCode);
