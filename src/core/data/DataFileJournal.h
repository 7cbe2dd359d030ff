#pragma once

#include "platform/FileSystem.h"

#include <optional>

// The write-ahead journal that makes one update of a data file (a reading,
// a save of the run state) one unit on disk. It lives beside the data file as
// "<data file>.jnl"; the file manager lists only "*.kvt" and a copied test
// does not need it, because a finished update leaves it empty.
//
// Entry layout (little-endian), one entry at a time from offset 0:
// | size | content                                            |
// |    4 | "KVTJ"                                             |
// |    4 | uint32 number of extents n                         |
// |  n × | int64 file offset, uint32 length, the new bytes    |
// |    4 | CRC-32 of everything before                        |
//
// Commit: the entry is written and synced, the extents are written into the
// data file and synced, then the journal is cut to zero length. A power cut
// before the entry is synced leaves the data file untouched and an entry
// whose checksum fails (ignored); after it, replaying the entry at start-up
// finishes the update. Replaying an entry again is harmless: a later update
// of the same bytes would have replaced the entry first.
namespace DataFileJournal {

QString JournalPath(const QString& dataFileHostPath);

QByteArray Encode(const std::vector<FileExtent>& extents);
// The extents of a complete entry; nothing for an empty, torn or foreign one.
std::optional<std::vector<FileExtent>> Decode(const QByteArray& bytes);

// Applies `extents` to the data file through the journal; false when any
// write or sync failed (the caller keeps the update and tries again).
bool Commit(const FileSystem& fs, const QString& dataFileHostPath, const std::vector<FileExtent>& extents);

enum class Recovery { Clean, Replayed, TornIgnored, Failed };
// Start-up: finishes the update a complete entry describes, drops a torn one.
Recovery Recover(const FileSystem& fs, const QString& dataFileHostPath);

} // namespace DataFileJournal
