// Printed page geometry: the calendar frame, the list's bands, rows and page split.
#include <gtest/gtest.h>

#include "views/PrintPages.h"

using namespace tv;

namespace {
// A4 at 600 dots per inch, printable area of a typical laser printer.
constexpr int kA4W = 4760, kA4H = 6814;
}  // namespace

TEST(PrintPagesTest, DailyPageHoldsTheFortyEightRowsBetweenTheRules) {
    const CalendarPageFrame f = ComputeCalendarPage(ViewKind::Daily, kA4W, kA4H);
    EXPECT_EQ(f.extent.height, 1040);
    EXPECT_EQ(f.extent.width, MulDiv(kA4W, 1040, kA4H));
    EXPECT_EQ(f.extent.drawRect.Height(), 48 * kSlotHeight);
    const Rect content = f.ContentRect();
    EXPECT_EQ(content.top, 45);
    EXPECT_EQ(content.left, 40);
    EXPECT_EQ(content.right, f.extent.width - 25);  // flush with the rules' right end
    // Below the caption rule, above the footer rule.
    EXPECT_GT(content.top, f.ruleFrom.y);
    EXPECT_LT(content.bottom, f.footerFrom.y);
    EXPECT_EQ(f.ruleFrom, (Point{40, 35}));
    EXPECT_EQ(f.ruleTo, (Point{f.extent.width - 25, 35}));
    EXPECT_EQ(f.footerFrom, (Point{40, 1015}));
    EXPECT_EQ(f.captionRect, (Rect{40, 10, f.extent.width - 25, 33}));
}

TEST(PrintPagesTest, CalendarPagesScaleTheSameBothWaysAndFitThePaper) {
    for (ViewKind kind : {ViewKind::Daily, ViewKind::Weekday, ViewKind::Weekly, ViewKind::Monthly}) {
        for (auto [w, h] : {std::pair{kA4W, kA4H}, std::pair{kA4H, kA4W}, std::pair{2550, 3300}}) {
            const CalendarPageFrame f = ComputeCalendarPage(kind, w, h);
            ASSERT_GT(f.scale, 0.0);
            EXPECT_LE(f.extent.width * f.scale, w + 0.001);
            EXPECT_LE(f.extent.height * f.scale, h + 0.001);
            // The logical width follows the paper, so the page is used to within a unit.
            EXPECT_NEAR(f.extent.width * f.scale, w, f.scale);
            EXPECT_LT(f.ContentRect().bottom, f.footerFrom.y);
        }
    }
    EXPECT_EQ(ComputeCalendarPage(ViewKind::Weekday, kA4W, kA4H).extent.drawRect.Height(), 977);
    EXPECT_EQ(ComputeCalendarPage(ViewKind::Monthly, kA4H, kA4W).extent.drawRect.Height(), 500);
}

TEST(PrintPagesTest, ListBandsAndColumns) {
    // Row text height 11: rows of 15 units.
    const ListPageGeometry g = ComputeListPage(100, 11, kA4W, kA4H);
    EXPECT_EQ(g.layout.pageHeight, MulDiv(565, kA4H, kA4W));
    EXPECT_EQ(g.layout.rowHeight, 15);
    EXPECT_EQ(g.titleBand, (Rect{40, 10, 540, 45}));
    EXPECT_EQ(g.headerBand, (Rect{40, 45, 540, 60}));
    EXPECT_EQ(g.columnLeft, (std::array<int, 5>{40, 240, 340, 390, 490}));
    EXPECT_EQ(g.columnRight, (std::array<int, 5>{240, 340, 390, 490, 540}));
    EXPECT_EQ(g.footerBand, (Rect{40, g.layout.pageHeight - 35, 540, g.layout.pageHeight}));
    EXPECT_EQ(g.RowRect(0), (Rect{40, 60, 540, 75}));
    EXPECT_EQ(g.CellTextRect(2, 1), (Rect{242, 92, 340, 105}));
    // The last row of a page ends above the footer band.
    EXPECT_LE(g.RowRect(g.layout.rowsPerPage - 1).bottom, g.footerBand.top);
    EXPECT_GT(g.RowRect(g.layout.rowsPerPage).bottom, g.footerBand.top);
    EXPECT_DOUBLE_EQ(g.scaleX, double(kA4W) / 565);
    EXPECT_DOUBLE_EQ(g.scaleY, double(kA4H) / g.layout.pageHeight);
}

TEST(PrintPagesTest, ListRowsSplitOverPages) {
    const int perPage = ComputeListPage(1, 11, kA4W, kA4H).layout.rowsPerPage;
    ASSERT_GT(perPage, 10);

    // No events: no page at all.
    const ListPageGeometry none = ComputeListPage(0, 11, kA4W, kA4H);
    EXPECT_EQ(none.layout.pageCount, 0);
    EXPECT_EQ(RowsOfPage(none, 0, 1).count, 0);

    // Exactly one page of rows is one page; one more row starts a second.
    EXPECT_EQ(ComputeListPage(perPage, 11, kA4W, kA4H).layout.pageCount, 1);
    EXPECT_EQ(ComputeListPage(perPage + 1, 11, kA4W, kA4H).layout.pageCount, 2);

    const int items = 2 * perPage + 3;
    const ListPageGeometry g = ComputeListPage(items, 11, kA4W, kA4H);
    ASSERT_EQ(g.layout.pageCount, 3);
    EXPECT_EQ(RowsOfPage(g, items, 1).first, 0);
    EXPECT_EQ(RowsOfPage(g, items, 1).count, perPage);
    EXPECT_EQ(RowsOfPage(g, items, 2).first, perPage);
    EXPECT_EQ(RowsOfPage(g, items, 3).first, 2 * perPage);
    EXPECT_EQ(RowsOfPage(g, items, 3).count, 3);
    EXPECT_EQ(RowsOfPage(g, items, 4).count, 0);
    EXPECT_EQ(RowsOfPage(g, items, 0).count, 0);
    EXPECT_EQ(PageFooterText(2, 3), "2/3");
}
