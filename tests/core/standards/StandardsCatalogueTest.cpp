#include "core/standards/StandardsCatalogue.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Intervals = std::array<int, 6>;

struct Expected {
    int code;
    int radioId;
    std::string caption;
    std::vector<std::string> boxes; // 维荷时间, 判稳时间, 判稳次数, 稳定沉降
    Intervals load;
    Intervals unload;
};

constexpr Intervals kFast{5, 10, 15, 15, 15, 15};
constexpr Intervals kSlow{5, 10, 15, 15, 15, 30};
constexpr Intervals kSinglePile{5, 5, 5, 15, 15, 15};
constexpr Intervals kPlate{10, 10, 10, 15, 15, 30};
constexpr Intervals kUnloadShort{5, 10, 15, 30, 30, 30};
constexpr Intervals kUnloadLong{15, 15, 30, 30, 30, 30};
constexpr Intervals Every(int m) {
    return {m, m, m, m, m, m};
}

const std::vector<Expected> kExpected{
    {0, 1051, "DGJ32/TJ 142-2012收敛法", {"60", "10", "2", "收敛"}, Every(5), Every(5)},
    {1, 1052, "GB50007-2011单桩", {"120", "60", "2", "0.10"}, kSinglePile, kUnloadLong},
    {2, 1053, "GB50007-2011平板", {"120", "60", "2", "0.10"}, kPlate, kUnloadLong},
    {3, 1054, "GB50007-2011岩基", {"30", "10", "3", "0.01"}, Every(10), Every(10)},
    {4, 1055, "JGJ106-2014 快速", {"60", "15", "1", "收敛"}, kFast, kUnloadShort},
    {5, 1056, "JGJ106-2014 慢速", {"120", "60", "2", "0.10"}, kSlow, kUnloadLong},
    {6, 1057, "JGJ79-2012复合地基", {"60", "60", "1", "0.10"}, Every(30), Every(30)},
    {7, 1058, "快速(每级1小时)", {"60", "不判稳", "不判稳", "不判稳"}, kSlow, kUnloadShort},
    {8, 1059, "快速(每级2小时)", {"120", "不判稳", "不判稳", "不判稳"}, kSlow, kUnloadLong},
    {10, 1000, "DBJ 15-60-2008平板", {"60", "60", "1", "0.10"}, kSlow, kUnloadShort},
    {11, 1010, "DBJ 15-60-2008快速", {"60", "15", "1", "收敛"}, kFast, kUnloadShort},
    {12, 1025, "DBJ 15-60-2008慢速", {"90", "60", "2", "0.1"}, kSlow, kUnloadShort},
    {32, 1062, "JGJ79-2012处理后地基", {"120", "60", "2", "0.10"}, kPlate, kUnloadLong},
    {33, 1063, "JGJ79-2012增强体单桩", {"120", "60", "2", "0.10"}, kSinglePile, kUnloadLong},
    {57, 1031, "JGJ 340-2015土地基", {"120", "60", "2", "0.10"}, kPlate, {10, 20, 30, 60, 60, 60}},
    {58, 1036, "JGJ 340-2015岩地基", {"40", "30", "2", "0.03"}, Every(10), Every(10)},
    {59, 1037, "JGJ 340-2015复合地基", {"60", "60", "1", "0.10"}, Every(30), Every(30)},
    {60, 1038, "JGJ 340-2015竖向增强体", {"120", "60", "2", "0.10"}, kSlow, {15, 15, 30, 60, 60, 60}},
};

TEST(StandardsCatalogue, EveryPresetStandardCarriesItsButtonCaptionAndBoxTexts) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.caption);
        const StandardEntry* entry = FindStandardByCode(expected.code);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->radioId, expected.radioId);
        EXPECT_EQ(entry->Caption().toStdString(), expected.caption);
        EXPECT_TRUE(entry->hasPreset);
        const std::vector<std::string> boxes{entry->criteria.holdMinutes, entry->criteria.stableCheckMinutes,
                                             entry->criteria.stableCheckCount,
                                             entry->criteria.stableSettlement};
        EXPECT_EQ(boxes, expected.boxes);
        EXPECT_EQ(entry->loadIntervals, expected.load);
        EXPECT_EQ(entry->unloadIntervals, expected.unload);
    }
}

TEST(StandardsCatalogue, UserInputHasNoPreset) {
    const StandardEntry* entry = FindStandardByCode(kUserInputCode);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->radioId, 1060);
    EXPECT_EQ(entry->Caption(), QStringLiteral("用户输入"));
    EXPECT_FALSE(entry->hasPreset);
}

TEST(StandardsCatalogue, HoldsNineteenChoicesWithDistinctCodesAndButtons) {
    std::set<int> codes;
    std::set<int> radioIds;
    for (const StandardEntry& entry : StandardsCatalogue()) {
        codes.insert(entry.code);
        radioIds.insert(entry.radioId);
    }
    EXPECT_EQ(StandardsCatalogue().size(), 19u);
    EXPECT_EQ(codes.size(), 19u);
    EXPECT_EQ(radioIds.size(), 19u);
}

TEST(StandardsCatalogue, LooksUpByCodeAndByButton) {
    for (const StandardEntry& entry : StandardsCatalogue()) {
        EXPECT_EQ(FindStandardByCode(entry.code), &entry);
        EXPECT_EQ(FindStandardByRadioId(entry.radioId), &entry);
    }
    // Unassigned codes, and ids of the dialog's edits and buttons.
    for (const int code : {13, 31, 34, 56, 61, -1})
        EXPECT_EQ(FindStandardByCode(code), nullptr) << code;
    for (const int id : {1061, 1001, 1027, 1042, 0})
        EXPECT_EQ(FindStandardByRadioId(id), nullptr) << id;
}

} // namespace
