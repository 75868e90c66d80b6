// CMainWnd: the Options command, which runs the preferences sheet.
#include "ClockWnd.h"
#include "MainWnd.h"
#include "PreferenceSheet.h"
#include "shell/AppSettings.h"
#include "views/CalendarView.h"
#include "views/ViewPages.h"

namespace tv {

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
    // Whatever the answer, the pages show the office hours and the first weekday as they now stand.
    const OfficeHours hours = CurrentOfficeHours();
    for (int index : {kViewDaily, kViewWeekday, kViewWeekly, kViewMonthly}) {
        CCalendarView* view = m_pages->calendarView(index);
        view->setOfficeHours(hours);
        view->setFirstWeekday(CurrentFirstWeekday(view->kind()));
        view->viewport()->update();
    }
}

}  // namespace tv
