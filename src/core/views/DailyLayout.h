// The Daily view without a screen: one day in 48 half-hour slots.
#pragma once

#include <array>
#include <vector>

#include "SlotGridLayout.h"

namespace tv {

class DailyLayout final : public SlotGridLayout {
public:
    DailyLayout(const CEventStore& store, const CEventTypeTable& types);

    ViewIndex Kind() const override { return kViewDaily; }
    ViewNotice SetDate(const DateTime& date) override;
    DateTime GetSelectedDate(const DateTime& now) const override;
    std::string GetCaptionText(const ShortDateFormatter& format) const override;
    bool RemoveSelectedItem() override;
    void ClearSelectedItem() override { m_selItem = -1; }
    using CalendarLayout::LayoutItems;
    void LayoutItems(const Rect& r) override;
    void RebuildItems() override;

    ViewNotice MousePress(int x, int y, MouseButton button) override;
    ViewNotice KeyPress(ViewKey key, int repeat) override;
    ViewNotice Resize(int width, int height) override;

    PrintExtent GetPrintExtent(int deviceWidth, int deviceHeight) const override {
        return CalendarPrintExtent(kViewDaily, deviceWidth, deviceHeight);
    }
    void Draw(DisplayList& out, const DrawTarget& target) const override;
    size_t ItemCount() const override;
    std::vector<OutlineDay> Outline() const override;

    const DateTime& GetShownDate() const { return m_date; }
    int GetSelectedSlot() const { return m_selSlot; }
    int GetSelectedItemIndex() const { return m_selItem; }
    const std::vector<CViewItem>& SlotItems(int slot) const { return m_slots.at(slot); }
    // Top of slot s in content coordinates.
    static int SlotTop(int slot) { return slot * kSlotHeight; }

private:
    const CViewItem* SelectedItem() const override;
    ViewNotice SelectSlot(int slot);

    DateTime m_date = DateTime::Null();  // no date until the first SetDate
    std::array<std::vector<CViewItem>, kSlotCount> m_slots;
    int m_selSlot = -1;
    int m_selItem = -1;  // index into the selected slot's list
};

}  // namespace tv
