#include "platform/RemovableDisk.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool UnderMediaFolder(const QString& rootPath) {
    return rootPath.startsWith(QLatin1String("/media/")) || rootPath.startsWith(QLatin1String("/run/media/"));
}

// /sys/class/block/<name>/removable is on the whole disk; a partition's
// entry sits inside its disk's folder.
bool KernelMarksRemovable(const QString& device) {
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    const QString entry =
        QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(device).fileName()).canonicalFilePath();
    if (entry.isEmpty())
        return false;
    for (const QString& folder : {entry, QFileInfo(entry).path()}) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

} // namespace

QString ChooseRemovableDisk(std::vector<MountedVolume> volumes) {
    std::sort(volumes.begin(), volumes.end(),
              [](const MountedVolume& a, const MountedVolume& b) { return a.rootPath < b.rootPath; });
    for (const MountedVolume& volume : volumes) {
        if (volume.ready && volume.rootPath != QLatin1String("/") &&
            (volume.removable || UnderMediaFolder(volume.rootPath)))
            return volume.rootPath;
    }
    return {};
}

std::vector<MountedVolume> MountedVolumes() {
    std::vector<MountedVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const QString device = QString::fromLocal8Bit(storage.device());
        volumes.push_back({storage.rootPath(), device, storage.isValid() && storage.isReady(),
                           KernelMarksRemovable(device)});
    }
    return volumes;
}

QString FindRemovableDisk() {
    return ChooseRemovableDisk(MountedVolumes());
}
