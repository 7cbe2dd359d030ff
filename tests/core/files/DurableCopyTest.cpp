#include "core/files/DataFiles.h"

#include "support/StoredDataFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

using StoredDataFiles::kApp;
using StoredDataFiles::kUsb;

constexpr int kSkip = 77;

bool WriteProcFile(const char* path, const QByteArray& text) {
    const int handle = ::open(path, O_WRONLY);
    if (handle < 0)
        return false;
    const bool written = ::write(handle, text.constData(), text.size()) == text.size();
    ::close(handle);
    return written;
}

// Own mount namespace, as root or in a user namespace of our own.
bool EnterMountNamespace() {
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray gid = QByteArray::number(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && WriteProcFile("/proc/self/setgroups", "deny") &&
           WriteProcFile("/proc/self/uid_map", "0 " + uid + " 1") &&
           WriteProcFile("/proc/self/gid_map", "0 " + gid + " 1");
}

// What a copy onto a small or read-only disk left behind.
enum Outcome : int {
    kReportedSuccess = 1,
    kFinalFileChanged = 2,
    kPartialFileLeft = 4,
    kSourceChanged = 8,
};

// Runs a cut or copy of "a.kvt" in a child process onto a tmpfs of 64 KiB
// mounted over the USB folder (read-only when `readOnly`) that already holds
// an older "a.kvt". Returns the Outcome bits, or kSkip where the host lets
// no process mount.
int CopyOntoSmallDisk(const TempDevice& device, const QByteArray& bytes, bool readOnly, bool cut) {
    const QString usb = device.Folders().UsbFolder();
    const QByteArray older = "an older copy";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (!EnterMountNamespace() || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", QFile::encodeName(usb).constData(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(kSkip);
        device.Write(kUsb + "a.kvt", older);
        if (readOnly && ::mount("tmpfs", QFile::encodeName(usb).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                                "size=64k") != 0)
            ::_exit(kSkip);
        DataFiles files(device.Folders());
        int outcome = 0;
        if (cut ? files.CutToUsb("a.kvt") : files.CopyToUsb("a.kvt"))
            outcome |= kReportedSuccess;
        if (device.Read(kUsb + "a.kvt") != older)
            outcome |= kFinalFileChanged;
        if (device.Exists(kUsb + "a.kvt.part"))
            outcome |= kPartialFileLeft;
        if (device.Read(kApp + "a.kvt") != bytes)
            outcome |= kSourceChanged;
        ::_exit(outcome);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(DurableCopy, FullOrReadOnlyDiskFailsKeepsTheOlderCopyAndTheSource) {
    for (const bool readOnly : {false, true}) {
        for (const bool cut : {false, true}) {
            SCOPED_TRACE(testing::Message() << "read-only " << readOnly << ", cut " << cut);
            TempDevice device;
            const QByteArray bytes(200 * 1024, 'f'); // more than the disk holds
            device.Write(kApp + "a.kvt", bytes);
            const int outcome = CopyOntoSmallDisk(device, bytes, readOnly, cut);
            if (outcome == kSkip)
                GTEST_SKIP() << "this host lets no process mount a tmpfs";
            EXPECT_EQ(outcome, 0) << "bits: 1 success reported, 2 older copy changed, 4 partial file left, "
                                     "8 source changed";
        }
    }
}

} // namespace
