#include "core/engine/Reading.h"

#include "core/data/CFormat.h"
#include "core/data/CPublic.h"
#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "core/data/RowStore.h"
#include "core/data/RunStateRows.h"
#include "core/engine/StabilityJudge.h"
#include "core/engine/UploadFrames.h"
#include "core/view/SettlementRows.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

constexpr int kReadingBeepTicks = 5; // one second of controller buzzer
constexpr char kReadingFlag = '1';

// Marks the row as holding a reading. The first rows carry copies of the
// test settings in the same field; their texts are kept.
void MarkReadingRow(Record& row) {
    if (row.flagText[0] == '\0')
        row.flagText[0] = kReadingFlag;
}

struct Remark {
    QString text;
    std::uint8_t flags = 0;
};

// Consumes the one-shot flags that mark a reading.
Remark BuildRemark(CPublic& pub, bool valuesMissing) {
    Remark remark;
    if (pub.rangeAdjustPending) {
        // A range adjustment moves every gauge: no gauge words.
        pub.rangeAdjustPending = false;
    } else {
        const char* words[4] = {"1 ", "2 ", "3 ", "4"};
        QString adjusted;
        for (int k = 0; k < 4; ++k) {
            if (pub.gaugeAdjusted[static_cast<std::size_t>(k)]) {
                adjusted += QString::fromLatin1(words[k]);
                remark.flags |= static_cast<std::uint8_t>(1 << k);
            }
        }
        if (!adjusted.isEmpty())
            remark.text = QStringLiteral("表") + adjusted;
    }
    for (auto& adjusted : pub.gaugeAdjusted)
        adjusted = false;
    if (std::exchange(pub.timeChanged, false)) {
        remark.text += QStringLiteral("时间");
        remark.flags |= 0x10;
    }
    if (std::exchange(pub.interruptedMark, false)) {
        remark.text = QStringLiteral("中断");
        remark.flags |= 0x20;
    }
    if (std::exchange(pub.manualReadingRequested, false)) {
        remark.text += QStringLiteral(" 手动");
        remark.flags |= 0x40;
    }
    if (valuesMissing)
        remark.text = QStringLiteral("通讯故障");
    return remark;
}

// The list holds the row at `index` and the row after it.
void EnsureRows(CPublic& pub, int index) {
    while (static_cast<int>(pub.recordList.size()) <= index + 1)
        pub.recordList.push_back(Record::Template());
}

std::int32_t Whole(float load) {
    return static_cast<std::int32_t>(std::trunc(load));
}

} // namespace

void TakeReading(CPublic& pub, const KVTFile& files, const QDateTime& now, const LiveSample& live) {
    const RunState run = pub.run.View();
    if (run.controlState == ControlState::Waiting)
        return;
    pub.run.Post(RunCommands::Beep{kReadingBeepTicks});
    pub.resyncActive = false;

    const int row = pub.readingCount;
    const int copyRow = pub.copyCount;
    EnsureRows(pub, std::max(row, copyRow));

    QByteArray clock;
    std::int32_t load;
    ReadingMarks marks;
    if (std::exchange(pub.stageChanged, false)) {
        marks.stageOpening = true;
        clock = QByteArrayLiteral("--:--"); // opens the stage
        load = Whole(run.targetLoad);
        // A stage reached at once (the load already at the new target) keeps
        // its mark, so that its schedule starts with the 0-minute reading.
    } else {
        clock = CFormat("%02d:%02d", now.time().hour(), now.time().minute());
        // The stage's 0-minute reading is booked at the stage load. Without a
        // measured load the row keeps its stage's load, which the settlement
        // rows group it by; the remark tells it was not measured. An unloading
        // stage counts as reached whenever the load is not above it, so one
        // that the jack had already leaked below (while the operator decided
        // at the maximum load) is booked as measured.
        const bool leakedBelowStage = run.controlState == ControlState::HoldingUnload &&
                                      live.currentLoad < run.targetLoad - 2 * pub.holdBand;
        marks.targetLoad = std::exchange(pub.stageReachedMark, false);
        const bool atStageLoad = (marks.targetLoad && !leakedBelowStage) || ValuesMissing(live);
        load = Whole(atStageLoad ? run.targetLoad : live.currentLoad);
        pub.stageReached = false;
    }

    Record& reading = pub.recordList[static_cast<std::size_t>(row)];
    std::memcpy(reading.clock, clock.constData(), sizeof reading.clock);
    reading.load = load;
    for (std::size_t k = 0; k < 8; ++k)
        reading.gauge[k] = live.gaugeValue[k];
    MarkReadingRow(reading);

    const Remark remark = BuildRemark(pub, ValuesMissing(live));
    pub.uploadFlags = remark.flags;
    Record& copy = pub.recordList[static_cast<std::size_t>(copyRow)];
    std::memcpy(copy.copyMark, clock.constData(), sizeof copy.copyMark);
    copy.copyLoad = load;
    std::memcpy(copy.copyGauge, reading.gauge, sizeof copy.copyGauge);
    SetFieldText(copy.remark, DeviceText::FromUnicode(remark.text));

    RefreshRunStateTexts(pub, now.date());
    // One update on disk: the run-state rows a restart resumes the held stage
    // from, the reading row and its copy row, all or none.
    std::vector<RowWrite> writes = RunStateRowWrites();
    writes.push_back({row, true});
    if (copyRow != row)
        writes.push_back({copyRow, true});
    // The frame rides in the update's journal entry: the reading and its
    // frame become durable together. A reading that could not be stored is
    // kept for the next tick; its frame is queued at once all the same.
    const UploadFrame frame = ReadingUploadFrame(pub, now, load, live, marks);
    bool frameQueued = false;
    const DataFileJournal::PendingUpload upload{UploadQueueBytes({frame}), [&] {
                                                    QueueReadingFrame(pub, row, frame);
                                                    frameQueued = true;
                                                }};
    StoreRows(pub, files, writes, ReadingUploadsOff(pub) ? nullptr : &upload);
    if (!frameQueued)
        QueueReadingFrame(pub, row, frame);

    pub.readingCount = row + 1;
    pub.copyCount = copyRow + 1;
    std::memset(pub.recordList[static_cast<std::size_t>(row + 1)].clock, '1', 5);
    std::memset(pub.recordList[static_cast<std::size_t>(copyRow + 1)].copyMark, '1', 5);

    DeriveSettlementRows(pub);
    if (IsHoldingLoad(run.controlState))
        JudgeStability(pub);
}
