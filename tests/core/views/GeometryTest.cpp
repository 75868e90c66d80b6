// Slots and week arithmetic of the calendar views.
#include <gtest/gtest.h>

#include "Events.h"
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
    // Weeks of the Weekly and Monthly pages begin on the chosen day, 13 January 2008 a Sunday.
    const struct {
        DateTime date;
        int first;
        DateTime start;
    } weeks[] = {
        {At(2008, 1, 13, 23, 0), kMonday, At(2008, 1, 7)},  {At(2008, 1, 7), kMonday, At(2008, 1, 7)},
        {At(2008, 1, 1), kMonday, At(2007, 12, 31)},         {At(2008, 1, 16, 9, 0), kSunday, At(2008, 1, 13)},
        {At(2008, 1, 13, 9, 0), kSunday, At(2008, 1, 13)},   {At(2008, 1, 18), kSaturday, At(2008, 1, 12)},
        {At(2008, 1, 19), kSaturday, At(2008, 1, 19)},
    };
    for (const auto& w : weeks) EXPECT_EQ(WeekStart(w.date, w.first), w.start) << w.date.ToIsoText() << " " << w.first;
    EXPECT_FALSE(WeekStart(At(2008, 1, 1), 8).IsValid());
}
