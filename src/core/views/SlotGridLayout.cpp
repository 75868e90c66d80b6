// Scrolling of the half-hour grids.
#include "SlotGridLayout.h"

#include <algorithm>

namespace tv {

ViewNotice SlotGridLayout::Wheel(int rotation) {
    return Scroll(rotation >= 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
}

ViewNotice SlotGridLayout::Scroll(ScrollAction action, int pos) {
    switch (action) {
        case ScrollAction::LineUp: return ScrollTo(m_scroll.pos - kSlotHeight);
        case ScrollAction::LineDown: return ScrollTo(m_scroll.pos + kSlotHeight);
        case ScrollAction::PageUp: return ScrollTo(m_scroll.pos - m_scroll.page);
        case ScrollAction::PageDown: return ScrollTo(m_scroll.pos + m_scroll.page);
        case ScrollAction::ThumbTrack:
        case ScrollAction::ThumbPosition: return ScrollTo(pos);
        case ScrollAction::EndScroll: break;
    }
    return {};
}

ViewNotice SlotGridLayout::ScrollTo(int pos) {
    ViewNotice n;
    pos = std::clamp(pos, m_scroll.min, m_scroll.Limit());
    if (pos != m_scroll.pos) {
        m_scroll.pos = pos;
        n.scrolled = true;
        n.repaint = true;
    }
    return n;
}

ViewNotice SlotGridLayout::EnsureSlotVisible(int slot) {
    const int top = slot * kSlotHeight;  // in scroll units: below any fixed header
    if (top < m_scroll.pos) return ScrollTo(top);
    if (top + kSlotHeight > m_scroll.pos + m_scroll.page) return ScrollTo(top + kSlotHeight - m_scroll.page);
    return {};
}

}  // namespace tv
