#include "Number3.h"
#include "CommandFrame.h"
#include "RigTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct KnownEncoding {
    std::uint8_t b0, b1, b2;
    double value;
};

class Number3Decoding : public ::testing::TestWithParam<KnownEncoding> {};

TEST_P(Number3Decoding, GivesTheEncodedValue) {
    const auto& known = GetParam();
    const auto decoded = decodeNumber3(known.b0, known.b1, known.b2);
    ASSERT_TRUE(decoded.has_value());
    // The encoder truncates its last mantissa digit, so one part in 2^15.
    EXPECT_NEAR(*decoded, known.value, std::abs(known.value) / 32768.0 + 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Known, Number3Decoding,
    ::testing::Values(KnownEncoding{0x40, 0x00, 0x00, 0.0}, KnownEncoding{0x01, 0x80, 0x00, 1.0},
                      KnownEncoding{0x08, 0xC8, 0x00, 200.0}, KnownEncoding{0x82, 0xC0, 0x00, -3.0},
                      KnownEncoding{0x40, 0xBF, 0xFF, 0.75}, KnownEncoding{0x02, 0xA0, 0x00, 2.5},
                      KnownEncoding{0x40, 0x7F, 0xFF, 0.5}, KnownEncoding{0x7F, 0x99, 0x99, 0.3},
                      KnownEncoding{0x0A, 0xFA, 0x00, 1000.0}, KnownEncoding{0x0B, 0x96, 0x10, 1200.5}));

TEST(Number3Decoding, RejectsExponentFieldsTheEncoderNeverSends) {
    EXPECT_FALSE(decodeNumber3(0x00, 0x00, 0x00)); // the idle frame's target bytes
    EXPECT_FALSE(decodeNumber3(0x11, 0x80, 0x00));
    EXPECT_FALSE(decodeNumber3(0x3F, 0x80, 0x00));
}

TEST(CommandFrameParsing, ReadsWholeTargetsBackAndKnowsTheIdleFrame) {
    for (int target : {0, 1, 7, 100, 999, 1000, 1600, 65535}) {
        const auto command = parseCommandFrame(commandFrame(pumpStanding(target)));
        ASSERT_TRUE(command && command->targetLoad) << target;
        EXPECT_EQ(*command->targetLoad, target);
    }
    const auto idle = parseCommandFrame(commandFrame({}));
    ASSERT_TRUE(idle);
    EXPECT_FALSE(idle->targetLoad);
    EXPECT_FALSE(idle->pumpRun);
}

TEST(CommandFrameParsing, ReadsGateSpeedAndRun) {
    const auto command = parseCommandFrame(commandFrame(FrameFields{false, 137, true, std::nullopt}));
    ASSERT_TRUE(command);
    EXPECT_FALSE(command->pumpAllowed);
    EXPECT_EQ(command->pumpSpeed, 137);
    EXPECT_TRUE(command->pumpRun);
    EXPECT_FALSE(parseCommandFrame(commandFrame({}).left(11)));
}

} // namespace
