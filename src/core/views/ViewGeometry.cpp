// Pixel geometry shared by the calendar views.
#include "ViewGeometry.h"

#include <cstdlib>

namespace tv {

int SlotOfTime(const DateTime& dt) {
    DateParts p;
    if (!dt.GetParts(p)) return -1;
    return p.hour * 2 + (p.minute >= 30 ? 1 : 0);
}

DateTime SlotDateTime(const DateTime& day, int slot) {
    DateParts p;
    if (slot < 0 || slot >= kSlotCount || !day.GetParts(p)) return DateTime::Invalid();
    return DateTime::FromParts(p.year, p.month, p.day, slot / 2, slot % 2 ? 30 : 0, 0);
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t q = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -q : q);
}

int64_t DaysBetween(const DateTime& from, const DateTime& to) { return to.DayNumber() - from.DayNumber(); }

DateTime AddDays(const DateTime& day, int64_t days) {
    if (!day.IsValid()) return day;
    return day + TimeSpan(static_cast<double>(days));
}

DateTime WorkWeekMonday(const DateTime& date) {
    const int64_t day = date.DayNumber();
    const int dow = date.GetDayOfWeek();  // 1 Sunday .. 7 Saturday
    if (dow < 1) return DateTime::Invalid();
    if (dow == 1) return DateTime::FromDayNumber(day + 1);
    return DateTime::FromDayNumber(day - (dow - 2));
}

DateTime WeekStart(const DateTime& date, int firstWeekday) {
    const int dow = date.GetDayOfWeek();
    if (dow < 1 || !IsWeekday(firstWeekday)) return DateTime::Invalid();
    return DateTime::FromDayNumber(date.DayNumber() - (dow - firstWeekday + 7) % 7);
}

Rect WeeklyCellRect(const Rect& r, int day) {
    const int h = r.Height() / 3;
    const int w2 = r.Width() / 2;
    if (day >= 0 && day <= 2) return {r.left, r.top + day * h, r.left + w2, r.top + day * h + h};
    if (day == 3 || day == 4) return {r.right - w2, r.top + (day - 3) * h, r.right, r.top + (day - 3) * h + h};
    if (day == 5) return {r.right - w2, r.top + 2 * h, r.right, r.top + 3 * h - h / 2};
    if (day == 6) return {r.right - w2, r.top + 3 * h - h / 2, r.right, r.top + 3 * h};
    return {};
}

Rect MonthlyHeaderRect(const Rect& r) { return {r.left, r.top, r.right, r.top + kMonthlyHeaderHeight}; }

int MonthlyColumnWidth(const Rect& r) { return r.Width() / kMonthlyColumns; }

int MonthlyRowHeight(const Rect& r) { return (r.bottom - (r.top + kMonthlyHeaderHeight)) / kMonthlyRows; }

Rect MonthlyHeaderColumnRect(const Rect& r, int column) {
    const int cw = MonthlyColumnWidth(r);
    const int right = column == kMonthlyColumns - 1 ? r.right : r.left + (column + 1) * cw;
    return {r.left + column * cw, r.top, right, r.top + kMonthlyHeaderHeight};
}

Rect MonthlyCellRect(const Rect& r, int row, int column) {
    if (row < 0 || row >= kMonthlyRows || column < 0 || column >= kMonthlyColumns) return {};
    const int cw = MonthlyColumnWidth(r);
    const int rh = MonthlyRowHeight(r);
    const int gridTop = r.top + kMonthlyHeaderHeight;
    Rect cell{r.left + column * cw, gridTop + row * rh, r.left + (column + 1) * cw, gridTop + (row + 1) * rh};
    if (column == kMonthlyColumns - 1) cell.right = r.right;
    if (row == kMonthlyRows - 1) cell.bottom = r.bottom;
    return cell;
}

}  // namespace tv
