// modemsim: the simulated GPRS module on a pseudo-terminal. Prints the device
// path to open as COM2 on its first line, then answers every 45-byte frame
// until SIGINT or SIGTERM; with --log it writes each received frame, in hex
// and decoded, and the answer it gives, one line per frame.

#include "FrameServer.h"
#include "ModemAnswers.h"
#include "ModemOptions.h"
#include "core/remote/UploadFrameText.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Each line is flushed at once: a test reads the log while modemsim runs.
// The answer tells a frame sent again after its acknowledgement from one
// sent again because the module kept silent.
bool LogFrame(QFile& log, const QByteArray& bytes, std::optional<std::uint8_t> answer) {
    if (!log.isOpen())
        return true;
    UploadFrame frame{};
    std::memcpy(frame.data(), bytes.constData(), frame.size());
    const QByteArray answerText =
        answer ? QByteArray::number(*answer, 16).rightJustified(2, '0') : QByteArrayLiteral("none");
    return log.write(DescribeUploadFrame(frame) + "  answer=" + answerText + '\n') > 0 && log.flush();
}

int Serve(const ModemOptions& options, const PseudoTerminal& pty, int stopFd, QFile& log) {
    ModemAnswers answers(options);
    const qint64 startMs = MonotonicMs();
    return ServeFrames(pty, stopFd,
                       FrameService{
                           .frameSize = static_cast<qsizetype>(kUploadFrameSize),
                           .advance = {},
                           .answer = [&](const QByteArray& frame, qint64 nowMs,
                                         bool& failed) -> std::optional<DelayedAnswer> {
                               const std::optional<std::uint8_t> byte =
                                   answers.Answer(frame, nowMs - startMs);
                               if (!LogFrame(log, frame, byte)) {
                                   std::fprintf(stderr, "modemsim: cannot write the log\n");
                                   failed = true;
                                   return std::nullopt;
                               }
                               if (!byte)
                                   return std::nullopt;
                               return DelayedAnswer{QByteArray(1, static_cast<char>(*byte)), options.delayMs};
                           },
                       });
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const auto parsed = ParseModemOptions(QCoreApplication::arguments());
    if (const auto* usage = std::get_if<ModemUsage>(&parsed)) {
        std::fputs(qPrintable(usage->text + QLatin1Char('\n')), usage->isError ? stderr : stdout);
        return usage->isError ? 2 : 0;
    }
    const ModemOptions& options = std::get<ModemOptions>(parsed);
    QFile log(options.logFile);
    if (!options.logFile.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "modemsim: cannot write %s\n", qPrintable(options.logFile));
        return 1;
    }
    return ServeOnPseudoTerminal(
        "modemsim", [&](const PseudoTerminal& pty, int stopFd) { return Serve(options, pty, stopFd, log); });
}
