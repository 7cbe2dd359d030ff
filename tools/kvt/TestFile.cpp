#include "TestFile.h"

#include "Commands.h"

#include "core/data/KVTFile.h"
#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "platform/DeviceFolders.h"

#include <QDateTime>
#include <QTemporaryDir>

bool OpenTestFile(const QString& path, CPublic& pub, CurveModel& curves) {
    QByteArray bytes;
    if (!ReadHostFile(path, bytes))
        return false;
    pub.recordList = ParseDataFile(bytes);
    if (pub.recordList.empty()) {
        std::fprintf(stderr, "kvt: %s holds no whole 267-byte row\n", qPrintable(path));
        return false;
    }
    // The restore also reloads the upload queue; an empty device root keeps
    // the host's own files out of it.
    const QTemporaryDir emptyRoot;
    const DeviceFolders folders(emptyRoot.path());
    KVTFile(folders).RestoreParameters(pub, pub.recordList, QDateTime::currentDateTime());

    DeriveSettlementRows(pub);
    if (pub.readingCount == 0)
        curves.ShowEmptyTest(pub.standardCode);
    else
        BuildLevelSummary(pub, curves);
    return true;
}
