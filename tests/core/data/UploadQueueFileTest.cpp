#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <gtest/gtest.h>

namespace {

UploadFrame FrameOf(std::uint8_t fill) {
    UploadFrame frame;
    frame.fill(fill);
    frame[0] = 0xAA;
    return frame;
}

TEST(UploadQueueFile, RoundTripsFramesInOrder) {
    TempDevice device;
    const std::vector queue{FrameOf(1), FrameOf(2), FrameOf(3)};
    ASSERT_TRUE(device.Files().SaveUploadQueue(queue));
    EXPECT_EQ(device.Read(DeviceFile::kUploadQueue).size(), 135);

    std::vector read{FrameOf(9)};
    ASSERT_TRUE(device.Files().LoadUploadQueue(read));
    EXPECT_EQ(read, queue);
}

TEST(UploadQueueFile, ReadsWholeFramesOnlyAndKeepsTheListWhenMissing) {
    TempDevice device;
    device.Write(DeviceFile::kUploadQueue, QByteArray(100, '\x05'));
    std::vector<UploadFrame> queue;
    ASSERT_TRUE(device.Files().LoadUploadQueue(queue));
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue.front().at(44), 0x05);

    TempDevice empty;
    std::vector kept{FrameOf(4)};
    EXPECT_FALSE(empty.Files().LoadUploadQueue(kept));
    EXPECT_EQ(kept.size(), 1u);
}

} // namespace
