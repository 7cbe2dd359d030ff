#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

// A 45-byte upload frame for the GPRS link.
inline constexpr std::size_t kUploadFrameSize = 45;
using UploadFrame = std::array<std::uint8_t, kUploadFrameSize>;

// The frames waiting for the GPRS link. The user-interface thread appends and
// the GPRS sender removes the head, so every access takes the lock.
class UploadQueue {
  public:
    void append(const UploadFrame& frame);
    std::optional<UploadFrame> head() const;
    void removeHead();
    void clear();
    void assign(std::vector<UploadFrame> frames);
    std::vector<UploadFrame> snapshot() const;
    std::size_t size() const;

  private:
    mutable std::mutex m_mutex; // guards m_frames
    std::vector<UploadFrame> m_frames;
};
