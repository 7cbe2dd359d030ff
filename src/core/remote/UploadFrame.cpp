#include "core/remote/UploadFrame.h"

#include "core/link/NumberCodec.h"

#include <algorithm>
#include <cstdio>

namespace {

using namespace UploadFrameLayout;

int DigitAt(const QByteArray& text, int index) {
    if (index >= text.size())
        return 0;
    const char c = text.at(index);
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

void PutNumber3(UploadFrame& frame, std::size_t at, float value) {
    const Number3 bytes = EncodeNumber3(value);
    std::copy(bytes.begin(), bytes.end(), frame.begin() + static_cast<std::ptrdiff_t>(at));
}

// The number a "%f" scan reads from the start of the text; 0 when none.
float TextNumber(const QByteArray& text) {
    float value = 0;
    return std::sscanf(text.constData(), "%f", &value) == 1 ? value : 0.0f;
}

std::uint8_t GaugeSelection(const std::array<QByteArray, 4>& selected) {
    int bits = 0;
    for (int k = 0; k < 4; ++k)
        bits += (1 << k) * selected[static_cast<std::size_t>(k)].trimmed().toInt();
    return static_cast<std::uint8_t>(bits);
}

} // namespace

void PackBcd(UploadFrame& frame, std::size_t at, const QByteArray& text, int first, int digits) {
    for (int i = 0; i < digits; i += 2)
        frame[at + static_cast<std::size_t>(i / 2)] =
            static_cast<std::uint8_t>(DigitAt(text, first + i) << 4 | DigitAt(text, first + i + 1));
}

UploadFrame BuildUploadFrame(const UploadFrameInputs& in) {
    UploadFrame frame{};
    frame[0] = 0xAA;
    frame[1] = 0x04;
    if (in.oilPressureSensor)
        PutNumber3(frame, kOilPressure, in.oilPressure);
    else
        std::fill_n(frame.begin() + kOilPressure, 3, 0xFF);
    PutNumber3(frame, kMaxLoad, in.maxLoad);
    frame[kYear] = static_cast<std::uint8_t>(in.year % 100);
    PackBcd(frame, kSerialTail, in.serialNumber, 6, 6);
    frame[kKind] = in.stageOpening ? kStageOpeningKind : in.liveFrame ? kLiveKind : 0;
    PackBcd(frame, kSerialHead, in.serialNumber, 0, 6);
    PackBcd(frame, kHour, in.timeText, 0, 2);
    PackBcd(frame, kMinute, in.timeText, 3, 2);
    PutNumber3(frame, kLoad, in.targetLoadReading ? in.targetLoad : static_cast<float>(in.load));
    PutNumber3(frame, kTarget, in.targetLoad);
    for (std::size_t k = 0; k < 4; ++k)
        PutNumber3(frame, kGauges + 3 * k, in.gauge[k]);
    PutNumber3(frame, kCoefficient, TextNumber(in.coefficientText));
    PackBcd(frame, kPile, in.pileNumber, 0, 4);
    frame[kStandard] = static_cast<std::uint8_t>(in.standardCode & 0xFF);
    frame[kFlags] = in.uploadFlags;
    frame[kGaugeSelection] = in.resetPending ? kResetMark : GaugeSelection(in.gaugeSelected);
    return frame;
}

UploadFrame BuildModuleTestFrame(const QByteArray& serialNumber) {
    UploadFrame frame;
    frame.fill(0xFF);
    PackBcd(frame, kSerialHead, serialNumber, 0, 6);
    PackBcd(frame, kPile, QByteArrayLiteral("9999"), 0, 4);
    return frame;
}
