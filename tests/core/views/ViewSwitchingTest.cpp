// Page indices, titles, the date commands' enabling and the tab bar's geometry and button.
#include <gtest/gtest.h>

#include "Events.h"
#include "views/ViewSwitching.h"

using namespace tv;
using tvtest::At;

TEST(ViewSwitching, TitlesAndCommandRulesDependOnThePage) {
    EXPECT_EQ(ViewTitle(kViewWeekday), "Week Day");
    EXPECT_EQ(ViewTitle(6), "");
    EXPECT_EQ(ViewTitle(-1), "");
    // Goto This Day needs another page than Daily; Find has no date, no menu and no New.
    EXPECT_FALSE(CanGotoThisDay(kViewDaily));
    EXPECT_TRUE(CanGotoThisDay(kViewMonthly));
    EXPECT_TRUE(CanGotoThisDay(kViewAll));
    EXPECT_FALSE(CanGotoThisDay(kViewFind) || CanGotoDate(kViewFind) || ShowsContextMenu(kViewFind) ||
                 CanCreateEvent(kViewFind));
    EXPECT_TRUE(CanGotoDate(kViewAll) && ShowsContextMenu(kViewAll) && CanCreateEvent(kViewAll));
}

TEST(ViewSwitching, SharedDateStartsAtNowOnceAndTodayIsMidnight) {
    DateTime copy;  // the zero date
    EXPECT_EQ(TakeSharedDate(copy, At(2008, 1, 16, 10, 5)), At(2008, 1, 16, 10, 5));
    copy = At(2008, 3, 1, 12, 0);
    EXPECT_EQ(TakeSharedDate(copy, At(2008, 1, 16, 10, 5)), At(2008, 3, 1, 12, 0));
    EXPECT_EQ(TodayAtMidnight(At(2008, 1, 16, 10, 5)), At(2008, 1, 16));
}

TEST(ViewSwitching, TabBarPlacesTitleAndDateButton) {
    const TabBarLayout l = LayoutTabBar(kViewMonthly, 640, 31, 60, 150);
    EXPECT_EQ(l.title, (Rect{10, 6, 85, 26}));
    EXPECT_TRUE(l.hasDateButton);
    EXPECT_EQ(l.dateButton, (Rect{474, 6, 636, 26}));
    // The All page has no date text but keeps a 12-pixel button.
    EXPECT_EQ(LayoutTabBar(kViewAll, 640, 31, 20, 0).dateButton.Width(), 12);
    EXPECT_FALSE(LayoutTabBar(kViewFind, 640, 31, 20, 0).hasDateButton);
}

TEST(ViewSwitching, DateButtonHoverPressAndRelease) {
    DateButtonState b;
    b.SetRect({100, 6, 200, 26}, true);
    EXPECT_EQ(b.MouseMove(10, 10), DateButtonState::Edge::None);
    EXPECT_EQ(b.MouseMove(150, 10), DateButtonState::Edge::Raised);
    EXPECT_TRUE(b.IsTimerRunning());
    EXPECT_FALSE(b.TimerTick(150, 10));
    EXPECT_TRUE(b.TimerTick(50, 10));  // the cursor left: erase the edge, stop the timer
    EXPECT_FALSE(b.IsTimerRunning());

    EXPECT_EQ(b.Press(150, 10), DateButtonState::Edge::Sunken);
    EXPECT_EQ(b.MouseMove(151, 10), DateButtonState::Edge::Sunken);
    EXPECT_FALSE(b.Release(20, 10));  // released outside: no dialog
    EXPECT_FALSE(b.IsPressed());
    b.Press(150, 10);
    EXPECT_TRUE(b.Release(150, 10));
    EXPECT_FALSE(b.Release(150, 10));  // no press, no dialog

    b.SetRect({100, 6, 200, 26}, false);  // the Find page: the button is not there
    EXPECT_EQ(b.MouseMove(150, 10), DateButtonState::Edge::None);
    EXPECT_EQ(b.Press(150, 10), DateButtonState::Edge::None);
}
