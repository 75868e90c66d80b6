// Slots and weeks of the calendar views, page titles, the shared date and the tab bar's date button.
#include <gtest/gtest.h>

#include "Events.h"
#include "views/CalendarLayout.h"
#include "views/ViewSwitching.h"

using namespace tv;
using tvtest::At;

TEST(ViewGeometry, SlotsSplitEveryHourAndWeeksStartWhereEachViewWantsThem) {
    // The layouts' own tests meet the usual slots and week starts; these are the edges.
    EXPECT_EQ(std::tuple(SlotOfTime(At(2008, 1, 16)), SlotOfTime(At(2008, 1, 16, 23, 59, 59)),
                         SlotOfTime(DateTime::Invalid())),
              std::tuple(0, 47, -1));
    EXPECT_EQ(SlotDateTime(At(2008, 1, 16, 13, 12), 15), At(2008, 1, 16, 7, 30));
    EXPECT_FALSE(SlotDateTime(At(2008, 1, 16), 48).IsValid());
    EXPECT_EQ(WorkWeekMonday(At(2008, 1, 14)), At(2008, 1, 14));
    EXPECT_EQ(WeekMonday(At(2008, 1, 1)), At(2007, 12, 31));  // across the year
    EXPECT_EQ(WeekSunday(At(2008, 1, 13, 9, 0)), At(2008, 1, 13));
}

TEST(ViewSwitching, TitlesSharedDateAndToday) {
    EXPECT_EQ(std::tuple(ViewTitle(kViewWeekday), ViewTitle(6), ViewTitle(-1)), std::tuple("Week Day", "", ""));
    DateTime copy;  // the zero date
    EXPECT_EQ(TakeSharedDate(copy, At(2008, 1, 16, 10, 5)), At(2008, 1, 16, 10, 5));
    copy = At(2008, 3, 1, 12, 0);
    EXPECT_EQ(TakeSharedDate(copy, At(2008, 1, 16, 10, 5)), At(2008, 3, 1, 12, 0));
    EXPECT_EQ(TodayAtMidnight(At(2008, 1, 16, 10, 5)), At(2008, 1, 16));
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
    EXPECT_EQ(std::tuple(b.MouseMove(150, 10), b.Press(150, 10)),
              std::tuple(DateButtonState::Edge::None, DateButtonState::Edge::None));
}
