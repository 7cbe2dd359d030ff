#include "core/engine/UploadFrames.h"

#include "core/data/CFormat.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/remote/UploadFrame.h"

#include <algorithm>
#include <cmath>

namespace {

UploadFrameInputs Inputs(const CPublic& pub, const QDateTime& now, std::int32_t load,
                         const LiveSample& live) {
    UploadFrameInputs in;
    in.oilPressureSensor = pub.pressureSensor == 1;
    in.oilPressure = live.oilPressure;
    in.maxLoad = pub.maxLoad;
    in.year = now.date().year();
    in.timeText = CFormat("%02d:%02d", now.time().hour(), now.time().minute());
    in.load = load;
    in.targetLoad = pub.run.View().targetLoad;
    for (std::size_t k = 0; k < 4; ++k)
        in.gauge[k] = live.gaugeValue[k];
    in.serialNumber = RowBytes(pub.recordList, SlotOf(ParameterText::serialNumber));
    in.pileNumber = RowBytes(pub.recordList, SlotOf(ParameterText::pileNumber));
    in.coefficientText = RowBytes(pub.recordList, SlotOf(ParameterText::calibrationCoefficient));
    for (int k = 0; k < 4; ++k)
        in.gaugeSelected[static_cast<std::size_t>(k)] =
            RowBytes(pub.recordList, SlotOf(ParameterText::lowGaugesOn, k));
    in.standardCode = pub.standardCode;
    in.uploadFlags = pub.uploadFlags;
    return in;
}

} // namespace

UploadFrame ReadingUploadFrame(const CPublic& pub, const QDateTime& now, std::int32_t load,
                               const LiveSample& live, ReadingMarks marks) {
    UploadFrameInputs in = Inputs(pub, now, load, live);
    in.stageOpening = marks.stageOpening;
    in.targetLoadReading = marks.targetLoad;
    return BuildUploadFrame(in);
}

UploadFrame LiveUploadFrame(const CPublic& pub, const QDateTime& now, const LiveSample& live) {
    // A silent controller's load is NaN: the frame then carries 0.
    const float load = std::isfinite(live.currentLoad) ? live.currentLoad : 0.0f;
    UploadFrameInputs in = Inputs(pub, now, static_cast<std::int32_t>(std::trunc(load)), live);
    in.liveFrame = true;
    return BuildUploadFrame(in);
}

bool ReadingUploadsOff(const CPublic& pub) {
    return ParameterAt(pub.paramList, Entry::uploadOff) == 1.0f;
}

void QueueReadingFrame(CPublic& pub, int readingRow, const UploadFrame& frame) {
    if (ReadingUploadsOff(pub))
        return;
    if (readingRow == 0)
        pub.gprs.StartWith(frame);
    else
        pub.gprs.Append(frame);
}

void RequeueRecoveredReadingFrame(CPublic& pub, const QByteArray& frame) {
    const std::vector<UploadFrame> recoveredFrames = ParseUploadQueue(frame);
    if (ReadingUploadsOff(pub) || recoveredFrames.size() != 1)
        return;
    const UploadFrame& recovered = recoveredFrames.front();
    const std::vector<UploadFrame> queued = pub.gprs.Frames();
    if (std::find(queued.begin(), queued.end(), recovered) == queued.end())
        pub.gprs.Append(recovered);
}

void QueueLiveFrame(CPublic& pub, const QDateTime& now) {
    pub.uploadFlags = 0;
    pub.gprs.Append(LiveUploadFrame(pub, now, pub.run.Live()));
}
