// The sales window's geometry rules as pure functions.
#include "sales/SalesLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace SalesLayout;

TEST(SalesLayout, TheSplitterKeepsItsMarginsAndNeverANonPositiveSize)
{
    // 50 twips in, 200 twips narrower and 600 twips lower than the window.
    EXPECT_EQ(SplitterRect(QSize(1333, 840), QRect()), QRect(3, 3, 1320, 800));
    const QRect before(3, 3, 500, 400);
    EXPECT_EQ(SplitterRect(QSize(10, 30), before), QRect(3, 3, 500, 400));
    EXPECT_EQ(SplitterRect(QSize(300, 30), before), QRect(3, 3, 287, 400));
}

TEST(SalesLayout, TheTicketAreaScrollsInTwentiethsOfWhatThePaneHides)
{
    EXPECT_FALSE(ScrollTicketArea(500, 500, 10).barVisible);
    EXPECT_EQ(ScrollTicketArea(500, 600, 10).areaTop, 0);
    const TicketScroll half = ScrollTicketArea(700, 500, 10);
    EXPECT_TRUE(half.barVisible);
    EXPECT_EQ(half.areaTop, -100);
    EXPECT_EQ(ScrollTicketArea(700, 500, 20).areaTop, -200);
    EXPECT_EQ(ScrollTicketArea(700, 500, 99).areaTop, -200) << "never past the end";
}

TEST(SalesLayout, APartOfTheTicketAreaIsScrolledIntoViewAsLittleAsNeeded)
{
    // 200 pixels hidden: each step of the bar moves the area 10 pixels.
    EXPECT_EQ(ScrollValueShowing(700, 500, 100, 300, 0), 0) << "shown already";
    EXPECT_EQ(ScrollValueShowing(700, 500, 100, 300, 20), 10) << "up until its top shows";
    EXPECT_EQ(ScrollValueShowing(700, 500, 550, 650, 0), 16) << "down until its bottom shows";
    EXPECT_EQ(ScrollValueShowing(700, 500, 550, 650, 18), 18);
    EXPECT_EQ(ScrollValueShowing(700, 500, 50, 650, 0), 5) << "taller than the pane: its top";
    EXPECT_EQ(ScrollValueShowing(500, 500, 400, 600, 7), 7) << "nothing to scroll";
}

} // namespace
