#pragma once

#include <QString>

#include <vector>

// One mounted file system as the host reports it.
struct MountedVolume {
    QString rootPath;       // mount point
    QString device;         // e.g. /dev/sdb1
    bool ready = false;     // mounted and readable
    bool removable = false; // the kernel marks its disk removable
};

// The mount point the instrument takes for its USB disk: the first ready
// volume (by mount point) on a removable disk or mounted where desktops
// mount plugged-in disks (/media/..., /run/media/...); empty when none is.
QString ChooseRemovableDisk(std::vector<MountedVolume> volumes);

// The host's mounted volumes (Qt's storage information; the removable mark
// from /sys/class/block).
std::vector<MountedVolume> MountedVolumes();

// ChooseRemovableDisk of what is mounted now.
QString FindRemovableDisk();
