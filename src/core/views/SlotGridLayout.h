// What the Daily and Week Day grids share: 48 half-hour rows that scroll by rows and pages.
#pragma once

#include "CalendarLayout.h"

namespace tv {

class SlotGridLayout : public CalendarLayout {
public:
    using CalendarLayout::CalendarLayout;

    // One row up for a positive or zero rotation, one row down otherwise.
    ViewNotice Wheel(int rotation) override;
    ViewNotice Scroll(ScrollAction action, int pos = 0) override;

protected:
    // Clamps to the scroll range; the notice says whether anything moved.
    ViewNotice ScrollTo(int pos);
    // Scrolls as little as keeps the slot's row in view.
    ViewNotice EnsureSlotVisible(int slot);
};

}  // namespace tv
