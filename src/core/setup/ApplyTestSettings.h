#pragma once

#include "core/data/CPublic.h"
#include "core/setup/ConfirmTestSettings.h"
#include "core/setup/TestSettingsForm.h"

#include <QDate>

// Storing accepted test settings: the parameter-column rows of the data
// file, the typed test parameters with the load coefficient, and the
// settings list. Run only after every check has passed.

// The identity, jack and sensor texts, and `today` as the test date.
void WriteSettingsRows(CPublic& pub, const TestSettingsForm& form, const QDate& today);

// The typed parameters, their mode rows, the calibration record found by the
// checks and the load coefficient K (field and row 0).
void ApplySettings(CPublic& pub, const TestSettingsForm& form, const SettingsValidation& validation);

// Entries 10-20, 62 and 63 of the settings list.
void WriteSettingsEntries(ParameterList& list, const TestSettingsForm& form);

// All three, in this order.
void StoreTestSettings(CPublic& pub, ParameterList& list, const TestSettingsForm& form,
                       const SettingsValidation& validation, const QDate& today);
