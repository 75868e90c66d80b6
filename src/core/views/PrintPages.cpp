// Printed page geometry of the calendar views and the event list.
#include "PrintPages.h"

#include <algorithm>

namespace tv {

CalendarPageFrame ComputeCalendarPage(ViewIndex kind, int deviceWidth, int deviceHeight) {
    CalendarPageFrame f;
    f.extent = CalendarPrintExtent(kind, deviceWidth, deviceHeight);
    const int w = f.extent.width, h = f.extent.height;
    f.captionRect = {40, 10, w - 25, 35 - CalendarPageFrame::kRuleWidth};
    f.ruleFrom = {40, 35};
    f.ruleTo = {w - 25, 35};
    f.origin = {40, 45};
    f.footerFrom = {40, h - 25};
    f.footerTo = {w - 25, h - 25};
    // Isotropic: the smaller of the two ratios, so that nothing falls off the paper.
    if (w > 0 && h > 0) f.scale = std::min(double(deviceWidth) / w, double(deviceHeight) / h);
    return f;
}

ListPageGeometry ComputeListPage(int itemCount, int rowTextHeight, int deviceWidth, int deviceHeight) {
    ListPageGeometry g;
    g.layout = ComputeListPrint(itemCount, rowTextHeight, deviceWidth, deviceHeight);
    using namespace ListPrint;
    g.titleBand = {kLeft, kTitleTop, kRight, kHeaderTop};
    g.headerBand = {kLeft, kHeaderTop, kRight, kHeaderTop + g.layout.rowHeight};
    int x = kLeft;
    for (int c = 0; c < kPrintColumnCount; ++c) {
        g.columnLeft[c] = x;
        x += kColumnWidths[c];
        g.columnRight[c] = x;
    }
    g.footerBand = {kLeft, g.layout.pageHeight - kFooterHeight, kRight, g.layout.pageHeight};
    if (g.layout.pageHeight > 0) {
        g.scaleX = double(deviceWidth) / kPageWidth;
        g.scaleY = double(deviceHeight) / g.layout.pageHeight;
    }
    return g;
}

Rect ListPageGeometry::RowRect(int indexOnPage) const {
    const int top = headerBand.bottom + indexOnPage * layout.rowHeight;
    return {columnLeft.front(), top, columnRight.back(), top + layout.rowHeight};
}

Rect ListPageGeometry::CellTextRect(int indexOnPage, int column) const {
    const Rect row = RowRect(indexOnPage);
    return {columnLeft[column] + 2, row.top + 2, columnRight[column], row.bottom};
}

PageRows RowsOfPage(const ListPageGeometry& geometry, int itemCount, int page) {
    PageRows rows;
    rows.count = RowsOnPage(geometry.layout, itemCount, page);
    rows.first = rows.count > 0 ? FirstRowOfPage(geometry.layout, page) : 0;
    return rows;
}

}  // namespace tv
