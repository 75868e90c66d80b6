// CMainWnd: the Options command, which runs the preferences sheet.
#include "ClockWnd.h"
#include "MainWnd.h"
#include "PreferenceSheet.h"
#include "shell/AppSettings.h"
#include "views/CalendarView.h"
#include "views/ViewPages.h"

namespace tv {

namespace {

int MinuteOfDay(const DateTime& t, int fallback) {
    DateParts p;
    return t.GetParts(p) ? p.hour * 60 + p.minute : fallback;
}

}  // namespace

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
    DateTime start, end;
    GetAppSettings().GetOfficeHours(start, end);
    OfficeHours hours;
    hours.startMinute = MinuteOfDay(start, hours.startMinute);
    hours.endMinute = MinuteOfDay(end, hours.endMinute);
    for (int index : {0, 1}) {
        if (CCalendarView* view = pages->calendarView(index)) {
            view->setOfficeHours(hours);
            view->viewport()->update();
        }
    }
}

}  // namespace tv
