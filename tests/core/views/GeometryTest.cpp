// Slots, week arithmetic, cell geometry and the print extents of the calendar views.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "views/CalendarLayout.h"
#include "views/ViewGeometry.h"

using namespace tv;
using tvtest::At;

TEST(ViewGeometry, SlotOfTimeSplitsEveryHourAtMinuteThirty) {
    EXPECT_EQ(SlotOfTime(At(2008, 1, 16, 7, 29, 59)), 14);
    EXPECT_EQ(SlotOfTime(At(2008, 1, 16, 7, 30)), 15);
    EXPECT_EQ(SlotOfTime(At(2008, 1, 16, 0, 0)), 0);
    EXPECT_EQ(SlotOfTime(At(2008, 1, 16, 23, 59, 59)), 47);
    EXPECT_EQ(SlotOfTime(DateTime::Invalid()), -1);

    EXPECT_EQ(SlotDateTime(At(2008, 1, 16, 13, 12), 15), At(2008, 1, 16, 7, 30));
    EXPECT_EQ(SlotDateTime(At(2008, 1, 16), 0), At(2008, 1, 16));
    EXPECT_FALSE(SlotDateTime(At(2008, 1, 16), 48).IsValid());
}

TEST(ViewGeometry, WeeksStartWhereEachViewWantsThem) {
    // Work week: Saturday goes back, Sunday forward.
    EXPECT_EQ(WorkWeekMonday(At(2008, 1, 12, 10, 0)), At(2008, 1, 7));   // Saturday
    EXPECT_EQ(WorkWeekMonday(At(2008, 1, 13, 10, 0)), At(2008, 1, 14));  // Sunday
    EXPECT_EQ(WorkWeekMonday(At(2008, 1, 16, 10, 0)), At(2008, 1, 14));  // Wednesday
    EXPECT_EQ(WorkWeekMonday(At(2008, 1, 14)), At(2008, 1, 14));         // Monday
    // Planner week: Sunday is the last day.
    EXPECT_EQ(WeekMonday(At(2008, 1, 13, 23, 0)), At(2008, 1, 7));
    EXPECT_EQ(WeekMonday(At(2008, 1, 7)), At(2008, 1, 7));
    EXPECT_EQ(WeekMonday(At(2008, 1, 1)), At(2007, 12, 31));  // across the year
    // Monthly rows: the Sunday on or before.
    EXPECT_EQ(WeekSunday(At(2008, 1, 16, 9, 0)), At(2008, 1, 13));
    EXPECT_EQ(WeekSunday(At(2008, 1, 13, 9, 0)), At(2008, 1, 13));
}

TEST(ViewGeometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(4960, 1040, 7016), 735);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(ViewGeometry, WeeklyCellsFollowThePaperPlanner) {
    const Rect r{0, 0, 601, 300};  // H = 100, W2 = 300
    EXPECT_EQ(WeeklyCellRect(r, 0), (Rect{0, 0, 300, 100}));
    EXPECT_EQ(WeeklyCellRect(r, 2), (Rect{0, 200, 300, 300}));
    EXPECT_EQ(WeeklyCellRect(r, 3), (Rect{301, 0, 601, 100}));
    EXPECT_EQ(WeeklyCellRect(r, 4), (Rect{301, 100, 601, 200}));
    EXPECT_EQ(WeeklyCellRect(r, 5), (Rect{301, 200, 601, 250}));
    EXPECT_EQ(WeeklyCellRect(r, 6), (Rect{301, 250, 601, 300}));
    EXPECT_TRUE(WeeklyCellRect(r, 7).IsEmpty());
}

TEST(ViewGeometry, MonthlyCellsStretchTheLastRowAndColumnToTheEdges) {
    const Rect r{0, 0, 704, 530};  // CW = 100, RH = (530 - 17) / 5 = 102
    EXPECT_EQ(MonthlyColumnWidth(r), 100);
    EXPECT_EQ(MonthlyRowHeight(r), 102);
    EXPECT_EQ(MonthlyCellRect(r, 0, 0), (Rect{0, 17, 100, 119}));
    EXPECT_EQ(MonthlyCellRect(r, 4, 6), (Rect{600, 425, 704, 530}));
    EXPECT_EQ(MonthlyHeaderColumnRect(r, 6), (Rect{600, 0, 704, 17}));
    EXPECT_TRUE(MonthlyCellRect(r, 5, 0).IsEmpty());
}

TEST(ViewGeometry, PrintExtentsScaleTheWidthToThePaper) {
    const PrintExtent daily = CalendarPrintExtent(ViewKind::Daily, 4960, 7016);
    EXPECT_EQ(daily.height, 1040);
    EXPECT_EQ(daily.width, 735);
    EXPECT_EQ(daily.drawRect, (Rect{0, 0, 670, 960}));  // exactly the 48 rows
    const PrintExtent weekday = CalendarPrintExtent(ViewKind::Weekday, 4960, 7016);
    EXPECT_EQ(weekday.height, 1057);
    EXPECT_EQ(weekday.drawRect.bottom, 977);  // header + 48 rows
    const PrintExtent monthly = CalendarPrintExtent(ViewKind::Monthly, 7016, 4960);
    EXPECT_EQ(monthly.height, 580);
    EXPECT_EQ(monthly.width, 820);
    EXPECT_EQ(monthly.drawRect, (Rect{0, 0, 755, 500}));
    EXPECT_EQ(CalendarPrintExtent(ViewKind::Weekly, 100, 0).width, 0);
}
