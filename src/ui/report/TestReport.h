#pragma once

#include "core/data/CPublic.h"
#include "core/view/CurveModel.h"

#include <QIODevice>
#include <QString>

// The test report on A4 pages: the test's identity, the summary and
// load-settlement tables, the three curves as the screen draws them, and the
// record table over as many pages as it needs, its header repeated on each.
// `pub` and `curves` are a test as opened from its file (rows, restored
// parameters, settlement rows, level summary and curve points); `sourceName`
// names the file in the page footer. Needs a QGuiApplication (fonts).
// Returns the number of pages written; 0 when `device` takes no PDF.
int WriteTestReport(const CPublic& pub, const CurveModel& curves, const QString& sourceName,
                    QIODevice& device);
