// The Weekly view without a screen: rebuild, layout, selection, week navigation and drawing.
#include "WeeklyLayout.h"

#include <algorithm>

#include "DayEvents.h"
#include "texts/DateTexts.h"

namespace tv {

WeeklyLayout::WeeklyLayout(const CEventStore& store, const CEventTypeTable& types, int firstWeekday)
    : CalendarLayout(store, types), m_firstWeekday(IsWeekday(firstWeekday) ? firstWeekday : kMonday) {
    m_scroll = {0, kWeekScrollMax, 0, kWeekScrollHome};
}

ViewNotice WeeklyLayout::SetFirstWeekday(int firstWeekday) {
    if (!IsWeekday(firstWeekday) || firstWeekday == m_firstWeekday) return {};
    m_firstWeekday = firstWeekday;
    if (!m_first.IsValid()) return {};
    return SetDate(AddDays(m_first, m_selDay >= 0 ? m_selDay : 0));
}

ViewNotice WeeklyLayout::SetDate(const DateTime& date) {
    m_first = WeekStart(date, m_firstWeekday);
    m_selDay = static_cast<int>(DaysBetween(m_first, date));
    if (m_selDay < 0 || m_selDay > 6) m_selDay = -1;
    RebuildItems();
    LayoutItems();
    m_scroll.pos = kWeekScrollHome;
    ViewNotice n;
    n.repaint = n.scrolled = n.captionChanged = true;
    return n;
}

DateTime WeeklyLayout::GetSelectedDate(const DateTime& now) const {
    if (m_selDay < 0) return now;
    return AddDays(m_first, m_selDay);
}

std::string WeeklyLayout::GetCaptionText(const ShortDateFormatter& format) const {
    if (!m_first.IsValid()) return {};
    return format(m_first) + " - " + format(AddDays(m_first, 6));
}

const CViewItem* WeeklyLayout::SelectedItem() const {
    if (m_selDay < 0 || m_selItem < 0) return nullptr;
    const auto& list = m_days[m_selDay];
    return m_selItem < static_cast<int>(list.size()) ? &list[m_selItem] : nullptr;
}

bool WeeklyLayout::RemoveSelectedItem() {
    if (!SelectedItem()) return false;
    auto& list = m_days[m_selDay];
    list.erase(list.begin() + m_selItem);
    m_selItem = -1;
    LayoutItems();
    return true;
}

void WeeklyLayout::RebuildItems() {
    for (auto& list : m_days) list.clear();
    m_selItem = -1;
    if (!m_first.IsValid()) return;
    const DayEventLists days = CollectEventsOfDays(m_store, m_first, 7);
    for (const auto& day : days) {
        for (const DayEvent& de : day) {
            const int64_t index = DaysBetween(m_first, de.occurrence);
            if (!de.occurrence.IsValid() || index < 0 || index > 6) continue;
            m_days[index].push_back({Rect{}, de.event->GetId()});
        }
    }
}

void WeeklyLayout::LayoutItems(const Rect& r) {
    for (int d = 0; d < 7; ++d) m_more[d] = LayoutDayLines(m_days[d], WeeklyCellRect(r, d), kWeeklyRowHeight);
}

std::vector<OutlineDay> WeeklyLayout::Outline() const {
    std::vector<OutlineDay> days;
    if (!m_first.IsValid()) return days;
    for (int d = 0; d < 7; ++d) {
        std::vector<const CViewItem*> items;
        for (const CViewItem& item : m_days[d]) items.push_back(&item);
        OutlineDay day = OutlineOf(AddDays(m_first, d), WeeklyCellRect(ClientRect(), d), items);
        day.selected = d == m_selDay;
        day.more = m_more[d];
        days.push_back(std::move(day));
    }
    return days;
}

size_t WeeklyLayout::ItemCount() const {
    size_t n = 0;
    for (const auto& list : m_days) n += list.size();
    return n;
}

ViewNotice WeeklyLayout::SelectDay(int day) {
    ViewNotice n;
    if (day < 0 || day > 6) return n;
    m_selDay = day;
    n.repaint = true;
    n.viewDate = AddDays(m_first, day);
    return n;
}

ViewNotice WeeklyLayout::MousePress(int x, int y, MouseButton) {
    const Rect client = ClientRect();
    for (int d = 0; d < 7; ++d) {
        if (!WeeklyCellRect(client, d).Contains(x, y)) continue;
        m_selItem = -1;
        if (m_more[d].rect.Contains(x, y)) {
            ViewNotice n = SelectDay(d);
            n.openDay = AddDays(m_first, d);
            return n;
        }
        const auto& list = m_days[d];
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].rect.Contains(x, y)) {
                m_selItem = static_cast<int>(i);
                break;
            }
        }
        return SelectDay(d);
    }
    return {};
}

ViewNotice WeeklyLayout::KeyPress(ViewKey key, int) {
    m_selItem = -1;
    ViewNotice n;
    n.repaint = true;
    int day = m_selDay;
    switch (key) {
        case ViewKey::PageUp: return Navigate(-1);
        case ViewKey::PageDown: return Navigate(1);
        case ViewKey::Up: day -= 1; break;
        case ViewKey::Down: day += 1; break;
        // Across the planner: the right half's days 3, 4 and 5 face days 0, 1 and 2 (Thursday,
        // Friday, Saturday and Monday, Tuesday, Wednesday in a Monday week); the last day
        // shares the sixth's row.
        case ViewKey::Left: day = (day >= 3 && day <= 5) ? day - 3 : day == 6 ? 2 : -1; break;
        case ViewKey::Right: day = (day >= 0 && day <= 2) ? day + 3 : -1; break;
    }
    if (day < 0 || day > 6) return n;
    return SelectDay(day);
}

ViewNotice WeeklyLayout::Wheel(int rotation) { return Navigate(rotation >= 0 ? -1 : 1); }

ViewNotice WeeklyLayout::Navigate(int delta) {
    ViewNotice n;
    const int wanted = m_scroll.pos + delta;
    if (delta == 0 || !m_first.IsValid()) return n;
    // The thumb stops at the ends of its range; the week keeps moving by the whole delta.
    m_scroll.pos = std::clamp(wanted, m_scroll.min, m_scroll.Limit());
    m_first = AddDays(m_first, 7 * static_cast<int64_t>(delta));
    m_selItem = -1;
    RebuildItems();
    LayoutItems();
    n.repaint = n.scrolled = n.captionChanged = true;
    n.viewDate = AddDays(m_first, m_selDay >= 0 ? m_selDay : 0);
    return n;
}

ViewNotice WeeklyLayout::Scroll(ScrollAction action, int pos) {
    switch (action) {
        case ScrollAction::LineUp:
        case ScrollAction::PageUp: return Navigate(-1);
        case ScrollAction::LineDown:
        case ScrollAction::PageDown: return Navigate(1);
        case ScrollAction::ThumbTrack:
        case ScrollAction::ThumbPosition: return Navigate(pos - m_scroll.pos);
        case ScrollAction::EndScroll: break;
    }
    return {};
}

void WeeklyLayout::Draw(DisplayList& out, const DrawTarget& target) const {
    const Rect& r = target.rect;
    const CViewItem* selected = target.printer ? nullptr : SelectedItem();
    for (int d = 0; d < 7; ++d) {
        const Rect cell = WeeklyCellRect(r, d);
        const Rect header = Rect{cell.left, cell.top, cell.right, cell.top + kWeeklyRowHeight}.Shrunk(1);
        const bool isSelected = !target.printer && d == m_selDay;
        out.Fill(header, isSelected ? ViewPalette::kSelection : ViewPalette::kOffice);
        out.Line({cell.left + 1, cell.top + kWeeklyRowHeight}, {cell.right - 1, cell.top + kWeeklyRowHeight},
                 ViewPalette::kGrid);
        out.Text({cell.left + 3, cell.top + 2, cell.right, cell.top + kWeeklyRowHeight},
                 GetDateTexts().WeeklyDay(AddDays(m_first, d)), DrawFont::Text,
                 isSelected ? ViewPalette::kSelectedText : ViewPalette::kInk, kAlignLeft | kAlignVCenter);
        for (const CViewItem& item : m_days[d]) DrawListLine(out, item, &item == selected, target.printer);
        DrawMoreLink(out, m_more[d]);
    }
    for (int d = 2; d <= 5; ++d) {
        const Rect cell = WeeklyCellRect(r, d);
        out.Line({r.left, cell.top}, {r.right, cell.top}, ViewPalette::kFrame);
    }
    const Rect last = WeeklyCellRect(r, 6);
    out.Line({last.left, r.top}, {last.left, r.top + 3 * (r.Height() / 3)}, ViewPalette::kFrame);
    out.Line({last.left, last.top}, {last.right, last.top}, ViewPalette::kFrame);
}

}  // namespace tv
