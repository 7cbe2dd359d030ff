#pragma once

#include "core/calib/SystemCalibrationRun.h"

#include <QByteArray>
#include <QString>

#include <optional>

class DeviceFolders;

inline const QString kSystemCalibrationFile = QStringLiteral("\\硬盘\\APP\\xtbd.ini");

// xtbd.ini, 312 bytes, little-endian, written whole at every save:
// | offset | size | content                                                        |
// |      0 |   72 | the 18 run fields, 4 bytes each, in the order of            |
// |        |      | SystemCalibrationRun (int32 or float32 as declared there)      |
// |     72 |  240 | points 0-11, 20 bytes each: standard force, calibration force, |
// |        |      | calibration pressure, check force, check pressure (float32)    |
inline constexpr int kRunFieldsBytes = 18 * 4;
inline constexpr int kSystemCalibrationFileSize = kRunFieldsBytes + kSystemCalibrationSlots * 5 * 4;
static_assert(kSystemCalibrationFileSize == 312);

QByteArray PackSystemCalibration(const SystemCalibrationRun& run);
// Empty for a file of another size or one whose point count or indices lie
// outside the tables (a damaged file would index past them).
std::optional<SystemCalibrationRun> ParseSystemCalibration(const QByteArray& bytes);

// The run as the dialog opens it: the file's, or the defaults when it
// cannot be read.
SystemCalibrationRun LoadSystemCalibration(const DeviceFolders& folders);
bool SaveSystemCalibration(const DeviceFolders& folders, const SystemCalibrationRun& run);
