// The Daily view without a screen: rebuild, layout, selection, scrolling and drawing.
#include "DailyLayout.h"

#include <algorithm>
#include <cstdio>

#include "DayEvents.h"

namespace tv {

DailyLayout::DailyLayout(const CEventStore& store, const CEventTypeTable& types) : SlotGridLayout(store, types) {
    m_scroll = {0, kDailyContentHeight, 80, 0};
}

ViewNotice DailyLayout::SetDate(const DateTime& date) {
    m_date = date;
    ViewNotice n = ScrollTo(OfficeStartSlot() * kSlotHeight);
    RebuildItems();
    LayoutItems();
    n.repaint = true;
    n.captionChanged = true;
    return n;
}

DateTime DailyLayout::GetSelectedDate(const DateTime& now) const {
    if (m_selSlot < 0) return now;
    return SlotDateTime(m_date, m_selSlot);
}

std::string DailyLayout::GetCaptionText(const ShortDateFormatter& format) const {
    if (!m_date.IsValid()) return {};
    return format(m_date);
}

const CViewItem* DailyLayout::SelectedItem() const {
    if (m_selSlot < 0 || m_selItem < 0) return nullptr;
    const auto& list = m_slots[m_selSlot];
    return m_selItem < static_cast<int>(list.size()) ? &list[m_selItem] : nullptr;
}

bool DailyLayout::RemoveSelectedItem() {
    if (!SelectedItem()) return false;
    auto& list = m_slots[m_selSlot];
    list.erase(list.begin() + m_selItem);
    m_selItem = -1;
    LayoutItems();
    return true;
}

void DailyLayout::RebuildItems() {
    for (auto& list : m_slots) list.clear();
    m_selItem = -1;
    if (!m_date.IsValid()) return;
    const DayEventLists days = CollectEventsOfDays(m_store, m_date, 1);
    for (const DayEvent& de : days[0]) {
        const int slot = SlotOfTime(de.occurrence);
        if (slot < 0 || slot >= kSlotCount) continue;
        m_slots[slot].push_back({Rect{}, de.event->GetId()});
    }
}

void DailyLayout::LayoutItems(const Rect& r) {
    const int available = r.right - r.left - kDailyItemsLeft;
    const int rightLimit = r.right - kItemGap;
    for (int s = 0; s < kSlotCount; ++s) {
        auto& list = m_slots[s];
        if (list.empty()) continue;
        int n = static_cast<int>(list.size());
        int w = available / n;
        if (w < kMinItemWidth) {
            n = available > 0 ? available / kMinItemWidth : 0;
            w = n > 0 ? available / n : 0;
        }
        const int top = r.top + SlotTop(s);
        int x = r.left + kDailyItemsLeft;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (i >= n) {
                list[i].rect = {};
                continue;
            }
            int right = x + w - kItemGap;
            // The last box of a full row lands on the limit within a pixel; nudge towards it.
            if (right < rightLimit) ++right;
            else if (right > rightLimit) --right;
            list[i].rect = {x, top, right, top + kSlotHeight};
            x = right + kItemGap;
        }
    }
}

size_t DailyLayout::ItemCount() const {
    size_t n = 0;
    for (const auto& list : m_slots) n += list.size();
    return n;
}

ViewNotice DailyLayout::SelectSlot(int slot) {
    ViewNotice n;
    if (slot < 0 || slot >= kSlotCount) return n;
    m_selSlot = slot;
    n.repaint = true;
    return n;
}

ViewNotice DailyLayout::MousePress(int x, int y, MouseButton button) {
    ViewNotice n;
    if (button == MouseButton::Right && x < kDailyItemsLeft) return n;
    const int contentY = y + m_scroll.pos;
    const int slot = std::clamp(contentY / kSlotHeight, 0, kSlotCount - 1);
    m_selItem = -1;
    const auto& list = m_slots[slot];
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].rect.Contains(x, contentY)) {
            m_selItem = static_cast<int>(i);
            break;
        }
    }
    n = SelectSlot(slot);
    n.repaint = true;
    return n;
}



ViewNotice DailyLayout::KeyPress(ViewKey key, int repeat) {
    repeat = std::max(1, repeat);
    m_selItem = -1;
    ViewNotice n;
    n.repaint = true;
    int slot = m_selSlot;
    switch (key) {
        case ViewKey::PageUp: return Scroll(ScrollAction::PageUp);
        case ViewKey::PageDown: return Scroll(ScrollAction::PageDown);
        case ViewKey::Up:
        case ViewKey::Down: {
            if (slot < 0) {
                // Nothing selected yet: start at the first row that is fully in view.
                slot = std::min(kSlotCount - 1, (m_scroll.pos + kSlotHeight - 1) / kSlotHeight);
            } else {
                slot += key == ViewKey::Up ? -repeat : repeat;
            }
            slot = std::clamp(slot, 0, kSlotCount - 1);
            SelectSlot(slot);
            const ViewNotice s = EnsureSlotVisible(slot);
            n.scrolled = s.scrolled;
            return n;
        }
        case ViewKey::Left:
        case ViewKey::Right: return n;
    }
    return n;
}



ViewNotice DailyLayout::Resize(int width, int height) {
    m_clientWidth = width;
    m_clientHeight = height;
    m_scroll.page = std::max(0, height);
    ViewNotice n = ScrollTo(m_scroll.pos);
    LayoutItems();
    n.repaint = true;
    return n;
}

std::vector<OutlineDay> DailyLayout::Outline() const {
    if (!m_date.IsValid()) return {};
    std::vector<const CViewItem*> items;
    for (const auto& list : m_slots)
        for (const CViewItem& item : list) items.push_back(&item);
    const int top = -m_scroll.pos;
    OutlineDay day = OutlineOf(m_date.DateOnly(), {kDailyItemsLeft, top, m_clientWidth, top + kDailyContentHeight},
                               items, m_scroll.pos);
    day.selected = true;
    return {day};
}

void DailyLayout::Draw(DisplayList& out, const DrawTarget& target) const {
    const Rect& r = target.rect;
    const int top = r.top;
    const int bottom = top + kDailyContentHeight;
    const int right = r.right;

    // Time column with its 3-D edge.
    out.Fill({r.left, top, r.left + kTimeColumnWidth, bottom}, DrawColor::System(DrawColor::Role::ButtonFace));
    out.Line({r.left + 65, top}, {r.left + 65, bottom}, ViewPalette::kGrid);
    out.Fill({r.left + 66, top, r.left + 71, bottom}, ViewPalette::kPage);
    out.Line({r.left + 70, top}, {r.left + 70, bottom}, ViewPalette::kFrame);

    // Office hours are lighter than the rest of the day.
    const int o1 = OfficeStartSlot(), o2 = OfficeEndSlot();
    const int shadeLeft = r.left + 71;
    if (o1 > 0) out.Fill({shadeLeft, top, right, top + SlotTop(std::min(o1, kSlotCount))}, ViewPalette::kOutsideOffice);
    if (o2 < kSlotCount) out.Fill({shadeLeft, top + SlotTop(std::max(o2, 0)), right, bottom}, ViewPalette::kOutsideOffice);
    if (o1 <= o2)
        out.Fill({shadeLeft, top + SlotTop(std::max(o1, 0)), right, top + SlotTop(std::min(o2, kSlotCount))},
                 ViewPalette::kOffice);

    if (!target.printer && m_selSlot >= 0 && !SelectedItem()) {
        const int y = top + SlotTop(m_selSlot);
        out.Fill({shadeLeft, y, right, y + kSlotHeight}, ViewPalette::kSelection);
    }

    for (int s = 0; s < kSlotCount; ++s) {
        const int y = top + SlotTop(s);
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

    for (int s = 0; s < kSlotCount; ++s) {
        const int y = top + SlotTop(s) + kSlotHeight;
        out.Line({r.left + kDailyItemsLeft, y}, {right, y}, ViewPalette::kGrid);
    }

    const CViewItem* selected = target.printer ? nullptr : SelectedItem();
    for (const auto& list : m_slots)
        for (const CViewItem& item : list) DrawItemBox(out, item, &item == selected, target.printer);
}

}  // namespace tv
