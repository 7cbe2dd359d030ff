#include "core/data/RowStore.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"

#include <algorithm>

bool StoreRows(CPublic& pub, const KVTFile& files, const std::vector<RowWrite>& writes,
               const DataFileJournal::PendingUpload* upload) {
    std::vector<RowWrite> all = pub.unsavedRows;
    for (const RowWrite& write : writes) {
        if (std::find(all.begin(), all.end(), write) == all.end())
            all.push_back(write);
    }
    if (files.WriteRows(pub.dataFilePath, all, pub.recordList, upload)) {
        pub.unsavedRows.clear();
        if (std::exchange(pub.storageFault, false) && pub.alarmText == QString::fromUtf8(kStorageFailedText))
            pub.alarmText.clear();
        return true;
    }
    pub.unsavedRows = std::move(all);
    pub.storageFault = true;
    pub.alarmText = QString::fromUtf8(kStorageFailedText);
    return false;
}

void RetryUnsavedRows(CPublic& pub, const KVTFile& files) {
    if (!pub.unsavedRows.empty())
        StoreRows(pub, files, {});
}
