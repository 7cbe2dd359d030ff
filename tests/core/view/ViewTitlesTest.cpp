#include "core/view/ViewTitles.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewTitles, TableTitles) {
    EXPECT_EQ(TableViewTitle(1), QStringLiteral("数据汇总表"));
    EXPECT_EQ(TableViewTitle(2), QStringLiteral("荷载沉降表"));
    EXPECT_EQ(TableViewTitle(3), QStringLiteral("数据记录表"));
    EXPECT_FALSE(TableViewTitle(0).has_value());
    EXPECT_FALSE(TableViewTitle(4).has_value());
}

TEST(ViewTitles, CurveTitlesFollowTheLoadUnit) {
    const struct {
        int view;
        bool loadInKN;
        const char* title;
    } cases[] = {{1, true, "Q-s 曲线"},    {1, false, "p-s 曲线"},  {2, true, "s-lgQ 曲线"},
                 {2, false, "s-lgp 曲线"}, {3, true, "s-lgt 曲线"}, {3, false, "s-lgt 曲线"}};
    for (const auto& c : cases)
        EXPECT_EQ(CurveViewTitle(c.view, c.loadInKN), QString::fromUtf8(c.title)) << c.view << c.loadInKN;
    EXPECT_FALSE(CurveViewTitle(0, true).has_value());
    EXPECT_FALSE(CurveViewTitle(4, false).has_value());
}

TEST(ViewTitles, ViewsCycleOneTwoThree) {
    EXPECT_EQ(CycleView(1), 2);
    EXPECT_EQ(CycleView(2), 3);
    EXPECT_EQ(CycleView(3), 1);
    // A value outside the cycle starts it again.
    EXPECT_EQ(CycleView(0), 1);
    EXPECT_EQ(CycleView(7), 1);
}

} // namespace
