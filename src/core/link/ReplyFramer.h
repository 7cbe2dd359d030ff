#pragma once

#include "core/link/MeasurementConversion.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// What the framer made of the bursts it has seen since start-up.
struct ReplyCounts {
    std::uint64_t whole = 0;    // exactly one reply's length: handed on
    std::uint64_t tooShort = 0; // fewer bytes (a short reply, or a reply split by a gap)
    std::uint64_t tooLong = 0;  // more bytes (garbage before a reply, two replies run together)
    std::uint64_t cut = 0;      // still arriving when the command cycle discarded the input

    std::uint64_t Dropped() const { return tooShort + tooLong + cut; }
    bool operator==(const ReplyCounts&) const = default;
};

// Cuts the bytes from the controller into bursts and passes on only a burst
// that is exactly one whole reply. A burst ends when the line has been quiet
// for kQuietMs; the controller sends its reply back to back, so a gap inside
// it means bytes were lost, and a burst of any other length cannot be
// aligned with the reply layout: both are dropped and counted, never
// converted. The caller measures the quiet time; the framer holds no clock.
class ReplyFramer {
  public:
    // About ten character times at 9600 baud with 8 data and 2 stop bits
    // (1.15 ms each): far above the spacing of the bytes of one reply, far
    // below the 200 ms between replies.
    static constexpr int kQuietMs = 10;
    static constexpr qsizetype kReplyBytes = static_cast<qsizetype>(kReplyBlockSize);

    // Bytes read from the line, part of the current burst.
    void Receive(QByteArrayView bytes);
    // The line has been quiet for kQuietMs: the burst ends; the reply when it
    // was exactly one.
    std::optional<QByteArray> EndBurst();
    // The input was discarded under a burst still arriving: it is dropped.
    void Discard();

    bool InBurst() const { return m_length > 0; }
    const ReplyCounts& Counts() const { return m_counts; }

  private:
    QByteArray m_burst;     // the first kReplyBytes of the burst
    qsizetype m_length = 0; // bytes in the burst, also those not kept
    ReplyCounts m_counts;
};
