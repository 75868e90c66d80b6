// Printing the main window's active page: a calendar view as one page scaled to the paper, or
// the All-events or Find list as a table over as many pages as it needs.
#pragma once

#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace tv {

class CMainWnd;
class CCalendarView;
class CEventListCtrl;

// What one print job prints, fixed when it starts. The hooks follow the order every printed
// document goes through: Begin (the page count for this printer), Page for each page, End.
class CPrintJob {
public:
    virtual ~CPrintJob() = default;
    // The number of pages for that printer; 0 prints nothing at all.
    virtual int Begin(QPrinter& printer) = 0;
    // Draws page `page` (1-based) with a painter open on the printer.
    virtual void Page(QPainter& painter, QPrinter& printer, int page) = 0;
    virtual void End() {}
    // Whether the job wants landscape paper (the Monthly view's 5 x 7 grid of days).
    virtual bool PrefersLandscape() const { return false; }
};

// The job for the main window's active page: the calendar view of pages 0-3, the Find
// page's results (4) or every event (5). Null when the window has no such page.
std::unique_ptr<CPrintJob> MakePrintJob(CMainWnd* mainWnd);
std::unique_ptr<CPrintJob> MakeCalendarPrintJob(CCalendarView* view);
std::unique_ptr<CPrintJob> MakeListPrintJob(CEventListCtrl* list);

// Runs the job on the printer: every page, or none when it has no pages. Answers the number
// of pages printed; -1 when the printer could not start the document or a page failed (the
// document is then aborted).
int RunPrintJob(CPrintJob& job, QPrinter& printer);

// The document name printers show in their queues.
QString PrintDocumentName();

}  // namespace tv
