#include "core/link/NumberCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct EncodeCase {
    float value;
    Number3 bytes;
};

class EncodeNumber3Test : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeNumber3Test, GivesTheControllersBytes) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(EncodeNumber3(c.value), c.bytes) << "value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    ControllerExamples, EncodeNumber3Test,
    testing::Values(EncodeCase{0.0f, {0x40, 0x00, 0x00}}, EncodeCase{1.0f, {0x01, 0x80, 0x00}},
                    EncodeCase{200.0f, {0x08, 0xC8, 0x00}}, EncodeCase{-3.0f, {0x82, 0xC0, 0x00}},
                    EncodeCase{0.75f, {0x40, 0xBF, 0xFF}}, EncodeCase{2.5f, {0x02, 0xA0, 0x00}},
                    EncodeCase{0.5f, {0x40, 0x7F, 0xFF}}, EncodeCase{0.3f, {0x7F, 0x99, 0x99}}));

INSTANTIATE_TEST_SUITE_P(MoreValues, EncodeNumber3Test,
                         testing::Values(
                             // Whole and fraction digits share the 16 mantissa digits.
                             EncodeCase{1.5f, {0x01, 0xC0, 0x00}}, EncodeCase{1200.5f, {0x0B, 0x96, 0x10}},
                             EncodeCase{65535.0f, {0x10, 0xFF, 0xFF}}, EncodeCase{-0.75f, {0xC0, 0xBF, 0xFF}},
                             // Exact powers of two below one: the value a·2^k is exactly 1 and
                             // emits 0 first.
                             EncodeCase{0.25f, {0x7F, 0x7F, 0xFF}}, EncodeCase{0.125f, {0x7E, 0x7F, 0xFF}},
                             EncodeCase{0.1f, {0x7D, 0xCC, 0xCC}}, EncodeCase{-0.0f, {0x40, 0x00, 0x00}}));

INSTANTIATE_TEST_SUITE_P(OutsideTheFormat, EncodeNumber3Test,
                         testing::Values(
                             // Too large: the largest number, keeping the sign.
                             EncodeCase{65536.0f, {0x10, 0xFF, 0xFF}},
                             EncodeCase{-1.0e9f, {0x90, 0xFF, 0xFF}},
                             EncodeCase{std::numeric_limits<float>::infinity(), {0x10, 0xFF, 0xFF}},
                             // The smallest the exponent field holds, and below it zero.
                             EncodeCase{std::ldexp(1.0f, -64), {0x41, 0x7F, 0xFF}},
                             EncodeCase{1.0e-30f, {0x40, 0x00, 0x00}},
                             EncodeCase{std::numeric_limits<float>::quiet_NaN(), {0x40, 0x00, 0x00}}));

struct DecodeCase {
    std::uint8_t lo, hi;
    int value;
};

class DecodeRaw16Test : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeRaw16Test, ReadsTheControllersRawValue) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeRaw16(c.lo, c.hi), c.value) << "lo " << int(c.lo) << " hi " << int(c.hi);
}

INSTANTIATE_TEST_SUITE_P(All, DecodeRaw16Test,
                         testing::Values(DecodeCase{0x00, 0x80, 0}, DecodeCase{0x01, 0x80, 32769},
                                         DecodeCase{0xFF, 0xFF, -1}, DecodeCase{0x00, 0xFF, -256},
                                         DecodeCase{0x00, 0x00, 0}, DecodeCase{0x34, 0x12, 0x1234},
                                         DecodeCase{0xFF, 0x7F, 32767}, DecodeCase{0x00, 0x81, -32512}));

} // namespace
