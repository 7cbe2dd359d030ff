#include "core/remote/SendHeadFrame.h"

#include <gtest/gtest.h>

namespace {

TEST(SendHeadFrame, PartialWritesAreCompletedWithinThreeWrites) {
    UploadFrame frame{};
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>(i);
    const struct {
        const char* name;
        std::vector<qint64> taken; // what each write takes at most; -1 fails
        bool sent;
        std::size_t bytesOut;
        int pauses;
    } cases[] = {
        {"whole at once", {45}, true, 45, 0},
        {"in three parts", {20, 20, 5}, true, 45, 2},
        {"still short after three writes", {10, 10, 10, 15}, false, 30, 2},
        {"failed write", {-1}, false, 0, 0},
        {"failed after a partial one", {20, -1}, false, 20, 1},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> out;
        std::size_t call = 0;
        int pauses = 0;
        const bool sent = SendHeadFrame(
            frame,
            [&](const std::uint8_t* data, qint64 size) -> qint64 {
                const qint64 take = call < c.taken.size() ? std::min(c.taken[call], size) : 0;
                ++call;
                if (take > 0)
                    out.insert(out.end(), data, data + take);
                return take;
            },
            [&pauses](int ms) {
                EXPECT_EQ(ms, 50);
                ++pauses;
            });
        EXPECT_EQ(sent, c.sent) << c.name;
        ASSERT_EQ(out.size(), c.bytesOut) << c.name;
        EXPECT_TRUE(std::equal(out.begin(), out.end(), frame.begin()))
            << c.name << ": bytes in order, none twice";
        EXPECT_EQ(pauses, c.pauses) << c.name;
    }
}

} // namespace
