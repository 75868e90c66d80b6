// The Weekly and Monthly views: periods, labels, lines per cell, selection and week navigation.
#include <gtest/gtest.h>

#include "Views.h"
#include "views/MonthlyLayout.h"
#include "views/WeeklyLayout.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;
using tvtest::DashDate;
using tvtest::FindText;
using tvtest::OneOff;

using WeekViewsTest = tvtest::ViewTest;

TEST_F(WeekViewsTest, WeeklySetDateOnSundayShowsTheWeekEndingThere) {
    WeeklyLayout view(store, types);
    view.Resize(600, 300);
    EXPECT_FALSE(view.SetDate(At(2008, 1, 13, 18, 0)).viewDate);  // only the Monthly view reports it
    EXPECT_EQ(std::tuple(view.GetFirstDay(), view.GetSelectedDay(), view.GetScroll().pos),
              std::tuple(At(2008, 1, 7), 6, 25));
    EXPECT_EQ(view.GetSelectedDate(At(2009, 1, 1)), At(2008, 1, 13));
    EXPECT_EQ(view.GetCaptionText(DashDate), "2008-01-07 - 2008-01-13");

    // On screen the selected day's label is white on the selection; on paper it is black.
    DisplayList paper;
    view.Draw(paper, {true, {0, 0, 600, 500}, 0});
    ASSERT_NE(FindText(tvtest::Screen(view), "Sun, Jan 13"), nullptr);
    EXPECT_EQ(FindText(tvtest::Screen(view), "Sun, Jan 13")->pen, ViewPalette::kWhite);
    EXPECT_EQ(FindText(paper, "Sun, Jan 13")->pen, ViewPalette::kBlack);
}

TEST_F(WeekViewsTest, WeeklyLinesStopAtTheCellBottom) {
    for (int i = 0; i < 6; ++i) AddTo(store, OneOff("m", At(2008, 1, 7, 8 + i, 0)));
    const uint32_t sunday = AddTo(store, OneOff("sun", At(2008, 1, 13, 8, 0)));
    auto view = Open<WeeklyLayout>(600, 300, At(2008, 1, 9));  // H = 100: header row + four lines of 19
    const auto& monday = view->DayItems(0);
    ASSERT_EQ(monday.size(), 6u);
    EXPECT_EQ(std::tuple(monday[0].rect, monday[3].rect), std::tuple(Rect{0, 19, 300, 38}, Rect{0, 76, 300, 95}));
    EXPECT_TRUE(monday[4].rect.IsEmpty());
    ASSERT_EQ(view->DayItems(6).size(), 1u);
    EXPECT_EQ(std::tuple(view->DayItems(6)[0].id, view->DayItems(6)[0].rect),
              std::tuple(sunday, Rect{300, 269, 600, 288}));
    // The planner's cells: three days left, four right, Saturday and Sunday sharing one.
    const Rect r{0, 0, 601, 300};
    EXPECT_EQ(std::tuple(WeeklyCellRect(r, 3), WeeklyCellRect(r, 5)),
              std::tuple(Rect{301, 0, 601, 100}, Rect{301, 200, 601, 250}));
    EXPECT_TRUE(WeeklyCellRect(r, 7).IsEmpty());
}

TEST_F(WeekViewsTest, WeeklyPressesAndArrowsFollowThePlanner) {
    const uint32_t id = AddTo(store, OneOff("dentist", At(2008, 1, 10, 9, 0)));  // Thursday
    auto view = Open<WeeklyLayout>(600, 300, At(2008, 1, 7));
    const ViewNotice n = view->MousePress(310, 25, MouseButton::Right);
    EXPECT_EQ(view->GetSelectedEvent(), id);
    ASSERT_TRUE(n.viewDate);
    EXPECT_EQ(*n.viewDate, At(2008, 1, 10));
    // Left and right cross between the columns; up and down stay in one.
    const std::pair<ViewKey, int> moves[] = {{ViewKey::Left, 0},  {ViewKey::Left, 0},  {ViewKey::Up, 0},
                                             {ViewKey::Right, 3}, {ViewKey::Down, 4},  {ViewKey::Down, 5},
                                             {ViewKey::Left, 2},  {ViewKey::Right, 5}, {ViewKey::Down, 6},
                                             {ViewKey::Right, 6}, {ViewKey::Down, 6}};
    for (const auto& [key, day] : moves) {
        view->KeyPress(key, 1);
        EXPECT_EQ(view->GetSelectedDay(), day);
    }
    EXPECT_FALSE(view->HasSelectedEvent());
}

// Each step moves a whole week and tells the new date. (The app's view test drags the real
// scroll bar to its end, where the thumb stays while the weeks move on.)
TEST_F(WeekViewsTest, WeeklyStepsMoveWholeWeeksAndTellTheNewDate) {
    auto view = Open<WeeklyLayout>(600, 300, At(2008, 1, 9));  // Wednesday, day 2
    const ViewNotice n = view->Scroll(ScrollAction::LineDown);
    EXPECT_EQ(std::tuple(view->GetFirstDay(), view->GetScroll().pos, n.captionChanged),
              std::tuple(At(2008, 1, 14), 26, true));
    ASSERT_TRUE(n.viewDate);
    EXPECT_EQ(*n.viewDate, At(2008, 1, 16));
    view->Scroll(ScrollAction::ThumbPosition, 26);  // no movement, no change
    view->Wheel(120);
    view->KeyPress(ViewKey::PageUp, 1);
    EXPECT_EQ(std::tuple(view->GetFirstDay(), view->GetScroll().pos), std::tuple(At(2007, 12, 31), 24));
}

TEST_F(WeekViewsTest, MonthlyShowsFiveRollingWeeks) {
    MonthlyLayout view(store, types);
    view.Resize(704, 530);
    const ViewNotice n = view.SetDate(At(2008, 1, 16, 10, 0));
    EXPECT_EQ(std::tuple(view.GetFirstCellDate(), view.CellDate(4, 6)), std::tuple(At(2008, 1, 13), At(2008, 2, 16)));
    EXPECT_EQ(std::tuple(view.GetSelectedRow(), view.GetSelectedColumn()), std::tuple(0, 3));
    ASSERT_TRUE(n.viewDate);
    EXPECT_EQ(*n.viewDate, At(2008, 1, 16));
    EXPECT_EQ(view.GetCaptionText(DashDate), "2008-01-13 - 2008-02-16");
    EXPECT_EQ(std::tuple(view.CellLabel(0, 0), view.CellLabel(0, 1), view.CellLabel(2, 5)),
              std::tuple("January 13", "14", "February 01"));
    // The last row and column stretch to the edges.
    EXPECT_EQ(MonthlyCellRect(view.ClientRect(), 0, 0), (Rect{0, 17, 100, 119}));
    EXPECT_EQ(MonthlyCellRect(view.ClientRect(), 4, 6), (Rect{600, 425, 704, 530}));

    const DisplayList list = tvtest::Screen(view);
    int grey = 0, white = 0;
    for (const DrawOp& op : list.Ops()) {
        if (op.kind != DrawOp::Kind::Fill || op.rect.Height() < 50) continue;
        grey += op.brush == ViewPalette::kOddMonth;
        white += op.brush == ViewPalette::kWhite;
    }
    EXPECT_EQ(std::tuple(grey, white), std::tuple(19, 16));  // 13 .. 31 January, 1 .. 16 February
    EXPECT_EQ(FindText(list, "Sunday")->pen, ViewPalette::kWeekend);
    EXPECT_EQ(FindText(list, "Wednesday")->pen, ViewPalette::kBlack);
    EXPECT_EQ(FindText(list, "16")->pen, ViewPalette::kWhite);  // the selected cell
}

TEST_F(WeekViewsTest, MonthlyCellsHoldFourLinesAndTheSelectedDateIsTheNextMinute) {
    for (int i = 0; i < 5; ++i) AddTo(store, OneOff("e", At(2008, 1, 14, 8 + i, 0)));
    auto view = Open<MonthlyLayout>(700, 517, At(2008, 1, 16));  // RH = 100
    const auto& items = view->CellItems(0, 1);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(std::tuple(items[0].rect, items[3].rect.top), std::tuple(Rect{100, 17 + 18, 200, 17 + 36}, 17 + 72));
    EXPECT_TRUE(items[4].rect.IsEmpty());

    view->MousePress(450, 17 + 100 + 50, MouseButton::Left);  // row 1, column 4: 24 January
    EXPECT_EQ(view->GetSelectedDate(At(2008, 3, 3, 14, 59, 40)), At(2008, 1, 24, 15, 0));
    EXPECT_EQ(view->GetSelectedDate(At(2008, 3, 3, 23, 59, 40)), At(2008, 1, 24, 23, 59));
    EXPECT_EQ(view->GetViewDate(), At(2008, 1, 24));
    EXPECT_FALSE(view->MousePress(450, 10, MouseButton::Left).repaint);  // the weekday header
    // The last column reaches the right edge, beyond 7 x CW.
    view->Resize(704, 517);
    EXPECT_TRUE(view->MousePress(702, 30, MouseButton::Left).viewDate);
    EXPECT_EQ(view->GetSelectedColumn(), 6);
}

TEST_F(WeekViewsTest, MonthlyKeysAndNavigation) {
    const uint32_t id = AddTo(store, OneOff("x", At(2008, 2, 20, 9, 0)));
    auto view = Open<MonthlyLayout>(700, 517, At(2008, 1, 16));
    view->KeyPress(ViewKey::Down, 2);
    EXPECT_EQ(view->GetViewDate(), At(2008, 1, 30));
    EXPECT_FALSE(view->KeyPress(ViewKey::Down, 3).viewDate);  // row 5 does not exist
    const ViewNotice n = view->KeyPress(ViewKey::PageDown, 1);
    EXPECT_EQ(std::tuple(view->GetFirstCellDate(), *n.viewDate, view->GetScroll().pos),
              std::tuple(At(2008, 2, 17), At(2008, 3, 5), 30));
    ASSERT_EQ(view->CellItems(0, 3).size(), 1u);
    EXPECT_EQ(view->CellItems(0, 3)[0].id, id);
    view->Scroll(ScrollAction::PageUp);
    EXPECT_EQ(view->GetFirstCellDate(), At(2008, 1, 13));
    view->Scroll(ScrollAction::ThumbTrack, 0);  // 25 weeks back
    EXPECT_EQ(view->GetFirstCellDate(), At(2007, 7, 22));
}
