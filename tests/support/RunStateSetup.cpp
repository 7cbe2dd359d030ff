#include "support/RunStateSetup.h"

#include "core/link/MeasurementConversion.h"

#include <array>
#include <cmath>

void IdealReply(RunController& run, float load, int gaugeCounts) {
    ConversionSettings settings = run.Conversion();
    settings.pressureMode = 1;
    settings.pressureSensor = 1;
    settings.calibrationCoefficient = 1; // one count per kN
    settings.loadInKN = true;
    settings.loadZero = 0;
    settings.loadOffset = 0;
    run.SetConversionSettings(settings);

    const auto raw = static_cast<int>(std::lround(load));
    std::array<std::uint8_t, kReplyBlockSize> block{};
    block[0] = 0x55;
    block[1] = static_cast<std::uint8_t>(raw & 0xFF);
    block[2] = static_cast<std::uint8_t>(raw >> 8);
    const auto gauge = static_cast<std::uint16_t>(gaugeCounts); // two's complement below 0
    for (std::size_t k = 0; k < 4; ++k) {
        block[5 + 2 * k] = static_cast<std::uint8_t>(gauge & 0xFF);
        block[6 + 2 * k] = static_cast<std::uint8_t>(gauge >> 8);
    }
    run.HandleReply(block, 0);
}
