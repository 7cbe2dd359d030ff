#include "core/remote/UploadFrameText.h"

#include "ExampleReading.h"

#include <gtest/gtest.h>

namespace {

TEST(UploadFrameText, ADataFrameReadsBackItsFields) {
    UploadFrameInputs in = ExampleReading();
    in.serialNumber = "123456789012";
    in.targetLoad = 600;
    in.stageOpening = true;
    const QByteArray line = DescribeUploadFrame(BuildUploadFrame(in));
    EXPECT_TRUE(line.startsWith("aa 04 04 c8 00 0b fa 00 1a 78 90 12 00 ff 12 34 56 09 05 "))
        << line.constData();
    EXPECT_TRUE(
        line.endsWith("  serial=123456789012 pile=0012 year=26 time=09:05 kind=stage-opening marks=opening "
                      "oil=12.5 max=2000 load=400 target=600 gauges=1.25,-0.5,3,0 coefficient=2.077 "
                      "standard=58 flags=0x41 gauges-selected=0x05"))
        << line.constData();
}

TEST(UploadFrameText, MarksAndKinds) {
    UploadFrameInputs in;
    in.targetLoad = 300;
    in.oilPressureSensor = false;
    in.targetLoadReading = true;
    in.resetPending = true;
    const QByteArray zeroMinute = DescribeUploadFrame(BuildUploadFrame(in));
    EXPECT_NE(zeroMinute.indexOf(" kind=reading marks=reset oil=none max=0 load=300 target=300 "), -1)
        << zeroMinute.constData();
    in = {};
    in.liveFrame = true;
    in.load = 250;
    in.targetLoad = 300;
    const QByteArray live = DescribeUploadFrame(BuildUploadFrame(in));
    EXPECT_NE(live.indexOf(" kind=live marks=- "), -1) << live.constData();
    const QByteArray test = DescribeUploadFrame(BuildModuleTestFrame("123456"));
    EXPECT_TRUE(test.endsWith("  module-test serial=123456 pile=9999")) << test.constData();
}

} // namespace
