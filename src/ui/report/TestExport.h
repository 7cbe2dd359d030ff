#pragma once

#include "core/data/CPublic.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// A table of the open export: column names carry their unit ("load_kN",
// "gauge1_mm"); a cell is an int, a double (NaN or infinite when the file
// holds no number there), a bool, a text or null.
struct ExportTable {
    QString name;
    QStringList columns;
    std::vector<QVariantList> rows;
};

// Every reading (clock, level load, the enabled gauges and their average,
// remark, flags), every settlement row and the level summary of the test in
// `pub`, after its file has been opened.
std::vector<ExportTable> ExportTables(const CPublic& pub);

// The export as UTF-8 CSV: a block of "field,caption,value" lines naming the
// test, then each table as its name on a line, its column names and its
// rows, blocks parted by an empty line. A value that is not a finite number
// is an empty field.
QByteArray ExportCsv(const CPublic& pub, const QString& sourceName);

// The export as one JSON object: "source", "test" (key: value) and one array
// of row objects per table. A value that is not a finite number is null.
QByteArray ExportJson(const CPublic& pub, const QString& sourceName);
