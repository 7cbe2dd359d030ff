#include "ui/report/TestDocuments.h"

#include "core/data/KVTFile.h"
#include "core/data/Record.h"
#include "core/view/LevelSummary.h"
#include "core/view/SettlementRows.h"
#include "platform/DeviceFolders.h"
#include "platform/FileSystem.h"
#include "ui/files/TestDocumentWriter.h"
#include "ui/report/TestExport.h"
#include "ui/report/TestReport.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

bool OpenTestBytes(const QByteArray& bytes, CPublic& pub, CurveModel& curves) {
    pub.recordList = ParseDataFile(bytes);
    if (pub.recordList.empty())
        return false;
    // The restore also reloads the upload queue; an empty device root keeps
    // the host's own files out of it. A document needs no reading schedule,
    // so the restore is given no time of day.
    const QTemporaryDir emptyRoot;
    const DeviceFolders folders(emptyRoot.path());
    KVTFile(folders).RestoreParameters(pub, pub.recordList, QDateTime());

    DeriveSettlementRows(pub);
    if (pub.readingCount == 0)
        curves.ShowEmptyTest(pub.standardCode);
    else
        BuildLevelSummary(pub, curves);
    return true;
}

QString WriteTestDocuments(const QString& dataFile, const QString& folder) {
    const FileSystem& disk = HostFileSystem::Instance();
    QByteArray bytes;
    constexpr qint64 kMaxBytes = kMaxDataFileRows * static_cast<qint64>(kPackedRecordSize);
    if (disk.ReadAll(dataFile, kMaxBytes, bytes) != FileSystem::ReadStatus::Read)
        return QStringLiteral("cannot read %1").arg(dataFile);
    CPublic pub;
    CurveModel curves;
    if (!OpenTestBytes(bytes, pub, curves))
        return QStringLiteral("%1 holds no whole row").arg(dataFile);

    const QString sourceName = QFileInfo(dataFile).fileName();
    QByteArray report;
    QBuffer reportDevice(&report);
    reportDevice.open(QIODevice::WriteOnly);
    if (WriteTestReport(pub, curves, sourceName, reportDevice) <= 0)
        return QStringLiteral("the report of %1 could not be drawn").arg(sourceName);
    reportDevice.close();

    const QStringList names = TestDocumentNames(sourceName);
    const QDir out(folder);
    if (!disk.ReplaceDurably(out.filePath(names.at(0)), report) ||
        !disk.ReplaceDurably(out.filePath(names.at(1)), ExportCsv(pub, sourceName)))
        return QStringLiteral("cannot write into %1").arg(folder);
    return {};
}
