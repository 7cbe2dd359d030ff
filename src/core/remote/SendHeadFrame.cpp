#include "core/remote/SendHeadFrame.h"

namespace {
constexpr int kMostWrites = 3;
constexpr int kPauseAfterPartialMs = 50;
} // namespace

bool SendHeadFrame(const UploadFrame& frame, const WriteBytes& write, const PauseMs& pause) {
    qint64 sent = 0;
    const auto size = static_cast<qint64>(frame.size());
    for (int attempt = 0; attempt < kMostWrites; ++attempt) {
        if (attempt > 0)
            pause(kPauseAfterPartialMs);
        const qint64 written = write(frame.data() + sent, size - sent);
        if (written < 0)
            return false;
        sent += written;
        if (sent >= size)
            return true;
    }
    return false;
}
