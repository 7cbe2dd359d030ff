#include "core/remote/UploadFrame.h"

#include "ExampleReading.h"
#include "core/link/NumberCodec.h"

#include <gtest/gtest.h>

namespace {

using namespace UploadFrameLayout;

Number3 At(const UploadFrame& frame, std::size_t at) {
    return {frame[at], frame[at + 1], frame[at + 2]};
}

TEST(UploadFrame, ReadingFrameOfTheExamples) {
    const UploadFrame frame = BuildUploadFrame(ExampleReading());
    EXPECT_EQ(frame[0], 0xAA);
    EXPECT_EQ(frame[1], 0x04);
    EXPECT_EQ(frame[kYear], 26);
    // six-digit serial: 12 34 56 in the head, the tail left 0
    EXPECT_EQ((std::array{frame[14], frame[15], frame[16]}), (std::array<std::uint8_t, 3>{0x12, 0x34, 0x56}));
    EXPECT_EQ((std::array{frame[9], frame[10], frame[11]}), (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(frame[kHour], 0x09);
    EXPECT_EQ(frame[kMinute], 0x05);
    EXPECT_EQ(frame[kPile], 0x00);
    EXPECT_EQ(frame[kPile + 1], 0x12);
    EXPECT_EQ(frame[kKind], 0);
    EXPECT_EQ(frame[kStandard], 58);
    EXPECT_EQ(frame[kFlags], 0x41);
    EXPECT_EQ(frame[kGaugeSelection], 0x05); // gauges 1 and 3
}

TEST(UploadFrame, TwelveDigitSerialFillsBothGroups) {
    UploadFrameInputs in = ExampleReading();
    in.serialNumber = "123456789012";
    const UploadFrame frame = BuildUploadFrame(in);
    EXPECT_EQ((std::array{frame[14], frame[15], frame[16]}), (std::array<std::uint8_t, 3>{0x12, 0x34, 0x56}));
    EXPECT_EQ((std::array{frame[9], frame[10], frame[11]}), (std::array<std::uint8_t, 3>{0x78, 0x90, 0x12}));
}

TEST(UploadFrame, NonDigitsAndMissingCharactersCountAsZero) {
    UploadFrameInputs in = ExampleReading();
    in.pileNumber = "A7";
    in.timeText = "9";
    const UploadFrame frame = BuildUploadFrame(in);
    EXPECT_EQ(frame[kPile], 0x07);
    EXPECT_EQ(frame[kPile + 1], 0x00);
    EXPECT_EQ(frame[kHour], 0x90);
    EXPECT_EQ(frame[kMinute], 0x00);
}

TEST(UploadFrame, ForceSensorSendsNoPressure) {
    UploadFrameInputs in = ExampleReading();
    in.oilPressureSensor = false;
    EXPECT_EQ(At(BuildUploadFrame(in), kOilPressure), (Number3{0xFF, 0xFF, 0xFF}));
}

struct MarkCase {
    const char* name;
    void (*set)(UploadFrameInputs&);
    std::size_t at;
    std::uint8_t expected;
};

class UploadFrameMarks : public testing::TestWithParam<MarkCase> {};

TEST_P(UploadFrameMarks, SetTheirByte) {
    UploadFrameInputs in = ExampleReading();
    GetParam().set(in);
    EXPECT_EQ(BuildUploadFrame(in)[GetParam().at], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, UploadFrameMarks,
    testing::Values(
        MarkCase{"StageOpening", [](UploadFrameInputs& in) { in.stageOpening = true; }, kKind, 0xFF},
        MarkCase{"LiveFrame", [](UploadFrameInputs& in) { in.liveFrame = true; }, kKind, 2},
        MarkCase{"ResetMark", [](UploadFrameInputs& in) { in.resetPending = true; }, kGaugeSelection, 0xAA},
        MarkCase{"AllGauges",
                 [](UploadFrameInputs& in) {
                     in.gaugeSelected = {"1", "1", "1", "1"};
                 },
                 kGaugeSelection, 0x0F}),
    [](const testing::TestParamInfo<MarkCase>& info) { return std::string(info.param.name); });

TEST(UploadFrame, ZeroMinuteReadingCarriesTheTargetAsItsLoad) {
    UploadFrameInputs in = ExampleReading();
    in.load = 398;
    in.targetLoad = 400.5f;
    EXPECT_EQ(At(BuildUploadFrame(in), kLoad), EncodeNumber3(398));
    in.targetLoadReading = true;
    EXPECT_EQ(At(BuildUploadFrame(in), kLoad), EncodeNumber3(400.5f));
}

// Every number field is the controller codec's three bytes of its value.
struct NumberField {
    const char* name;
    std::size_t at;
    float expected;
};

class UploadFrameNumbers : public testing::TestWithParam<NumberField> {};

TEST_P(UploadFrameNumbers, MatchTheControllerCodec) {
    EXPECT_EQ(At(BuildUploadFrame(ExampleReading()), GetParam().at), EncodeNumber3(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UploadFrameNumbers,
    testing::Values(NumberField{"OilPressure", kOilPressure, 12.5f}, NumberField{"MaxLoad", kMaxLoad, 2000},
                    NumberField{"Load", kLoad, 400}, NumberField{"Target", kTarget, 400},
                    NumberField{"Gauge1", kGauges, 1.25f}, NumberField{"Gauge2", kGauges + 3, -0.5f},
                    NumberField{"Gauge3", kGauges + 6, 3.0f}, NumberField{"Gauge4", kGauges + 9, 0.0f},
                    NumberField{"Coefficient", kCoefficient, 2.077f}),
    [](const testing::TestParamInfo<NumberField>& info) { return std::string(info.param.name); });

TEST(UploadFrame, ModuleTestFrame) {
    const UploadFrame frame = BuildModuleTestFrame("123456789012");
    for (std::size_t i = 0; i < kUploadFrameSize; ++i) {
        if (i >= 14 && i <= 16)
            continue;
        if (i == kPile || i == kPile + 1)
            EXPECT_EQ(frame[i], 0x99) << i;
        else
            EXPECT_EQ(frame[i], 0xFF) << i;
    }
    EXPECT_EQ((std::array{frame[14], frame[15], frame[16]}), (std::array<std::uint8_t, 3>{0x12, 0x34, 0x56}));
}

} // namespace
