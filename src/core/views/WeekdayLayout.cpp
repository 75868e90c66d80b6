// The Week Day view without a screen: rebuild, layout, selection, scrolling and drawing.
#include "WeekdayLayout.h"

#include <algorithm>
#include <cstdio>

#include "DayEvents.h"
#include "texts/DateTexts.h"

namespace tv {

namespace {

// Column of a weekday (1 Sunday .. 7 Saturday): Monday 0 .. Friday 4, -1 for the weekend.
int ColumnOfWeekday(int dow) { return dow >= 2 && dow <= 6 ? dow - 2 : -1; }

}  // namespace

WeekdayLayout::WeekdayLayout(const CEventStore& store, const CEventTypeTable& types) : SlotGridLayout(store, types) {
    m_scroll = {0, kDailyContentHeight, 80, 0};
}

Rect WeekdayLayout::CellRect(const Rect& r, int slot, int column) {
    const int w = ColumnWidth(r);
    const int left = r.left + kTimeColumnWidth + column * w;
    const int top = r.top + kWeekdayHeaderHeight + slot * kSlotHeight;
    return {left, top, left + w, top + kSlotHeight};
}

ViewNotice WeekdayLayout::SetDate(const DateTime& date) {
    m_first = WorkWeekMonday(date);
    const int column = ColumnOfWeekday(date.GetDayOfWeek());
    if (column >= 0) {
        m_selSlot = SlotOfTime(date);
        m_selColumn = column;
    } else {
        m_selSlot = m_selColumn = -1;
    }
    ViewNotice n = ScrollTo(OfficeStartSlot() * kSlotHeight);
    RebuildItems();
    LayoutItems();
    n.repaint = true;
    n.captionChanged = true;
    return n;
}

DateTime WeekdayLayout::GetSelectedDate(const DateTime& now) const {
    if (m_selSlot < 0 || m_selColumn < 0) return now;
    return SlotDateTime(AddDays(m_first, m_selColumn), m_selSlot);
}

std::string WeekdayLayout::GetCaptionText(const ShortDateFormatter& format) const {
    if (!m_first.IsValid()) return {};
    return format(m_first) + " - " + format(AddDays(m_first, kWeekdayColumns - 1));
}

const CViewItem* WeekdayLayout::SelectedItem() const {
    if (m_selSlot < 0 || m_selColumn < 0 || m_selItem < 0) return nullptr;
    const auto& list = m_cells[m_selSlot][m_selColumn];
    return m_selItem < static_cast<int>(list.size()) ? &list[m_selItem] : nullptr;
}

bool WeekdayLayout::RemoveSelectedItem() {
    if (!SelectedItem()) return false;
    auto& list = m_cells[m_selSlot][m_selColumn];
    list.erase(list.begin() + m_selItem);
    m_selItem = -1;
    LayoutItems();
    return true;
}

void WeekdayLayout::RebuildItems() {
    for (auto& row : m_cells)
        for (auto& list : row) list.clear();
    m_selItem = -1;
    if (!m_first.IsValid()) return;
    const DayEventLists days = CollectEventsOfDays(m_store, m_first, kWeekdayColumns);
    for (const auto& day : days) {
        for (const DayEvent& de : day) {
            const int slot = SlotOfTime(de.occurrence);
            const int column = ColumnOfWeekday(de.occurrence.GetDayOfWeek());
            if (slot < 0 || slot >= kSlotCount || column < 0) continue;
            m_cells[slot][column].push_back({Rect{}, de.event->GetId()});
        }
    }
}

void WeekdayLayout::LayoutItems(const Rect& r) {
    for (int s = 0; s < kSlotCount; ++s) {
        for (int c = 0; c < kWeekdayColumns; ++c) {
            auto& list = m_cells[s][c];
            if (list.empty()) continue;
            for (CViewItem& item : list) item.rect = {};
            const Rect cell = CellRect(r, s, c);
            // Boxes start on the column's black line, right of its white strip.
            const int available = cell.Width() - kColumnStrip;
            int n = static_cast<int>(list.size());
            int w = available / n;
            if (w < kMinItemWidth) {
                n = available > 0 ? available / kMinItemWidth : 0;
                if (n == 0) continue;
                w = available / n;
            }
            int x = cell.left + kColumnStrip;
            for (int i = 0; i < n; ++i) {
                const int right = i == n - 1 ? cell.right - kItemGap : x + w - kItemGap;
                list[i].rect = {x, cell.top, right, cell.bottom};
                x = right + kItemGap;
            }
        }
    }
}

size_t WeekdayLayout::ItemCount() const {
    size_t n = 0;
    for (const auto& row : m_cells)
        for (const auto& list : row) n += list.size();
    return n;
}

ViewNotice WeekdayLayout::Select(int slot, int column) {
    ViewNotice n;
    if (slot < 0 || slot >= kSlotCount || column < 0 || column >= kWeekdayColumns) return n;
    m_selSlot = slot;
    m_selColumn = column;
    n.repaint = true;
    n.viewDate = GetSelectedDate(DateTime());
    return n;
}

ViewNotice WeekdayLayout::MousePress(int x, int y, MouseButton button) {
    (void)button;  // a right press selects exactly like a left one, and only inside the grid
    if (y < kWeekdayHeaderHeight) return {};
    const int contentY = y + m_scroll.pos;
    const int slot = (contentY - kWeekdayHeaderHeight) / kSlotHeight;
    const int w = ColumnWidth(ClientRect());
    const int column = (x < kTimeColumnWidth || w <= 0) ? -1 : (x - kTimeColumnWidth) / w;
    if (contentY < kWeekdayHeaderHeight || slot >= kSlotCount || column < 0 || column >= kWeekdayColumns) return {};
    m_selItem = -1;
    const auto& list = m_cells[slot][column];
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].rect.Contains(x, contentY)) {
            m_selItem = static_cast<int>(i);
            break;
        }
    }
    return Select(slot, column);
}



ViewNotice WeekdayLayout::KeyPress(ViewKey key, int repeat) {
    repeat = std::max(1, repeat);
    m_selItem = -1;
    if (key == ViewKey::PageUp) return Scroll(ScrollAction::PageUp);
    if (key == ViewKey::PageDown) return Scroll(ScrollAction::PageDown);
    int slot = m_selSlot, column = m_selColumn;
    if (slot < 0 || column < 0) {
        // Nothing selected yet: start at Monday's first row that is fully in view.
        slot = std::min(kSlotCount - 1, (m_scroll.pos + kSlotHeight - 1) / kSlotHeight);
        column = 0;
    } else {
        switch (key) {
            case ViewKey::Up: slot = std::max(0, slot - repeat); break;
            case ViewKey::Down: slot = std::min(kSlotCount - 1, slot + repeat); break;
            case ViewKey::Left: --column; break;
            case ViewKey::Right: ++column; break;
            default: break;
        }
    }
    if (column < 0 || column >= kWeekdayColumns) {
        ViewNotice n;
        n.repaint = true;  // the item selection is gone
        return n;
    }
    ViewNotice n = Select(slot, column);
    n.scrolled = EnsureSlotVisible(slot).scrolled;
    return n;
}



ViewNotice WeekdayLayout::Resize(int width, int height) {
    m_clientWidth = width;
    m_clientHeight = height;
    m_scroll.page = std::max(0, VisibleGridHeight());
    ViewNotice n = ScrollTo(m_scroll.pos);
    LayoutItems();
    n.repaint = true;
    return n;
}

std::vector<OutlineDay> WeekdayLayout::Outline() const {
    std::vector<OutlineDay> days;
    if (!m_first.IsValid()) return days;
    const Rect client = ClientRect();
    const int w = ColumnWidth(client);
    for (int c = 0; c < kWeekdayColumns; ++c) {
        std::vector<const CViewItem*> items;
        for (const auto& row : m_cells)
            for (const CViewItem& item : row[c]) items.push_back(&item);
        const int left = client.left + kTimeColumnWidth + c * w;
        OutlineDay day = OutlineOf(AddDays(m_first, c), {left, kWeekdayHeaderHeight, left + w, client.bottom}, items,
                                   m_scroll.pos);
        day.selected = c == m_selColumn;
        days.push_back(std::move(day));
    }
    return days;
}

void WeekdayLayout::Draw(DisplayList& out, const DrawTarget& target) const {
    const Rect& r = target.rect;
    const int gridTop = r.top + kWeekdayHeaderHeight;
    const int bottom = gridTop + kDailyContentHeight;
    const int right = r.right;
    const int gridLeft = r.left + kTimeColumnWidth;
    const int w = ColumnWidth(r);
    const DrawColor face = DrawColor::System(DrawColor::Role::ButtonFace);

    // Time column with hour labels.
    out.Fill({r.left, r.top, gridLeft, bottom}, face);
    out.Line({r.left + 64, r.top}, {r.left + 64, bottom}, ViewPalette::kGrid);
    for (int s = 0; s < kSlotCount; ++s) {
        const int y = gridTop + s * kSlotHeight;
        if (s % 2) {
            out.Line({r.left + 40, y}, {r.left + 61, y}, ViewPalette::kGrid);
        } else {
            out.Line({r.left + 4, y}, {r.left + 61, y}, ViewPalette::kGrid);
            char hour[8];
            std::snprintf(hour, sizeof hour, "%02d", s / 2);
            out.TextAt(r.left + 10, y + 5, hour, DrawFont::Hour, ViewPalette::kButtonText);
            out.TextAt(r.left + 40, y + 3, "00", DrawFont::Text, ViewPalette::kButtonText);
        }
    }

    const int o1 = OfficeStartSlot(), o2 = OfficeEndSlot();
    auto rowY = [&](int slot) { return gridTop + std::clamp(slot, 0, kSlotCount) * kSlotHeight; };
    if (o1 > 0) out.Fill({gridLeft, gridTop, right, rowY(o1)}, ViewPalette::kOutsideOffice);
    if (o2 < kSlotCount) out.Fill({gridLeft, rowY(o2), right, bottom}, ViewPalette::kOutsideOffice);
    if (o1 <= o2) out.Fill({gridLeft, rowY(o1), right, rowY(o2)}, ViewPalette::kOffice);

    for (int s = 0; s < kSlotCount; ++s) {
        const int y = gridTop + s * kSlotHeight + kSlotHeight;
        out.Line({r.left + kDailyItemsLeft, y}, {right, y}, ViewPalette::kGrid);
    }
    for (int c = 0; c < kWeekdayColumns; ++c) {
        const int left = gridLeft + c * w;
        out.Fill({left, gridTop, left + kColumnStrip, bottom}, ViewPalette::kPage);
        out.Line({left + kColumnStrip, gridTop}, {left + kColumnStrip, bottom}, ViewPalette::kFrame);
        if (c < kWeekdayColumns - 1) out.Line({left + w - 1, gridTop}, {left + w - 1, bottom}, ViewPalette::kFrame);
    }

    if (!target.printer && m_selSlot >= 0 && m_selColumn >= 0 && !SelectedItem()) {
        const Rect cell = CellRect(r, m_selSlot, m_selColumn);
        out.Fill({cell.left + kColumnStrip, cell.top, cell.left + w, cell.bottom}, ViewPalette::kSelection);
    }

    const CViewItem* selected = target.printer ? nullptr : SelectedItem();
    for (const auto& row : m_cells)
        for (const auto& list : row)
            for (const CViewItem& item : list) DrawItemBox(out, item, &item == selected, target.printer);

    // The header stays at the top of the visible area and covers the scrolled grid.
    const int headerTop = r.top + (target.printer ? 0 : target.scroll);
    out.Fill({r.left, headerTop, right, headerTop + kWeekdayHeaderHeight}, face);
    out.Line({r.left, headerTop}, {r.left, headerTop + kWeekdayHeaderHeight},
             DrawColor::System(DrawColor::Role::ButtonHighlight));
    for (int c = 0; c < kWeekdayColumns; ++c) {
        const int left = gridLeft + c * w;
        const Rect col{left, headerTop, left + w, headerTop + kWeekdayHeaderHeight};
        out.Text({col.left, col.top + 1, col.right, col.bottom - 1}, GetDateTexts().ColumnDay(AddDays(m_first, c)),
                 DrawFont::Text, ViewPalette::kButtonText, kAlignHCenter | kAlignVCenter);
        if (c < kWeekdayColumns - 1) out.EtchedRight(col);
    }
}

}  // namespace tv
