// Backup, Restore, Export and the imports run from the main window: their dialogs, their
// messages, refusals that change nothing, the files written afterwards and the refreshed page.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "model/Archive.h"
#include "engine/ReminderPopup.h"
#include "model/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/KeyValueStore.h"
#include "shell/ImportDlg.h"
#include "shell/MainWnd.h"
#include "store/EventStore.h"
#include "store/FileIo.h"
#include "store/ProgramFolder.h"
#include "store/TransferFiles.h"
#include "views/CalendarView.h"
#include "views/EventListCtrl.h"
#include "views/ListPages.h"
#include "views/ViewPages.h"


using namespace tv;

class TransferCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void commandsAreAvailableWithTheirDialogs();
    void backupDeleteRestoreBringsEverythingBackWithItsIds();
    void restoreRefusesAnExportFileAndADamagedBackup();
    void importRefusesABackupFileButTakesTheExport();
    void secondImportRefusesEachStarredNameOnce();
    void importDialogChoosesTheContent();
    void holidayImportAddsYearlyEventsAndSaves();
    void plumtraceWithAWrongEventFileKeepsTheMergedTypes();
    void missingFilesAreReportedAndChangeNothing();
    void importButtonNeedsSomethingToImport();

private:
    uint32_t AddEvent(const char* name, bool recurring, uint32_t type = 0);
    CMainWnd* Open(int view);
    QString Path(const char* name) const { return QString::fromStdString(m_dir.Path() + name); }
    static std::string TypesBytes();
    static std::string OnDisk(const std::string& path);
    QStringList Told() const { return m_prompts.told; }

    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{DateTime::FromParts(2024, 5, 6, 10, 0, 0)};
};

void TransferCommandsTest::initTestCase() {
    SetProgramFolder(m_dir.Path() + "data/");
    QDir().mkpath(QString::fromStdString(GetProgramFolder()));
    SetSettingsStore(&m_settings);
    SetUserPrompts(&m_prompts);
}

void TransferCommandsTest::init() {
    GetEventStore().RemoveAll();
    CEventTypeTable& types = GetEventTypeTable();
    for (const CEventType& t : types.Snapshot()) types.RemoveType(t.GetId());
    types.SeedDefaults(m_clock.Now());
    QFile::remove(QString::fromStdString(TypeFilePath()));
    QFile::remove(QString::fromStdString(EventFilePath()));
    m_prompts = tvtest::ScriptedPrompts();
}

void TransferCommandsTest::cleanup() {
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

uint32_t TransferCommandsTest::AddEvent(const char* name, bool recurring, uint32_t type) {
    CPtEvent ev(m_clock.Now());
    ev.SetName(name);
    ev.SetStart(DateTime::FromParts(2024, 5, 6, 9, 0, 0));
    ev.SetType(type);
    if (recurring) ev.GetRecurrence().SetPattern(std::make_unique<CDailyRePattern>());
    GetEventStore().Add(ev);
    return ev.GetId();
}

CMainWnd* TransferCommandsTest::Open(int view) {
    CMainWnd* w = CMainWnd::OpenOrRestore();
    w->setClock(&m_clock);
    w->setView(view);
    return w;
}

std::string TransferCommandsTest::TypesBytes() {
    ArchiveWriter ar;
    GetEventTypeTable().WriteTable(ar);
    return ar.Data();
}

std::string TransferCommandsTest::OnDisk(const std::string& path) {
    std::string bytes, why;
    ReadWholeFile(path, bytes, why);
    return bytes;
}

void TransferCommandsTest::commandsAreAvailableWithTheirDialogs() {
    CMainWnd* w = Open(0);
    w->updateCommandStates();
    for (int id : {cmd::kBackup, cmd::kRestoreBackup, cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday,
                   cmd::kImportPlumtrace})
        QVERIFY2(w->action(id)->isEnabled(), qPrintable(QString::number(id)));

    // No to the Restore question ends it before the file dialog.
    AddEvent("Dentist", false);
    const std::string before = GetEventStore().SaveToBytes();
    m_prompts.yesNo = {false};
    w->runCommand(cmd::kRestoreBackup);
    QVERIFY(m_prompts.fileRequests.empty());

    // Every dialog cancelled: nothing is asked after it and nothing changes.
    m_prompts.yesNo = {true};
    m_prompts.importContent = {{true, true}};
    for (int id : {cmd::kBackup, cmd::kRestoreBackup, cmd::kExport, cmd::kImportExpFile, cmd::kImportHoliday,
                   cmd::kImportPlumtrace})
        w->runCommand(id);
    QCOMPARE(m_prompts.fileRequests.size(), size_t(5));
    const auto& r = m_prompts.fileRequests;
    QVERIFY(r[0].save && r[0].filter == "Export Files (*.bak)" && r[0].defaultSuffix == "bak");
    QVERIFY(!r[1].save && r[1].filter == "Export Files (*.bak)" && r[1].defaultSuffix == "bak");
    QVERIFY(r[2].save && r[2].filter == "Export Files (*.exp)" && r[2].defaultSuffix == "exp");
    QVERIFY(!r[3].save && r[3].filter == "Export Files (*.exp)" && r[3].defaultSuffix == "exp");
    QVERIFY(!r[4].save && r[4].filter == "Holiday Files (*.hdy)" && r[4].defaultSuffix == "hdy");
    QCOMPARE(m_prompts.asked.last(), QStringLiteral("Choose Plumtrace 2.3 Installation Folder"));
    QVERIFY(m_prompts.told.isEmpty());
    QCOMPARE(GetEventStore().SaveToBytes(), before);
    QVERIFY(!QFile::exists(QString::fromStdString(EventFilePath())));
}

void TransferCommandsTest::backupDeleteRestoreBringsEverythingBackWithItsIds() {
    CEventType custom;
    custom.SetName("Dentist visits");
    custom.SetTextColor(0x00112233);
    QCOMPARE(GetEventTypeTable().AddType(custom), AddTypeResult::Added);
    const uint32_t once = AddEvent("Dentist", false, custom.GetId());
    const uint32_t daily = AddEvent("Gym", true);
    AddEvent("Call mother", false);
    GetEventStore().Delete(once);  // a gap in the ids, and a nextId past it
    const uint32_t later = AddEvent("Dentist again", false, custom.GetId());
    const std::string events = GetEventStore().SaveToBytes();
    const std::string types = TypesBytes();

    CMainWnd* w = Open(5);
    m_prompts.files = {Path("all.bak")};
    w->runCommand(cmd::kBackup);
    QVERIFY(QFile::exists(Path("all.bak")));
    QVERIFY(m_prompts.told.isEmpty());

    // Delete everything.
    GetEventStore().RemoveAll();
    for (const CEventType& t : GetEventTypeTable().Snapshot()) GetEventTypeTable().RemoveType(t.GetId());
    auto* all = CViewPages::Of(w)->allPage();
    all->refill();
    QCOMPARE(all->list()->listModel()->rowCount(), 0);

    // A reminder open for an event of the store that the backup replaces.
    QVERIFY(CReminderPopup::Open(AddEvent("Stranger", false), m_clock));

    m_prompts.yesNo = {true};
    m_prompts.files = {Path("all.bak")};
    w->runCommand(cmd::kRestoreBackup);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(CReminderPopup::OpenPopups().isEmpty());
    QCOMPARE(m_prompts.asked.size(), 1);
    QCOMPARE(m_prompts.asked.first(),
             QStringLiteral("Tallyvane: Restoring from a backup file will delete all events and event type you "
                            "currently have, \nwhich will be replaced by those in backup file. \n\nDo you want to "
                            "continue?"));
    QVERIFY2(m_prompts.told.isEmpty(), qPrintable(m_prompts.told.join('\n')));
    QCOMPARE(GetEventStore().SaveToBytes(), events);
    QCOMPARE(TypesBytes(), types);
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(daily, ev) && ev.GetName() == "Gym");
    QVERIFY(GetEventStore().GetById(later, ev) && ev.GetType() == custom.GetId());
    // Both files hold it at once, as a restart would read them.
    QCOMPARE(OnDisk(EventFilePath()), events);
    CEventTypeTable reread;
    reread.Load(TypeFilePath(), m_clock.Now());
    ArchiveWriter rereadBytes;
    reread.WriteTable(rereadBytes);
    QCOMPARE(rereadBytes.Data(), types);
    // The shown list was filled again.
    QCOMPARE(all->list()->listModel()->rowCount(), 3);
}

void TransferCommandsTest::restoreRefusesAnExportFileAndADamagedBackup() {
    AddEvent("Dentist", false);
    CMainWnd* w = Open(5);
    m_prompts.files = {Path("e.exp"), Path("b.bak")};
    w->runCommand(cmd::kExport);
    w->runCommand(cmd::kBackup);
    // Cut the backup short: its lists are missing.
    std::string bak = OnDisk(m_dir.Path() + "b.bak");
    QVERIFY(WriteFileAtomically(m_dir.Path() + "b.bak", bak.substr(0, bak.size() - 20)).ok);

    AddEvent("Gym", true);
    const std::string events = GetEventStore().SaveToBytes();
    const std::string types = TypesBytes();

    m_prompts.yesNo = {true, true};
    m_prompts.files = {Path("e.exp"), Path("b.bak")};
    w->runCommand(cmd::kRestoreBackup);
    QCOMPARE(m_prompts.told, QStringList{"Tallyvane: Invalid Backup File!"});
    w->runCommand(cmd::kRestoreBackup);
    QCOMPARE(m_prompts.told.size(), 2);
    QVERIFY2(m_prompts.told.last().contains("damaged"), qPrintable(m_prompts.told.last()));
    QCOMPARE(GetEventStore().SaveToBytes(), events);
    QCOMPARE(TypesBytes(), types);
    // Nothing was written either.
    QVERIFY(!QFile::exists(QString::fromStdString(EventFilePath())));
    QVERIFY(!QFile::exists(QString::fromStdString(TypeFilePath())));
}

void TransferCommandsTest::importRefusesABackupFileButTakesTheExport() {
    AddEvent("Dentist", false);
    AddEvent("Gym", true);
    CMainWnd* w = Open(0);
    m_prompts.files = {Path("e.exp"), Path("b.bak")};
    w->runCommand(cmd::kExport);
    w->runCommand(cmd::kBackup);
    const std::string events = GetEventStore().SaveToBytes();

    m_prompts.importContent = {{true, true}, {true, true}};
    m_prompts.files = {Path("b.bak"), Path("e.exp")};
    w->runCommand(cmd::kImportExpFile);
    QCOMPARE(m_prompts.told, QStringList{"Tallyvane: Invalid Export File!"});
    QCOMPARE(GetEventStore().SaveToBytes(), events);

    m_prompts.told.clear();
    w->runCommand(cmd::kImportExpFile);
    QVERIFY2(m_prompts.told.isEmpty(), qPrintable(m_prompts.told.join('\n')));
    QCOMPARE(GetEventStore().GetCount(), size_t(4));
    // The event file holds the imported events at once.
    CEventStore reread(EventFilePath());
    reread.Load();
    QCOMPARE(reread.GetCount(), size_t(4));
}

void TransferCommandsTest::secondImportRefusesEachStarredNameOnce() {
    // Two types that differ from the local ones only in colour are added with "*".
    std::vector<CEventType> local = GetEventTypeTable().Snapshot();
    QVERIFY(local.size() >= 2);
    CEventType a = local[0], b = local[1];
    a.SetTextColor(a.GetTextColor() ^ 0x00FF00);
    b.SetBackColor(b.GetBackColor() ^ 0x0000FF);
    GetEventTypeTable().ReplaceType(a.GetId(), a);
    GetEventTypeTable().ReplaceType(b.GetId(), b);
    AddEvent("Dentist", false, a.GetId());
    CMainWnd* w = Open(0);
    m_prompts.files = {Path("two.exp")};
    w->runCommand(cmd::kExport);
    GetEventTypeTable().ReplaceType(a.GetId(), local[0]);
    GetEventTypeTable().ReplaceType(b.GetId(), local[1]);
    const size_t typesBefore = GetEventTypeTable().GetCount();

    m_prompts.importContent = {{true, true}, {true, true}};
    m_prompts.files = {Path("two.exp"), Path("two.exp")};
    w->runCommand(cmd::kImportExpFile);
    QVERIFY2(m_prompts.told.isEmpty(), qPrintable(m_prompts.told.join('\n')));
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 2);
    CEventType starred;
    QVERIFY(GetEventTypeTable().FindByName(local[0].GetName() + "*", starred));

    w->runCommand(cmd::kImportExpFile);
    const QString clash = QStringLiteral("Tallyvane: This Event Type has already existed, please choose another name!");
    QCOMPARE(m_prompts.told, (QStringList{clash, clash}));
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 2);
    QCOMPARE(GetEventStore().GetCount(), size_t(3));
    // The added types reached Type.ptt.
    CEventTypeTable reread;
    reread.Load(TypeFilePath(), m_clock.Now());
    QCOMPARE(reread.GetCount(), typesBefore + 2);
}

void TransferCommandsTest::importDialogChoosesTheContent() {
    AddEvent("Dentist", false);
    CMainWnd* w = Open(0);
    m_prompts.files = {Path("e.exp")};
    w->runCommand(cmd::kExport);

    // Types only: no event is added, and the file is not rewritten for nothing.
    m_prompts.files = {Path("e.exp")};
    m_prompts.importContent = {{false, true}};
    w->runCommand(cmd::kImportExpFile);
    QCOMPARE(GetEventStore().GetCount(), size_t(1));
    QVERIFY(!QFile::exists(QString::fromStdString(EventFilePath())));
}

void TransferCommandsTest::holidayImportAddsYearlyEventsAndSaves() {
    const std::string text = "Holidays of the test\r\nNew Year,1,1,1\r\nChristmas,1,12,25\r\nMemorial,2,5,2,5\r\n"
                             "Bad,3,1,1\r\nBad,1,13,1\r\n";
    QVERIFY(WriteFileAtomically(m_dir.Path() + "h.hdy", text).ok);
    CMainWnd* w = Open(3);
    auto* monthly = CViewPages::Of(w)->calendarView(3);
    const size_t itemsBefore = monthly->layout().ItemCount();
    m_prompts.files = {Path("h.hdy")};
    w->runCommand(cmd::kImportHoliday);
    QVERIFY(m_prompts.told.isEmpty());
    QCOMPARE(GetEventStore().GetCount(), size_t(3));
    std::vector<std::string> names;
    GetEventStore().ForEachEvent([&](const CPtEvent& ev) {
        names.push_back(ev.GetName());
        QVERIFY(ev.IsRecurrent());
    });
    QCOMPARE(names, (std::vector<std::string>{"New Year", "Christmas", "Memorial"}));
    CEventStore reread(EventFilePath());
    reread.Load();
    QCOMPARE(reread.GetCount(), size_t(3));
    // The Monthly view showing May 2024 collected Memorial Day (the last Monday of May).
    QVERIFY(monthly->layout().ItemCount() > itemsBefore);
}

void TransferCommandsTest::plumtraceWithAWrongEventFileKeepsTheMergedTypes() {
    const std::string folder = m_dir.Path() + "plum/";
    QDir().mkpath(QString::fromStdString(folder));
    ArchiveWriter typesFile;
    CEventType old;
    old.SetId(7);
    old.SetName("Old appointments");
    typesFile.WriteU32(1);
    typesFile.WriteU32(8);
    old.Serialize(typesFile);
    QVERIFY(WriteFileAtomically(folder + "evty.ptt", typesFile.Data()).ok);
    ArchiveWriter eventsFile;
    eventsFile.WriteText("PLUMTRX");
    eventsFile.WriteU16(1);
    QVERIFY(WriteFileAtomically(folder + "evnt.pte", eventsFile.Data()).ok);

    CMainWnd* w = Open(0);
    const size_t typesBefore = GetEventTypeTable().GetCount();
    m_prompts.folders = {QString::fromStdString(folder)};
    w->runCommand(cmd::kImportPlumtrace);
    QCOMPARE(m_prompts.told, QStringList{"Tallyvane: Invalid Plumtrace 2.3 File."});
    QCOMPARE(GetEventTypeTable().GetCount(), typesBefore + 1);
    CEventType added;
    QVERIFY(GetEventTypeTable().FindByName("Old appointments*", added));
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
    CEventTypeTable reread;
    reread.Load(TypeFilePath(), m_clock.Now());
    QVERIFY(reread.FindByName("Old appointments*", added));
}

void TransferCommandsTest::missingFilesAreReportedAndChangeNothing() {
    AddEvent("Dentist", false);
    const std::string events = GetEventStore().SaveToBytes();
    CMainWnd* w = Open(0);
    m_prompts.yesNo = {true};
    m_prompts.importContent = {{true, true}};
    m_prompts.files = {Path("none.bak"), Path("none.exp"), Path("none.hdy")};
    m_prompts.folders = {Path("no-such-folder")};
    for (int id : {cmd::kRestoreBackup, cmd::kImportExpFile, cmd::kImportHoliday, cmd::kImportPlumtrace})
        w->runCommand(id);
    QCOMPARE(m_prompts.told.size(), 4);
    for (const QString& message : m_prompts.told) QVERIFY2(message.contains("not found"), qPrintable(message));
    QCOMPARE(GetEventStore().SaveToBytes(), events);

    // A backup into a folder that does not exist says why.
    m_prompts.told.clear();
    m_prompts.files = {Path("no-such-folder/x.bak")};
    w->runCommand(cmd::kBackup);
    QCOMPARE(m_prompts.told.size(), 1);
    QVERIFY2(m_prompts.told.first().contains("x.bak"), qPrintable(m_prompts.told.first()));
}

void TransferCommandsTest::importButtonNeedsSomethingToImport() {
    CImportDlg dialog;
    QVERIFY(dialog.importEvents() && dialog.importTypes());
    // Nothing to import: the Import button waits for a box.
    dialog.eventsBox()->setChecked(false);
    dialog.typesBox()->setChecked(false);
    QVERIFY(!dialog.importButton()->isEnabled());
    dialog.eventsBox()->setChecked(true);
    QVERIFY(dialog.importButton()->isEnabled() && dialog.importEvents() && !dialog.importTypes());
}

QTEST_MAIN(TransferCommandsTest)
#include "TransferCommandsTest.moc"
