// Page numbers and sizes for printing the views and the event lists.
#pragma once

#include <string>

#include "CalendarLayout.h"
#include "texts/UserTexts.h"

namespace tv {

namespace ListPrint {
constexpr int kPageWidth = 565;          // logical units
constexpr int kRowFontHeight = 9;        // "Arial" character height
constexpr int kTitleFontHeight = 12;
constexpr int kLeft = 40;
constexpr int kRight = 540;
constexpr int kTitleTop = 10;
constexpr int kHeaderTop = 45;
constexpr int kFooterHeight = 35;
// Printed column widths: Name, Time, Type, Recurrence, Duration (500 units in all).
constexpr int kColumnWidths[5] = {200, 100, 50, 100, 50};
constexpr const char* kTitle = texts::kEventsList;  // English; printed in the user's language
constexpr const char* kAverageWidthSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
}  // namespace ListPrint

struct ListPrintLayout {
    int pageHeight = 0;   // logical: 565 x device height / device width
    int rowHeight = 0;    // row font text height + 4
    int rowsPerPage = 0;  // at least 1
    int pageCount = 0;    // 0 for an empty list
};

// rowTextHeight is the measured text height of the row font in logical units.
ListPrintLayout ComputeListPrint(int itemCount, int rowTextHeight, int deviceWidth, int deviceHeight);
// First row printed on page (1-based); rows beyond the item count are not printed.
int FirstRowOfPage(const ListPrintLayout& layout, int page);
int RowsOnPage(const ListPrintLayout& layout, int itemCount, int page);
// "2/3".
std::string PageFooterText(int page, int pageCount);

}  // namespace tv
