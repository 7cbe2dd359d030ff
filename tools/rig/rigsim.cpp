// rigsim: the simulated loading rig on a pseudo-terminal. Prints the device
// path to open as COM1 on its first line, then answers every command frame
// until SIGINT or SIGTERM.

#include "CommandFrame.h"
#include "FrameServer.h"
#include "PseudoTerminal.h"
#include "RigModel.h"
#include "RigsimOptions.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
// A real controller answers a few milliseconds after the frame.
constexpr qint64 kReplyDelayMs = 5;

// Runs the model on real time times the scale, keeping the fractions of a
// millisecond that one step leaves over.
class ModelTime {
  public:
    ModelTime(double scale, qint64 startMs) : m_scale(scale), m_lastMs(startMs) {}
    qint64 MsToAdvance(qint64 nowMs) {
        m_owedMs += (nowMs - m_lastMs) * m_scale;
        m_lastMs = nowMs;
        const auto whole = static_cast<qint64>(m_owedMs);
        m_owedMs -= whole;
        return whole;
    }

  private:
    double m_scale;
    qint64 m_lastMs;
    double m_owedMs = 0.0;
};

// The model runs on between frames under the last frame's pump commands.
int serve(const RigsimOptions& options, const PseudoTerminal& pty, int stopFd) {
    RigModel model(options.rig);
    ModelTime modelTime(options.timeScale, MonotonicMs());
    return ServeFrames(
        pty, stopFd,
        FrameService{
            .frameSize = kCommandFrameSize,
            .advance = [&](qint64 nowMs) { model.Advance(modelTime.MsToAdvance(nowMs)); },
            .answer = [&](const QByteArray& frame, qint64, bool&) -> std::optional<DelayedAnswer> {
                return DelayedAnswer{model.Reply(frame), kReplyDelayMs};
            },
        });
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const auto parsed = parseRigsimOptions(QCoreApplication::arguments());
    if (const auto* usage = std::get_if<RigsimUsage>(&parsed)) {
        std::fputs(qPrintable(usage->text + QLatin1Char('\n')), usage->isError ? stderr : stdout);
        return usage->isError ? 2 : 0;
    }
    return ServeOnPseudoTerminal("rigsim", [&parsed](const PseudoTerminal& pty, int stopFd) {
        return serve(std::get<RigsimOptions>(parsed), pty, stopFd);
    });
}
