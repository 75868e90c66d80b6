// The calendar main window: its menus and keys, its placement, and Delete, Accept, Enable
// and Disable on the active page, each reaching the event file at once.
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppTestSupport.h"
#include "store/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/MessageHub.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"

using namespace tv;
using tvtest::FakePage;
using tvtest::OnDisk;

class MainWndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { w.Install(); }
    void init() { w.Reset(); }
    void cleanup() { w.CloseWindows(); }

    void menusAndToolbarAreBuiltWithTheirRules();
    void deleteOnACalendarViewAsksOnlyForRecurringEvents();
    void deleteOnAListAsksOnceThenPerRecurringEvent();
    void acceptEnableDisableSaveAtOnceButNeverOnFind();
    void acceleratorsRunCommandsButTextFieldsKeepTheirKeys();
    void placementAndPageSurviveClosing();
    void registeredMessagesReachTheActivePage();

private:
    uint32_t Add(const char* name, bool recurring = false) {
        return w.Add(name, DateTime::FromParts(2024, 5, 6, 9, 0, 0), recurring);
    }
    FakePage* PageAt(CMainWnd* m, int index) {
        auto* page = new FakePage;
        m->setPage(index, page);
        m->setView(index);
        return page;
    }

    tvtest::AppWorld w;
};

void MainWndTest::menusAndToolbarAreBuiltWithTheirRules() {
    CMainWnd* m = w.Open(0);
    QCOMPARE(m->windowTitle(), QStringLiteral("Main"));
    QStringList top;
    for (QAction* a : m->menuBar()->actions()) top << a->text();
    QCOMPARE(top, (QStringList{"&Event", "&View", "&Tool", "&Help"}));
    // The Event menu opens with the types and Customize..., and holds the Import submenu.
    QMenu* event = m->menuBar()->actions().first()->menu();
    QCOMPARE(event->actions().first()->menu()->actions().size(), static_cast<int>(GetEventTypeTable().GetCount()) + 2);
    QMenu* import = nullptr;
    for (QAction* a : event->actions())
        if (a->text() == QStringLiteral("Import")) import = a->menu();
    QVERIFY(import);
    QCOMPARE(import->actions().size(), 4);
    QCOMPARE(m->action(cmd::kMonthly)->text(), QStringLiteral("&Monthly\tAlt+M"));  // shown, yet no key

    auto* bar = m->findChild<QToolBar*>();
    QStringList labels;
    for (QAction* a : bar->actions())
        if (!a->isSeparator()) labels << a->iconText();
    QCOMPARE(labels, (QStringList{"New", "Delete", "Modify", "Daily", "Weekday", "Weekly", "Monthly", "All", "Find"}));
    QCOMPARE(qobject_cast<QToolButton*>(bar->widgetForAction(m->action(cmd::kNew)))->popupMode(),
             QToolButton::MenuButtonPopup);

    // Modify needs a selected event; the rest of the window's commands are there at once.
    QVERIFY(!m->action(cmd::kModify)->isEnabled());
    for (int id : {cmd::kNew, cmd::kClose, cmd::kHelp, cmd::kAbout, cmd::kDaily, cmd::kAllEvents, cmd::kBackup,
                   cmd::kRestoreBackup, cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday, cmd::kImportPlumtrace,
                   cmd::kOptions, cmd::kGotoToday, cmd::kPrint, cmd::kPrintPreview})
        QVERIFY2(m->action(id)->isEnabled(), qPrintable(QString::number(id)));
    m->runCommand(cmd::kHelp);
    QCOMPARE(w.prompts.told, QStringList{"Warning: Help file NOT found!"});
}

void MainWndTest::deleteOnACalendarViewAsksOnlyForRecurringEvents() {
    const uint32_t once = Add("Dentist");
    const uint32_t daily = Add("Gym", true);
    CMainWnd* m = w.Open(0);
    FakePage* page = PageAt(m, 0);
    m->updateCommandStates();
    QVERIFY(!m->action(cmd::kDelete)->isEnabled());
    page->selection = {once};
    m->runCommand(cmd::kDelete);
    QVERIFY(w.prompts.asked.isEmpty());
    QCOMPARE(page->removed, std::vector<uint32_t>{once});
    QVERIFY(!OnDisk(once));

    page->selection = {daily};
    w.prompts.yesNo = {false};
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked.last(), QStringLiteral("Warning: This is a recurrent event, do you really want to delete it?"));
    QVERIFY(GetEventStore().GetPtrById(daily));
    m->runCommand(cmd::kDelete);  // Yes
    QVERIFY(!GetEventStore().GetPtrById(daily));
}

void MainWndTest::deleteOnAListAsksOnceThenPerRecurringEvent() {
    const uint32_t a = Add("A"), r1 = Add("R1", true), r2 = Add("R2", true), r3 = Add("R3", true);
    QVERIFY(GetEventStore().Save().ok);
    CMainWnd* m = w.Open(5);
    FakePage* all = PageAt(m, 5);
    all->selection = {a, r1, r2, r3};
    w.prompts.deleteAnswers = {DeleteAnswer::No, DeleteAnswer::YesToAll};
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked, (QStringList{"Warning: Do you really want to delete the selected events?",
                                           "Delete Events", "Delete Events"}));
    QCOMPARE(all->removed, (std::vector<uint32_t>{a, r2, r3}));
    QVERIFY(OnDisk(r1));
    QVERIFY(!OnDisk(r3));

    // Cancel keeps what was deleted before it and saves it: it must not come back after a crash.
    const uint32_t r4 = Add("R4", true), r5 = Add("R5", true);
    FakePage* find = PageAt(m, 4);
    find->selection = {r1, r4, r5};
    w.prompts = tvtest::ScriptedPrompts();
    w.prompts.deleteAnswers = {DeleteAnswer::Yes, DeleteAnswer::Yes, DeleteAnswer::Cancel};
    m->runCommand(cmd::kDelete);
    QCOMPARE(find->removed, (std::vector<uint32_t>{r1, r4}));
    QVERIFY(!OnDisk(r4));
    QVERIFY(OnDisk(r5));

    // One selected row is deleted without the first question.
    w.prompts = tvtest::ScriptedPrompts();
    find->selection = {r5};
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked, QStringList{"Delete Events"});
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void MainWndTest::acceptEnableDisableSaveAtOnceButNeverOnFind() {
    const uint32_t a = Add("A"), b = Add("B");
    CMainWnd* m = w.Open(5);
    FakePage* all = PageAt(m, 5);
    all->selection = {a, b, 4711};  // a row whose event is gone is skipped
    m->runCommand(cmd::kDisable);
    CPtEvent ev;
    QVERIFY(OnDisk(a, &ev) && !ev.IsEnabled());
    QVERIFY(OnDisk(b, &ev) && !ev.IsEnabled());
    QCOMPARE(all->refreshed, (std::vector<uint32_t>{a, b}));
    QCOMPARE(all->suspendCalls, (std::vector<bool>{true, false}));
    m->runCommand(cmd::kEnable);
    m->runCommand(cmd::kAccept);
    QVERIFY(OnDisk(b, &ev) && ev.IsEnabled());
    QCOMPARE(ev.GetReminderState(), kReminderDone);

    // A calendar view acts on its one selected event, by key too.
    FakePage* monthly = PageAt(m, 3);
    const uint32_t c = Add("C");
    monthly->selection = {c};
    QTest::keyClick(m, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(OnDisk(c, &ev) && !ev.IsEnabled());
    QCOMPARE(monthly->refreshed, std::vector<uint32_t>{c});

    // The Find page refuses Accept and Enable even by key, but may delete.
    FakePage* find = PageAt(m, 4);
    find->selection = {c};
    m->updateCommandStates();
    QVERIFY(!m->isCommandEnabled(cmd::kAccept));
    QVERIFY(m->isCommandEnabled(cmd::kDelete));
    QTest::keyClick(m, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m, Qt::Key_E, Qt::ControlModifier);
    GetEventStore().GetById(c, ev);
    QVERIFY(ev.GetReminderState() == kReminderArmed && !ev.IsEnabled());
}

void MainWndTest::acceleratorsRunCommandsButTextFieldsKeepTheirKeys() {
    const uint32_t a = Add("A");
    CMainWnd* m = w.Open(5);
    FakePage* all = PageAt(m, 5);
    auto* search = new QLineEdit(all);
    all->setLayout(new QVBoxLayout);
    all->layout()->addWidget(search);
    m->show();
    QVERIFY(QTest::qWaitForWindowActive(m));
    all->selection = {a};

    // Typing into a text field: Del and Ctrl+A edit the text, no event is touched.
    search->setFocus();
    search->setText(QStringLiteral("dentist"));
    search->setCursorPosition(0);
    QTest::keyClick(search, Qt::Key_Delete);
    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(search->selectedText(), QStringLiteral("entist"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(a, ev));
    QCOMPARE(ev.GetReminderState(), kReminderArmed);

    // Elsewhere the same keys are the commands; Alt+D is Daily, F3 Find, Alt+E Week Day; Alt+M
    // is no key, though the menu shows it.
    all->setFocus();
    QTest::keyClick(all, Qt::Key_A, Qt::ControlModifier);
    GetEventStore().GetById(a, ev);
    QCOMPARE(ev.GetReminderState(), kReminderDone);
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::AltModifier | Qt::Key_D, 0}, {QKeyCombination(Qt::Key_F3), 4}, {Qt::AltModifier | Qt::Key_E, 1},
        {Qt::AltModifier | Qt::Key_M, 1}};
    for (const auto& [key, view] : keys) {
        QTest::keyClick(m->pageWidget(m->viewIndex()), key.key(), key.keyboardModifiers());
        QCOMPARE(m->viewIndex(), view);
    }
    m->action(cmd::kMonthly)->trigger();
    QCOMPARE(m->viewIndex(), 3);
    QVERIFY(m->action(cmd::kMonthly)->isChecked() && !m->action(cmd::kDaily)->isChecked());
}

void MainWndTest::placementAndPageSurviveClosing() {
    CMainWnd* m = w.Open(5);
    m->setGeometry(200, 150, 700, 520);
    m->runCommand(cmd::kClose);
    QVERIFY(!CMainWnd::Instance());
    QCOMPARE(ReadViewType(w.settings), 5);
    const MainPlacement p = ReadMainPlacement(w.settings);
    QCOMPARE(QRect(p.normal.left, p.normal.top, p.normal.Width(), p.normal.Height()), QRect(200, 150, 700, 520));
    QVERIFY(QFile::exists(QString::fromStdString(EventFilePath())));  // closing saved the events
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CMainWnd* again = CMainWnd::OpenOrRestore();
    QCOMPARE(again->viewIndex(), 5);
    QCOMPARE(again->geometry(), QRect(200, 150, 700, 520));
    // Restore while open brings back the same window.
    again->showMinimized();
    QCOMPARE(CMainWnd::OpenOrRestore(), again);
    QVERIFY(!again->isMinimized());
}

void MainWndTest::registeredMessagesReachTheActivePage() {
    CMainWnd* m = w.Open(0);
    FakePage* daily = PageAt(m, 0);
    FakePage* all = PageAt(m, 5);
    PostToMainWnd(msg::kInvalidate, 7);
    PostToMainWnd(msg::kEventDel, 8);
    PostToMainWnd(msg::kRefresh, 1);
    QCoreApplication::processEvents();
    QCOMPARE(all->refreshed, std::vector<uint32_t>{7});
    QCOMPARE(all->removed, std::vector<uint32_t>{8});
    QCOMPARE(all->rebuilds, 1);
    // A calendar view lays out again instead of dropping one item.
    m->setView(0);
    PostToMainWnd(msg::kEventDel, 9);
    QCoreApplication::processEvents();
    QCOMPARE(daily->rebuilds, 1);
    QVERIFY(daily->removed.empty());
}

QTEST_MAIN(MainWndTest)
#include "MainWndTest.moc"
