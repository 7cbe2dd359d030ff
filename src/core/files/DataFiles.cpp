#include "core/files/DataFiles.h"

#include "platform/DeviceFolders.h"
#include "platform/DurableCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

QString FileSizeText(qint64 bytes) {
    constexpr qint64 kKilo = 1024;
    constexpr qint64 kMega = 1024 * 1024;
    if (bytes < kKilo)
        return QString::asprintf("%dB", static_cast<int>(bytes));
    if (bytes < kMega)
        return QString::asprintf("%.1fKB", static_cast<double>(bytes) / kKilo);
    return QString::asprintf("%.2fMB", static_cast<double>(bytes) / kMega);
}

QString FileDateText(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QDateTime BirthOrModifiedTime(const QFileInfo& file) {
    const QDateTime birth = file.birthTime();
    return birth.isValid() ? birth : file.lastModified();
}

DataFiles::DataFiles(const DeviceFolders& folders, CreationTime creationTime)
    : m_folders(folders), m_creationTime(creationTime) {}

std::vector<StoredFile> DataFiles::List() const {
    const QDir folder(m_folders.AppFolder());
    std::vector<StoredFile> files;
    for (const QFileInfo& info :
         folder.entryInfoList({QStringLiteral("*.kvt")}, QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (!IsPlainFileName(info.fileName()))
            continue;
        files.push_back({info.fileName(), info.size(), m_creationTime(info)});
    }
    std::stable_sort(files.begin(), files.end(), [](const StoredFile& a, const StoredFile& b) {
        return FileDateText(a.created) < FileDateText(b.created);
    });
    return files;
}

QString DataFiles::StoredPath(const QString& name) const {
    if (!IsPlainFileName(name))
        return {};
    const QString host = m_folders.HostPath(DevicePath::kAppFolder + name);
    const QFileInfo info(host);
    if (host.isEmpty() || info.isSymLink() || !info.isFile())
        return {};
    return host;
}

QString DataFiles::UsbFolder() const {
    return m_folders.UsbFolder();
}

bool DataFiles::UsbPresent() const {
    return QFileInfo(UsbFolder()).isDir();
}

bool DataFiles::OnUsb(const QString& name) const {
    return IsPlainFileName(name) && QFileInfo::exists(m_folders.HostPath(DevicePath::kUsbFolder + name));
}

bool DataFiles::Stored(const QString& name) const {
    return !StoredPath(name).isEmpty();
}

bool DataFiles::CopyToUsb(const QString& name) const {
    const QString source = StoredPath(name);
    if (source.isEmpty() || !UsbPresent())
        return false;
    return CopyFileDurably(source, m_folders.HostPath(DevicePath::kUsbFolder + name), m_afterChunk);
}

bool DataFiles::CutToUsb(const QString& name) const {
    return CopyToUsb(name) && Remove(name);
}

bool DataFiles::Remove(const QString& name) const {
    const QString host = StoredPath(name);
    return !host.isEmpty() && QFile::remove(host);
}
