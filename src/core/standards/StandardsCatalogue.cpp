#include "core/standards/StandardsCatalogue.h"

#include <algorithm>

namespace {

constexpr const char* kConverge = "收敛";
constexpr const char* kNoJudgement = "不判稳";

constexpr std::array<int, 6> Every(int minutes) {
    return {minutes, minutes, minutes, minutes, minutes, minutes};
}

constexpr std::array<StandardEntry, 19> kCatalogue{{
    {0, 1051, "DGJ32/TJ 142-2012收敛法", true, {"60", "10", "2", kConverge}, Every(5), Every(5)},
    {1,
     1052,
     "GB50007-2011单桩",
     true,
     {"120", "60", "2", "0.10"},
     {5, 5, 5, 15, 15, 15},
     {15, 15, 30, 30, 30, 30}},
    {2,
     1053,
     "GB50007-2011平板",
     true,
     {"120", "60", "2", "0.10"},
     {10, 10, 10, 15, 15, 30},
     {15, 15, 30, 30, 30, 30}},
    {3, 1054, "GB50007-2011岩基", true, {"30", "10", "3", "0.01"}, Every(10), Every(10)},
    {4,
     1055,
     "JGJ106-2014 快速",
     true,
     {"60", "15", "1", kConverge},
     {5, 10, 15, 15, 15, 15},
     {5, 10, 15, 30, 30, 30}},
    {5,
     1056,
     "JGJ106-2014 慢速",
     true,
     {"120", "60", "2", "0.10"},
     {5, 10, 15, 15, 15, 30},
     {15, 15, 30, 30, 30, 30}},
    {6, 1057, "JGJ79-2012复合地基", true, {"60", "60", "1", "0.10"}, Every(30), Every(30)},
    {7,
     1058,
     "快速(每级1小时)",
     true,
     {"60", kNoJudgement, kNoJudgement, kNoJudgement},
     {5, 10, 15, 15, 15, 30},
     {5, 10, 15, 30, 30, 30}},
    {8,
     1059,
     "快速(每级2小时)",
     true,
     {"120", kNoJudgement, kNoJudgement, kNoJudgement},
     {5, 10, 15, 15, 15, 30},
     {15, 15, 30, 30, 30, 30}},
    {kUserInputCode, 1060, "用户输入", false, {"", "", "", ""}, {}, {}},
    {kBearingCapacityCode,
     1000,
     "DBJ 15-60-2008平板",
     true,
     {"60", "60", "1", "0.10"},
     {5, 10, 15, 15, 15, 30},
     {5, 10, 15, 30, 30, 30}},
    {11,
     1010,
     "DBJ 15-60-2008快速",
     true,
     {"60", "15", "1", kConverge},
     {5, 10, 15, 15, 15, 15},
     {5, 10, 15, 30, 30, 30}},
    {12,
     1025,
     "DBJ 15-60-2008慢速",
     true,
     {"90", "60", "2", "0.1"},
     {5, 10, 15, 15, 15, 30},
     {5, 10, 15, 30, 30, 30}},
    {32,
     1062,
     "JGJ79-2012处理后地基",
     true,
     {"120", "60", "2", "0.10"},
     {10, 10, 10, 15, 15, 30},
     {15, 15, 30, 30, 30, 30}},
    {33,
     1063,
     "JGJ79-2012增强体单桩",
     true,
     {"120", "60", "2", "0.10"},
     {5, 5, 5, 15, 15, 15},
     {15, 15, 30, 30, 30, 30}},
    {57,
     1031,
     "JGJ 340-2015土地基",
     true,
     {"120", "60", "2", "0.10"},
     {10, 10, 10, 15, 15, 30},
     {10, 20, 30, 60, 60, 60}},
    {58, 1036, "JGJ 340-2015岩地基", true, {"40", "30", "2", "0.03"}, Every(10), Every(10)},
    {59, 1037, "JGJ 340-2015复合地基", true, {"60", "60", "1", "0.10"}, Every(30), Every(30)},
    {60,
     1038,
     "JGJ 340-2015竖向增强体",
     true,
     {"120", "60", "2", "0.10"},
     {5, 10, 15, 15, 15, 30},
     {15, 15, 30, 60, 60, 60}},
}};

template <typename Matches> const StandardEntry* FindStandard(Matches matches) {
    const auto found = std::find_if(kCatalogue.begin(), kCatalogue.end(), matches);
    return found == kCatalogue.end() ? nullptr : &*found;
}

} // namespace

std::span<const StandardEntry> StandardsCatalogue() {
    return kCatalogue;
}

const StandardEntry* FindStandardByCode(int code) {
    return FindStandard([code](const StandardEntry& entry) { return entry.code == code; });
}

const StandardEntry* FindStandardByRadioId(int radioId) {
    return FindStandard([radioId](const StandardEntry& entry) { return entry.radioId == radioId; });
}
