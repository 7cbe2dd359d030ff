#include "CommandFrame.h"

#include "Number3.h"

namespace {
constexpr std::uint8_t kPumpProhibited = 0x40;
constexpr std::uint8_t kPumpRun = 0xFF;

std::uint8_t byteAt(const QByteArray& frame, int index) {
    return static_cast<std::uint8_t>(frame.at(index));
}
} // namespace

std::optional<RigCommand> parseCommandFrame(const QByteArray& frame) {
    if (frame.size() != kCommandFrameSize)
        return std::nullopt;
    RigCommand command;
    command.pumpAllowed = byteAt(frame, 0) != kPumpProhibited;
    command.pumpSpeed = byteAt(frame, 3);
    command.pumpRun = byteAt(frame, 4) == kPumpRun;
    command.targetLoad = decodeNumber3(byteAt(frame, 6), byteAt(frame, 7), byteAt(frame, 8));
    command.shownLoad = decodeNumber3(byteAt(frame, 9), byteAt(frame, 10), byteAt(frame, 11));
    return command;
}
