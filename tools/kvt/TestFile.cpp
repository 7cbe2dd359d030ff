#include "TestFile.h"

#include "Commands.h"

#include "ui/report/TestDocuments.h"

bool OpenTestFile(const QString& path, CPublic& pub, CurveModel& curves) {
    QByteArray bytes;
    if (!ReadHostFile(path, bytes))
        return false;
    if (!OpenTestBytes(bytes, pub, curves)) {
        std::fprintf(stderr, "kvt: %s holds no whole 267-byte row\n", qPrintable(path));
        return false;
    }
    return true;
}
