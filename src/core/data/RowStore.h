#pragma once

#include "core/data/DataFileJournal.h"
#include "core/data/RowWrite.h"

#include <vector>

class KVTFile;
struct CPublic;

// The system's alarm text for a data file that could not be written.
inline constexpr const char* kStorageFailedText = "数据存储失败,请检查磁盘!";

// Writes `writes` of the current data file, after any left from a failed
// save, as one journaled update from the rows of recordList. On failure every
// one of them is kept in `unsavedRows` for the next tick, `storageFault` is
// set and the alarm line shows kStorageFailedText; nothing is taken as stored.
// An upload that goes with the update is queued only when it was stored.
bool StoreRows(CPublic& pub, const KVTFile& files, const std::vector<RowWrite>& writes,
               const DataFileJournal::PendingUpload* upload = nullptr);

// Every tick: tries the kept writes again; clears the fault once they are stored.
void RetryUnsavedRows(CPublic& pub, const KVTFile& files);
