#include "core/remote/GprsLink.h"

#include <algorithm>

GprsLink::GprsLink(SaveQueue save) : m_save(std::move(save)) {}

void GprsLink::SetSaveQueue(SaveQueue save) {
    std::lock_guard lock(m_mutex);
    m_save = std::move(save);
}

void GprsLink::Save() {
    m_saveFailed = !(m_save && m_save(m_frames));
}

bool GprsLink::Append(const UploadFrame& frame) {
    std::lock_guard lock(m_mutex);
    m_frames.push_back(frame);
    Save();
    return !m_saveFailed;
}

bool GprsLink::StartWith(const UploadFrame& frame) {
    std::lock_guard lock(m_mutex);
    m_frames.assign(1, frame);
    ForgetSentHead();
    Save();
    return !m_saveFailed;
}

// The frame in flight left the queue: an answer still on its way must not
// remove the new head, which was never sent.
void GprsLink::ForgetSentHead() {
    m_awaitingReply = false;
    m_sendNow = true;
    m_retryCount = 0;
}

void GprsLink::Assign(std::vector<UploadFrame> frames) {
    std::lock_guard lock(m_mutex);
    m_frames = std::move(frames);
}

bool GprsLink::StartModuleTest(const UploadFrame& frame) {
    std::lock_guard lock(m_mutex);
    m_frames.push_back(frame);
    m_moduleTestFrame = frame;
    m_moduleTestPending = true;
    m_awaitingReply = true;
    m_sendNow = true;
    Save();
    return !m_saveFailed;
}

void GprsLink::SetUploadOff(bool off) {
    std::lock_guard lock(m_mutex);
    m_uploadOff = off;
}

std::vector<UploadFrame> GprsLink::Frames() const {
    std::lock_guard lock(m_mutex);
    return m_frames;
}

int GprsLink::State() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

void GprsLink::ResetState() {
    std::lock_guard lock(m_mutex);
    m_state = kIdle;
}

void GprsLink::ResetLink() {
    std::lock_guard lock(m_mutex);
    if (m_moduleTestFrame)
        std::erase(m_frames, *m_moduleTestFrame);
    m_moduleTestFrame.reset();
    m_state = kSent;
    m_sendNow = true;
    m_awaitingReply = false;
    m_moduleTestPending = false;
    m_retryCount = 0;
}

bool GprsLink::SaveFailed() const {
    std::lock_guard lock(m_mutex);
    return m_saveFailed;
}

void GprsLink::RetryFailedSave() {
    std::lock_guard lock(m_mutex);
    if (m_saveFailed)
        Save();
}

std::optional<UploadFrame> GprsLink::Tick(qint64 nowMs) {
    std::lock_guard lock(m_mutex);
    // A clock set back (the operator's time dialog) must not stall the
    // sender until the old time comes round again.
    const bool clockSetBack = m_nextPassMs && nowMs < *m_nextPassMs - kPassMs;
    if (m_nextPassMs && nowMs < *m_nextPassMs && !clockSetBack)
        return std::nullopt;
    m_nextPassMs = nowMs + kPassMs;
    return SenderPass();
}

std::optional<UploadFrame> GprsLink::SenderPass() {
    if (m_uploadOff || m_frames.empty())
        return std::nullopt;
    if (m_sendNow) {
        m_sendNow = false;
        m_awaitingReply = true;
        m_state = kSent;
        m_retryCount = 0;
        return m_frames.front();
    }
    if (m_moduleTestPending) {
        // Only the test frame goes: readings queued behind it were never sent.
        m_state = kTestFailed;
        DropModuleTestFrames();
        m_moduleTestPending = false;
        m_sendNow = true;
        return std::nullopt;
    }
    m_state = kNoAnswer;
    if (++m_retryCount > kSilentPassesBeforeResend) {
        m_awaitingReply = true;
        m_sendNow = false;
        m_retryCount = 0;
        return m_frames.front();
    }
    return std::nullopt;
}

void GprsLink::DropModuleTestFrames() {
    if (m_moduleTestFrame)
        std::erase(m_frames, *m_moduleTestFrame);
    m_moduleTestFrame.reset();
    Save();
}

void GprsLink::HandleGprsReply(std::uint8_t byte) {
    std::lock_guard lock(m_mutex);
    if (!m_awaitingReply)
        return;
    m_awaitingReply = false;
    m_sendNow = true;
    if (byte == kAnswerNotRegistered) {
        m_state = kNotRegistered;
        return;
    }
    if (byte == kAnswerTestPassed) {
        m_state = kTestPassed;
        m_moduleTestPending = false;
        DropModuleTestFrames();
        return;
    }
    m_state = kSent;
    if (!m_frames.empty())
        m_frames.erase(m_frames.begin());
    Save();
}
