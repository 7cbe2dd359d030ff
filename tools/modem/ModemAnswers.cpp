#include "ModemAnswers.h"

#include "core/remote/UploadFrame.h"

namespace {

bool IsModuleTestFrame(const QByteArray& frame) {
    const UploadFrame testFrame = BuildModuleTestFrame(QByteArray());
    using UploadFrameLayout::kSerialHead;
    // Everything but the serial digits matches the test frame.
    for (qsizetype i = 0; i < frame.size(); ++i) {
        if (i >= static_cast<qsizetype>(kSerialHead) && i < static_cast<qsizetype>(kSerialHead) + 3)
            continue;
        if (static_cast<std::uint8_t>(frame[i]) != testFrame[static_cast<std::size_t>(i)])
            return false;
    }
    return frame.size() == static_cast<qsizetype>(kUploadFrameSize);
}

} // namespace

std::optional<std::uint8_t> ModemAnswers::Answer(const QByteArray& frame, qint64 msSinceStart) {
    if (m_options.mode == ModemMode::Silent ||
        msSinceStart < static_cast<qint64>(m_options.silentForS * 1000))
        return std::nullopt;
    ++m_answers;
    if (m_options.dropEvery > 0 && m_answers % m_options.dropEvery == 0)
        return std::nullopt;
    if (m_options.mode == ModemMode::NotRegistered)
        return 3;
    return IsModuleTestFrame(frame) ? 4 : kAcknowledge;
}
