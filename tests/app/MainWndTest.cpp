// The calendar main window: its menus, toolbar and keys, its placement, and Delete, Accept,
// Enable and Disable on the active page, each reaching the event file at once.
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>

#include "AppTestSupport.h"
#include "shell/HelpAbout.h"
#include "store/EventTypeTable.h"
#include "shell/AcceleratorTable.h"
#include "shell/Commands.h"
#include "shell/MessageHub.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"
#include "views/ListPages.h"

using namespace tv;
using tvtest::ClickDaily;
using tvtest::OnDisk;
using tvtest::SelectRows;

namespace {

// A menu's items in order: "-" for a separator, a submenu's title followed by ">".
QString Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->text() + QLatin1Char('>') : a->text());
    return items.join(QLatin1Char('|'));
}

}  // namespace

class MainWndTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void menusToolbarAndKeysFollowTheCommands();
    void deleteOnACalendarViewAsksOnlyForRecurringEvents();
    void deleteOnAListAsksOnceThenPerRecurringEvent();
    void acceptEnableDisableSaveAtOnceButNeverOnFind();
    void acceleratorsRunCommandsButTextFieldsKeepTheirKeys();
    void placementAndPageSurviveClosing();
    void registeredMessagesReachTheActivePage();
    void closingWithNothingElseOnScreenAsksOnceWhetherToKeepRunning();

private:
    CEventListCtrl* AllList(CMainWnd* m) { return m->pages()->allPage()->list(); }
};

void MainWndTest::menusToolbarAndKeysFollowTheCommands() {
    CMainWnd* m = w.Open(kViewDaily);
    QCOMPARE(m->windowTitle(), QStringLiteral("Main"));
    QStringList menus;
    for (QAction* top : m->menuBar()->actions()) menus << top->text() + QStringLiteral(": ") + Items(top->menu());
    QCOMPARE(menus, (QStringList{
                        "&Event: New>|-|&Modify...\tCtrl+M|&Delete\tDel|-|&Accept\tCtrl+A|&Enable\tCtrl+E|"
                        "Di&sable\tCtrl+D|-|&Print...\tCtrl+P|Print Pre&view...\tCtrl+V|-|Import>|Export...|"
                        "Export iCalendar...|&Backup...|&Restore...|-|S&ync Now|-|&Close",
                        "&View: &Daily\tAlt+D|W&eek Day\tAlt+E|&Weekly\tAlt+W|&Monthly\tAlt+M|&All Events\tAlt+A|-|"
                        "&Find\tF3|-|Goto &Today\tCtrl+T|Goto T&his Day\tCtrl+I|Goto ...\tCtrl+G",
                        "&Tool: &Options...\tCtrl+O", "&Help: &Help...\tF1|&About..."}));
    // The New submenu holds the types and Customize..., the Import submenu the three imports.
    QMenu* event = m->menuBar()->actions().first()->menu();
    QCOMPARE(event->actions().first()->menu()->actions().size(), static_cast<int>(GetEventTypeTable().GetCount()) + 2);
    QCOMPARE(Items(event->actions()[12]->menu()),
             QStringLiteral("Import &Holiday...|&Import Exp File...|Import from Plumtrace 2.3...|Import iCalendar..."));
    QCOMPARE(m->action(cmd::kMonthly)->statusTip() + "|" + m->action(cmd::kMonthly)->toolTip(),
             QStringLiteral("Monthly View|Monthly"));

    auto* bar = m->findChild<QToolBar*>();
    QStringList labels;
    for (QAction* a : bar->actions()) labels << (a->isSeparator() ? QStringLiteral("-") : a->iconText());
    QCOMPARE(labels.join('|'), QStringLiteral("New|Delete|-|Modify|-|Daily|Weekday|Weekly|Monthly|All|-|Find"));
    QCOMPARE(qobject_cast<QToolButton*>(bar->widgetForAction(m->action(cmd::kNew)))->popupMode(),
             QToolButton::MenuButtonPopup);

    // Every key a menu shows runs its command, except Alt+M; Enter is Modify as well.
    const CAcceleratorTable* keys = m->findChild<CAcceleratorTable*>();
    for (QAction* a : m->findChildren<QAction*>()) {
        const QString key = a->text().section(QLatin1Char('\t'), 1);
        if (key.isEmpty()) continue;
        QCOMPARE(keys->CommandFor(QKeySequence(key)[0]), key == QLatin1String("Alt+M") ? 0 : a->data().toInt());
    }
    QCOMPARE(keys->CommandFor(QKeyCombination(Qt::Key_Return)), cmd::kModify);

    // Modify needs a selected event; the rest of the window's commands are there at once.
    QVERIFY(!m->action(cmd::kModify)->isEnabled());
    for (int id : {cmd::kNew, cmd::kClose, cmd::kHelp, cmd::kAbout, cmd::kDaily, cmd::kAllEvents, cmd::kBackup,
                   cmd::kRestoreBackup, cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday, cmd::kImportPlumtrace,
                   cmd::kOptions, cmd::kGotoToday, cmd::kPrint, cmd::kPrintPreview})
        QVERIFY2(m->action(id)->isEnabled(), qPrintable(QString::number(id)));
    // The data folder holds no help, so Help opens the shipped copy (not here: a browser would start).
    const QString help = HelpFilePath();
    QVERIFY2(QFileInfo::exists(help) && help.endsWith("/help/index.html"), qPrintable(help));
}

void MainWndTest::deleteOnACalendarViewAsksOnlyForRecurringEvents() {
    const uint32_t once = w.Add("Dentist", w.clock.Now().DateOnly() + TimeSpan::FromParts(0, 11, 0, 0));
    const uint32_t daily = w.Add("Gym", true);
    CMainWnd* m = w.Open(kViewDaily);
    CCalendarView* view = m->pages()->calendarView(kViewDaily);
    m->pages()->gotoDate(w.clock.Now());
    QVERIFY(!m->isCommandEnabled(cmd::kDelete));
    ClickDaily(view, 11);
    m->runCommand(cmd::kDelete);
    QVERIFY(w.prompts.asked.isEmpty());
    QVERIFY(!OnDisk(once));
    QCOMPARE(view->layout().ItemCount(), size_t(1));

    ClickDaily(view, 9);
    w.prompts.yesNo = {false};
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked, QStringList{"Warning: This is a recurrent event, do you really want to delete it?"});
    QVERIFY(GetEventStore().GetPtrById(daily));
    m->runCommand(cmd::kDelete);  // Yes
    QVERIFY(!GetEventStore().GetPtrById(daily));
    QCOMPARE(view->layout().ItemCount(), size_t(0));
}

void MainWndTest::deleteOnAListAsksOnceThenPerRecurringEvent() {
    const uint32_t a = w.Add("A"), r1 = w.Add("R1", true), r2 = w.Add("R2", true), r3 = w.Add("R3", true);
    QVERIFY(GetEventStore().Save().ok);
    CMainWnd* m = w.Open(kViewAll);
    CEventListTableModel* rows = AllList(m)->listModel();
    SelectRows(AllList(m), {a, r1, r2, r3});
    w.prompts.deleteAnswers = {DeleteAnswer::No, DeleteAnswer::YesToAll};
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked, (QStringList{"Warning: Do you really want to delete the selected events?",
                                           "Delete Events", "Delete Events"}));
    QCOMPARE(rows->model().Ids(), std::vector<uint32_t>{r1});
    QVERIFY(OnDisk(r1));
    QVERIFY(!OnDisk(r3));

    // Cancel keeps what was deleted before it and saves it: it must not come back after a crash.
    const uint32_t r4 = w.Add("R4", true), r5 = w.Add("R5", true);
    m->setView(kViewFind);
    CEventListCtrl* found = m->pages()->findPage()->list();
    SelectRows(found, {r1, r4, r5});
    w.prompts = tvtest::ScriptedPrompts();
    w.prompts.deleteAnswers = {DeleteAnswer::Yes, DeleteAnswer::Yes, DeleteAnswer::Cancel};
    m->runCommand(cmd::kDelete);
    QCOMPARE(found->listModel()->model().Ids(), std::vector<uint32_t>{r5});
    QVERIFY(!OnDisk(r4));
    QVERIFY(OnDisk(r5));

    // One selected row is deleted without the first question.
    w.prompts = tvtest::ScriptedPrompts();
    SelectRows(found, {r5});
    m->runCommand(cmd::kDelete);
    QCOMPARE(w.prompts.asked, QStringList{"Delete Events"});
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void MainWndTest::acceptEnableDisableSaveAtOnceButNeverOnFind() {
    const uint32_t a = w.Add("A"), b = w.Add("B"), gone = w.Add("Gone");
    CMainWnd* m = w.Open(kViewAll);
    SelectRows(AllList(m), {a, b, gone});
    GetEventStore().Delete(gone);  // a row whose event is gone is skipped
    QSignalSpy redrawn(AllList(m)->listModel(), &QAbstractItemModel::dataChanged);
    m->runCommand(cmd::kDisable);
    CPtEvent ev;
    QVERIFY(OnDisk(a, &ev) && !ev.IsEnabled());
    QVERIFY(OnDisk(b, &ev) && !ev.IsEnabled());
    QCOMPARE(redrawn.count(), 2);
    QVERIFY(AllList(m)->updatesEnabled());
    m->runCommand(cmd::kEnable);
    m->runCommand(cmd::kAccept);
    QVERIFY(OnDisk(b, &ev) && ev.IsEnabled());
    QCOMPARE(ev.GetReminderState(), kReminderDone);

    // A calendar view acts on its one selected event, by key too.
    const uint32_t c = w.Add("C", w.clock.Now().DateOnly() + TimeSpan::FromParts(0, 11, 0, 0));
    m->setView(kViewDaily);
    m->pages()->gotoDate(w.clock.Now());
    ClickDaily(m->pages()->calendarView(kViewDaily), 11);
    QTest::keyClick(m, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(OnDisk(c, &ev) && !ev.IsEnabled());
    QVERIFY(m->pages()->calendarView(kViewDaily)->HasSelectedEvent());  // redrawn, still selected

    // The Find page refuses Accept and Enable even by key, but may delete.
    m->setView(kViewFind);
    SelectRows(m->pages()->findPage()->list(), {c});
    QVERIFY(!m->isCommandEnabled(cmd::kAccept));
    QVERIFY(m->isCommandEnabled(cmd::kDelete));
    m->pages()->findPage()->list()->setFocus();
    QTest::keyClick(m, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m, Qt::Key_E, Qt::ControlModifier);
    GetEventStore().GetById(c, ev);
    QVERIFY(ev.GetReminderState() == kReminderArmed && !ev.IsEnabled());
}

void MainWndTest::acceleratorsRunCommandsButTextFieldsKeepTheirKeys() {
    const uint32_t a = w.Add("A");
    CMainWnd* m = w.Open(kViewFind);
    m->show();
    QVERIFY(QTest::qWaitForWindowActive(m));
    CFindPage* find = m->pages()->findPage();
    SelectRows(find->list(), {a});

    // Typing into a text field: Del and Ctrl+A edit the text, no event is touched.
    QLineEdit* search = find->textEdit();
    search->setFocus();
    search->setText(QStringLiteral("dentist"));
    search->setCursorPosition(0);
    QTest::keyClick(search, Qt::Key_Delete);
    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(search->selectedText(), QStringLiteral("entist"));
    QVERIFY(GetEventStore().GetPtrById(a));

    // Elsewhere the same keys are the commands; Alt+D is Daily, F3 Find, Alt+E Week Day; Alt+M
    // is no key, though the menu shows it.
    m->setView(kViewAll);
    SelectRows(AllList(m), {a});
    QTest::keyClick(AllList(m), Qt::Key_A, Qt::ControlModifier);
    CPtEvent ev;
    GetEventStore().GetById(a, ev);
    QCOMPARE(ev.GetReminderState(), kReminderDone);
    const std::pair<QKeyCombination, int> keys[] = {{Qt::AltModifier | Qt::Key_D, kViewDaily},
                                                    {QKeyCombination(Qt::Key_F3), kViewFind},
                                                    {Qt::AltModifier | Qt::Key_E, kViewWeekday},
                                                    {Qt::AltModifier | Qt::Key_M, kViewWeekday}};
    for (const auto& [key, view] : keys) {
        QTest::keyClick(m->pages()->pageWidget(m->viewIndex()), key.key(), key.keyboardModifiers());
        QCOMPARE(m->viewIndex(), view);
    }
    m->action(cmd::kMonthly)->trigger();
    QCOMPARE(m->viewIndex(), kViewMonthly);
    QVERIFY(m->action(cmd::kMonthly)->isChecked() && !m->action(cmd::kDaily)->isChecked());
}

void MainWndTest::placementAndPageSurviveClosing() {
    CMainWnd* m = w.Open(kViewAll);
    m->setGeometry(200, 150, 700, 520);
    m->runCommand(cmd::kClose);
    QVERIFY(!CMainWnd::Instance());
    QCOMPARE(ReadViewType(w.settings), kViewAll);
    const MainPlacement p = ReadMainPlacement(w.settings);
    QCOMPARE(QRect(p.normal.left, p.normal.top, p.normal.Width(), p.normal.Height()), QRect(200, 150, 700, 520));
    QVERIFY(QFile::exists(QString::fromStdString(EventFilePath())));  // closing saved the events
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CMainWnd* again = CMainWnd::OpenOrRestore();
    QCOMPARE(again->viewIndex(), kViewAll);
    QCOMPARE(again->geometry(), QRect(200, 150, 700, 520));
    // Restore while open brings back the same window.
    again->showMinimized();
    QCOMPARE(CMainWnd::OpenOrRestore(), again);
    QVERIFY(!again->isMinimized());
}

void MainWndTest::registeredMessagesReachTheActivePage() {
    const uint32_t a = w.Add("A"), b = w.Add("B");
    CMainWnd* m = w.Open(kViewAll);
    CEventListTableModel* rows = AllList(m)->listModel();
    QSignalSpy redrawn(rows, &QAbstractItemModel::dataChanged);
    GetEventStore().Delete(b);
    const uint32_t c = w.Add("C");
    PostToMainWnd(msg::kInvalidate, a);
    PostToMainWnd(msg::kEventDel, b);
    QCoreApplication::processEvents();
    QCOMPARE(redrawn.count(), 1);
    QCOMPARE(rows->model().Ids(), std::vector<uint32_t>{a});
    PostToMainWnd(msg::kRefresh, 1);
    QCoreApplication::processEvents();
    QCOMPARE(rows->model().Ids(), (std::vector<uint32_t>{a, c}));
    // A calendar view lays out again instead of dropping one item.
    m->setView(kViewDaily);
    m->pages()->gotoDate(w.clock.Now());
    CCalendarView* daily = m->pages()->calendarView(kViewDaily);
    QCOMPARE(daily->layout().ItemCount(), size_t(2));
    GetEventStore().Delete(a);
    PostToMainWnd(msg::kEventDel, 4711);
    QCoreApplication::processEvents();
    QCOMPARE(daily->layout().ItemCount(), size_t(1));
}

void MainWndTest::closingWithNothingElseOnScreenAsksOnceWhetherToKeepRunning() {
    GetAppSettings().SetShowClock(false);
    CClockWnd clock(w.clock, tvtest::QuietClock());  // and no tray
    QSignalSpy exits(&clock, &CClockWnd::exitRequested);
    w.prompts.hiddenAnswers = {HiddenAnswer::Cancel, HiddenAnswer::Exit, HiddenAnswer::KeepRunning};
    CMainWnd* m = w.Open(kViewWeekly);
    QVERIFY(!m->close() && m->close());  // Cancel, then Exit
    QTRY_COMPARE(exits.count(), 1);
    QVERIFY(!ReadKeepRunningHidden(w.settings));
    w.Open(kViewWeekly)->close();
    QVERIFY(ReadKeepRunningHidden(w.settings));
    w.Open(kViewWeekly)->close();  // the answer stands
    WriteKeepRunningHidden(w.settings, false);
    GetAppSettings().SetShowClock(true);
    w.Open(kViewWeekly)->close();  // the clock is there to come back by
    QCOMPARE(w.prompts.asked.count(QStringLiteral("Keep running?")), 3);
}

QTEST_MAIN(MainWndTest)
#include "MainWndTest.moc"
