// CMainWnd: the Options command, which runs the preferences sheet.
#include "ClockWnd.h"
#include "MainWnd.h"
#include "PreferenceSheet.h"
#include "shell/AppSettings.h"
#include "views/CalendarView.h"
#include "views/ViewPages.h"

namespace tv {

bool CMainWnd::IsOptionsAvailable() { return true; }

void CMainWnd::showOptions() {
    CPreferenceSheet sheet(this);
    if (sheet.exec() == QDialog::Accepted) {
        if (CClockWnd* clock = CClockWnd::Instance()) {
            if (GetAppSettings().GetShowClock()) {
                clock->show();
                clock->raise();
            } else {
                clock->hide();
            }
        }
    }
    // Whatever the answer, the day grids show the office hours as they now stand.
    CViewPages* pages = CViewPages::Of(this);
    if (!pages) return;
    const OfficeHours hours = CurrentOfficeHours();
    for (int index : {0, 1}) {
        if (CCalendarView* view = pages->calendarView(index)) {
            view->setOfficeHours(hours);
            view->viewport()->update();
        }
    }
}

}  // namespace tv
