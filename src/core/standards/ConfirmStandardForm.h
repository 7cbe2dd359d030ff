#pragma once

#include "core/data/CPublic.h"
#include "core/standards/StandardForm.h"

#include <QString>

// "下一步" / "确定" of the standard selection, without the dialog: checks the
// typed boxes of the user-input choice (and the bearing capacity of the
// bearing-capacity standard), then stores the choice into the typed
// parameters, the parameter column of the record list and `list`.
//
// Returns the message to show when a box is refused ("数据不能为空！" or
// "数据输入有误！"); nothing is stored then. An empty result means stored.
// Whether to store at all (a running test or the wizard), saving the
// settings and moving the wizard on stay with the dialog.
QString ConfirmStandardForm(CPublic& pub, ParameterList& list, const StandardForm& form);
