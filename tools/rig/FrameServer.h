#pragma once

#include "PseudoTerminal.h"

#include <QByteArray>

#include <functional>
#include <optional>

// Bytes to send back and how many milliseconds after the frame.
struct DelayedAnswer {
    QByteArray bytes;
    qint64 delayMs = 0;
};

// What a simulator does on its line: frames of a fixed size are cut from the
// byte stream (FrameAssembler.h) and each gets its answer, if any, after the
// answer's delay. `advance` runs on every turn of the loop, at least every
// 50 ms, with the monotonic time in milliseconds.
struct FrameService {
    qsizetype frameSize = 0;
    std::function<void(qint64 nowMs)> advance;
    // Empty: no answer. A failure the simulator cannot go on after sets
    // `failed` and ends the loop with exit code 1.
    std::function<std::optional<DelayedAnswer>(const QByteArray& frame, qint64 nowMs, bool& failed)> answer;
};

// Serves the pseudo-terminal until `stopFd` becomes readable (exit code 0).
int ServeFrames(const PseudoTerminal& pty, int stopFd, const FrameService& service);

// Milliseconds of a monotonic clock.
qint64 MonotonicMs();
