#pragma once

#include <vector>

// Column widths for a list whose inside is `available` pixels wide. When the
// table's own `widths` add up to more, every column gives up part of its room
// beyond what its texts need (`needed`, same order), in proportion to that
// room, until the columns fit; no column is made narrower than its texts, nor
// wider than its own width. When even the texts do not fit, each column gets
// what its texts need (or its own width, when smaller) and the list scrolls
// sideways.
std::vector<int> FitColumnWidths(const std::vector<int>& widths, const std::vector<int>& needed,
                                 int available);
