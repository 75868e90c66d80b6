// The colour buttons' shared palette: 20 colours and how recently each slot was chosen.
#pragma once

#include <array>
#include <mutex>

#include "model/EventType.h"

namespace tv {

class CColorPaletteTable {
public:
    static constexpr int kSlotCount = 20;

    CColorPaletteTable();

    ColorRef GetColor(int slot) const;
    // 1 = the most recently chosen slot, 20 = the least.
    int GetRank(int slot) const;

    // The user picked a slot: it becomes the most recent; every slot that was more recent
    // moves one step back. Answers the slot's colour.
    ColorRef ChooseSlot(int slot);
    // The user picked a colour in the colour dialog. A colour already in the palette chooses
    // its slot; otherwise the least recently used slot takes it. Answers the slot chosen.
    int ChooseOther(ColorRef color);

    // The slot holding a colour, or -1.
    int FindColor(ColorRef color) const;
    void Reset();

private:
    mutable std::recursive_mutex m_lock;  // ChooseOther reuses the locked lookups
    std::array<ColorRef, kSlotCount> m_colors{};
    std::array<int, kSlotCount> m_ranks{};
};

// The one palette of the process, shared by every colour button.
CColorPaletteTable& GetColorPaletteTable();

}  // namespace tv
