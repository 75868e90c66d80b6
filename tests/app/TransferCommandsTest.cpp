// Backup, Restore, Export and the imports run from the main window: their dialogs, their
// messages, refusals that change nothing, the files written afterwards and the refreshed page.
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include "AppTestSupport.h"
#include "ByteBuilder.h"
#include "store/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/ImportDlg.h"
#include "store/TransferFiles.h"
#include "views/CalendarView.h"
#include "views/EventListCtrl.h"
#include "views/ListPages.h"
#include "views/ViewPages.h"

using namespace tv;

namespace {

std::string TypesBytes(const CEventTypeTable& table) {
    ArchiveWriter ar;
    table.WriteTable(ar);
    return ar.Data();
}

bool EventFileExists() { return QFile::exists(QString::fromStdString(EventFilePath())); }

size_t EventsOnDisk() {
    CEventStore reread(EventFilePath());
    reread.Load();
    return reread.GetCount();
}

}  // namespace

class TransferCommandsTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void cancelledDialogsChangeNothing();
    void backupDeleteRestoreBringsEverythingBackWithItsIds();
    void wrongTagsAndDamagedFilesAreRefusedChangingNothing();
    void secondImportRefusesEachStarredNameOnce();
    void holidayImportAddsYearlyEventsAndRefreshesTheView();
    void plumtraceWithAWrongEventFileKeepsTheMergedTypes();
};

void TransferCommandsTest::init() {
    w.Reset();
    CEventTypeTable& types = GetEventTypeTable();
    types.RemoveAll();
    types.SeedDefaults(w.clock.Now());
    QFile::remove(QString::fromStdString(TypeFilePath()));
    QFile::remove(QString::fromStdString(EventFilePath()));
}

void TransferCommandsTest::cancelledDialogsChangeNothing() {
    w.Add("Dentist");
    const std::string before = GetEventStore().SaveToBytes();
    CMainWnd* m = w.Open(kViewDaily);
    // No to the Restore question ends it before the file dialog.
    w.prompts.yesNo = {false};
    m->runCommand(cmd::kRestoreBackup);
    QVERIFY(w.prompts.fileRequests.empty());
    // Every file dialog cancelled: nothing is asked after it and nothing changes. The Import
    // dialog comes before its file dialog; the Plumtrace import asks for a folder.
    w.prompts.importContent = {{true, true}};
    for (int id : {cmd::kBackup, cmd::kRestoreBackup, cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday,
                   cmd::kImportPlumtrace})
        m->runCommand(id);
    QStringList requests;
    for (const FileDialogRequest& r : w.prompts.fileRequests) requests << (r.save ? "save " : "open ") + r.filter;
    QCOMPARE(requests, (QStringList{"save Export Files (*.bak)", "open Export Files (*.bak)", "save Export Files (*.exp)",
                                    "open Export Files (*.exp)", "open Holiday Files (*.hdy)"}));
    QCOMPARE(w.prompts.asked.last(), QStringLiteral("Choose Plumtrace 2.3 Installation Folder"));
    QVERIFY(w.prompts.told.isEmpty());
    QCOMPARE(GetEventStore().SaveToBytes(), before);
    QVERIFY(!EventFileExists());

    // The Import dialog's button waits for something to import.
    CImportDlg dialog;
    QVERIFY(dialog.importEvents() && dialog.importTypes());
    dialog.eventsBox()->setChecked(false);
    dialog.typesBox()->setChecked(false);
    QVERIFY(!dialog.importButton()->isEnabled());
    dialog.eventsBox()->setChecked(true);
    QVERIFY(dialog.importButton()->isEnabled() && dialog.importEvents() && !dialog.importTypes());
}

void TransferCommandsTest::backupDeleteRestoreBringsEverythingBackWithItsIds() {
    CEventType custom;
    custom.SetName("Dentist visits");
    QCOMPARE(GetEventTypeTable().AddType(custom), AddTypeResult::Added);
    GetEventStore().Delete(w.Add("Dentist", false, custom.GetId()));  // a gap in the ids
    w.Add("Gym", true);
    w.Add("Dentist again", false, custom.GetId());
    const std::string events = GetEventStore().SaveToBytes(), types = TypesBytes(GetEventTypeTable());

    CMainWnd* m = w.Open(kViewAll);
    w.prompts.files = {w.Path("all.bak"), w.Path("all.bak")};
    m->runCommand(cmd::kBackup);
    GetEventStore().RemoveAll();
    GetEventTypeTable().RemoveAll();
    auto* all = m->pages()->allPage();
    all->refill();
    // A reminder open for an event of the store that the backup replaces closes.
    QVERIFY(CReminderPopup::Open(w.Add("Stranger"), w.clock));
    m->runCommand(cmd::kRestoreBackup);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(CReminderPopup::OpenPopups().isEmpty());
    QCOMPARE(w.prompts.asked,
             QStringList{"Tallyvane: Restoring from a backup file will delete all events and event type you "
                         "currently have, \nwhich will be replaced by those in backup file. \n\nDo you want to "
                         "continue?"});
    QVERIFY2(w.prompts.told.isEmpty(), qPrintable(w.prompts.told.join('\n')));
    QCOMPARE(GetEventStore().SaveToBytes(), events);
    QCOMPARE(TypesBytes(GetEventTypeTable()), types);
    // Both files hold it at once, as a restart would read them, and the list was filled again.
    QVERIFY(w.dir.Read("Evnt.est") == events);
    CEventTypeTable reread;
    reread.Load(TypeFilePath(), w.clock.Now());
    QVERIFY(TypesBytes(reread) == types);
    QCOMPARE(all->list()->listModel()->rowCount(), 2);
}

void TransferCommandsTest::wrongTagsAndDamagedFilesAreRefusedChangingNothing() {
    w.Add("Dentist");
    CMainWnd* m = w.Open(kViewAll);
    w.prompts.files = {w.Path("e.exp"), w.Path("b.bak")};
    m->runCommand(cmd::kExport);
    m->runCommand(cmd::kBackup);
    const std::string bak = w.dir.Read("b.bak");
    w.dir.Write("cut.bak", bak.substr(0, bak.size() - 20));  // its lists are missing
    w.Add("Gym", true);
    const std::string events = GetEventStore().SaveToBytes(), types = TypesBytes(GetEventTypeTable());

    w.prompts.importContent = {{true, true}};
    w.prompts.files = {w.Path("e.exp"), w.Path("cut.bak"), w.Path("b.bak"), w.Path("none.bak"), w.Path("none.hdy")};
    w.prompts.folders = {w.Path("no-such-folder")};
    for (int id : {cmd::kRestoreBackup, cmd::kRestoreBackup, cmd::kImportExpFile, cmd::kRestoreBackup,
                   cmd::kImportHoliday, cmd::kImportPlumtrace})
        m->runCommand(id);
    QCOMPARE(w.prompts.told.size(), 6);
    QCOMPARE(w.prompts.told.mid(0, 1), QStringList{"Tallyvane: Invalid Backup File!"});
    QVERIFY2(w.prompts.told[1].contains("damaged"), qPrintable(w.prompts.told[1]));
    QCOMPARE(w.prompts.told[2], QStringLiteral("Tallyvane: Invalid Export File!"));
    for (const QString& missing : w.prompts.told.mid(3)) QVERIFY2(missing.contains("not found"), qPrintable(missing));
    QCOMPARE(GetEventStore().SaveToBytes(), events);
    QCOMPARE(TypesBytes(GetEventTypeTable()), types);
    QVERIFY(!EventFileExists());
    QVERIFY(!QFile::exists(QString::fromStdString(TypeFilePath())));

    // A backup into a folder that does not exist says why.
    w.prompts.files = {w.Path("no-such-folder/x.bak")};
    m->runCommand(cmd::kBackup);
    QVERIFY2(w.prompts.told.last().contains("x.bak"), qPrintable(w.prompts.told.last()));

    // The export file is taken where it belongs, and the file holds the imported events.
    w.prompts.importContent = {{true, true}};
    w.prompts.files = {w.Path("e.exp")};
    m->runCommand(cmd::kImportExpFile);
    QCOMPARE(w.prompts.told.size(), 7);
    QCOMPARE(GetEventStore().GetCount(), size_t(3));
    QCOMPARE(EventsOnDisk(), size_t(3));

    // A lone surrogate where "В" was: the import completes and names the file as damaged.
    w.Add("Встреча");
    std::string exp = ExportToBytes(GetEventTypeTable(), GetEventStore());
    w.dir.Write("w.exp", exp.replace(exp.find("\x12\x04\x41\x04"), 2, "\x00\xD8", 2));
    w.prompts.importContent = {{true, true}};
    w.prompts.files = {w.Path("w.exp")};
    m->runCommand(cmd::kImportExpFile);
    QVERIFY2(w.prompts.told.last().contains("w.exp\" is damaged (1 text holds"), qPrintable(w.prompts.told.last()));
    QCOMPARE(GetEventStore().GetCount(), size_t(8));
}

void TransferCommandsTest::secondImportRefusesEachStarredNameOnce() {
    // Two types that differ from the local ones only in colour are added with "*".
    const std::vector<CEventType> local = GetEventTypeTable().Snapshot();
    CEventType a = local[0], b = local[1];
    a.SetTextColor(a.GetTextColor() ^ 0x00FF00);
    b.SetBackColor(b.GetBackColor() ^ 0x0000FF);
    GetEventTypeTable().ReplaceType(a.GetId(), a);
    GetEventTypeTable().ReplaceType(b.GetId(), b);
    w.Add("Dentist", false, a.GetId());
    CMainWnd* m = w.Open(kViewDaily);
    w.prompts.files = {w.Path("two.exp"), w.Path("two.exp"), w.Path("two.exp"), w.Path("two.exp")};
    m->runCommand(cmd::kExport);
    GetEventTypeTable().ReplaceType(a.GetId(), local[0]);
    GetEventTypeTable().ReplaceType(b.GetId(), local[1]);
    const size_t typesBefore = GetEventTypeTable().GetCount();

    // Types only: no event is added, and the event file is not written for nothing.
    w.prompts.importContent = {{false, true}, {true, true}, {true, true}};
    m->runCommand(cmd::kImportExpFile);
    QCOMPARE(GetEventStore().GetCount(), size_t(1));
    QVERIFY(!EventFileExists());
    QVERIFY2(w.prompts.told.isEmpty(), qPrintable(w.prompts.told.join('\n')));
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 2);
    CEventType starred;
    QVERIFY(GetEventTypeTable().FindByName(local[0].GetName() + "*", starred));

    m->runCommand(cmd::kImportExpFile);
    const QString clash = QStringLiteral("Tallyvane: This Event Type has already existed, please choose another name!");
    QCOMPARE(w.prompts.told, (QStringList{clash, clash}));
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 2);
    QCOMPARE(GetEventStore().GetCount(), size_t(2));
    // The added types reached Type.ptt.
    CEventTypeTable reread;
    reread.Load(TypeFilePath(), w.clock.Now());
    QCOMPARE(reread.GetCount(), typesBefore + 2);
}

void TransferCommandsTest::holidayImportAddsYearlyEventsAndRefreshesTheView() {
    w.dir.Write("h.hdy", "Holidays of the test\r\nNew Year,1,1,1\r\nMemorial,2,5,2,5\r\nBad,3,1,1\r\n");
    CMainWnd* m = w.Open(kViewMonthly);
    CCalendarView* monthly = m->pages()->calendarView(kViewMonthly);
    m->pages()->gotoDate(w.clock.Now());
    const size_t itemsBefore = monthly->layout().ItemCount();
    w.prompts.files = {w.Path("h.hdy")};
    m->runCommand(cmd::kImportHoliday);
    QVERIFY(w.prompts.told.isEmpty());
    QCOMPARE(GetEventStore().GetCount(), size_t(2));
    QCOMPARE(EventsOnDisk(), size_t(2));
    // The Monthly view showing May 2024 collected Memorial Day (the last Monday of May).
    QVERIFY(monthly->layout().ItemCount() > itemsBefore);
}

void TransferCommandsTest::plumtraceWithAWrongEventFileKeepsTheMergedTypes() {
    QDir().mkpath(w.Path("plum"));
    CEventType old;
    old.SetId(7);
    old.SetName("Old appointments");
    ArchiveWriter type;
    old.Serialize(type);
    w.dir.Write("plum/evty.ptt", tvtest::Bytes().u32(1).u32(8).raw(type.Data()).str());
    w.dir.Write("plum/evnt.pte", tvtest::Bytes().text("PLUMTRX").u16(1).str());

    CMainWnd* m = w.Open(kViewDaily);
    const size_t typesBefore = GetEventTypeTable().GetCount();
    w.prompts.folders = {w.Path("plum")};
    m->runCommand(cmd::kImportPlumtrace);
    QCOMPARE(w.prompts.told, QStringList{"Tallyvane: Invalid Plumtrace 2.3 File."});
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 1);
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
    CEventTypeTable reread;
    CEventType added;
    reread.Load(TypeFilePath(), w.clock.Now());
    QVERIFY(reread.FindByName("Old appointments*", added));
}

QTEST_MAIN(TransferCommandsTest)
#include "TransferCommandsTest.moc"
