// The six pages of the main window: their index, titles, and the rules of the date commands.
#pragma once

#include <string>

#include "ViewGeometry.h"
#include "model/DateTime.h"

namespace tv {

// The pages in the order the "ViewType" setting stores them. The first four are the calendar
// views, and a calendar layout names its kind by its page.
enum ViewIndex : int {
    kViewDaily = 0,
    kViewWeekday = 1,
    kViewWeekly = 2,
    kViewMonthly = 3,
    kViewFind = 4,
    kViewAll = 5,
};
constexpr int kViewCount = 6;

// Pages 0..3 are calendars; the list pages are not.
inline bool IsCalendarView(int index) { return index >= kViewDaily && index <= kViewMonthly; }
inline bool IsListView(int index) { return index == kViewFind || index == kViewAll; }

// The tab bar's title of a page, in English; empty for an index outside 0..5.
std::string ViewTitle(int index);

// Enabling rules of the page-dependent date commands, the New command and the view-area menu.
inline bool CanGotoThisDay(int index) { return index != kViewDaily && index != kViewFind; }
inline bool CanGotoDate(int index) { return index != kViewFind; }
inline bool CanCreateEvent(int index) { return index != kViewFind; }
inline bool ShowsContextMenu(int index) { return index != kViewFind; }

// The date the views share: a process-wide copy outlives the main window. A fresh copy (the
// zero date) becomes now the first time a main window asks for it.
DateTime TakeSharedDate(DateTime& processCopy, const DateTime& now);
// Goto Today: today at 00:00.
DateTime TodayAtMidnight(const DateTime& now);

// The tab bar: the title on the left, the date button on the right.
constexpr int kTabBarHeight = 31;

struct TabBarLayout {
    Rect title;
    Rect dateButton;
    bool hasDateButton = false;  // none on the Find page
};
// From the client size and the measured widths of the title and of the date text.
TabBarLayout LayoutTabBar(int index, int clientWidth, int clientHeight, int titleWidth, int dateTextWidth);

// The date button's mouse states, kept apart from the window so they can be checked alone.
class DateButtonState {
public:
    enum class Edge { None, Raised, Sunken };

    void SetRect(const Rect& r, bool present) {
        m_rect = r;
        m_present = present;
    }
    bool Hit(int x, int y) const { return m_present && m_rect.Contains(x, y); }
    // Each answer says which edge to draw now (None: leave the drawing alone).
    Edge MouseMove(int x, int y);
    Edge Press(int x, int y);
    // True when the release opens the Select Date dialog.
    bool Release(int x, int y);
    // The 100 ms timer: true when the edge must be erased (the cursor left the button).
    bool TimerTick(int cursorX, int cursorY);
    bool IsPressed() const { return m_pressed; }
    bool IsTimerRunning() const { return m_timer; }

private:
    Rect m_rect;
    bool m_present = false;
    bool m_pressed = false;
    bool m_timer = false;
};

}  // namespace tv
