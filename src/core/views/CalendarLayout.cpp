// What all four calendar views share: item look-up, item drawing, print extents.
#include "CalendarLayout.h"

#include <algorithm>

#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

ItemLook LookUpItem(const CEventStore& store, const CEventTypeTable& types, uint32_t id) {
    ItemLook look;
    uint32_t typeId = 0;
    {
        CEventStore::AllLock lock(store);
        const CPtEvent* ev = store.GetPtrById(id);
        if (!ev) return look;
        look.exists = true;
        look.name = ev->GetName();
        typeId = ev->GetType();
    }
    CEventType type;
    if (typeId != 0 && types.FindById(typeId, type)) {
        look.hasType = true;
        look.textColor = type.GetTextColor();
        if (type.GetIcon() >= 0 && type.GetIcon() < kTypeIconCount) look.icon = type.GetIcon();
    }
    return look;
}

ViewNotice CalendarLayout::Resize(int width, int height) {
    m_clientWidth = width;
    m_clientHeight = height;
    LayoutItems();
    ViewNotice n;
    n.repaint = true;
    return n;
}

int CalendarLayout::OfficeStartSlot() const {
    const int m = m_office.startMinute;
    return (m / 60) * 2 + (m % 60 >= 30 ? 1 : 0);
}

int CalendarLayout::OfficeEndSlot() const {
    const int m = m_office.endMinute;
    return (m / 60) * 2 + (m % 60 >= 30 ? 1 : 0);
}

void CalendarLayout::DrawItemBox(DisplayList& out, const CViewItem& item, bool selected, bool printer) const {
    if (item.rect.IsEmpty()) return;
    const ItemLook look = LookUpItem(m_store, m_types, item.id);
    if (!look.exists) return;
    const Rect& r = item.rect;
    out.PushClip(r);
    out.Box(r, ViewPalette::kFrame, selected ? ViewPalette::kSelection : ViewPalette::kPage);
    out.Box({r.left, r.top, r.left + 5, r.bottom}, ViewPalette::kFrame, ViewPalette::kSelection);
    int x = r.left + 7;
    const int y = (r.top + r.bottom - 16) / 2;
    if (!printer) {
        out.Icon(x, y, look.icon);
        x += 18;
    }
    out.Text({x, y, r.right, r.bottom}, look.name, DrawFont::Text, selected ? ViewPalette::kSelectedText : ViewPalette::kInk,
             kAlignLeft | kAlignVCenter);
    out.PopClip();
}

void CalendarLayout::DrawListLine(DisplayList& out, const CViewItem& item, bool selected, bool printer) const {
    if (item.rect.IsEmpty()) return;
    const ItemLook look = LookUpItem(m_store, m_types, item.id);
    if (!look.exists) return;
    const Rect& r = item.rect;
    out.PushClip(r);
    if (selected) out.Box(r, ViewPalette::kFrame, ViewPalette::kSelection);
    int x = r.left + 7;
    const int y = (r.top + r.bottom - 16) / 2;
    if (!printer) {
        out.Icon(x, y, look.icon);
        x += 18;
    }
    out.Text({x, y, r.right, r.bottom}, look.name, DrawFont::Text, selected ? ViewPalette::kSelectedText : ViewPalette::kInk,
             kAlignLeft | kAlignVCenter);
    out.PopClip();
}

MoreLink LayoutDayLines(std::vector<CViewItem>& items, const Rect& cell, int rowHeight) {
    for (CViewItem& item : items) item.rect = {};
    const int lines = rowHeight > 0 ? std::max(0, (cell.bottom - cell.top - rowHeight) / rowHeight) : 0;
    const size_t n = items.size();
    const size_t shown = n <= static_cast<size_t>(lines) ? n : static_cast<size_t>(std::max(0, lines - 1));
    int y = cell.top + rowHeight;
    for (size_t i = 0; i < shown; ++i, y += rowHeight) items[i].rect = {cell.left, y, cell.right, y + rowHeight};
    MoreLink more;
    if (shown < n && lines > 0) {
        more.rect = {cell.left, y, cell.right, y + rowHeight};
        more.count = static_cast<int>(n - shown);
    }
    return more;
}

void CalendarLayout::DrawMoreLink(DisplayList& out, const MoreLink& more) const {
    if (more.rect.IsEmpty()) return;
    const Rect& r = more.rect;
    out.Text({r.left + 7, r.top, r.right, r.bottom}, texts::TrPrintf(texts::kMoreEvents, more.count), DrawFont::Text,
             ViewPalette::kInk, kAlignLeft | kAlignVCenter | kTextEllipsis);
}

OutlineDay CalendarLayout::OutlineOf(const DateTime& day, const Rect& rect, const std::vector<const CViewItem*>& items,
                                     int scroll) const {
    OutlineDay d;
    d.date = day;
    d.rect = rect;
    CEventStore::AllLock lock(m_store);
    for (const CViewItem* item : items) {
        const CPtEvent* ev = m_store.GetPtrById(item->id);
        if (!ev) continue;
        d.items.push_back({item->id, item->rect.IsEmpty() ? Rect{} : item->rect.Translated(0, -scroll),
                           ev->GetOccurrenceOnOrAfter(day)});
    }
    return d;
}

PrintExtent CalendarPrintExtent(ViewIndex kind, int deviceWidth, int deviceHeight) {
    PrintExtent e;
    switch (kind) {
        case kViewDaily: e.height = 1040; break;
        case kViewWeekday: e.height = 1057; break;
        default: e.height = 580; break;  // Weekly and Monthly
    }
    e.width = deviceHeight > 0 ? MulDiv(deviceWidth, e.height, deviceHeight) : 0;
    e.drawRect = {0, 0, e.width - 65, e.height - 80};
    return e;
}

}  // namespace tv
