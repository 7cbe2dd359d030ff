#include "core/remote/UploadFrameText.h"

#include "core/link/NumberCodec.h"
#include "core/remote/UploadFrame.h"

#include <QByteArrayList>

#include <cmath>

namespace {

using namespace UploadFrameLayout;

QByteArray Bcd(const UploadFrame& frame, std::size_t at, std::size_t bytes) {
    QByteArray digits;
    for (std::size_t i = at; i < at + bytes; ++i)
        digits += QByteArray::number(frame[i] >> 4, 16) + QByteArray::number(frame[i] & 0x0F, 16);
    return digits;
}

QByteArray Number(const UploadFrame& frame, std::size_t at) {
    const std::optional<double> value = DecodeNumber3({frame[at], frame[at + 1], frame[at + 2]});
    // Three decimals, the finest any field is typed or measured in: the
    // codec's last mantissa digits are noise.
    return value ? QByteArray::number(std::round(*value * 1e3) / 1e3, 'g', 10) : QByteArrayLiteral("?");
}

QByteArray Hex(std::uint8_t byte) {
    return QByteArray::number(byte, 16).rightJustified(2, '0');
}

bool IsModuleTestFrame(const UploadFrame& frame) {
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const bool carriesDigits = (i >= kSerialHead && i < kSerialHead + 3) || i == kPile || i == kPile + 1;
        if (!carriesDigits && frame[i] != 0xFF)
            return false;
    }
    return true;
}

QByteArray Kind(std::uint8_t kind) {
    switch (kind) {
    case 0:
        return "reading";
    case kLiveKind:
        return "live";
    case kStageOpeningKind:
        return "stage-opening";
    default:
        return "0x" + Hex(kind);
    }
}

// The one-shot marks a frame carries: the stage opening and the new-test
// reset. The 0-minute reading's mark leaves no trace of its own: its load
// bytes are the target's, which the load and target fields show.
QByteArray Marks(const UploadFrame& frame) {
    QByteArrayList marks;
    if (frame[kKind] == kStageOpeningKind)
        marks += "opening";
    if (frame[kGaugeSelection] == kResetMark)
        marks += "reset";
    return marks.isEmpty() ? QByteArrayLiteral("-") : marks.join(',');
}

} // namespace

QByteArray DescribeUploadFrame(const UploadFrame& frame) {
    QByteArrayList hex;
    for (const std::uint8_t byte : frame)
        hex += Hex(byte);
    QByteArray line = hex.join(' ');
    const QByteArray serial = Bcd(frame, kSerialHead, 3) + Bcd(frame, kSerialTail, 3);
    if (IsModuleTestFrame(frame))
        return line + "  module-test serial=" + serial.left(6) + " pile=" + Bcd(frame, kPile, 2);
    const bool forceSensor =
        frame[kOilPressure] == 0xFF && frame[kOilPressure + 1] == 0xFF && frame[kOilPressure + 2] == 0xFF;
    line += "  serial=" + serial + " pile=" + Bcd(frame, kPile, 2) +
            " year=" + QByteArray::number(frame[kYear]) + " time=" + Bcd(frame, kHour, 1) + ':' +
            Bcd(frame, kMinute, 1) + " kind=" + Kind(frame[kKind]) + " marks=" + Marks(frame) +
            " oil=" + (forceSensor ? QByteArrayLiteral("none") : Number(frame, kOilPressure)) +
            " max=" + Number(frame, kMaxLoad) + " load=" + Number(frame, kLoad) +
            " target=" + Number(frame, kTarget) + " gauges=";
    for (std::size_t k = 0; k < 4; ++k)
        line += (k ? "," : "") + Number(frame, kGauges + 3 * k);
    line += " coefficient=" + Number(frame, kCoefficient) +
            " standard=" + QByteArray::number(frame[kStandard]) + " flags=0x" + Hex(frame[kFlags]) +
            " gauges-selected=0x" + Hex(frame[kGaugeSelection]);
    return line;
}
