#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <optional>
#include <vector>

// The write-ahead journal that makes one update of a data file (a reading,
// a save of the run state) one unit on disk. It lives beside the data file as
// "<data file>.jnl"; the file manager lists only "*.kvt" and a copied test
// does not need it, because a finished update leaves it empty.
//
// Entry layout (little-endian), one entry at a time from offset 0:
// | size | content                                            |
// |    4 | "KVTJ", or "KVTU" for an entry with an upload frame |
// |    4 | uint32 number of extents n                         |
// |  n × | int64 file offset, uint32 length, the new bytes    |
// |  4+m | "KVTU" only: uint32 length m, the frame's bytes     |
// |    4 | CRC-32 of everything before                        |
//
// Commit: the entry is written and synced, the extents are written into the
// data file and synced, then the journal is cut to zero length. A power cut
// before the entry is synced leaves the data file untouched and an entry
// whose checksum fails (ignored); after it, replaying the entry at start-up
// finishes the update. Replaying an entry again is harmless: a later update
// of the same bytes would have replaced the entry first.
//
// A reading's upload frame rides in its entry, so that the reading and its
// frame become durable together: the frame is queued after the rows are on
// disk and before the entry is cut (then synced, so that a replay after a
// power cut cannot send it twice), and start-up queues the frame of an entry
// it replays unless the queue already holds it.
namespace DataFileJournal {

struct Entry {
    std::vector<FileExtent> extents;
    QByteArray uploadFrame; // empty: none
};

// The frame that goes with an update and what queues it.
struct PendingUpload {
    QByteArray frame;
    std::function<void()> queue;
};

QString JournalPath(const QString& dataFileHostPath);

QByteArray Encode(const Entry& entry);
// A complete entry; nothing for an empty, torn or foreign one.
std::optional<Entry> Decode(const QByteArray& bytes);

// Applies `extents` to the data file through the journal; false when any
// write or sync failed (the caller keeps the update and tries again). With an
// upload, its `queue` runs once the rows are on disk, never on a failure.
bool Commit(const FileSystem& fs, const QString& dataFileHostPath, const std::vector<FileExtent>& extents,
            const PendingUpload* upload = nullptr);

enum class Recovery { Clean, Replayed, TornIgnored, Failed };
// Start-up: finishes the update a complete entry describes, drops a torn one.
// The upload frame of a replayed entry goes to `uploadFrame`.
Recovery Recover(const FileSystem& fs, const QString& dataFileHostPath, QByteArray* uploadFrame = nullptr);

} // namespace DataFileJournal
