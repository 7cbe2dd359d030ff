#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Writes the documents of one test (its report and its open export) from the
// data file at host path `dataFile` into the host folder `folder`; the reason
// of a failure, empty on success. The file manager runs it on a worker
// thread, so it must touch nothing but its arguments and the files.
using TestDocumentWriter = std::function<QString(const QString& dataFile, const QString& folder)>;

// The names the documents of the data file `dataFileName` get beside it:
// "123456-0001.kvt" → "123456-0001.pdf", "123456-0001.csv".
inline QStringList TestDocumentNames(const QString& dataFileName) {
    const qsizetype dot = dataFileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? dataFileName.left(dot) : dataFileName;
    return {stem + QStringLiteral(".pdf"), stem + QStringLiteral(".csv")};
}
