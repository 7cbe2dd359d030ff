#include "platform/DeviceFolders.h"

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
        EXPECT_EQ(folders.hostPath(QString::fromUtf8(row.device)), QString::fromUtf8(row.host)) << row.device;
}

} // namespace
