#pragma once

#include <QString>

#include <functional>

// Copies the file `source` to `target` (overwriting) so that `target` is only
// ever its old self or a complete copy, also when the disk fills up, turns
// out read-only or is pulled: the bytes go to "<target>.part" beside it, are
// synced, and only then renamed over `target`; the folder is synced after.
// False on any failure; the partial file is removed when the disk still lets
// it be. `afterChunk` runs after each chunk is written: where a test pulls
// the disk in the middle of a copy.
bool CopyFileDurably(const QString& source, const QString& target,
                     const std::function<void()>& afterChunk = {});
