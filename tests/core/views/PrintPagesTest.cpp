// Printed page geometry: the calendar extents and frame, the list's bands, rows and page split.
#include <gtest/gtest.h>

#include "views/PrintPages.h"

using namespace tv;

namespace {
// A4 at 600 dots per inch: the whole sheet, and the printable area of a typical laser printer.
constexpr int kSheetW = 4960, kSheetH = 7016, kA4W = 4760, kA4H = 6814;
}  // namespace

TEST(PrintPagesTest, CalendarExtentsScaleTheWidthToThePaper) {
    const PrintExtent daily = CalendarPrintExtent(kViewDaily, kSheetW, kSheetH);
    EXPECT_EQ(std::tuple(daily.height, daily.width), std::tuple(1040, 735));
    EXPECT_EQ(daily.drawRect, (Rect{0, 0, 670, 960}));  // exactly the 48 rows
    const PrintExtent weekday = CalendarPrintExtent(kViewWeekday, kSheetW, kSheetH);
    EXPECT_EQ(std::tuple(weekday.height, weekday.drawRect.bottom), std::tuple(1057, 977));  // header + 48 rows
    const PrintExtent monthly = CalendarPrintExtent(kViewMonthly, kSheetH, kSheetW);
    EXPECT_EQ(std::tuple(monthly.height, monthly.width), std::tuple(580, 820));
    EXPECT_EQ(monthly.drawRect, (Rect{0, 0, 755, 500}));
    EXPECT_EQ(CalendarPrintExtent(kViewWeekly, 100, 0).width, 0);
    // Halves round away from zero; a division by zero gives -1.
    EXPECT_EQ(std::tuple(MulDiv(kSheetW, 1040, kSheetH), MulDiv(-3, 1, 2), MulDiv(5, 5, 0)), std::tuple(735, -2, -1));
}

TEST(PrintPagesTest, DailyPageHoldsTheFortyEightRowsBetweenTheRules) {
    const CalendarPageFrame f = ComputeCalendarPage(kViewDaily, kA4W, kA4H);
    const int w = MulDiv(kA4W, 1040, kA4H);
    EXPECT_EQ(std::tuple(f.extent.height, f.extent.width), std::tuple(1040, w));
    // Below the caption rule, above the footer rule, flush with the rules' right end.
    EXPECT_EQ(std::tuple(f.ContentRect(), f.captionRect),
              std::tuple(Rect{40, 45, w - 25, 45 + 48 * kSlotHeight}, Rect{40, 10, w - 25, 33}));
    EXPECT_EQ(std::tuple(f.ruleFrom, f.ruleTo, f.footerFrom),
              std::tuple(Point{40, 35}, Point{w - 25, 35}, Point{40, 1015}));
    // Every view on every paper: scaled the same both ways, the whole width used, the
    // content above the footer rule.
    for (ViewIndex kind : {kViewDaily, kViewWeekday, kViewWeekly, kViewMonthly}) {
        for (auto [pw, ph] : {std::pair{kA4W, kA4H}, std::pair{kA4H, kA4W}, std::pair{2550, 3300}}) {
            const CalendarPageFrame p = ComputeCalendarPage(kind, pw, ph);
            ASSERT_GT(p.scale, 0.0);
            EXPECT_LE(p.extent.height * p.scale, ph + 0.001);
            EXPECT_NEAR(p.extent.width * p.scale, pw, p.scale);
            EXPECT_LE(p.extent.width * p.scale, pw + 0.001);
            EXPECT_LT(p.ContentRect().bottom, p.footerFrom.y);
        }
    }
}

TEST(PrintPagesTest, ListBandsAndColumns) {
    // Row text height 11: rows of 15 units.
    const ListPageGeometry g = ComputeListPage(100, 11, kA4W, kA4H);
    EXPECT_EQ(std::tuple(g.layout.pageHeight, g.layout.rowHeight), std::tuple(MulDiv(565, kA4H, kA4W), 15));
    EXPECT_EQ(std::tuple(g.titleBand, g.headerBand), std::tuple(Rect{40, 10, 540, 45}, Rect{40, 45, 540, 60}));
    EXPECT_EQ(g.columnLeft, (std::array<int, 5>{40, 240, 340, 390, 490}));
    EXPECT_EQ(g.columnRight, (std::array<int, 5>{240, 340, 390, 490, 540}));
    EXPECT_EQ(g.footerBand, (Rect{40, g.layout.pageHeight - 35, 540, g.layout.pageHeight}));
    EXPECT_EQ(std::tuple(g.RowRect(0), g.CellTextRect(2, 1)),
              std::tuple(Rect{40, 60, 540, 75}, Rect{242, 92, 340, 105}));
    // The last row of a page ends above the footer band.
    EXPECT_LE(g.RowRect(g.layout.rowsPerPage - 1).bottom, g.footerBand.top);
    EXPECT_GT(g.RowRect(g.layout.rowsPerPage).bottom, g.footerBand.top);
    EXPECT_DOUBLE_EQ(g.scaleX, double(kA4W) / 565);
    EXPECT_DOUBLE_EQ(g.scaleY, double(kA4H) / g.layout.pageHeight);
}

TEST(PrintPagesTest, ListRowsSplitOverPages) {
    // 565 x 7016 / 4960 = 799 units high: 46 rows of 11 + 4 between the bands.
    for (auto [rows, pages] : {std::pair(0, 0), std::pair(46, 1), std::pair(47, 2)})  // no events: no page
        EXPECT_EQ(ComputeListPage(rows, 11, kSheetW, kSheetH).layout.pageCount, pages) << rows;
    const ListPageGeometry g = ComputeListPage(120, 11, kSheetW, kSheetH);
    EXPECT_EQ(std::tuple(g.layout.pageHeight, g.layout.rowsPerPage, g.layout.pageCount), std::tuple(799, 46, 3));
    const std::tuple<int, int, int> pages[] = {{0, 0, 0}, {1, 0, 46}, {2, 46, 46}, {3, 92, 28}, {4, 0, 0}};
    for (const auto& [page, first, count] : pages) {
        const PageRows rows = RowsOfPage(g, 120, page);
        EXPECT_EQ(std::tuple(rows.first, rows.count), std::tuple(first, count)) << page;
    }
    EXPECT_EQ(PageFooterText(2, 3), "2/3");
    // A page too short for a row still makes progress.
    EXPECT_EQ(ComputeListPrint(5, 11, 4960, 100).rowsPerPage, 1);
    EXPECT_EQ(ComputeListPrint(5, 11, 0, 100).pageCount, 5);
}
