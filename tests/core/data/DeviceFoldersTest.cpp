#include "platform/DeviceFolders.h"
#include "platform/RemovableDisk.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceFolders, MapsTheTwoDeviceFoldersUnderTheRoot) {
    const DeviceFolders folders(QStringLiteral("/data/root/"));
    const struct {
        const char* device;
        const char* host;
    } table[] = {
        {"\\硬盘\\APP\\tarvo.ini", "/data/root/硬盘/APP/tarvo.ini"},
        {"\\硬盘\\APP\\123456-0001.kvt", "/data/root/硬盘/APP/123456-0001.kvt"},
        {"\\硬盘2\\123456-0001.kvt", "/data/root/硬盘2/123456-0001.kvt"},
        // Outside the device folders, or climbing out of them: no host path.
        {"\\其他\\a.kvt", ""},
        {"\\硬盘\\APP\\..\\..\\etc\\passwd", ""},
        {"\\硬盘\\APP\\a/b", ""},
        {"硬盘\\APP\\a", ""},
        {"", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(folders.HostPath(QString::fromUtf8(row.device)), QString::fromUtf8(row.host)) << row.device;
}

TEST(DeviceFolders, UsbDiskIsTheNamedFolderElseAMountedRemovableDiskElseTheRootsFolder) {
    const struct {
        const char* named;
        const char* mounted; // what the removable-disk lookup finds; nullptr: no lookup
        const char* host;
    } table[] = {
        {"", nullptr, "/data/root/硬盘2/a.kvt"},
        {"", "", "/data/root/硬盘2/a.kvt"},
        {"", "/media/op/STICK", "/media/op/STICK/a.kvt"},
        {"/mnt/usb/", "/media/op/STICK", "/mnt/usb/a.kvt"},
    };
    for (const auto& row : table) {
        UsbDiskMapping usb{QString::fromUtf8(row.named), {}};
        if (row.mounted)
            usb.findRemovableDisk = [mounted = QString::fromUtf8(row.mounted)] { return mounted; };
        const DeviceFolders folders(QStringLiteral("/data/root"), usb);
        EXPECT_EQ(folders.HostPath(QStringLiteral("\\硬盘2\\a.kvt")), QString::fromUtf8(row.host))
            << row.named;
        // The instrument's own disk never moves.
        EXPECT_EQ(folders.HostPath(QStringLiteral("\\硬盘\\APP\\a.kvt")), "/data/root/硬盘/APP/a.kvt");
    }
}

TEST(RemovableDisk, FirstReadyVolumeOnARemovableDiskOrUnderTheMediaFolders) {
    const MountedVolume root{"/", "/dev/sda1", true, false};
    const MountedVolume home{"/home", "/dev/sda2", true, false};
    const MountedVolume stick{"/media/op/STICK", "/dev/sdb1", true, false};
    const MountedVolume card{"/mnt/card", "/dev/mmcblk0p1", true, true};
    const MountedVolume runMedia{"/run/media/op/DISK", "/dev/sdc1", true, false};
    const MountedVolume notReady{"/media/op/GONE", "/dev/sdd1", false, true};
    const MountedVolume removableRoot{"/", "/dev/sde1", true, true};
    const struct {
        const char* why;
        std::vector<MountedVolume> volumes;
        const char* chosen;
    } table[] = {
        {"nothing plugged in", {root, home}, ""},
        {"mounted by the desktop", {root, stick, home}, "/media/op/STICK"},
        {"marked removable by the kernel", {root, card}, "/mnt/card"},
        {"first by mount point", {stick, card, runMedia}, "/media/op/STICK"},
        {"a disk not ready is skipped", {notReady, runMedia}, "/run/media/op/DISK"},
        {"a live system on a stick is not the USB disk", {removableRoot}, ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(ChooseRemovableDisk(row.volumes), QString::fromUtf8(row.chosen)) << row.why;
}

} // namespace
