// The Weekly view without a screen: seven days laid out like a paper week planner, the first
// three down the left half, the next two and the last two (sharing a cell) down the right.
#pragma once

#include <array>
#include <vector>

#include "CalendarLayout.h"

namespace tv {

class WeeklyLayout final : public CalendarLayout {
public:
    // firstWeekday: the day weeks begin with, 1 Sunday .. 7 Saturday.
    WeeklyLayout(const CEventStore& store, const CEventTypeTable& types, int firstWeekday = kMonday);

    ViewIndex Kind() const override { return kViewWeekly; }
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
    ViewNotice Wheel(int rotation) override;
    ViewNotice Scroll(ScrollAction action, int pos = 0) override;

    PrintExtent GetPrintExtent(int deviceWidth, int deviceHeight) const override {
        return CalendarPrintExtent(kViewWeekly, deviceWidth, deviceHeight);
    }
    void Draw(DisplayList& out, const DrawTarget& target) const override;
    size_t ItemCount() const override;
    std::vector<OutlineDay> Outline() const override;

    // Weeks begin on this day from now on; the shown week is the one holding the selected day.
    ViewNotice SetFirstWeekday(int firstWeekday);
    int GetFirstWeekday() const { return m_firstWeekday; }

    const DateTime& GetFirstDay() const { return m_first; }
    int GetSelectedDay() const { return m_selDay; }
    const std::vector<CViewItem>& DayItems(int day) const { return m_days.at(day); }
    const MoreLink& DayMore(int day) const { return m_more.at(day); }
    // Moves the shown week by delta weeks, as the scroll bar, Page keys and the wheel do.
    ViewNotice Navigate(int delta);

private:
    const CViewItem* SelectedItem() const override;
    ViewNotice SelectDay(int day);

    DateTime m_first = DateTime::Null();  // no date until the first SetDate
    std::array<std::vector<CViewItem>, 7> m_days;
    std::array<MoreLink, 7> m_more;
    int m_firstWeekday = kMonday;
    int m_selDay = -1;
    int m_selItem = -1;
};

}  // namespace tv
