#pragma once

#include "core/data/UploadQueue.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// The upload queue and the state of the link to the GPRS module. The
// user-interface thread appends frames; the link's thread runs the sender
// passes and hands the module's answers in. Every change of the queue is
// saved before the lock is released, so the file always holds the list as
// it is; a frame leaves the queue only after the module answered it.
//
// Time is the instrument's clock (milliseconds), handed in by the caller:
// one sender pass every 10 s, a frame without answer sent again after 130 s,
// a module test without answer failed after one pass.
class GprsLink {
  public:
    enum State : int {
        kIdle = 0,          // the module test's result was shown
        kSent = 2,          // a frame sent or acknowledged
        kNotRegistered = 3, // answer 3
        kTestPassed = 4,    // answer 4
        kNoAnswer = 5,      // a pass went by without an answer
        kTestFailed = 6,    // the module test frame stayed unanswered
    };
    static constexpr qint64 kPassMs = 10'000;
    static constexpr int kSilentPassesBeforeResend = 12;
    static constexpr std::uint8_t kAnswerNotRegistered = 3;
    static constexpr std::uint8_t kAnswerTestPassed = 4;

    // `save` writes the whole list durably; false when it could not.
    using SaveQueue = std::function<bool(const std::vector<UploadFrame>&)>;
    explicit GprsLink(SaveQueue save = {});
    // The owner of the files hands the save in once it exists; until then
    // every save counts as failed.
    void SetSaveQueue(SaveQueue save);

    // User-interface thread. Each returns false when the save failed; the
    // frames stay in memory and the next change saves them again.
    bool Append(const UploadFrame& frame);
    bool StartWith(const UploadFrame& frame);     // the queue becomes this one frame
    void Assign(std::vector<UploadFrame> frames); // loaded from the file
    bool StartModuleTest(const UploadFrame& frame);
    void SetUploadOff(bool off);
    std::vector<UploadFrame> Frames() const;
    int State() const;
    void ResetState(); // after the module test showed its result
    // A reset of the test state or a loaded data file: the link's flags
    // start over. Frames still queued stay: they were never acknowledged.
    void ResetLink();
    bool SaveFailed() const;
    // Every tick while the last save failed: the list is saved again.
    void RetryFailedSave();

    // Link thread. Tick runs the sender pass when one is due and returns the
    // frame to write, if any; the frame stays queued until its answer.
    std::optional<UploadFrame> Tick(qint64 nowMs);
    void HandleGprsReply(std::uint8_t byte);

  private:
    std::optional<UploadFrame> SenderPass();
    void Save();
    void DropModuleTestFrames();
    void ForgetSentHead();

    SaveQueue m_save;
    // Guards everything below: the frames, the link flags and the schedule.
    mutable std::mutex m_mutex;
    std::vector<UploadFrame> m_frames;
    std::optional<UploadFrame> m_moduleTestFrame;
    int m_state = kSent;
    bool m_sendNow = true;
    bool m_awaitingReply = false;
    bool m_moduleTestPending = false;
    int m_retryCount = 0;
    bool m_uploadOff = false;
    bool m_saveFailed = false;
    std::optional<qint64> m_nextPassMs;
};
