#pragma once

#include "core/data/CPublic.h"
#include "core/view/CurveModel.h"

#include <QByteArray>
#include <QString>

// Opens the bytes of a data file the way the main screen opens a test: rows,
// restored parameters, settlement rows, level summary and curves. False when
// they hold no whole 267-byte row.
bool OpenTestBytes(const QByteArray& bytes, CPublic& pub, CurveModel& curves);

// The report (PDF) and the CSV export of the data file at host path
// `dataFile`, written into `folder` under the names of TestDocumentNames,
// each durably and only when whole: a failure never leaves a truncated file
// under a final name. The reason of a failure; empty on success. Paints on a
// PDF device only, so it may run on a worker thread of the program.
QString WriteTestDocuments(const QString& dataFile, const QString& folder);
