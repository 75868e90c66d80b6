// The Weekly view without a screen: rebuild, layout, selection, week navigation and drawing.
#include "WeeklyLayout.h"

#include <algorithm>

#include "DayEvents.h"

namespace tv {

namespace {

// Lays out one day's lines from the cell's top + rowHeight, stopping at the first line that
// would end below the cell.
void LayoutLines(std::vector<CViewItem>& list, const Rect& cell, int rowHeight) {
    for (CViewItem& item : list) item.rect = {};
    int y = cell.top + rowHeight;
    for (CViewItem& item : list) {
        if (y + rowHeight > cell.bottom) break;
        item.rect = {cell.left, y, cell.right, y + rowHeight};
        y += rowHeight;
    }
}

}  // namespace

WeeklyLayout::WeeklyLayout(const CEventStore& store, const CEventTypeTable& types) : CalendarLayout(store, types) {
    m_scroll = {0, kWeekScrollMax, 0, kWeekScrollHome};
}

ViewNotice WeeklyLayout::SetDate(const DateTime& date) {
    m_first = WeekMonday(date);
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
    for (int d = 0; d < 7; ++d) LayoutLines(m_days[d], WeeklyCellRect(r, d), kWeeklyRowHeight);
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
        // Across the planner: the right half's Thursday, Friday and Saturday face Monday,
        // Tuesday and Wednesday; Sunday shares Saturday's row.
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
                 ViewPalette::kSilver);
        out.Text({cell.left + 3, cell.top + 2, cell.right, cell.top + kWeeklyRowHeight},
                 AddDays(m_first, d).Format("%a, %b %d"), DrawFont::Text,
                 isSelected ? ViewPalette::kWhite : ViewPalette::kBlack, kAlignLeft | kAlignVCenter);
        for (const CViewItem& item : m_days[d]) DrawListLine(out, item, &item == selected, target.printer);
    }
    for (int d = 2; d <= 5; ++d) {
        const Rect cell = WeeklyCellRect(r, d);
        out.Line({r.left, cell.top}, {r.right, cell.top}, ViewPalette::kBlack);
    }
    const Rect sunday = WeeklyCellRect(r, 6);
    out.Line({sunday.left, r.top}, {sunday.left, r.top + 3 * (r.Height() / 3)}, ViewPalette::kBlack);
    out.Line({sunday.left, sunday.top}, {sunday.right, sunday.top}, ViewPalette::kBlack);
}

}  // namespace tv
