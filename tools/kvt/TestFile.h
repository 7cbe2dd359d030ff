#pragma once

#include "core/data/CPublic.h"
#include "core/view/CurveModel.h"

#include <QString>

// Opens a data file on the host the way the main screen opens it: rows,
// restored parameters, settlement rows, level summary and curves. False, with
// a message on stderr, when the file cannot be read or holds no whole row.
bool OpenTestFile(const QString& path, CPublic& pub, CurveModel& curves);
