// CViewPages: page switching, date commands, the view-area menu and double clicks.
#include "ViewPages.h"

#include <QMenu>

#include "CalendarView.h"
#include "ListPages.h"
#include "ViewTabBar.h"
#include "menus/TypeMenu.h"
#include "store/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/MainWnd.h"
#include "views/ViewSwitching.h"
#include "dialogs/EventCommands.h"

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

CViewPages* CViewPages::Install(CMainWnd* mainWnd) {
    if (!mainWnd) return nullptr;
    if (CViewPages* existing = Of(mainWnd)) return existing;
    return new CViewPages(mainWnd);
}

CViewPages* CViewPages::Of(const CMainWnd* mainWnd) {
    return mainWnd ? mainWnd->findChild<CViewPages*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

DateTime CViewPages::SharedDate() { return g_sharedDate; }
void CViewPages::ResetSharedDate() { g_sharedDate = DateTime(); }
void CViewPages::SetSharedDate(const DateTime& date) { g_sharedDate = date; }
void CViewPages::SetNewEventAt(NewEventAt handler) { g_newEventAt = std::move(handler); }

CViewPages::CViewPages(CMainWnd* mainWnd) : QObject(mainWnd), m_main(mainWnd) {
    m_clock = std::make_unique<MainWndClock>(mainWnd);
    m_current = TakeSharedDate(g_sharedDate, m_clock->Now());

    static constexpr ViewKind kKinds[] = {ViewKind::Daily, ViewKind::Weekday, ViewKind::Weekly, ViewKind::Monthly};
    for (int i = 0; i < 4; ++i) {
        CCalendarView* view = CreateCalendarView(kKinds[i], *m_clock);
        m_views[i] = view;
        connect(view, &CCalendarView::viewDateChanged, this, &CViewPages::onViewDate);
        connect(view, &CCalendarView::captionChanged, this, [this] {
            if (m_tabBar) m_tabBar->update();
        });
        connect(view, &CCalendarView::doubleClicked, this, &CViewPages::onDoubleClick);
        connect(view, &CCalendarView::contextMenuWanted, this, &CViewPages::showContextMenu);
        m_main->setPage(i, view);
    }
    m_active = m_views[0];
    refreshOfficeHours();

    m_find = new CFindPage(*m_clock);
    connect(m_find->list(), &CEventListCtrl::rowDoubleClicked, this, [this](int) { m_main->runCommand(cmd::kModify); });
    m_main->setPage(kViewFind, m_find);

    m_all = new CAllEventsPage(*m_clock);
    connect(m_all->list(), &CEventListCtrl::rowDoubleClicked, this, [this](int) { m_main->runCommand(cmd::kModify); });
    connect(m_all->list(), &CEventListCtrl::emptyDoubleClicked, this, [this] {
        if (m_all && m_all->list()->selectedIds().empty()) m_main->runCommand(cmd::kNew);
    });
    connect(m_all->list(), &CEventListCtrl::contextMenuWanted, this, &CViewPages::showContextMenu);
    m_main->setPage(kViewAll, m_all);

    m_tabBar = new CViewTabBar;
    m_tabBar->setCaptionSource([this]() -> QString {
        if (viewIndex() > kViewMonthly || !m_active) return {};
        return m_active->GetCaptionText();
    });
    m_tabBar->setTabDate(m_current);
    connect(m_tabBar, &CViewTabBar::dateChosen, this, [this](const DateTime& date) {
        if (IsCalendarView(viewIndex())) onViewDate(date);
        gotoDate(date);
    });
    m_main->setTabBar(m_tabBar);
    connect(m_main, &CMainWnd::viewChanged, this, &CViewPages::onViewChanged);
}

CViewPages::~CViewPages() = default;
CCalendarView* CViewPages::activeCalendarView() const { return m_active; }
CAllEventsPage* CViewPages::allPage() const { return m_all; }
CFindPage* CViewPages::findPage() const { return m_find; }
CViewTabBar* CViewPages::tabBar() const { return m_tabBar; }

CCalendarView* CViewPages::calendarView(int index) const {
    return index >= 0 && index < 4 ? m_views[index] : nullptr;
}

int CViewPages::viewIndex() const { return m_main->viewIndex(); }

void CViewPages::refreshOfficeHours() {
    const OfficeHours hours = CurrentOfficeHours();
    for (CCalendarView* v : m_views)
        if (v) v->setOfficeHours(hours);
}

void CViewPages::onViewChanged(int index) {
    if (m_tabBar) m_tabBar->setViewIndex(index);
    if (index == kViewFind) {
        if (m_find) m_find->search();
    } else if (index == kViewAll) {
        if (m_all) m_all->refill();
    } else if (IsCalendarView(index)) {
        if (m_views[index]) m_active = m_views[index];
        gotoDate(m_current);
    }
}

void CViewPages::gotoDate(const DateTime& date) {
    if (!IsCalendarView(viewIndex()) || !m_active || m_active != m_views[viewIndex()]) return;
    refreshOfficeHours();
    m_active->SetDate(date);
    if (m_tabBar) m_tabBar->update();
}

void CViewPages::onViewDate(const DateTime& date) {
    m_current = date;
    g_sharedDate = date;
}

void CViewPages::gotoToday() {
    const DateTime today = TodayAtMidnight(m_clock->Now());
    onViewDate(today);
    if (m_tabBar) m_tabBar->setTabDate(today);
    m_main->setView(kViewDaily);
}

void CViewPages::gotoThisDay() {
    if (!m_active) return;
    const DateTime day = m_active->GetSelectedDate();
    if (m_tabBar) m_tabBar->setTabDate(day);
    onViewDate(day);
    m_main->setView(kViewDaily);
}

void CViewPages::gotoChosenDate() {
    if (!m_tabBar) return;
    DateTime date = m_tabBar->tabDate();
    if (!m_tabBar->chooseDate(m_main, date)) return;
    m_tabBar->setTabDate(date);
    // The calendar pages follow the chosen date from now on, not only the one shown.
    if (IsCalendarView(viewIndex())) onViewDate(date);
    gotoDate(date);
}

bool CViewPages::isGotoEnabled(int commandId) const {
    switch (commandId) {
        case cmd::kGotoToday: return true;
        case cmd::kGotoThisDay: return CanGotoThisDay(viewIndex());
        case cmd::kGotoDate: return CanGotoDate(viewIndex());
        default: return false;
    }
}

std::unique_ptr<QMenu> CViewPages::buildContextMenu() {
    auto menu = std::make_unique<QMenu>(QStringLiteral("Event"));
    menu->setObjectName(QStringLiteral("EventMenu"));
    CMainWnd* main = m_main;
    const auto run = [main](int id) { main->runCommand(id); };
    const auto enabled = [main](int id) { return main->isCommandEnabled(id); };
    QMenu* newMenu = menu->addMenu(QStringLiteral("New"));
    FillTypeMenu(newMenu, GetEventTypeTable(), run, enabled);
    auto add = [&](const char* text, int id) {
        QAction* a = menu->addAction(QString::fromLatin1(text), menu.get(), [run, id] { run(id); });
        a->setEnabled(enabled(id));
        a->setData(id);
    };
    add("&Modify...", cmd::kModify);
    add("D&elete", cmd::kDelete);
    menu->addSeparator();
    add("&Accept", cmd::kAccept);
    add("&Enable", cmd::kEnable);
    add("&Disable", cmd::kDisable);
    menu->addSeparator();
    add("Goto &Today", cmd::kGotoToday);
    add("Goto T&his Day", cmd::kGotoThisDay);
    add("Goto ...", cmd::kGotoDate);
    return menu;
}

void CViewPages::showContextMenu(const QPoint& globalPos) {
    if (!ShowsContextMenu(viewIndex())) return;
    std::unique_ptr<QMenu> menu = buildContextMenu();
    menu->exec(globalPos);
}

void CViewPages::onDoubleClick() {
    CCalendarView* view = m_active;
    if (!view) return;
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
