// The Week Day view without a screen: Monday to Friday in 48 half-hour slots.
#pragma once

#include <array>
#include <vector>

#include "SlotGridLayout.h"

namespace tv {

class WeekdayLayout final : public SlotGridLayout {
public:
    WeekdayLayout(const CEventStore& store, const CEventTypeTable& types);

    ViewIndex Kind() const override { return kViewWeekday; }
    ViewNotice SetDate(const DateTime& date) override;
    DateTime GetSelectedDate(const DateTime& now) const override;
    std::string GetCaptionText(const ShortDateFormatter& format) const override;
    bool RemoveSelectedItem() override;
    void ClearSelectedItem() override { m_selItem = -1; }
    using CalendarLayout::LayoutItems;
    void LayoutItems(const Rect& r) override;
    void RebuildItems() override;

    ViewNotice MousePress(int x, int y, MouseButton button) override;
    ViewNotice KeyPress(ViewKey key, int repeat) override;
    ViewNotice Resize(int width, int height) override;

    PrintExtent GetPrintExtent(int deviceWidth, int deviceHeight) const override {
        return CalendarPrintExtent(kViewWeekday, deviceWidth, deviceHeight);
    }
    void Draw(DisplayList& out, const DrawTarget& target) const override;
    size_t ItemCount() const override;
    std::vector<OutlineDay> Outline() const override;

    const DateTime& GetFirstDay() const { return m_first; }
    int GetSelectedSlot() const { return m_selSlot; }
    int GetSelectedColumn() const { return m_selColumn; }
    const std::vector<CViewItem>& CellItems(int slot, int column) const { return m_cells.at(slot).at(column); }
    // Column width for a rectangle: (right - grid left) / 5.
    static int ColumnWidth(const Rect& r) { return (r.right - (r.left + kTimeColumnWidth)) / kWeekdayColumns; }
    // The cell of (slot, column) in content coordinates.
    static Rect CellRect(const Rect& r, int slot, int column);

private:
    const CViewItem* SelectedItem() const override;
    ViewNotice Select(int slot, int column);
    int VisibleGridHeight() const { return m_clientHeight - kWeekdayHeaderHeight; }

    DateTime m_first = DateTime::Null();  // no date until the first SetDate
    std::array<std::array<std::vector<CViewItem>, kWeekdayColumns>, kSlotCount> m_cells;
    int m_selSlot = -1;
    int m_selColumn = -1;
    int m_selItem = -1;  // index into the selected cell's list
};

}  // namespace tv
