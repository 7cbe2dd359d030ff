#include "core/view/ColumnFit.h"

#include <algorithm>
#include <numeric>

std::vector<int> FitColumnWidths(const std::vector<int>& widths, const std::vector<int>& needed,
                                 int available) {
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    if (total <= available)
        return widths;
    std::vector<int> room(widths.size());
    for (std::size_t c = 0; c < widths.size(); ++c)
        room[c] = c < needed.size() ? std::max(0, widths[c] - needed[c]) : 0;
    const long long allRoom = std::accumulate(room.begin(), room.end(), 0LL);
    const long long excess = total - available;
    std::vector<int> fitted = widths;
    if (allRoom <= excess) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            fitted[c] -= room[c];
        return fitted;
    }
    // Proportional cuts, rounded down; the pixels still missing come from
    // the columns with the most room left.
    long long cut = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const int share = static_cast<int>(room[c] * excess / allRoom);
        fitted[c] -= share;
        room[c] -= share;
        cut += share;
    }
    while (cut < excess) {
        const auto most = std::max_element(room.begin(), room.end());
        const auto c = static_cast<std::size_t>(most - room.begin());
        --fitted[c];
        --room[c];
        ++cut;
    }
    return fitted;
}
