#pragma once

#include "core/data/CPublic.h"
#include "core/setup/CalibrationLookup.h"
#include "core/setup/TestSettingsForm.h"

#include <QString>

#include <optional>

class KVTFile;

// The checks of "下一步" / "确定" of the test settings. Each returns the
// message to show when the form is refused, or an empty text; none of them
// changes the test.

// New-test wizard only, before the settings checks: the serial number (six
// or twelve digits, not all zero), the pile number (four characters) and the
// jack count.
QString CheckWizardIdentity(const TestSettingsForm& form);

struct SettingsValidation {
    QString refusal; // empty when the settings are accepted
    // The calibration record the calibration-data mode will use.
    std::optional<CalibrationLookup> calibration;
};

// Sensor, jack and mode checks in the order the operator is told about
// them; the calibration-data mode also looks up its calibration record.
SettingsValidation ValidateSettings(const TestSettingsForm& form, const KVTFile& files);

inline const QString kDataFileExistsMessage = QStringLiteral("该文件已经存在！请重新输入试桩编号");

// "\硬盘\APP\" + serial number + "-" + pile number + ".kvt".
QString NewDataFilePath(const TestSettingsForm& form);

// The wizard names the new test's data file: `dataFilePath` becomes `path`,
// unless a test file of that name exists already (one whole row or more, or
// a file that cannot be read), which must not be overwritten; then
// `dataFilePath` is emptied and false returned.
bool ClaimDataFile(CPublic& pub, const KVTFile& files, const QString& path);
