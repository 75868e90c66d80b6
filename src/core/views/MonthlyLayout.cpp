// The Monthly view without a screen: rebuild, layout, selection, week navigation and drawing.
#include "MonthlyLayout.h"

#include <algorithm>

#include "DayEvents.h"
#include "texts/DateTexts.h"

namespace tv {

MonthlyLayout::MonthlyLayout(const CEventStore& store, const CEventTypeTable& types, int firstWeekday)
    : CalendarLayout(store, types), m_firstWeekday(IsWeekday(firstWeekday) ? firstWeekday : kSunday) {
    m_scroll = {0, kWeekScrollMax, 0, kWeekScrollHome};
}

ViewNotice MonthlyLayout::SetFirstWeekday(int firstWeekday) {
    if (!IsWeekday(firstWeekday) || firstWeekday == m_firstWeekday) return {};
    m_firstWeekday = firstWeekday;
    if (!m_viewDate.IsValid()) return {};
    return SetDate(m_viewDate);
}

bool MonthlyLayout::CellOf(const DateTime& date, int& row, int& column) const {
    row = column = -1;
    if (!date.IsValid() || !m_first.IsValid()) return false;
    const int64_t d = DaysBetween(m_first, date);
    if (d < 0 || d >= kMonthlyDays) return false;
    row = static_cast<int>(d / 7);
    column = static_cast<int>(d % 7);
    return true;
}

ViewNotice MonthlyLayout::SetDate(const DateTime& date) {
    m_first = WeekStart(date, m_firstWeekday);
    m_viewDate = date.DateOnly();
    CellOf(date, m_selRow, m_selColumn);
    RebuildItems();
    LayoutItems();
    m_scroll.pos = kWeekScrollHome;
    ViewNotice n;
    n.repaint = n.scrolled = n.captionChanged = true;
    n.viewDate = m_viewDate;
    return n;
}

DateTime MonthlyLayout::GetSelectedDate(const DateTime& now) const {
    if (m_selRow < 0 || m_selColumn < 0) return now;
    DateParts cell, t;
    if (!CellDate(m_selRow, m_selColumn).GetParts(cell) || !now.GetParts(t)) return now;
    int minute = t.hour * 60 + t.minute + 1;
    // A minute past 23:59 would be the next day; the new event belongs to the chosen one.
    if (minute >= 24 * 60) minute = 24 * 60 - 1;
    return DateTime::FromParts(cell.year, cell.month, cell.day, minute / 60, minute % 60, 0);
}

std::string MonthlyLayout::GetCaptionText(const ShortDateFormatter& format) const {
    if (!m_first.IsValid()) return {};
    return format(m_first) + " - " + format(AddDays(m_first, kMonthlyDays - 1));
}

std::string MonthlyLayout::CellLabel(int row, int column) const {
    const DateTime date = CellDate(row, column);
    const bool withMonth = (row == 0 && column == 0) || date.GetDay() == 1;
    return GetDateTexts().MonthCell(date, withMonth);
}

const CViewItem* MonthlyLayout::SelectedItem() const {
    if (m_selRow < 0 || m_selColumn < 0 || m_selItem < 0) return nullptr;
    const auto& list = m_cells[m_selRow * 7 + m_selColumn];
    return m_selItem < static_cast<int>(list.size()) ? &list[m_selItem] : nullptr;
}

bool MonthlyLayout::RemoveSelectedItem() {
    if (!SelectedItem()) return false;
    auto& list = m_cells[m_selRow * 7 + m_selColumn];
    list.erase(list.begin() + m_selItem);
    m_selItem = -1;
    LayoutItems();
    return true;
}

void MonthlyLayout::RebuildItems() {
    for (auto& list : m_cells) list.clear();
    m_selItem = -1;
    if (!m_first.IsValid()) return;
    const DayEventLists days = CollectEventsOfDays(m_store, m_first, kMonthlyDays);
    for (const auto& day : days) {
        for (const DayEvent& de : day) {
            int row, column;
            if (CellOf(de.occurrence, row, column)) m_cells[row * 7 + column].push_back({Rect{}, de.event->GetId()});
        }
    }
}

void MonthlyLayout::LayoutItems(const Rect& r) {
    for (int row = 0; row < kMonthlyRows; ++row) {
        for (int column = 0; column < kMonthlyColumns; ++column) {
            auto& list = m_cells[row * 7 + column];
            m_more[row * 7 + column] = LayoutDayLines(list, MonthlyCellRect(r, row, column), kMonthlyRowHeight);
        }
    }
}

std::vector<OutlineDay> MonthlyLayout::Outline() const {
    std::vector<OutlineDay> days;
    if (!m_first.IsValid()) return days;
    for (int row = 0; row < kMonthlyRows; ++row) {
        for (int column = 0; column < kMonthlyColumns; ++column) {
            std::vector<const CViewItem*> items;
            for (const CViewItem& item : m_cells[row * 7 + column]) items.push_back(&item);
            OutlineDay day = OutlineOf(CellDate(row, column), MonthlyCellRect(ClientRect(), row, column), items);
            day.selected = row == m_selRow && column == m_selColumn;
            day.more = m_more[row * 7 + column];
            days.push_back(std::move(day));
        }
    }
    return days;
}

size_t MonthlyLayout::ItemCount() const {
    size_t n = 0;
    for (const auto& list : m_cells) n += list.size();
    return n;
}

ViewNotice MonthlyLayout::SelectCell(int row, int column) {
    ViewNotice n;
    if (row < 0 || row >= kMonthlyRows || column < 0 || column >= kMonthlyColumns) return n;
    m_selRow = row;
    m_selColumn = column;
    m_viewDate = CellDate(row, column);
    n.repaint = true;
    n.viewDate = m_viewDate;
    return n;
}

ViewNotice MonthlyLayout::MousePress(int x, int y, MouseButton) {
    const Rect client = ClientRect();
    if (y < client.top + kMonthlyHeaderHeight) return {};
    // The last row and column reach the edges, so the hit test asks the cells themselves.
    for (int row = 0; row < kMonthlyRows; ++row) {
        for (int column = 0; column < kMonthlyColumns; ++column) {
            if (!MonthlyCellRect(client, row, column).Contains(x, y)) continue;
            m_selItem = -1;
            if (m_more[row * 7 + column].rect.Contains(x, y)) {
                ViewNotice n = SelectCell(row, column);
                n.openDay = CellDate(row, column);
                return n;
            }
            const auto& list = m_cells[row * 7 + column];
            for (size_t i = 0; i < list.size(); ++i) {
                if (list[i].rect.Contains(x, y)) {
                    m_selItem = static_cast<int>(i);
                    break;
                }
            }
            return SelectCell(row, column);
        }
    }
    return {};
}

ViewNotice MonthlyLayout::KeyPress(ViewKey key, int repeat) {
    repeat = std::max(1, repeat);
    m_selItem = -1;
    ViewNotice n;
    n.repaint = true;
    int row = m_selRow, column = m_selColumn;
    switch (key) {
        case ViewKey::PageUp: return Navigate(-kMonthlyRows);
        case ViewKey::PageDown: return Navigate(kMonthlyRows);
        case ViewKey::Left: --column; break;
        case ViewKey::Right: ++column; break;
        case ViewKey::Up: row -= repeat; break;
        case ViewKey::Down: row += repeat; break;
    }
    if (m_selRow < 0 || m_selColumn < 0) return n;
    if (row < 0 || row >= kMonthlyRows || column < 0 || column >= kMonthlyColumns) return n;
    return SelectCell(row, column);
}

ViewNotice MonthlyLayout::Wheel(int rotation) { return Navigate(rotation >= 0 ? -1 : 1); }

ViewNotice MonthlyLayout::Navigate(int delta) {
    ViewNotice n;
    if (delta == 0 || !m_first.IsValid()) return n;
    // The thumb stops at the ends of its range; the weeks keep moving by the whole delta.
    m_scroll.pos = std::clamp(m_scroll.pos + delta, m_scroll.min, m_scroll.Limit());
    m_first = AddDays(m_first, 7 * static_cast<int64_t>(delta));
    m_viewDate = AddDays(m_viewDate, 7 * static_cast<int64_t>(delta));
    m_selItem = -1;
    RebuildItems();
    LayoutItems();
    n.repaint = n.scrolled = n.captionChanged = true;
    n.viewDate = m_viewDate;
    return n;
}

ViewNotice MonthlyLayout::Scroll(ScrollAction action, int pos) {
    switch (action) {
        case ScrollAction::LineUp: return Navigate(-1);
        case ScrollAction::LineDown: return Navigate(1);
        case ScrollAction::PageUp: return Navigate(-kMonthlyRows);
        case ScrollAction::PageDown: return Navigate(kMonthlyRows);
        case ScrollAction::ThumbTrack:
        case ScrollAction::ThumbPosition: return Navigate(pos - m_scroll.pos);
        case ScrollAction::EndScroll: break;
    }
    return {};
}

void MonthlyLayout::Draw(DisplayList& out, const DrawTarget& target) const {
    const Rect& r = target.rect;
    const Rect header = MonthlyHeaderRect(r);
    out.Fill(header, DrawColor::System(DrawColor::Role::ButtonFace));
    out.Line({header.left, header.bottom - 1}, {header.right, header.bottom - 1}, ViewPalette::kGrid);
    for (int c = 0; c < kMonthlyColumns; ++c) {
        const Rect col = MonthlyHeaderColumnRect(r, c);
        const int weekday = (m_firstWeekday - 1 + c) % 7 + 1;
        const bool weekend = weekday == kSunday || weekday == kSaturday;
        out.Text({col.left, col.top, col.right, col.bottom - 2}, GetDateTexts().WeekdayName(weekday), DrawFont::Text,
                 weekend ? ViewPalette::kWeekend : ViewPalette::kButtonText, kAlignHCenter | kAlignVCenter);
        if (c < kMonthlyColumns - 1) out.EtchedRight(col);
    }

    const CViewItem* selected = target.printer ? nullptr : SelectedItem();
    for (int row = 0; row < kMonthlyRows; ++row) {
        for (int column = 0; column < kMonthlyColumns; ++column) {
            const Rect cell = MonthlyCellRect(r, row, column);
            const DateTime date = CellDate(row, column);
            out.Fill(cell, date.GetMonth() % 2 ? ViewPalette::kOddMonth : ViewPalette::kPage);
            const bool isSelected = !target.printer && row == m_selRow && column == m_selColumn;
            if (isSelected)
                out.Fill(Rect{cell.left, cell.top, cell.right, cell.top + kMonthlyRowHeight}.Shrunk(1),
                         ViewPalette::kSelection);
            out.Line({cell.left + 1, cell.top + kMonthlyRowHeight}, {cell.right - 1, cell.top + kMonthlyRowHeight},
                     ViewPalette::kGrid);
            out.Text({cell.left + 3, cell.top + 2, cell.right, cell.top + kMonthlyRowHeight}, CellLabel(row, column),
                     DrawFont::Text, isSelected ? ViewPalette::kSelectedText : ViewPalette::kInk,
                     kAlignLeft | kAlignVCenter);
            for (const CViewItem& item : m_cells[row * 7 + column])
                DrawListLine(out, item, &item == selected, target.printer);
            DrawMoreLink(out, m_more[row * 7 + column]);
        }
    }

    const int gridTop = r.top + kMonthlyHeaderHeight;
    const int rh = MonthlyRowHeight(r), cw = MonthlyColumnWidth(r);
    for (int i = 1; i < kMonthlyRows; ++i) out.Line({r.left, gridTop + i * rh}, {r.right, gridTop + i * rh}, ViewPalette::kFrame);
    for (int i = 1; i < kMonthlyColumns; ++i)
        out.Line({r.left + i * cw, gridTop}, {r.left + i * cw, r.bottom}, ViewPalette::kFrame);
}

}  // namespace tv
