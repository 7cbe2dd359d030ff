#include "core/data/SettingsRecovery.h"

#include "core/data/KVTFile.h"
#include "core/data/RunStateRows.h"
#include "platform/DeviceFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The newest data file (by modification time) whose test was running.
QString NewestRunningDataFile(const KVTFile& files) {
    const QDir folder(QFileInfo(files.HostPath(DeviceFile::kSettings)).absolutePath());
    const QStringList names = folder.entryList({QStringLiteral("*.kvt")}, QDir::Files, QDir::Time);
    for (const QString& name : names) {
        const QString path = DevicePath::kAppFolder + name;
        std::vector<Record> rows;
        if (path.size() > kMaxDataFilePathLength || !files.ReadDataFile(path, rows) || rows.size() < 74)
            continue;
        if (ReadRunStateTexts(rows).controlState != 0)
            return path;
    }
    return {};
}

} // namespace

SettingsSource LoadSettingsAtStartup(const KVTFile& files, QString& dataFilePath, ParameterList& list) {
    if (files.LoadSettings(dataFilePath, list))
        return SettingsSource::File;
    if (files.LoadSettingsCopy(dataFilePath, list)) {
        files.SaveSettings(dataFilePath, list);
        return SettingsSource::Copy;
    }
    const QString running = NewestRunningDataFile(files);
    if (running.isEmpty())
        return SettingsSource::Defaults;
    dataFilePath = running;
    list = DefaultParameterList();
    list[Entry::endMark] = 1.0f;
    return SettingsSource::DataFile;
}

QString SettingsRecoveryText(SettingsSource source) {
    switch (source) {
    case SettingsSource::Copy:
        return QStringLiteral("参数文件损坏,已从备份恢复!");
    case SettingsSource::DataFile:
        return QStringLiteral("参数文件损坏,已从数据文件恢复!");
    case SettingsSource::File:
    case SettingsSource::Defaults:
        break;
    }
    return {};
}
