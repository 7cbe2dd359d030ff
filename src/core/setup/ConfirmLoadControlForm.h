#pragma once

#include "core/data/CPublic.h"
#include "core/setup/LoadControlForm.h"

#include <QString>

class KVTFile;

// The message for the first box of `form` that cannot be stored, checked in
// the dialog's order (the plate area only for a ground test), then the limit
// load against the control load. Empty when everything can be stored.
QString LoadControlRefusal(const LoadControlForm& form, bool loadInKN);

// Writes `form` into the parameter column (rows 1-12 and 30), the typed
// parameters and settings entries 21-32. The typed values are read back
// from the row texts, so they carry the rounding of the rows, while the
// settings entries keep the values as typed. The caller has checked the form.
void StoreLoadControlForm(CPublic& pub, ParameterList& list, const LoadControlForm& form);

// "下一步" / "确定" once the dialog stores (LoadControlStores): checks, then
// stores, hands the control load to the wizard through `controlLoadText`,
// asks the main window for a data-file save when alone, saves the settings
// file and moves the wizard to the standard selection.
//
// Returns the message to show when the form is refused; nothing is stored
// then. An empty result means stored.
QString ConfirmLoadControlForm(CPublic& pub, ParameterList& list, QString& controlLoadText,
                               const KVTFile& files, const LoadControlForm& form);
