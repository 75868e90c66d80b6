// Page numbers and sizes for printing.
#include "PrintLayout.h"

#include <algorithm>

namespace tv {

ListPrintLayout ComputeListPrint(int itemCount, int rowTextHeight, int deviceWidth, int deviceHeight) {
    ListPrintLayout l;
    l.pageHeight = deviceWidth > 0 ? MulDiv(ListPrint::kPageWidth, deviceHeight, deviceWidth) : 0;
    l.rowHeight = std::max(1, rowTextHeight + 4);
    // A page too short for one row (a strange printer) still prints one row a page rather than
    // dividing by zero or never ending.
    l.rowsPerPage = std::max(1, (l.pageHeight - 80 - l.rowHeight) / l.rowHeight);
    const int n = std::max(0, itemCount);
    l.pageCount = n / l.rowsPerPage + (n % l.rowsPerPage ? 1 : 0);
    return l;
}

int FirstRowOfPage(const ListPrintLayout& layout, int page) { return (page - 1) * layout.rowsPerPage; }

int RowsOnPage(const ListPrintLayout& layout, int itemCount, int page) {
    if (page < 1 || page > layout.pageCount) return 0;
    return std::min(layout.rowsPerPage, itemCount - FirstRowOfPage(layout, page));
}

std::string PageFooterText(int page, int pageCount) {
    return std::to_string(page) + "/" + std::to_string(pageCount);
}

}  // namespace tv
