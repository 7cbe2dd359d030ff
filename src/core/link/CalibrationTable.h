#pragma once

#include "core/data/CalibrationSelection.h"

#include <optional>

// A calibration table can convert only with 3 to 10 points whose pressures
// strictly increase; with fewer points or a fold in the pressures no segment
// (or a wrong one) would match the input.
bool IsUsableCalibrationTable(const CalibrationSelection& table);

// Load of one jack, kN, for the table input v (an oil pressure or a scaled
// count). Below the first point the first segment is extended; above
// p[n-2] the segment from point n-3 to n-2 is extended, so the last point
// never enters the result. Empty when the table is not usable or v is NaN.
std::optional<float> LookupCalibrationTable(const CalibrationSelection& table, float v);
