// What all four calendar views share: item look-up, item drawing, print extents.
#include "CalendarLayout.h"

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
    out.Box(r, ViewPalette::kBlack, selected ? ViewPalette::kSelection : ViewPalette::kWhite);
    out.Box({r.left, r.top, r.left + 5, r.bottom}, ViewPalette::kBlack, ViewPalette::kSelection);
    int x = r.left + 7;
    const int y = (r.top + r.bottom - 16) / 2;
    if (!printer) {
        out.Icon(x, y, look.icon);
        x += 18;
    }
    out.Text({x, y, r.right, r.bottom}, look.name, DrawFont::Text, selected ? ViewPalette::kWhite : ViewPalette::kBlack,
             kAlignLeft | kAlignVCenter);
    out.PopClip();
}

void CalendarLayout::DrawListLine(DisplayList& out, const CViewItem& item, bool selected, bool printer) const {
    if (item.rect.IsEmpty()) return;
    const ItemLook look = LookUpItem(m_store, m_types, item.id);
    if (!look.exists) return;
    const Rect& r = item.rect;
    out.PushClip(r);
    if (selected) out.Box(r, ViewPalette::kBlack, ViewPalette::kSelection);
    int x = r.left + 7;
    const int y = (r.top + r.bottom - 16) / 2;
    if (!printer) {
        out.Icon(x, y, look.icon);
        x += 18;
    }
    out.Text({x, y, r.right, r.bottom}, look.name, DrawFont::Text, selected ? ViewPalette::kWhite : ViewPalette::kBlack,
             kAlignLeft | kAlignVCenter);
    out.PopClip();
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
