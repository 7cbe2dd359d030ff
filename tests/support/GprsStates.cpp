#include "GprsStates.h"

#include "core/remote/GprsLink.h"
#include "core/remote/UploadFrame.h"

namespace {
// One pass apart; far beyond any earlier pass of the same link.
qint64 NextPassMs() {
    static qint64 nowMs = 0;
    nowMs += 1'000'000'000;
    return nowMs;
}
} // namespace

void DriveGprsState(GprsLink& link, int state) {
    const UploadFrame testFrame = BuildModuleTestFrame(QByteArrayLiteral("123456"));
    switch (state) {
    case GprsLink::kNotRegistered:
    case GprsLink::kTestPassed:
        link.StartModuleTest(testFrame);
        link.HandleGprsReply(static_cast<std::uint8_t>(state));
        break;
    case GprsLink::kTestFailed:
        link.StartModuleTest(testFrame);
        link.Tick(NextPassMs());
        link.Tick(NextPassMs());
        break;
    case GprsLink::kNoAnswer:
        link.Append(UploadFrame{});
        link.Tick(NextPassMs());
        link.Tick(NextPassMs());
        break;
    default:
        break;
    }
}
