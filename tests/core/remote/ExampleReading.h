#pragma once

#include "core/remote/UploadFrame.h"

// The reading frame of the examples: serial 123456, time 09:05, pile 0012,
// gauges 1 and 3 chosen.
inline UploadFrameInputs ExampleReading() {
    UploadFrameInputs in;
    in.oilPressure = 12.5f;
    in.maxLoad = 2000;
    in.year = 2026;
    in.timeText = "09:05";
    in.load = 400;
    in.targetLoad = 400;
    in.gauge = {1.25f, -0.5f, 3.0f, 0.0f};
    in.serialNumber = "123456";
    in.pileNumber = "0012";
    in.coefficientText = "2.077";
    in.gaugeSelected = {"1", "0", "1", "0"};
    in.standardCode = 58;
    in.uploadFlags = 0x41;
    return in;
}
