#pragma once

// One part of a data-file row to write: the whole row, or only its three
// texts (which reach the file only when the row is on file already).
struct RowWrite {
    int row = 0;
    bool wholeRow = false;
    bool operator==(const RowWrite&) const = default;
};
