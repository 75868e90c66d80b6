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
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AcceleratorTable.h"
#include "AppIcons.h"
#include "HelpAbout.h"
#include "IcsCommands.h"
#include "MessageHub.h"
#include "SyncController.h"
#include "ToolbarIcons.h"
#include "UserPrompts.h"
#include "views/ViewPages.h"
#include "menus/TypeMenu.h"
#include "store/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/Commands.h"
#include "shell/WindowSettings.h"

namespace tv {

namespace {

CMainWnd* g_main = nullptr;

const char* const kPageTitles[kViewCount] = {"Daily", "Week Day", "Weekly", "Monthly", "Find", "All"};

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
    CViewPages::Install(this);

    std::vector<std::pair<QString, int>> keys;
    for (const Accelerator& a : kMainAccelerators) keys.emplace_back(QString::fromLatin1(a.key), a.command);
    m_accelerators = new CAcceleratorTable(this, keys, [this](int id) { runCommand(id); });

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

QAction* CMainWnd::makeAction(int id, const QString& menuText) {
    auto* a = new QAction(menuText, this);
    const QString tip = QString::fromStdString(PromptTip(id));
    a->setStatusTip(QString::fromStdString(PromptStatus(id)));
    if (!tip.isEmpty()) {
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
    makeAction(cmd::kNew, QStringLiteral("&New\tCtrl+N"));
    makeAction(cmd::kModify, QStringLiteral("&Modify...\tCtrl+M"));
    makeAction(cmd::kDelete, QStringLiteral("&Delete\tDel"));
    makeAction(cmd::kAccept, QStringLiteral("&Accept\tCtrl+A"));
    makeAction(cmd::kEnable, QStringLiteral("&Enable\tCtrl+E"));
    makeAction(cmd::kDisable, QStringLiteral("Di&sable\tCtrl+D"));
    makeAction(cmd::kPrint, QStringLiteral("&Print...\tCtrl+P"));
    makeAction(cmd::kPrintPreview, QStringLiteral("Print Pre&view...\tCtrl+V"));
    makeAction(cmd::kImportHoliday, QStringLiteral("Import &Holiday..."));
    makeAction(cmd::kImportExpFile, QStringLiteral("&Import Exp File..."));
    makeAction(cmd::kImportPlumtrace, QStringLiteral("Import from Plumtrace 2.3..."));
    makeAction(cmd::kExport, QStringLiteral("Export..."));
    makeAction(cmd::kBackup, QStringLiteral("&Backup..."));
    makeAction(cmd::kRestoreBackup, QStringLiteral("&Restore..."));
    makeAction(cmd::kClose, QStringLiteral("&Close"));
    makeAction(cmd::kDaily, QStringLiteral("&Daily\tAlt+D"));
    makeAction(cmd::kWeekDay, QStringLiteral("W&eek Day\tAlt+E"));
    makeAction(cmd::kWeekly, QStringLiteral("&Weekly\tAlt+W"));
    makeAction(cmd::kMonthly, QStringLiteral("&Monthly\tAlt+M"));
    makeAction(cmd::kAllEvents, QStringLiteral("&All Events\tAlt+A"));
    makeAction(cmd::kFind, QStringLiteral("&Find\tF3"));
    makeAction(cmd::kGotoToday, QStringLiteral("Goto &Today\tCtrl+T"));
    makeAction(cmd::kGotoThisDay, QStringLiteral("Goto T&his Day\tCtrl+I"));
    makeAction(cmd::kGotoDate, QStringLiteral("Goto ...\tCtrl+G"));
    makeAction(cmd::kOptions, QStringLiteral("&Options...\tCtrl+O"));
    makeAction(cmd::kHelp, QStringLiteral("&Help...\tF1"));
    makeAction(cmd::kAbout, QStringLiteral("&About..."));
    // One page at a time: the page commands show as a group with one mark.
    auto* pages = new QActionGroup(this);
    pages->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (int i = 0; i < kViewCount; ++i) {
        QAction* a = m_actions.value(CommandOfViewIndex(i));
        a->setCheckable(true);
        pages->addAction(a);
    }
}

void CMainWnd::createMenus() {
    auto fillTypes = [this](QMenu* menu) {
        FillTypeMenu(
            menu, GetEventTypeTable(), [this](int id) { runCommand(id); },
            [this](int id) { return isCommandEnabled(id); });
    };
    QMenu* event = menuBar()->addMenu(QStringLiteral("&Event"));
    m_newMenu = event->addMenu(QStringLiteral("New"));
    connect(m_newMenu, &QMenu::aboutToShow, this, [this, fillTypes] { fillTypes(m_newMenu); });
    fillTypes(m_newMenu);
    event->addSeparator();
    for (int id : {cmd::kModify, cmd::kDelete}) event->addAction(action(id));
    event->addSeparator();
    for (int id : {cmd::kAccept, cmd::kEnable, cmd::kDisable}) event->addAction(action(id));
    event->addSeparator();
    for (int id : {cmd::kPrint, cmd::kPrintPreview}) event->addAction(action(id));
    event->addSeparator();
    QMenu* import = event->addMenu(QStringLiteral("Import"));
    for (int id : {cmd::kImportHoliday, cmd::kImportExpFile, cmd::kImportPlumtrace}) import->addAction(action(id));
    for (int id : {cmd::kExport, cmd::kBackup, cmd::kRestoreBackup}) event->addAction(action(id));
    AddIcsCommands(this, event, import, action(cmd::kBackup));
    event->addSeparator();
    AddSyncCommand(this, event, action(cmd::kClose));
    event->addAction(action(cmd::kClose));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    for (int id : {cmd::kDaily, cmd::kWeekDay, cmd::kWeekly, cmd::kMonthly, cmd::kAllEvents}) view->addAction(action(id));
    view->addSeparator();
    view->addAction(action(cmd::kFind));
    view->addSeparator();
    for (int id : {cmd::kGotoToday, cmd::kGotoThisDay, cmd::kGotoDate}) view->addAction(action(id));

    menuBar()->addMenu(QStringLiteral("&Tool"))->addAction(action(cmd::kOptions));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(action(cmd::kHelp));
    help->addAction(action(cmd::kAbout));

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
    bar->addAction(action(cmd::kNew));
    // The New button's arrow offers every type.
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action(cmd::kNew)))) {
        m_toolNewMenu = new QMenu(button);
        connect(m_toolNewMenu, &QMenu::aboutToShow, this, [this] {
            FillTypeMenu(
                m_toolNewMenu, GetEventTypeTable(), [this](int id) { runCommand(id); },
                [this](int id) { return isCommandEnabled(id); });
        });
        button->setMenu(m_toolNewMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    bar->addAction(action(cmd::kDelete));
    bar->addSeparator();
    bar->addAction(action(cmd::kModify));
    bar->addSeparator();
    for (int id : {cmd::kDaily, cmd::kWeekDay, cmd::kWeekly, cmd::kMonthly, cmd::kAllEvents}) bar->addAction(action(id));
    bar->addSeparator();
    bar->addAction(action(cmd::kFind));
}

void CMainWnd::createStatusBar() {
    auto* ready = new QLabel(tr("Ready"));
    ready->setContentsMargins(4, 0, 4, 0);
    statusBar()->addWidget(ready, 1);
}

void CMainWnd::createPages() {
    m_central = new QWidget(this);
    auto* layout = new QVBoxLayout(m_central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabBar = new CPageTitleStrip(m_central);
    layout->addWidget(m_tabBar);
    m_stack = new QStackedWidget(m_central);
    layout->addWidget(m_stack, 1);
    for (int i = 0; i < kViewCount; ++i) {
        m_pages[i] = new CPlaceholderPage(QString::fromLatin1(kPageTitles[i]), m_stack);
        m_stack->addWidget(m_pages[i]);
    }
    setCentralWidget(m_central);
}

void CMainWnd::setTabBar(QWidget* tabBar) {
    if (!tabBar || tabBar == m_tabBar) return;
    auto* layout = static_cast<QVBoxLayout*>(m_central->layout());
    layout->replaceWidget(m_tabBar, tabBar);
    delete m_tabBar;
    m_tabBar = tabBar;
    m_tabBar->setFixedHeight(31);
}

void CMainWnd::setPage(int index, QWidget* widget) {
    if (index < 0 || index >= kViewCount || !widget || !dynamic_cast<IMainPage*>(widget)) return;
    QWidget* old = m_pages[index];
    m_stack->insertWidget(index, widget);
    m_stack->removeWidget(old);
    delete old;
    m_pages[index] = widget;
    m_stack->setCurrentIndex(m_view);
}

QWidget* CMainWnd::pageWidget(int index) const { return index >= 0 && index < kViewCount ? m_pages[index] : nullptr; }

IMainPage* CMainWnd::page(int index) const { return dynamic_cast<IMainPage*>(pageWidget(index)); }

void CMainWnd::setView(int index) {
    if (index < 0 || index >= kViewCount) return;
    m_view = index;
    m_stack->setCurrentIndex(index);
    if (auto* strip = qobject_cast<CPageTitleStrip*>(m_tabBar)) strip->setTitle(QString::fromLatin1(kPageTitles[index]));
    m_pages[index]->setFocus();
    emit viewChanged(index);
    updateCommandStates();
}

bool CMainWnd::hasSelection() const {
    const IMainPage* p = activePage();
    return p && !p->SelectedEventIds().empty();
}

bool CMainWnd::isCommandEnabled(int id) const {
    if (ViewIndexOfCommand(id) >= 0) return true;
    if (id == cmd::kNew || IsTypeCommand(id)) return m_view != 4 && IsNewEventAvailable();
    switch (id) {
        case kTypeMenuCustomizeId: return m_view != 4 && IsCustomizeAvailable();
        case cmd::kModify: return IsModifyAvailable() && hasSelection();
        case cmd::kDelete: return hasSelection();
        case cmd::kAccept:
        case cmd::kEnable:
        case cmd::kDisable: return m_view != 4 && hasSelection();
        case cmd::kPrint:
        case cmd::kPrintPreview: return IsPrintAvailable();
        case cmd::kBackup:
        case cmd::kRestoreBackup:
        case cmd::kExport:
        case cmd::kImportExpFile:
        case cmd::kImportHoliday:
        case cmd::kImportPlumtrace: return IsTransferAvailable(id);
        case cmd::kGotoToday:
        case cmd::kGotoThisDay:
        case cmd::kGotoDate: return IsGotoAvailable(id);
        case cmd::kOptions: return IsOptionsAvailable();
        case cmd::kClose:
        case cmd::kHelp:
        case cmd::kAbout: return true;
        default: return false;
    }
}

void CMainWnd::updateCommandStates() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(isCommandEnabled(it.key()));
        const int view = ViewIndexOfCommand(it.key());
        if (view >= 0) it.value()->setChecked(view == m_view);
    }
}

void CMainWnd::runCommand(int id) {
    if (!isCommandEnabled(id)) return;
    const int view = ViewIndexOfCommand(id);
    if (view >= 0) {
        setView(view);
        return;
    }
    if (IsTypeCommand(id)) {
        newEvent(id - kTypeMenuFirstId);
        return;
    }
    switch (id) {
        case cmd::kNew: newEvent(0); break;
        case kTypeMenuCustomizeId: customizeTypes(); break;
        case cmd::kModify: modifyEvent(); break;
        case cmd::kDelete: deleteEvents(); break;
        case cmd::kAccept: acceptEvents(); break;
        case cmd::kEnable: enableEvents(); break;
        case cmd::kDisable: disableEvents(); break;
        case cmd::kPrint: print(); break;
        case cmd::kPrintPreview: printPreview(); break;
        case cmd::kBackup: backup(); break;
        case cmd::kRestoreBackup: restoreBackup(); break;
        case cmd::kExport: exportEvents(); break;
        case cmd::kImportExpFile: importExpFile(); break;
        case cmd::kImportHoliday: importHoliday(); break;
        case cmd::kImportPlumtrace: importPlumtrace(); break;
        case cmd::kGotoToday: gotoToday(); break;
        case cmd::kGotoThisDay: gotoThisDay(); break;
        case cmd::kGotoDate: gotoDate(); break;
        case cmd::kOptions: showOptions(); break;
        case cmd::kClose: close(); break;
        case cmd::kHelp: OpenHelp(); break;
        case cmd::kAbout: ShowAbout(this); break;
        default: break;
    }
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
    if (!m_closed) {
        m_closed = true;
        ReportSave(this, GetEventStore().Save());
        savePlacement();
        ReportSave(this, GetSettingsStore().Flush());
        disconnect(m_idle);
        if (g_main == this) g_main = nullptr;
    }
    event->accept();
}

}  // namespace tv
