#pragma once

#include "core/data/CPublic.h"
#include "core/setup/TestSettingsForm.h"

#include <QByteArray>
#include <QString>

#include <optional>

class KVTFile;

// How the data file stores the boxes K is computed from. K is computed from
// the stored values, so a test reloaded from its file converts the same way.
namespace StoredFormat {
inline constexpr const char* ratedPressure = "%.2f";
inline constexpr const char* ratedForce = "%.0f";
inline constexpr const char* jackCount = "%.0f";
inline constexpr const char* sensorRange = "%.0f";
inline constexpr const char* sensitivity = "%f";
inline constexpr const char* regression = "%.6f";
inline constexpr const char* coefficient = "%.3f";
} // namespace StoredFormat

// The text a box is stored as: its number printed with `format`.
QByteArray StoredText(const QString& box, const char* format);
// The number that stored text reads back as.
float StoredValue(const QString& box, const char* format);

// The load coefficient K (raw counts per kN) for the form's sensor and
// pressure mode:
//   oil sensor, "计算" or system calibration: 1200·S·Pr / (N·Fr·R)
//   oil sensor, jack calibration table:       mean over the points of 1200·S·p / (R·l), divided by N
//   oil sensor, regression:                   15·b·S
//   force sensor:                             C / N
// `jackTable` is the selected record for the jack calibration table. Nothing
// when the inputs give no finite coefficient (a table without a point of
// positive load, a zero divisor).
std::optional<float> LoadCoefficient(const TestSettingsForm& form, const CalibrationSelection* jackTable);

// The coefficient box while the operator types: K for the current boxes, the
// jack calibration table looked up by the typed jack number. Empty when it
// cannot be computed.
QString PreviewCoefficient(const TestSettingsForm& form, const KVTFile& files);
