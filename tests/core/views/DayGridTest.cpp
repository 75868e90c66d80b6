// The Daily and Week Day views: rebuild, box layout, selection, keys, scrolling and drawing.
#include <gtest/gtest.h>

#include "Views.h"
#include "views/DailyLayout.h"
#include "views/WeekdayLayout.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;
using tvtest::Count;
using tvtest::DashDate;
using tvtest::OfKind;
using tvtest::OneOff;

namespace {

int Placed(const std::vector<CViewItem>& items) {
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [](const CViewItem& i) { return !i.rect.IsEmpty(); }));
}

using DayGridTest = tvtest::ViewTest;

}  // namespace

TEST_F(DayGridTest, DailyPutsEachEventInTheSlotOfItsTime) {
    const uint32_t early = AddTo(store, OneOff("early", At(2008, 1, 16, 7, 29)));
    const uint32_t half = AddTo(store, OneOff("half", At(2008, 1, 16, 7, 30)));
    AddTo(store, OneOff("other day", At(2008, 1, 17, 7, 30)));
    const uint32_t daily = AddTo(store, tvtest::Daily("standup", At(2008, 1, 1, 7, 45)));
    DailyLayout empty(store, types);
    EXPECT_EQ(empty.GetCaptionText(DashDate), "");  // no date yet
    auto view = Open<DailyLayout>(400, 300, At(2008, 1, 16, 15, 0));
    EXPECT_EQ(view->GetCaptionText(DashDate), "2008-01-16");
    EXPECT_EQ(view->ItemCount(), 3u);
    ASSERT_EQ(std::tuple(view->SlotItems(14).size(), view->SlotItems(15).size()), std::tuple(1u, 2u));
    // One-off events before recurring ones.
    EXPECT_EQ(std::tuple(view->SlotItems(14)[0].id, view->SlotItems(15)[0].id, view->SlotItems(15)[1].id),
              std::tuple(early, half, daily));
}

TEST_F(DayGridTest, DailyBoxesShareASlotDownToThirtyPixels) {
    for (int i = 0; i < 5; ++i) AddTo(store, OneOff("e", At(2008, 1, 16, 9, 0)));
    auto view = Open<DailyLayout>(220, 400, At(2008, 1, 16));
    const auto& items = view->SlotItems(18);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(Placed(items), 5);
    EXPECT_EQ(items[0].rect, (Rect{70, 360, 97, 380}));
    EXPECT_EQ(items[1].rect.left, 101);
    EXPECT_EQ(items[4].rect.right, 219);  // nudged one pixel back towards the limit
    view->Resize(170, 400);               // A = 100: only three boxes of 33 pixels
    EXPECT_EQ(Placed(items), 3);
    EXPECT_TRUE(items[3].rect.IsEmpty() && items[4].rect.IsEmpty());
    view->Resize(90, 400);  // narrower than one box: none placed
    EXPECT_EQ(Placed(items), 0);
}

TEST_F(DayGridTest, DailySelectionByPressRemovalAndTheSelectedDate) {
    const uint32_t lunch = AddTo(store, OneOff("lunch", At(2008, 1, 16, 12, 0)));
    const uint32_t late = AddTo(store, OneOff("late lunch", At(2008, 1, 16, 12, 10)));
    auto view = Open<DailyLayout>(470, 200, At(2008, 1, 16));
    const DateTime now = At(2008, 1, 20, 8, 8);
    EXPECT_EQ(view->GetSelectedDate(now), now);  // nothing selected yet
    EXPECT_EQ(view->GetScroll().pos, 18 * 20);   // office hours start at 09:00
    const int boxY = 24 * 20 - view->GetScroll().pos + 5;

    // A press on the box selects the item and its slot (y is a client coordinate).
    view->MousePress(100, boxY, MouseButton::Left);
    EXPECT_EQ(std::tuple(view->GetSelectedSlot(), view->GetSelectedEvent()), std::tuple(24, lunch));
    EXPECT_EQ(view->GetSelectedDate(now), At(2008, 1, 16, 12, 0));
    // A press beside the boxes keeps the slot but no item; the right button needs the grid.
    view->MousePress(468, boxY, MouseButton::Left);
    EXPECT_FALSE(view->HasSelectedEvent());
    EXPECT_FALSE(view->RemoveSelectedItem());
    view->MousePress(20, 5, MouseButton::Right);
    EXPECT_EQ(view->GetSelectedSlot(), 24);
    view->MousePress(20, 5, MouseButton::Left);  // the time column selects with the left button
    EXPECT_EQ(view->GetSelectedSlot(), 18);
    // Removing the selected item lays the rest out again: the survivor takes the whole width.
    view->MousePress(100, boxY, MouseButton::Left);
    EXPECT_TRUE(view->RemoveSelectedItem());
    EXPECT_FALSE(view->HasSelectedEvent());
    ASSERT_EQ(view->SlotItems(24).size(), 1u);
    EXPECT_EQ(std::tuple(view->SlotItems(24)[0].id, view->SlotItems(24)[0].rect.right), std::tuple(late, 466));
    // The item selection does not survive a rebuild; the slot survives a new date.
    view->MousePress(100, boxY, MouseButton::Left);
    view->RebuildItems();
    EXPECT_FALSE(view->HasSelectedEvent());
    view->SetDate(At(2008, 1, 17));
    EXPECT_EQ(view->GetSelectedDate(now), At(2008, 1, 17, 12, 0));
}

TEST_F(DayGridTest, DailyKeysMoveTheSlotAndScrollItIntoView) {
    auto view = Open<DailyLayout>(400, 100, At(2008, 1, 16));  // five rows visible
    view->KeyPress(ViewKey::Down, 1);                          // nothing selected: the first visible row
    EXPECT_EQ(view->GetSelectedSlot(), 18);
    EXPECT_TRUE(view->KeyPress(ViewKey::Down, 5).scrolled);
    EXPECT_EQ(std::tuple(view->GetSelectedSlot(), view->GetScroll().pos), std::tuple(23, 24 * 20 - 100));
    view->KeyPress(ViewKey::Up, 100);
    EXPECT_EQ(std::tuple(view->GetSelectedSlot(), view->GetScroll().pos), std::tuple(0, 0));
    view->KeyPress(ViewKey::PageDown, 1);
    view->Wheel(-120);
    EXPECT_EQ(view->GetScroll().pos, 120);
    view->Scroll(ScrollAction::ThumbTrack, 5000);
    EXPECT_EQ(view->GetScroll().pos, 860);  // 960 - 100: the last row ends at the bottom
    view->Resize(400, 400);                 // a taller window pulls the position back
    EXPECT_EQ(view->GetScroll().pos, 560);
}

TEST_F(DayGridTest, DailyDrawingShowsSelectionAndIconsOnlyOnScreen) {
    const uint32_t gone = AddTo(store, OneOff("gone", At(2008, 1, 16, 8, 0)));
    AddTo(store, OneOff("a", At(2008, 1, 16, 9, 0)));
    auto view = Open<DailyLayout>(400, 300, At(2008, 1, 16));
    store.Delete(gone);                           // an event that left the store is not drawn
    view->MousePress(30, 25, MouseButton::Left);  // slot 19: an empty slot
    ASSERT_FALSE(view->HasSelectedEvent());
    auto fill = [](DrawColor c) {
        return [c](const DrawOp& op) { return op.kind == DrawOp::Kind::Fill && op.brush == c; };
    };

    const DisplayList screen = tvtest::Screen(*view);
    DisplayList paper;
    view->Draw(paper, {true, {0, 0, 600, 960}, 0});
    EXPECT_EQ(std::tuple(Count(screen, fill(ViewPalette::kSelection)) > 0, Count(screen, OfKind(DrawOp::Kind::Icon))),
              std::tuple(true, 1));
    EXPECT_EQ(std::tuple(Count(paper, fill(ViewPalette::kSelection)), Count(paper, OfKind(DrawOp::Kind::Icon))),
              std::tuple(0, 0));
    EXPECT_GT(Count(paper, fill(ViewPalette::kOffice)) * Count(paper, fill(ViewPalette::kOutsideOffice)), 0);
    EXPECT_EQ(Count(paper, [](const DrawOp& op) { return op.kind == DrawOp::Kind::Text && op.font == DrawFont::Hour; }),
              24);

    // With an item selected the slot is not filled; the box itself is drawn selected.
    view->MousePress(100, 360 - view->GetScroll().pos + 5, MouseButton::Left);
    ASSERT_TRUE(view->HasSelectedEvent());
    EXPECT_EQ(Count(tvtest::Screen(*view),
                    [](const DrawOp& op) {
                        return op.kind == DrawOp::Kind::Box && op.rect.Width() > 5 &&
                               op.brush == ViewPalette::kSelection;
                    }),
              1);
}

TEST_F(DayGridTest, WeekdaySetDateSkipsTheWeekendAndItsOccurrences) {
    AddTo(store, tvtest::Weekly("saturday", At(2008, 1, 5, 10, 0), 1 << 6));
    const uint32_t monday = AddTo(store, tvtest::Weekly("monday", At(2008, 1, 7, 10, 0), 1 << 1));
    auto view = Open<WeekdayLayout>(565, 400, At(2008, 1, 12, 10, 0));  // Saturday
    EXPECT_EQ(std::tuple(view->GetFirstDay(), view->GetSelectedSlot()), std::tuple(At(2008, 1, 7), -1));
    view->SetDate(At(2008, 1, 13, 10, 0));  // Sunday
    EXPECT_EQ(view->GetFirstDay(), At(2008, 1, 14));
    const DateTime now = At(2008, 2, 1, 9, 9);
    EXPECT_EQ(view->GetSelectedDate(now), now);
    EXPECT_EQ(view->ItemCount(), 1u);
    ASSERT_EQ(view->CellItems(20, 0).size(), 1u);
    EXPECT_EQ(view->CellItems(20, 0)[0].id, monday);
    view->SetDate(At(2008, 1, 16, 10, 40));  // Wednesday
    EXPECT_EQ(std::tuple(view->GetSelectedSlot(), view->GetSelectedColumn()), std::tuple(21, 2));
    EXPECT_EQ(view->GetSelectedDate(now), At(2008, 1, 16, 10, 30));
    EXPECT_EQ(view->GetCaptionText(DashDate), "2008-01-14 - 2008-01-18");
}

TEST_F(DayGridTest, WeekdayBoxesStartRightOfTheStripAndTheLastEndsAtTheCell) {
    for (int i = 0; i < 2; ++i) AddTo(store, OneOff("x", At(2008, 1, 15, 9, 0)));  // Tuesday
    auto view = Open<WeekdayLayout>(565, 400, At(2008, 1, 15));                    // W = 100
    const auto& items = view->CellItems(18, 1);
    ASSERT_EQ(items.size(), 2u);
    const int cellLeft = 65 + 100, top = 17 + 18 * 20;
    EXPECT_EQ(items[0].rect, (Rect{cellLeft + 5, top, cellLeft + 5 + 47 - 4, top + 20}));
    EXPECT_EQ(items[1].rect, (Rect{cellLeft + 5 + 47, top, cellLeft + 100 - 4, top + 20}));
    view->Resize(265, 400);  // W = 40: room for one box only
    EXPECT_EQ(Placed(items), 1);
}

TEST_F(DayGridTest, WeekdayPressSelectsACellAndKeysMoveIt) {
    auto view = Open<WeekdayLayout>(568, 400, At(2008, 1, 14));  // W = 100, three pixels to spare
    EXPECT_EQ(view->GetScroll().pos, 360);
    EXPECT_FALSE(view->MousePress(300, 10, MouseButton::Left).repaint);    // the header
    EXPECT_FALSE(view->MousePress(30, 100, MouseButton::Left).repaint);    // the time column
    EXPECT_FALSE(view->MousePress(566, 100, MouseButton::Left).viewDate);  // beyond five columns
    const ViewNotice n = view->MousePress(65 + 3 * 100 + 50, 17 + 2 * 20 + 5, MouseButton::Right);
    ASSERT_TRUE(n.viewDate);
    EXPECT_EQ(*n.viewDate, At(2008, 1, 17, 10, 0));  // Thursday, slot 18 + 2
    EXPECT_EQ(*view->KeyPress(ViewKey::Right, 1).viewDate, At(2008, 1, 18, 10, 0));
    EXPECT_FALSE(view->KeyPress(ViewKey::Right, 1).viewDate);  // no column after Friday
    EXPECT_EQ(view->GetSelectedColumn(), 4);
    view->KeyPress(ViewKey::Up, 3);
    EXPECT_EQ(std::tuple(view->GetSelectedSlot(), view->GetScroll().pos),
              std::tuple(17, 17 * 20));  // scrolled to show it
}

TEST_F(DayGridTest, WeekdayScrollRangeKeepsTheHeaderOutOfIt) {
    auto view = Open<WeekdayLayout>(565, 417, At(2008, 1, 14));  // 400 pixels of grid
    view->Scroll(ScrollAction::ThumbPosition, 10000);
    EXPECT_EQ(std::tuple(view->GetScroll().pos, view->GetScroll().page), std::tuple(977 - 417, 400));
    // The header is drawn last, at the top of the visible area, with one label per day.
    const DisplayList list = tvtest::Screen(*view);
    const auto header = std::find_if(list.Ops().rbegin(), list.Ops().rend(), [](const DrawOp& op) {
        return op.kind == DrawOp::Kind::Fill && op.rect.Height() == 17;
    });
    ASSERT_NE(header, list.Ops().rend());
    EXPECT_EQ(header->rect.top, 977 - 417);
    EXPECT_EQ(list.Ops().back().text, "Jan 18");
    EXPECT_EQ(Count(list, OfKind(DrawOp::Kind::EtchedRight)), 4);
}
