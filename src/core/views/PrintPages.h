// Where everything goes on a printed page: the calendar views' frame and the event list's bands,
// rows and columns, in the page's logical units.
#pragma once

#include <array>
#include <iterator>

#include "CalendarLayout.h"
#include "PrintLayout.h"

namespace tv {

constexpr int kPrintColumnCount = static_cast<int>(std::size(ListPrint::kColumnWidths));

// A calendar view prints as one page: its caption right-aligned above a rule, the view drawn
// into the extent's drawing rectangle moved to `origin`, and a rule below.
struct CalendarPageFrame {
    PrintExtent extent;
    Rect captionRect;      // (40, 10, W - 25, 33): the rule's 2 units are kept free
    Point ruleFrom, ruleTo;        // (40, 35) - (W - 25, 35)
    Point origin;                  // (40, 45)
    Point footerFrom, footerTo;    // (40, H - 25) - (W - 25, H - 25)
    static constexpr int kRuleWidth = 2;
    // Device pixels per logical unit, the same both ways (the page is scaled without
    // distortion, and the logical width was chosen so that the whole width is used).
    double scale = 0.0;

    // Where the drawing rectangle lands on the page.
    Rect ContentRect() const { return extent.drawRect.Translated(origin.x, origin.y); }
};
CalendarPageFrame ComputeCalendarPage(ViewIndex kind, int deviceWidth, int deviceHeight);

// The event list as a table over pages: the title band, the header band, rows, the footer band
// with "page/pages". Logical page 565 units wide; the height follows the paper.
struct ListPageGeometry {
    ListPrintLayout layout;
    Rect titleBand;   // (40, 10, 540, 45): "Events List"
    Rect headerBand;  // one row high from y 45
    std::array<int, kPrintColumnCount> columnLeft{};
    std::array<int, kPrintColumnCount> columnRight{};
    Rect footerBand;  // from page height - 35 to the page bottom
    double scaleX = 0.0, scaleY = 0.0;  // device pixels per logical unit

    // The rectangle of the n-th row printed on a page (0-based), below the header band.
    Rect RowRect(int indexOnPage) const;
    // Where a cell's text goes: 2 units in from the column's left and the row's top.
    Rect CellTextRect(int indexOnPage, int column) const;
};
ListPageGeometry ComputeListPage(int itemCount, int rowTextHeight, int deviceWidth, int deviceHeight);

// The rows page `page` (1-based) prints: the first list row and how many follow.
struct PageRows {
    int first = 0;
    int count = 0;
};
PageRows RowsOfPage(const ListPageGeometry& geometry, int itemCount, int page);

}  // namespace tv
