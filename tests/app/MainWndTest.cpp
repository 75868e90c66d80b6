// The calendar main window: its menus and keys, its placement, and Delete, Accept, Enable
// and Disable on the active page, each reaching the event file at once.
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "model/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/Commands.h"
#include "shell/MainWnd.h"
#include "shell/MessageHub.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"

using namespace tv;
using tvtest::FakePage;

class MainWndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void menuBarTextsAreExact();
    void toolbarButtonsCarryTheirLabelsAndPrompts();
    void pendingCommandsStayDisabled();
    void deleteOnACalendarViewAsksOnlyForRecurringEvents();
    void deleteOnTheListAsksOnceThenPerRecurringEvent();
    void cancelKeepsWhatWasDeletedAndSavesIt();
    void acceptEnableDisableOnTheAllPageSaveAtOnce();
    void findPageRefusesAcceptEvenByKey();
    void acceleratorsRunCommandsButTextFieldsKeepTheirKeys();
    void altMDoesNotSwitchToMonthly();
    void placementAndPageSurviveClosing();
    void registeredMessagesReachTheActivePage();
    void helpWithoutItsFileSaysSo();

private:
    uint32_t Add(const char* name, bool recurring = false);
    CPtEvent OnDisk(uint32_t id, bool& found) const;
    CMainWnd* Open();
    FakePage* PageAt(CMainWnd* w, int index);

    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{DateTime::FromParts(2024, 5, 6, 10, 0, 0)};
};

void MainWndTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSettingsStore(&m_settings);
    SetUserPrompts(&m_prompts);
}

void MainWndTest::init() {
    GetEventStore().RemoveAll();
    m_prompts = tvtest::ScriptedPrompts();
}

void MainWndTest::cleanup() {
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

uint32_t MainWndTest::Add(const char* name, bool recurring) {
    CPtEvent ev(m_clock.Now());
    ev.SetName(name);
    ev.SetStart(DateTime::FromParts(2024, 5, 6, 9, 0, 0));
    if (recurring) ev.GetRecurrence().SetPattern(std::make_unique<CDailyRePattern>());
    GetEventStore().Add(ev);
    return ev.GetId();
}

CPtEvent MainWndTest::OnDisk(uint32_t id, bool& found) const {
    CEventStore reread(EventFilePath());
    reread.Load();
    CPtEvent ev;
    found = reread.GetById(id, ev);
    return ev;
}

CMainWnd* MainWndTest::Open() {
    CMainWnd* w = CMainWnd::OpenOrRestore();
    w->setClock(&m_clock);
    return w;
}

FakePage* MainWndTest::PageAt(CMainWnd* w, int index) {
    auto* page = new FakePage;
    w->setPage(index, page);
    return page;
}

void MainWndTest::menuBarTextsAreExact() {
    CMainWnd* w = Open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Main"));
    QStringList top;
    for (QAction* a : w->menuBar()->actions()) top << a->text();
    QCOMPARE(top, (QStringList{"&Event", "&View", "&Tool", "&Help"}));
    auto items = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions())
            if (!a->isSeparator()) out << a->text();
        return out;
    };
    const QList<QAction*> menus = w->menuBar()->actions();
    QCOMPARE(items(menus[0]->menu()),
             (QStringList{"New", "&Modify...\tCtrl+M", "&Delete\tDel", "&Accept\tCtrl+A", "&Enable\tCtrl+E",
                          "Di&sable\tCtrl+D", "&Print...\tCtrl+P", "Print Pre&view...\tCtrl+V", "Import", "Export...",
                          "&Backup...", "&Restore...", "&Close"}));
    QMenu* import = menus[0]->menu()->actions()[menus[0]->menu()->actions().size() - 6]->menu();
    QVERIFY(import);
    QCOMPARE(items(import), (QStringList{"Import &Holiday...", "&Import Exp File...", "Import from Plumtrace 2.3..."}));
    QCOMPARE(items(menus[1]->menu()),
             (QStringList{"&Daily\tAlt+D", "W&eek Day\tAlt+E", "&Weekly\tAlt+W", "&Monthly\tAlt+M",
                          "&All Events\tAlt+A", "&Find\tF3", "Goto &Today\tCtrl+T", "Goto T&his Day\tCtrl+I",
                          "Goto ...\tCtrl+G"}));
    QCOMPARE(items(menus[2]->menu()), QStringList{"&Options...\tCtrl+O"});
    QCOMPARE(items(menus[3]->menu()), (QStringList{"&Help...\tF1", "&About..."}));
    // The New submenu lists the types, then "Customize...".
    QMenu* newMenu = menus[0]->menu()->actions().first()->menu();
    QCOMPARE(newMenu->actions().size(), static_cast<int>(GetEventTypeTable().GetCount()) + 2);
}

void MainWndTest::toolbarButtonsCarryTheirLabelsAndPrompts() {
    CMainWnd* w = Open();
    auto* bar = w->findChild<QToolBar*>();
    QStringList labels;
    for (QAction* a : bar->actions())
        if (!a->isSeparator()) labels << a->iconText();
    QCOMPARE(labels, (QStringList{"New", "Delete", "Modify", "Daily", "Weekday", "Weekly", "Monthly", "All", "Find"}));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    auto* newButton = qobject_cast<QToolButton*>(bar->widgetForAction(w->action(cmd::kNew)));
    QCOMPARE(newButton->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(w->action(cmd::kMonthly)->statusTip(), QStringLiteral("Monthly View"));
    QCOMPARE(w->action(cmd::kMonthly)->toolTip(), QStringLiteral("Monthly"));
}

void MainWndTest::pendingCommandsStayDisabled() {
    CMainWnd* w = Open();
    // Modify is there but needs a selected event.
    for (int id : {cmd::kModify, cmd::kPrint, cmd::kPrintPreview, cmd::kBackup, cmd::kRestoreBackup,
                   cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday, cmd::kImportPlumtrace, cmd::kOptions})
        QVERIFY2(!w->action(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int id : {cmd::kNew, cmd::kClose, cmd::kHelp, cmd::kAbout, cmd::kDaily, cmd::kAllEvents})
        QVERIFY(w->action(id)->isEnabled());
}

void MainWndTest::deleteOnACalendarViewAsksOnlyForRecurringEvents() {
    const uint32_t once = Add("Dentist");
    const uint32_t daily = Add("Gym", true);
    CMainWnd* w = Open();
    FakePage* daily0 = PageAt(w, 0);
    w->setView(0);
    w->updateCommandStates();
    QVERIFY(!w->action(cmd::kDelete)->isEnabled());

    daily0->selection = {once};
    w->runCommand(cmd::kDelete);
    QVERIFY(m_prompts.asked.isEmpty());
    QCOMPARE(daily0->removed, std::vector<uint32_t>{once});
    bool found = true;
    OnDisk(once, found);
    QVERIFY(!found);

    daily0->selection = {daily};
    m_prompts.yesNo = {false};
    w->runCommand(cmd::kDelete);
    QCOMPARE(m_prompts.asked.last(),
             QStringLiteral("Warning: This is a recurrent event, do you really want to delete it?"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(daily, ev));
    m_prompts.yesNo = {true};
    w->runCommand(cmd::kDelete);
    QVERIFY(!GetEventStore().GetById(daily, ev));
}

void MainWndTest::deleteOnTheListAsksOnceThenPerRecurringEvent() {
    const uint32_t a = Add("A");
    const uint32_t r1 = Add("R1", true);
    const uint32_t r2 = Add("R2", true);
    const uint32_t r3 = Add("R3", true);
    CMainWnd* w = Open();
    FakePage* all = PageAt(w, 5);
    w->setView(5);
    all->selection = {a, r1, r2, r3};
    m_prompts.yesNo = {true};
    m_prompts.deleteAnswers = {DeleteAnswer::No, DeleteAnswer::YesToAll};
    w->runCommand(cmd::kDelete);
    QCOMPARE(m_prompts.asked, (QStringList{"Warning: Do you really want to delete the selected events?",
                                           "Delete Events", "Delete Events"}));
    QCOMPARE(all->removed, (std::vector<uint32_t>{a, r2, r3}));
    bool found = false;
    OnDisk(r1, found);
    QVERIFY(found);
    OnDisk(r3, found);
    QVERIFY(!found);

    // One selected row is deleted without the first question.
    m_prompts = tvtest::ScriptedPrompts();
    all->selection = {r1};
    m_prompts.deleteAnswers = {DeleteAnswer::Yes};
    w->runCommand(cmd::kDelete);
    QCOMPARE(m_prompts.asked, QStringList{"Delete Events"});
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void MainWndTest::cancelKeepsWhatWasDeletedAndSavesIt() {
    const uint32_t r1 = Add("R1", true);
    const uint32_t r2 = Add("R2", true);
    const uint32_t r3 = Add("R3", true);
    QVERIFY(GetEventStore().Save().ok);
    CMainWnd* w = Open();
    FakePage* find = PageAt(w, 4);
    w->setView(4);
    find->selection = {r1, r2, r3};
    m_prompts.deleteAnswers = {DeleteAnswer::Yes, DeleteAnswer::Yes, DeleteAnswer::Cancel};
    w->runCommand(cmd::kDelete);
    QCOMPARE(find->removed, (std::vector<uint32_t>{r1, r2}));
    bool found = true;
    OnDisk(r2, found);
    QVERIFY2(!found, "what was deleted before Cancel must not come back after a crash");
    OnDisk(r3, found);
    QVERIFY(found);
}

void MainWndTest::acceptEnableDisableOnTheAllPageSaveAtOnce() {
    const uint32_t a = Add("A");
    const uint32_t b = Add("B");
    CMainWnd* w = Open();
    FakePage* all = PageAt(w, 5);
    w->setView(5);
    all->selection = {a, b, 4711};  // a row whose event is gone is skipped
    w->runCommand(cmd::kDisable);
    bool found = false;
    QVERIFY(!OnDisk(a, found).IsEnabled());
    QVERIFY(!OnDisk(b, found).IsEnabled());
    QCOMPARE(all->refreshed, (std::vector<uint32_t>{a, b}));
    QCOMPARE(all->suspendCalls, (std::vector<bool>{true, false}));
    w->runCommand(cmd::kEnable);
    QVERIFY(OnDisk(a, found).IsEnabled());
    w->runCommand(cmd::kAccept);
    QCOMPARE(OnDisk(b, found).GetReminderState(), kReminderDone);

    // A calendar view acts on its one selected event.
    FakePage* monthly = PageAt(w, 3);
    w->setView(3);
    const uint32_t c = Add("C");
    monthly->selection = {c};
    QTest::keyClick(w, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(!OnDisk(c, found).IsEnabled());
    QCOMPARE(monthly->refreshed, std::vector<uint32_t>{c});
}

void MainWndTest::findPageRefusesAcceptEvenByKey() {
    const uint32_t a = Add("A");
    CMainWnd* w = Open();
    FakePage* find = PageAt(w, 4);
    w->setView(4);
    find->selection = {a};
    w->updateCommandStates();
    QVERIFY(!w->isCommandEnabled(cmd::kAccept));
    QVERIFY(w->isCommandEnabled(cmd::kDelete));
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier);
    CPtEvent ev;
    GetEventStore().GetById(a, ev);
    QCOMPARE(ev.GetReminderState(), kReminderArmed);
    QVERIFY(ev.IsEnabled());
}

void MainWndTest::acceleratorsRunCommandsButTextFieldsKeepTheirKeys() {
    const uint32_t a = Add("A");
    CMainWnd* w = Open();
    FakePage* all = PageAt(w, 5);
    auto* search = new QLineEdit(all);
    all->setLayout(new QVBoxLayout);
    all->layout()->addWidget(search);
    w->setView(5);
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    all->selection = {a};

    // Typing into a text field: Del and Ctrl+A edit the text, no event is touched.
    search->setFocus();
    search->setText(QStringLiteral("dentist"));
    search->setCursorPosition(0);
    QTest::keyClick(search, Qt::Key_Delete);
    QCOMPARE(search->text(), QStringLiteral("entist"));
    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(search->selectedText(), QStringLiteral("entist"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(a, ev));
    QCOMPARE(ev.GetReminderState(), kReminderArmed);

    // Elsewhere the same keys are the commands; Alt+D is Daily, F3 Find.
    all->setFocus();
    QTest::keyClick(all, Qt::Key_A, Qt::ControlModifier);
    GetEventStore().GetById(a, ev);
    QCOMPARE(ev.GetReminderState(), kReminderDone);
    QTest::keyClick(all, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(w->viewIndex(), 0);
    QTest::keyClick(w->pageWidget(0), Qt::Key_F3);
    QCOMPARE(w->viewIndex(), 4);
    QTest::keyClick(w->pageWidget(4), Qt::Key_E, Qt::AltModifier);
    QCOMPARE(w->viewIndex(), 1);
}

void MainWndTest::altMDoesNotSwitchToMonthly() {
    CMainWnd* w = Open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->setView(0);
    QTest::keyClick(w->pageWidget(0), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(w->viewIndex(), 0);
    w->action(cmd::kMonthly)->trigger();
    QCOMPARE(w->viewIndex(), 3);
    QVERIFY(w->action(cmd::kMonthly)->isChecked());
    QVERIFY(!w->action(cmd::kDaily)->isChecked());
}

void MainWndTest::placementAndPageSurviveClosing() {
    {
        CMainWnd* w = Open();
        w->setGeometry(200, 150, 700, 520);
        w->setView(5);
        w->runCommand(cmd::kClose);
        QVERIFY(!CMainWnd::Instance());
    }
    QCOMPARE(ReadViewType(m_settings), 5);
    const MainPlacement p = ReadMainPlacement(m_settings);
    QCOMPARE(p.normal.left, 200);
    QCOMPARE(p.normal.top, 150);
    QCOMPARE(p.normal.Width(), 700);
    QCOMPARE(p.normal.Height(), 520);
    QVERIFY(QFile::exists(QString::fromStdString(EventFilePath())));  // closing saved the events
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CMainWnd* again = Open();
    QCOMPARE(again->viewIndex(), 5);
    QCOMPARE(again->geometry(), QRect(200, 150, 700, 520));
    // Restore while open brings back the same window.
    again->showMinimized();
    QCOMPARE(CMainWnd::OpenOrRestore(), again);
    QVERIFY(!again->isMinimized());
}

void MainWndTest::registeredMessagesReachTheActivePage() {
    CMainWnd* w = Open();
    FakePage* all = PageAt(w, 5);
    FakePage* daily = PageAt(w, 0);
    w->setView(5);
    PostToMainWnd(msg::kInvalidate, 7);
    PostToMainWnd(msg::kEventDel, 8);
    PostToMainWnd(msg::kRefresh, 1);
    QCoreApplication::processEvents();
    QCOMPARE(all->refreshed, std::vector<uint32_t>{7});
    QCOMPARE(all->removed, std::vector<uint32_t>{8});
    QCOMPARE(all->rebuilds, 1);
    w->setView(0);
    PostToMainWnd(msg::kEventDel, 9);
    QCoreApplication::processEvents();
    QCOMPARE(daily->rebuilds, 1);
    QVERIFY(daily->removed.empty());
}

void MainWndTest::helpWithoutItsFileSaysSo() {
    CMainWnd* w = Open();
    w->runCommand(cmd::kHelp);
    QCOMPARE(m_prompts.told, QStringList{"Warning: Help file NOT found!"});
}

QTEST_MAIN(MainWndTest)
#include "MainWndTest.moc"
