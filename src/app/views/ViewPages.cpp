// CViewPages: page switching, date commands, the view-area menu and double clicks.
#include "ViewPages.h"

#include <QMenu>

#include "CalendarView.h"
#include "ListPages.h"
#include "ViewTabBar.h"
#include "dialogs/EventCommands.h"
#include "menus/TypeMenu.h"
#include "shell/Commands.h"
#include "shell/MainWnd.h"
#include "store/EventTypeTable.h"
#include "views/ViewSwitching.h"

namespace tv {

namespace {

DateTime g_sharedDate;  // the zero date until a main window first asks
// A double click on an empty slot or day opens the editor on a new event starting there.
CViewPages::NewEventAt g_newEventAt = [](QWidget* parent, const DateTime& start) {
    return NewEventWithEditor(parent, 0, start);
};

// "Now" as the main window sees it, so that a test's clock reaches the views too.
class MainWndClock final : public IClock {
public:
    explicit MainWndClock(const CMainWnd* m) : m_main(m) {}
    DateTime Now() const override { return m_main->clock().Now(); }

private:
    const CMainWnd* m_main;
};

}  // namespace

DateTime CViewPages::SharedDate() { return g_sharedDate; }
void CViewPages::SetSharedDate(const DateTime& date) { g_sharedDate = date; }
void CViewPages::SetNewEventAt(NewEventAt handler) { g_newEventAt = std::move(handler); }

CViewPages::CViewPages(CMainWnd* mainWnd) : QObject(mainWnd), m_main(mainWnd) {
    m_clock = std::make_unique<MainWndClock>(mainWnd);
    m_current = TakeSharedDate(g_sharedDate, m_clock->Now());
    createTabBar();
    createCalendarViews();
    createListPages();
    connect(m_main, &CMainWnd::viewChanged, this, &CViewPages::onViewChanged);
}

CViewPages::~CViewPages() = default;

void CViewPages::createCalendarViews() {
    for (int i = kViewDaily; i <= kViewMonthly; ++i) {
        CCalendarView* view = CreateCalendarView(static_cast<ViewIndex>(i), *m_clock);
        m_views[i] = view;
        connect(view, &CCalendarView::viewDateChanged, this, &CViewPages::onViewDate);
        connect(view, &CCalendarView::captionChanged, this, [this] { m_tabBar->update(); });
        connect(view, &CCalendarView::doubleClicked, this, &CViewPages::onDoubleClick);
        connect(view, &CCalendarView::contextMenuWanted, this, &CViewPages::showContextMenu);
        connect(view, &CCalendarView::dayOpened, this, &CViewPages::openDay);
    }
    m_active = m_views[kViewDaily];
    refreshOfficeHours();
}

void CViewPages::createListPages() {
    m_find = new CFindPage(*m_clock);
    connect(m_find->list(), &CEventListCtrl::rowDoubleClicked, this, [this](int) { m_main->runCommand(cmd::kModify); });

    m_all = new CAllEventsPage(*m_clock);
    connect(m_all->list(), &CEventListCtrl::rowDoubleClicked, this, [this](int) { m_main->runCommand(cmd::kModify); });
    connect(m_all->list(), &CEventListCtrl::emptyDoubleClicked, this, [this] {
        if (m_all->list()->selectedIds().empty()) m_main->runCommand(cmd::kNew);
    });
    connect(m_all->list(), &CEventListCtrl::contextMenuWanted, this, &CViewPages::showContextMenu);
}

void CViewPages::createTabBar() {
    m_tabBar = new CViewTabBar;
    m_tabBar->setCaptionSource(
        [this]() -> QString { return IsCalendarView(viewIndex()) ? m_active->GetCaptionText() : QString(); });
    m_tabBar->setTabDate(m_current);
    connect(m_tabBar, &CViewTabBar::dateChosen, this, [this](const DateTime& date) {
        if (IsCalendarView(viewIndex())) onViewDate(date);
        gotoDate(date);
    });
}

QWidget* CViewPages::pageWidget(int index) const {
    switch (index) {
        case kViewFind: return m_find;
        case kViewAll: return m_all;
        default: return calendarView(index);
    }
}

IMainPage* CViewPages::page(int index) const {
    switch (index) {
        case kViewFind: return m_find;
        case kViewAll: return m_all;
        default: return calendarView(index);
    }
}

CCalendarView* CViewPages::calendarView(int index) const { return IsCalendarView(index) ? m_views[index] : nullptr; }

int CViewPages::viewIndex() const { return m_main->viewIndex(); }

void CViewPages::refreshOfficeHours() {
    const OfficeHours hours = CurrentOfficeHours();
    for (CCalendarView* v : m_views) {
        v->setOfficeHours(hours);
        v->setFirstWeekday(CurrentFirstWeekday(v->kind()));
    }
}

void CViewPages::onViewChanged(int index) {
    m_tabBar->setViewIndex(index);
    if (index == kViewFind) {
        m_find->search();
    } else if (index == kViewAll) {
        m_all->refill();
    } else if (IsCalendarView(index)) {
        m_active = m_views[index];
        gotoDate(m_current);
    }
}

void CViewPages::gotoDate(const DateTime& date) {
    if (!IsCalendarView(viewIndex()) || m_active != m_views[viewIndex()]) return;
    refreshOfficeHours();
    m_active->SetDate(date);
    m_tabBar->update();
}

void CViewPages::onViewDate(const DateTime& date) {
    m_current = date;
    g_sharedDate = date;
}

void CViewPages::gotoToday() {
    const DateTime today = TodayAtMidnight(m_clock->Now());
    onViewDate(today);
    m_tabBar->setTabDate(today);
    m_main->setView(kViewDaily);
}

void CViewPages::gotoThisDay() { openDay(m_active->GetSelectedDate()); }

void CViewPages::openDay(const DateTime& day) {
    m_tabBar->setTabDate(day);
    onViewDate(day);
    m_main->setView(kViewDaily);
}

void CViewPages::gotoChosenDate() {
    DateTime date = m_tabBar->tabDate();
    if (!CViewTabBar::RunSelectDateDialog(m_main, date)) return;
    m_tabBar->setTabDate(date);
    // The calendar pages follow the chosen date from now on, not only the one shown.
    if (IsCalendarView(viewIndex())) onViewDate(date);
    gotoDate(date);
}

std::unique_ptr<QMenu> CViewPages::buildContextMenu() {
    auto menu = std::make_unique<QMenu>(tr("Event"));
    menu->setObjectName(QStringLiteral("EventMenu"));
    CMainWnd* main = m_main;
    const auto run = [main](int id) { main->runCommand(id); };
    const auto enabled = [main](int id) { return main->isCommandEnabled(id); };
    QMenu* newMenu = menu->addMenu(tr("New"));
    FillTypeMenu(newMenu, GetEventTypeTable(), run, enabled);
    auto add = [&](const char* text, int id) {
        QAction* a = menu->addAction(tr(text), menu.get(), [run, id] { run(id); });
        a->setEnabled(enabled(id));
        a->setData(id);
    };
    add(QT_TR_NOOP("&Modify..."), cmd::kModify);
    add(QT_TR_NOOP("D&elete"), cmd::kDelete);
    menu->addSeparator();
    add(QT_TR_NOOP("&Accept"), cmd::kAccept);
    add(QT_TR_NOOP("&Enable"), cmd::kEnable);
    add(QT_TR_NOOP("&Disable"), cmd::kDisable);
    menu->addSeparator();
    add(QT_TR_NOOP("Goto &Today"), cmd::kGotoToday);
    add(QT_TR_NOOP("Goto T&his Day"), cmd::kGotoThisDay);
    add(QT_TR_NOOP("Goto ..."), cmd::kGotoDate);
    return menu;
}

void CViewPages::showContextMenu(const QPoint& globalPos) {
    if (!ShowsContextMenu(viewIndex())) return;
    std::unique_ptr<QMenu> menu = buildContextMenu();
    menu->exec(globalPos);
}

void CViewPages::onDoubleClick() {
    CCalendarView* view = m_active;
    if (view->HasSelectedEvent()) {
        m_main->runCommand(cmd::kModify);
        return;
    }
    if (!CanCreateEvent(viewIndex())) return;
    if (g_newEventAt) {
        if (g_newEventAt(m_main, view->GetSelectedDate()) != 0) view->Refresh();
        return;
    }
    m_main->runCommand(cmd::kNew);
    view->Refresh();
}

}  // namespace tv
