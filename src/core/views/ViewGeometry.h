// Pixel geometry shared by the calendar views' layout, hit testing and drawing.
#pragma once

#include <cstdint>

#include "model/DateTime.h"

namespace tv {

// Half-open like the window system's rectangles: left <= x < right, top <= y < bottom.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Shrunk(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    Rect Translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// One event shown in a view: where its box or line is and which event it is. The event is
// looked up by id whenever it is needed, so a box never points at a stale record.
struct CViewItem {
    Rect rect;  // empty until laid out; an empty item is neither drawn nor hit
    uint32_t id = 0;
};

// Day-grid constants of the Daily and Week Day views.
constexpr int kSlotCount = 48;
constexpr int kSlotHeight = 20;
constexpr int kTimeColumnWidth = 65;   // hour labels
constexpr int kDailyItemsLeft = 70;    // the black line left of the Daily boxes
constexpr int kWeekdayHeaderHeight = 17;
constexpr int kWeekdayColumns = 5;
constexpr int kColumnStrip = 5;        // white strip at the left of every Week Day column
constexpr int kMinItemWidth = 30;
constexpr int kItemGap = 4;
constexpr int kDailyContentHeight = kSlotCount * kSlotHeight;                          // 960
constexpr int kWeekdayContentHeight = kWeekdayHeaderHeight + kSlotCount * kSlotHeight;  // 977

// Weekly and Monthly constants.
constexpr int kWeeklyRowHeight = 19;
constexpr int kMonthlyHeaderHeight = 17;
constexpr int kMonthlyRowHeight = 18;
constexpr int kMonthlyRows = 5;
constexpr int kMonthlyColumns = 7;
constexpr int kMonthlyDays = kMonthlyRows * kMonthlyColumns;
constexpr int kWeekScrollMax = 51;
constexpr int kWeekScrollHome = 25;

// Slot 0..47 of a time of day: two per hour, the second from minute 30.
int SlotOfTime(const DateTime& dt);
// The day of date at the slot's hour and minute (hh:00 or hh:30).
DateTime SlotDateTime(const DateTime& day, int slot);

// The window system's MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

// Whole days from one date's day to another's (negative when to lies before from).
int64_t DaysBetween(const DateTime& from, const DateTime& to);
DateTime AddDays(const DateTime& day, int64_t days);

// Weekdays as the date library numbers them.
constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kSaturday = 7;
inline bool IsWeekday(int dayOfWeek) { return dayOfWeek >= kSunday && dayOfWeek <= kSaturday; }

// Monday of the week that holds date, at 00:00; Saturday goes back to the Monday before and
// Sunday forward to the Monday after, since a work week has no weekend.
DateTime WorkWeekMonday(const DateTime& date);
// The first day, at 00:00, of the week that holds date, for weeks that begin on firstWeekday
// (1 Sunday .. 7 Saturday): a Monday week ends on the Sunday, a Sunday week on the Saturday.
DateTime WeekStart(const DateTime& date, int firstWeekday);

// Weekly view: the cell of day 0 (the week's first) .. 6 (its last) inside r.
Rect WeeklyCellRect(const Rect& r, int day);
// Monthly view: the 17-pixel weekday header and the cell (row, column) inside r.
Rect MonthlyHeaderRect(const Rect& r);
Rect MonthlyHeaderColumnRect(const Rect& r, int column);
Rect MonthlyCellRect(const Rect& r, int row, int column);
int MonthlyColumnWidth(const Rect& r);
int MonthlyRowHeight(const Rect& r);

}  // namespace tv
