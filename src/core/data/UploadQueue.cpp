#include "core/data/UploadQueue.h"

void UploadQueue::append(const UploadFrame& frame) {
    std::lock_guard lock(m_mutex);
    m_frames.push_back(frame);
}

std::optional<UploadFrame> UploadQueue::head() const {
    std::lock_guard lock(m_mutex);
    if (m_frames.empty())
        return std::nullopt;
    return m_frames.front();
}

void UploadQueue::removeHead() {
    std::lock_guard lock(m_mutex);
    if (!m_frames.empty())
        m_frames.erase(m_frames.begin());
}

void UploadQueue::clear() {
    std::lock_guard lock(m_mutex);
    m_frames.clear();
}

void UploadQueue::assign(std::vector<UploadFrame> frames) {
    std::lock_guard lock(m_mutex);
    m_frames = std::move(frames);
}

std::vector<UploadFrame> UploadQueue::snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_frames;
}

std::size_t UploadQueue::size() const {
    std::lock_guard lock(m_mutex);
    return m_frames.size();
}
