// CMainWnd: building the window, its pages, placement and the dispatch of its commands.
#include "MainWnd.h"

#include <QAbstractEventDispatcher>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AcceleratorTable.h"
#include "AppIcons.h"
#include "ClockWnd.h"
#include "CommandTable.h"
#include "IcsCommands.h"
#include "MessageHub.h"
#include "SyncController.h"
#include "ToolbarIcons.h"
#include "UserPrompts.h"
#include "menus/TypeMenu.h"
#include "store/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/Commands.h"
#include "shell/WindowSettings.h"
#include "views/ViewPages.h"
#include "views/ViewSwitching.h"
#include "views/ViewTabBar.h"

namespace tv {

namespace {

CMainWnd* g_main = nullptr;

bool IsTypeCommand(int id) { return id >= kTypeMenuFirstId && id <= kTypeMenuLastId; }

const IClock& SystemTime() {
    static SystemClock clock;
    return clock;
}

}  // namespace

CMainWnd::CMainWnd(QWidget* parent) : QMainWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MainWnd"));
    setWindowTitle(QStringLiteral("Main"));
    setWindowIcon(icons::AppIcon());
    m_clock = &SystemTime();
    g_main = this;

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createPages();
    createAccelerators();

    const CMessageHub& hub = CMessageHub::Instance();
    connect(&hub, &CMessageHub::refresh, this, &CMainWnd::onRefresh);
    connect(&hub, &CMessageHub::eventDeleted, this, &CMainWnd::onEventDeleted);
    connect(&hub, &CMessageHub::invalidate, this, &CMainWnd::onInvalidate);
    // The enabled states follow the selection: they are refreshed whenever the program idles.
    m_idle = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                     &CMainWnd::updateCommandStates);

    restorePlacement();
    setView(ReadViewType(GetSettingsStore()));
    updateCommandStates();
}

CMainWnd::~CMainWnd() {
    disconnect(m_idle);
    if (g_main == this) g_main = nullptr;
}

CMainWnd* CMainWnd::Instance() { return g_main; }

CMainWnd* CMainWnd::OpenOrRestore() {
    if (CMainWnd* m = g_main) {
        if (m->isMinimized()) m->showNormal();
        m->show();
        m->raise();
        m->activateWindow();
        return m;
    }
    auto* m = new CMainWnd;
    m->show();
    m->raise();
    m->activateWindow();
    return m;
}

CMainWnd* CMainWnd::BringToFront() {
    // Mapped again, a window appears on the desktop the user is on, wherever it was left.
    if (CMainWnd* m = g_main; m && m->isVisible() && !m->isMinimized() && !m->isActiveWindow()) m->hide();
    return OpenOrRestore();
}

QAction* CMainWnd::makeAction(const MainCommand& command) {
    auto* a = new QAction(MenuItemText(command), this);
    const int id = command.id;
    a->setData(id);
    a->setStatusTip(CommandStatus(id));
    if (const QString tip = CommandTip(id); !tip.isEmpty()) {
        a->setToolTip(tip);
        a->setIconText(tip);
    }
    const QIcon icon = ToolbarIcon(id);
    if (!icon.isNull()) a->setIcon(icon);
    a->setIconVisibleInMenu(false);
    connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    m_actions.insert(id, a);
    return a;
}

void CMainWnd::createActions() {
    // One page at a time: the page commands show as a group with one mark.
    auto* pages = new QActionGroup(this);
    pages->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const MainCommand& command : MainCommands()) {
        QAction* a = makeAction(command);
        if (ViewIndexOfCommand(command.id) < 0) continue;
        a->setCheckable(true);
        pages->addAction(a);
    }
}

void CMainWnd::fillTypeMenu(QMenu* menu) {
    FillTypeMenu(
        menu, GetEventTypeTable(), [this](int id) { runCommand(id); }, [this](int id) { return isCommandEnabled(id); });
}

void CMainWnd::createMenus() {
    QMenu* event = menuBar()->addMenu(QStringLiteral("&Event"));
    m_newMenu = event->addMenu(QStringLiteral("New"));
    connect(m_newMenu, &QMenu::aboutToShow, this, [this] { fillTypeMenu(m_newMenu); });
    fillTypeMenu(m_newMenu);
    // By Menu; the Import submenu is made where its first row is.
    QMenu* menus[] = {nullptr,
                      event,
                      nullptr,
                      menuBar()->addMenu(QStringLiteral("&View")),
                      menuBar()->addMenu(QStringLiteral("&Tool")),
                      menuBar()->addMenu(QStringLiteral("&Help"))};
    for (const MainCommand& command : MainCommands()) {
        if (command.menu == Menu::None) continue;
        QMenu*& menu = menus[static_cast<int>(command.menu)];
        if (!menu) {
            if (command.separatorBefore) event->addSeparator();
            menu = event->addMenu(QStringLiteral("Import"));
        } else if (command.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(action(command.id));
    }
    // Every menu shows each item's state as it is when it opens.
    for (QMenu* m : menuBar()->findChildren<QMenu*>())
        connect(m, &QMenu::aboutToShow, this, &CMainWnd::updateCommandStates);
}

void CMainWnd::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Standard"));
    bar->setObjectName(QStringLiteral("Standard"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(24, 24));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    // The buttons in order; 0 is a separator.
    constexpr int kButtons[] = {
        cmd::kNew,     cmd::kDelete,    0, cmd::kModify, 0, cmd::kDaily, cmd::kWeekDay, cmd::kWeekly,
        cmd::kMonthly, cmd::kAllEvents, 0, cmd::kFind};
    for (int id : kButtons) {
        if (id) bar->addAction(action(id));
        else bar->addSeparator();
    }
    // The New button's arrow offers every type.
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action(cmd::kNew)))) {
        m_toolNewMenu = new QMenu(button);
        connect(m_toolNewMenu, &QMenu::aboutToShow, this, [this] { fillTypeMenu(m_toolNewMenu); });
        button->setMenu(m_toolNewMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void CMainWnd::createAccelerators() {
    std::vector<std::pair<QString, int>> keys;
    for (const CommandKey& k : MainCommandKeys()) keys.emplace_back(QString::fromLatin1(k.key), k.command);
    m_accelerators = new CAcceleratorTable(this, keys, [this](int id) { runCommand(id); });
}

void CMainWnd::createStatusBar() {
    auto* ready = new QLabel(tr("Ready"));
    ready->setContentsMargins(4, 0, 4, 0);
    statusBar()->addWidget(ready, 1);
}

void CMainWnd::createPages() {
    // Made before the widgets it hands over, the pages' object is also deleted before them and
    // so never sees a page half gone.
    m_pages = new CViewPages(this);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pages->tabBar());
    m_stack = new QStackedWidget(central);
    layout->addWidget(m_stack, 1);
    for (int i = 0; i < kViewCount; ++i) m_stack->addWidget(m_pages->pageWidget(i));
    setCentralWidget(central);
}

IMainPage* CMainWnd::activePage() const { return m_pages->page(m_view); }

void CMainWnd::setView(int index) {
    if (index < 0 || index >= kViewCount) return;
    m_view = index;
    m_stack->setCurrentIndex(index);
    m_pages->pageWidget(index)->setFocus();
    emit viewChanged(index);
    updateCommandStates();
}

CommandState CMainWnd::commandState() const {
    // The New menu is first filled while the window is built, before it has pages.
    const CSyncController* sync = CSyncController::Instance();
    return {m_view, m_pages && !activePage()->SelectedEventIds().empty(), sync && sync->isRunning()};
}

bool CMainWnd::isCommandEnabled(int id) const {
    // A type menu's item is New of that type.
    const MainCommand* command = FindMainCommand(IsTypeCommand(id) ? cmd::kNew : id);
    return command && IsCommandAllowed(command->rule, commandState());
}

void CMainWnd::updateCommandStates() {
    const CommandState state = commandState();
    for (const MainCommand& command : MainCommands()) {
        QAction* a = action(command.id);
        a->setEnabled(IsCommandAllowed(command.rule, state));
        if (a->isCheckable()) a->setChecked(ViewIndexOfCommand(command.id) == m_view);
    }
}

void CMainWnd::runCommand(int id) {
    if (!isCommandEnabled(id)) return;
    if (IsTypeCommand(id)) {
        newEvent(id - kTypeMenuFirstId);
        return;
    }
    const MainCommand* command = FindMainCommand(id);
    if (command->run) command->run(*this);
    else setView(ViewIndexOfCommand(id));
}

void CMainWnd::restorePlacement() {
    const MainPlacement p = ReadMainPlacement(GetSettingsStore());
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (p.HasNormalRect() && p.normal.Width() > 0 && p.normal.Height() > 0) {
        const QRect r(p.normal.left, p.normal.top, p.normal.Width(), p.normal.Height());
        // A rectangle on a monitor that is gone would open the window out of sight.
        bool visible = false;
        for (QScreen* s : QGuiApplication::screens()) visible = visible || s->availableGeometry().intersects(r);
        if (visible) {
            setGeometry(r);
            return;
        }
    }
    resize(640, 500);
    QRect r(QPoint(0, 0), size());
    r.moveCenter(avail.center());
    move(r.topLeft());
}

void CMainWnd::savePlacement() {
    IKeyValueStore& store = GetSettingsStore();
    MainPlacement p = ReadMainPlacement(store);
    const QRect r = isMaximized() || isMinimized() || isFullScreen() ? normalGeometry() : geometry();
    if (r.isValid()) p.normal = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    p.showCmd = isMinimized() ? kShowMinimized : isMaximized() ? kShowMaximized : kShowNormal;
    WriteMainPlacement(store, p);
    WriteViewType(store, m_view);
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    // Without the clock and a tray nothing of the program would be left to see: the user
    // chooses, once, between keeping it running in the background and exiting.
    bool exitAfter = false;
    if (!m_closed && CClockWnd::IsOutOfReach() && !ReadKeepRunningHidden(GetSettingsStore())) {
        switch (Prompts().AskKeepRunningHidden(this)) {
            case HiddenAnswer::Cancel: event->ignore(); return;
            case HiddenAnswer::KeepRunning: WriteKeepRunningHidden(GetSettingsStore(), true); break;
            case HiddenAnswer::Exit: exitAfter = true; break;
        }
    }
    if (!m_closed) {
        m_closed = true;
        ReportSave(this, GetEventStore().Save());
        savePlacement();
        ReportSave(this, GetSettingsStore().Flush());
        disconnect(m_idle);
        if (g_main == this) g_main = nullptr;
    }
    event->accept();
    if (exitAfter) {
        // After this close has finished: the exit closes every window in its order.
        if (CClockWnd* clock = CClockWnd::Instance())
            QTimer::singleShot(0, clock, [clock] { Q_EMIT clock->exitRequested(); });
    }
}

}  // namespace tv
