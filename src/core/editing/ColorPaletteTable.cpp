// The shared palette's colours and recency ranks.
#include "ColorPaletteTable.h"

namespace tv {

namespace {

constexpr std::array<ColorRef, CColorPaletteTable::kSlotCount> kInitialColors{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6,
    0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr std::array<int, CColorPaletteTable::kSlotCount> kInitialRanks{
    1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2,
};

bool IsSlot(int slot) { return slot >= 0 && slot < CColorPaletteTable::kSlotCount; }

}  // namespace

CColorPaletteTable::CColorPaletteTable() { Reset(); }

void CColorPaletteTable::Reset() {
    std::lock_guard g(m_lock);
    m_colors = kInitialColors;
    m_ranks = kInitialRanks;
}

ColorRef CColorPaletteTable::GetColor(int slot) const {
    std::lock_guard g(m_lock);
    return IsSlot(slot) ? m_colors[slot] : 0;
}

int CColorPaletteTable::GetRank(int slot) const {
    std::lock_guard g(m_lock);
    return IsSlot(slot) ? m_ranks[slot] : 0;
}

int CColorPaletteTable::FindColor(ColorRef color) const {
    std::lock_guard g(m_lock);
    for (int s = 0; s < kSlotCount; ++s)
        if (m_colors[s] == (color & 0xFFFFFF)) return s;
    return -1;
}

ColorRef CColorPaletteTable::ChooseSlot(int slot) {
    std::lock_guard g(m_lock);
    if (!IsSlot(slot)) return 0;
    const int rank = m_ranks[slot];
    for (int& r : m_ranks)
        if (r < rank) ++r;
    m_ranks[slot] = 1;
    return m_colors[slot];
}

int CColorPaletteTable::ChooseOther(ColorRef color) {
    color &= 0xFFFFFF;
    std::lock_guard g(m_lock);
    int slot = FindColor(color);
    if (slot < 0) {
        // The ranks are a permutation of 1..20, so exactly one slot is the least recent.
        slot = 0;
        for (int s = 0; s < kSlotCount; ++s)
            if (m_ranks[s] == kSlotCount) slot = s;
        m_colors[slot] = color;
    }
    ChooseSlot(slot);
    return slot;
}

CColorPaletteTable& GetColorPaletteTable() {
    static CColorPaletteTable table;
    return table;
}

}  // namespace tv
