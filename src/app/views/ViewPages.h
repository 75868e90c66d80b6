// CViewPages: the six pages of the main window, the tab bar, the shared current date, the date
// commands, the view-area menu and double clicks.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "engine/Clock.h"
#include "model/DateTime.h"
#include "views/CalendarLayout.h"
#include "views/ViewSwitching.h"

class QMenu;

namespace tv {

class CMainWnd;
class CCalendarView;
class CAllEventsPage;
class CFindPage;
class CViewTabBar;
class IMainPage;

// Made by the main window while it builds itself: it makes the six pages and the tab bar the
// window lays out, and lives as the window's child. The window tells it through viewChanged()
// which page it shows; everything the pages do for the window goes through the window's
// commands.
class CViewPages : public QObject {
    Q_OBJECT
public:
    explicit CViewPages(CMainWnd* mainWnd);
    ~CViewPages() override;

    // The page of a ViewIndex, as a widget and as what the window's commands ask of it.
    QWidget* pageWidget(int index) const;
    IMainPage* page(int index) const;
    CCalendarView* calendarView(int index) const;
    // The last calendar view shown (kept while a list page is shown); the Daily view at first.
    CCalendarView* activeCalendarView() const { return m_active; }
    CAllEventsPage* allPage() const { return m_all; }
    CFindPage* findPage() const { return m_find; }
    CViewTabBar* tabBar() const { return m_tabBar; }

    DateTime currentDate() const { return m_current; }
    // The process-wide copy that outlives the main window; a test sets the day it starts at.
    static DateTime SharedDate();
    static void SetSharedDate(const DateTime& date);

    // The page of that index is now shown (the main window's SetView).
    void onViewChanged(int index);
    // SetDate on the active calendar view, unless a list page is shown.
    void gotoDate(const DateTime& date);
    void gotoToday();
    void gotoThisDay();
    // The Daily page of a day, chosen from another page.
    void openDay(const DateTime& day);
    // Goto ...: the Select Date dialog, then GotoDate with the chosen date.
    void gotoChosenDate();

    // The view-area menu ("Event") at a global point; nothing on the Find page.
    void showContextMenu(const QPoint& globalPos);
    std::unique_ptr<QMenu> buildContextMenu();

    // How a new event of the first type is made at a chosen date: the event editor when it is
    // built in. Answers the new event's id, 0 when none was made. Without one, the New command
    // runs instead. Tests set their own.
    using NewEventAt = std::function<uint32_t(QWidget* parent, const DateTime& start)>;
    static void SetNewEventAt(NewEventAt handler);

private:
    void createCalendarViews();
    void createListPages();
    void createTabBar();
    void onViewDate(const DateTime& date);
    void onDoubleClick();
    int viewIndex() const;
    void refreshOfficeHours();

    CMainWnd* m_main;
    std::unique_ptr<IClock> m_clock;  // asks the main window's clock
    // Owned by the window's page stack and tab strip, which outlive this object.
    std::array<CCalendarView*, kViewMonthly + 1> m_views{};
    CCalendarView* m_active = nullptr;
    CAllEventsPage* m_all = nullptr;
    CFindPage* m_find = nullptr;
    CViewTabBar* m_tabBar = nullptr;
    DateTime m_current;
};

}  // namespace tv
