// The Monthly view without a screen: a rolling window of five weeks, each row one week from
// the first weekday (Sunday unless the user chose another) to the last.
#pragma once

#include <array>
#include <vector>

#include "CalendarLayout.h"

namespace tv {

class MonthlyLayout final : public CalendarLayout {
public:
    // firstWeekday: the day of the first column, 1 Sunday .. 7 Saturday.
    MonthlyLayout(const CEventStore& store, const CEventTypeTable& types, int firstWeekday = kSunday);

    ViewIndex Kind() const override { return kViewMonthly; }
    ViewNotice SetDate(const DateTime& date) override;
    // The selected cell's day at the present time of day plus one minute, seconds 0.
    DateTime GetSelectedDate(const DateTime& now) const override;
    std::string GetCaptionText(const ShortDateFormatter& format) const override;
    bool RemoveSelectedItem() override;
    void ClearSelectedItem() override { m_selItem = -1; }
    using CalendarLayout::LayoutItems;
    void LayoutItems(const Rect& r) override;
    void RebuildItems() override;

    ViewNotice MousePress(int x, int y, MouseButton button) override;
    ViewNotice KeyPress(ViewKey key, int repeat) override;
    ViewNotice Wheel(int rotation) override;
    ViewNotice Scroll(ScrollAction action, int pos = 0) override;

    PrintExtent GetPrintExtent(int deviceWidth, int deviceHeight) const override {
        return CalendarPrintExtent(kViewMonthly, deviceWidth, deviceHeight);
    }
    void Draw(DisplayList& out, const DrawTarget& target) const override;
    size_t ItemCount() const override;
    std::vector<OutlineDay> Outline() const override;

    // The first column is this weekday from now on; the view date stays shown and selected.
    ViewNotice SetFirstWeekday(int firstWeekday);
    int GetFirstWeekday() const { return m_firstWeekday; }

    const DateTime& GetFirstCellDate() const { return m_first; }
    const DateTime& GetViewDate() const { return m_viewDate; }
    int GetSelectedRow() const { return m_selRow; }
    int GetSelectedColumn() const { return m_selColumn; }
    DateTime CellDate(int row, int column) const { return AddDays(m_first, 7 * row + column); }
    // Row and column of a date inside the shown five weeks; false outside them.
    bool CellOf(const DateTime& date, int& row, int& column) const;
    const std::vector<CViewItem>& CellItems(int row, int column) const { return m_cells.at(row * 7 + column); }
    const MoreLink& CellMore(int row, int column) const { return m_more.at(row * 7 + column); }
    // The cell's day label: with the month on the first cell and on the first of a month.
    std::string CellLabel(int row, int column) const;
    ViewNotice Navigate(int delta);

private:
    const CViewItem* SelectedItem() const override;
    ViewNotice SelectCell(int row, int column);

    DateTime m_first = DateTime::Null();  // no date until the first SetDate
    DateTime m_viewDate = DateTime::Null();
    std::array<std::vector<CViewItem>, kMonthlyDays> m_cells;
    std::array<MoreLink, kMonthlyDays> m_more;
    int m_firstWeekday = kSunday;
    int m_selRow = -1;
    int m_selColumn = -1;
    int m_selItem = -1;
};

}  // namespace tv
