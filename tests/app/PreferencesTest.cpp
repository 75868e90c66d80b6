// The preferences sheet: what each page shows and writes into the preferences and section
// "Var", the Format menu, the chime and font pickers, the log-on start entry, and the Options
// command's effect on the clock and the day grids.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QPushButton>
#include <deque>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "controls/DateTimeField.h"
#include "dialogs/ColorButton.h"
#include "editing/HalfHourMenu.h"
#include "shell/AppSettings.h"
#include "shell/ClockWnd.h"
#include "shell/Commands.h"
#include "shell/MainWnd.h"
#include "shell/PreferenceSheet.h"
#include "store/ProgramFolder.h"
#include "views/CalendarView.h"
#include "views/ViewPages.h"

using namespace tv;

class PreferencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void openingShowsEverySetting();
    void formatMenuOffersTheElevenPatterns();
    void okWritesEveryValueAndSavesSectionVar();
    void aPageNeverShownKeepsItsSettings();
    void cancelChangesNothing();
    void chimePickerMayTurnAChimeOff();
    void fontDialogReplacesTheClockFont();
    void logOnStartEntryFollowsTheBox();
    void logOnStartFailureIsToldAndTheSettingSaved();
    void optionsCommandShowsOrHidesTheClockAndRepaintsTheGrids();

private:
    void Reset();
    QString Entry() const { return m_config.path() + QStringLiteral("/autostart/Tallyvane.desktop"); }

    tvtest::TempDir m_dir;
    QTemporaryDir m_config;
    MemoryKeyValueStore m_store;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{DateTime::FromParts(2024, 5, 6, 10, 0, 0)};
};

void PreferencesTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetUserPrompts(&m_prompts);
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void PreferencesTest::init() { Reset(); }

void PreferencesTest::Reset() {
    DestroyAppSettings();
    m_store = MemoryKeyValueStore();
    SetSettingsStore(&m_store);
    m_prompts = tvtest::ScriptedPrompts();
    QFile::remove(Entry());
}

void PreferencesTest::cleanup() {
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PreferencesTest::openingShowsEverySetting() {
    CAppSettings& s = GetAppSettings();
    s.SetShowClock(false);
    s.SetRun(false);
    s.SetReminderOnTop(false);
    s.SetShowMainWnd(true);
    s.SetTimePattern("hh:nn");
    s.SetClockText(0x00112233);
    s.SetClockBk(0x00445566);
    s.SetOfficeHours(DecodeOfficeTime(745), DecodeOfficeTime(1615));
    CPreferenceSheet sheet;
    CPreferenceGeneralPage* g = sheet.generalPage();
    QVERIFY(!g->showClockBox()->isChecked());
    QVERIFY(!g->runBox()->isChecked());
    QVERIFY(!g->onTopBox()->isChecked());
    QVERIFY(g->showMainBox()->isChecked());
    QCOMPARE(g->patternEdit()->text(), QStringLiteral("hh:nn"));
    QCOMPARE(g->textColorButton()->color(), ColorRef(0x00112233));
    QCOMPARE(g->backColorButton()->color(), ColorRef(0x00445566));
    QCOMPARE(g->sharpChime(), std::string("Sen.WAV"));
    QCOMPARE(g->halfChime(), std::string("Chime.WAV"));
    QCOMPARE(EncodeOfficeTime(sheet.otherPage()->startField()->value()), 745);
    QCOMPARE(EncodeOfficeTime(sheet.otherPage()->endField()->value()), 1615);
}

void PreferencesTest::formatMenuOffersTheElevenPatterns() {
    CPreferenceSheet sheet;
    CPreferenceGeneralPage* g = sheet.generalPage();
    QStringList items;
    for (QAction* a : g->formatMenu()->actions()) items << a->text();
    QCOMPARE(items, (QStringList{"hh:nn:ss - dd,m,yyyy\t15:31:23 - 21,Jan,2008",
                                 "hh:nn:ss - dd,M,yyyy\t15:31:23 - 21,1,2008",
                                 "hh:nn:ss - dd,mm,yyyy\t15:31:23 - 21,January,2008",
                                 "hh:nn - dd,m,yyyy\t15:31 - 21,Jan,2008",
                                 "hh:nn:ss - m,dd,yyyy\t15:31:23 - Jan,21,2008",
                                 "hh:nn:ss - m,dd\t15:31:23 - Jan,21",
                                 "hh:nn:ss - M,dd\t15:31:23 - 1,21",
                                 "hh:nn:ss -ww- dd,M,yyyy\t15:31:23 -Monday- 21,1,2008",
                                 "hh:nn:ss -w- dd,M,yyyy\t15:31:23 -Mon- 21,1,2008",
                                 "h:nn:ss -w- dd,M,yyyy\t05:31:23 -Mon- 21,1,2008",
                                 "h:nn:ss %p dd,M,yyyy\t04:31:23 PM 21,1,2008"}));
    // A choice replaces the pattern only; the rest of the page stays as the user left it.
    g->showClockBox()->setChecked(false);
    g->formatMenu()->actions().at(3)->trigger();
    QCOMPARE(g->patternEdit()->text(), QStringLiteral("hh:nn - dd,m,yyyy"));
    QVERIFY(!g->showClockBox()->isChecked());
    sheet.show();
    sheet.accept();
    QCOMPARE(GetAppSettings().GetClockFormat(), std::string("%H:%M - %d,%b,%Y"));
}

void PreferencesTest::okWritesEveryValueAndSavesSectionVar() {
    CPreferenceSheet sheet;
    sheet.show();
    CPreferenceGeneralPage* g = sheet.generalPage();
    g->showClockBox()->setChecked(false);
    g->onTopBox()->setChecked(false);
    g->showMainBox()->setChecked(true);
    g->runBox()->setChecked(false);
    g->patternEdit()->setText(QStringLiteral("hh:nn:ss -w- dd,M,yyyy"));
    g->textColorButton()->setColor(0x000000FF);
    g->backColorButton()->setColor(0x00FFFFFF);
    sheet.tabs()->setCurrentIndex(1);
    COtherPage* o = sheet.otherPage();
    o->chooseStart(kHalfHourFirstId + 17);  // 08:30
    o->chooseEnd(kHalfHourFirstId + 35);    // 17:30
    sheet.accept();
    QCOMPARE(sheet.result(), int(QDialog::Accepted));

    const CAppSettings& s = GetAppSettings();
    QVERIFY(!s.GetShowClock() && !s.GetReminderOnTop() && s.GetShowMainWnd() && !s.GetRun());
    QCOMPARE(s.GetTimePattern(), std::string("hh:nn:ss -w- dd,M,yyyy"));
    QCOMPARE(s.GetClockText(), ColorRef(0x000000FF));
    // Section "Var" holds it, as the next start reads it.
    QCOMPARE(m_store.ReadNumber("Var", "ShowClock"), std::optional<int64_t>(0));
    QCOMPARE(m_store.ReadNumber("Var", "ShowMainWnd"), std::optional<int64_t>(1));
    QCOMPARE(m_store.ReadNumber("Var", "ClockText"), std::optional<int64_t>(255));
    QCOMPARE(m_store.ReadNumber("Var", "ClockBk"), std::optional<int64_t>(0xFFFFFF));
    QCOMPARE(m_store.ReadString("Var", "TimeFormat"), std::optional<std::string>("hh:nn:ss -w- dd,M,yyyy"));
    QCOMPARE(m_store.ReadNumber("Var", "StartTime"), std::optional<int64_t>(830));
    QCOMPARE(m_store.ReadNumber("Var", "EndTime"), std::optional<int64_t>(1730));
    // The Run box was cleared: no entry.
    QVERIFY(!QFile::exists(Entry()));
}

void PreferencesTest::aPageNeverShownKeepsItsSettings() {
    GetAppSettings().SetOfficeHours(DecodeOfficeTime(900), DecodeOfficeTime(1700));
    CPreferenceSheet sheet;
    sheet.show();
    // Changed without ever being shown (as no user could): not taken over.
    sheet.otherPage()->chooseStart(kHalfHourFirstId + 2);
    QVERIFY(!sheet.otherPage()->wasShown());
    sheet.accept();
    QCOMPARE(m_store.ReadNumber("Var", "StartTime"), std::optional<int64_t>(900));
    DateTime start, end;
    GetAppSettings().GetOfficeHours(start, end);
    QCOMPARE(EncodeOfficeTime(start), 900);
}

void PreferencesTest::cancelChangesNothing() {
    GetAppSettings().SetRun(false);
    CPreferenceSheet sheet;
    sheet.show();
    sheet.generalPage()->showClockBox()->setChecked(false);
    sheet.generalPage()->runBox()->setChecked(true);
    sheet.generalPage()->formatMenu()->actions().at(0)->trigger();
    sheet.tabs()->setCurrentIndex(1);
    sheet.otherPage()->chooseStart(kHalfHourFirstId);
    sheet.reject();
    QVERIFY(GetAppSettings().GetShowClock());
    QCOMPARE(GetAppSettings().GetTimePattern(), std::string(CAppSettings::kDefaultPattern));
    QCOMPARE(m_store.Size(), size_t(0));
    QVERIFY(!QFile::exists(Entry()));
}

void PreferencesTest::chimePickerMayTurnAChimeOff() {
    CPreferenceSheet sheet;
    sheet.show();
    CPreferenceGeneralPage* g = sheet.generalPage();
    std::vector<std::string> offered;
    std::deque<std::optional<std::string>> answers{std::string(), std::nullopt, std::string("Bell.wav")};
    g->askSound = [&](QWidget*, const std::string& current) {
        offered.push_back(current);
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    };
    g->chooseHalfChime();   // "<No Sound>"
    g->chooseSharpChime();  // cancelled
    QCOMPARE(g->halfChime(), std::string());
    QCOMPARE(g->sharpChime(), std::string("Sen.WAV"));
    g->chooseHalfChime();
    QCOMPARE(offered, (std::vector<std::string>{"Chime.WAV", "Sen.WAV", ""}));
    QCOMPARE(g->halfChime(), std::string("Bell.wav"));
    g->askSound = [](QWidget*, const std::string&) { return std::optional<std::string>(std::string()); };
    g->chooseHalfChime();
    sheet.accept();
    QVERIFY(!GetAppSettings().IsHalfChimeEnabled());
    QVERIFY(GetAppSettings().IsSharpChimeEnabled());
    QCOMPARE(m_store.ReadString("Var", "Half"), std::optional<std::string>(""));
}

void PreferencesTest::fontDialogReplacesTheClockFont() {
    CPreferenceSheet sheet;
    sheet.show();
    CPreferenceGeneralPage* g = sheet.generalPage();
    QFont offered;
    g->askFont = [&](QWidget*, const QFont& initial) -> std::optional<QFont> {
        offered = initial;
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(24);
        f.setBold(true);
        f.setItalic(true);
        return f;
    };
    g->chooseFont();
    QCOMPARE(offered.family(), QStringLiteral("Arial"));
    g->askFont = [](QWidget*, const QFont&) -> std::optional<QFont> { return std::nullopt; };
    g->chooseFont();  // cancelled: the choice before stays
    sheet.accept();
    const LogFont& f = GetAppSettings().GetClockFont();
    QCOMPARE(f.faceName, std::string("DejaVu Serif"));
    QCOMPARE(f.height, -24);
    QCOMPARE(f.weight, 700);
    QCOMPARE(int(f.italic), 1);
    QCOMPARE(m_store.ReadString("Var", "FaceName"), std::optional<std::string>("DejaVu Serif"));
    QCOMPARE(m_store.ReadNumber("Var", "Height"), std::optional<int64_t>(-24));
}

void PreferencesTest::logOnStartEntryFollowsTheBox() {
    GetAppSettings().SetRun(false);
    {
        CPreferenceSheet sheet;
        sheet.show();
        sheet.generalPage()->autostartTarget = [] { return AutostartTarget{"/opt/tally vane/tallyvane", "/home/u/ev"}; };
        sheet.generalPage()->runBox()->setChecked(true);
        sheet.accept();
    }
    QFile entry(Entry());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    entry.close();
    QVERIFY2(text.contains("\nExec=\"/opt/tally vane/tallyvane\" --data-dir \"/home/u/ev\"\n"), text.constData());
    QVERIFY(text.contains("\nName=Tallyvane\n"));
    QCOMPARE(m_store.ReadNumber("Var", "Run"), std::optional<int64_t>(1));
    {
        // The real target is this very program.
        CPreferenceSheet sheet;
        sheet.show();
        QCOMPARE(QString::fromStdString(sheet.generalPage()->autostartTarget().program),
                 QCoreApplication::applicationFilePath());
        sheet.generalPage()->runBox()->setChecked(false);
        sheet.accept();
    }
    QVERIFY(!QFile::exists(Entry()));
    QCOMPARE(m_store.ReadNumber("Var", "Run"), std::optional<int64_t>(0));
    QVERIFY(m_prompts.told.isEmpty());
}

void PreferencesTest::logOnStartFailureIsToldAndTheSettingSaved() {
    // A file where the autostart folder belongs.
    QTemporaryDir blocked;
    QFile blocker(blocked.path() + QStringLiteral("/autostart"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked.path()));
    CPreferenceSheet sheet;
    sheet.show();
    sheet.generalPage()->runBox()->setChecked(true);
    sheet.accept();
    qputenv("XDG_CONFIG_HOME", saved);
    QCOMPARE(m_prompts.told.size(), 1);
    QVERIFY2(m_prompts.told.first().contains(blocked.path() + QStringLiteral("/autostart")),
             qPrintable(m_prompts.told.first()));
    QVERIFY(m_prompts.told.first().contains(QStringLiteral("The setting itself is saved.")));
    QCOMPARE(m_store.ReadNumber("Var", "Run"), std::optional<int64_t>(1));
}

void PreferencesTest::optionsCommandShowsOrHidesTheClockAndRepaintsTheGrids() {
    ClockOptions quiet;
    quiet.startScheduler = false;
    quiet.trayIcon = false;
    quiet.honourShowMainWnd = false;
    auto* clock = new CClockWnd(m_clock, quiet);
    clock->show();
    CMainWnd* w = CMainWnd::OpenOrRestore();
    w->setClock(&m_clock);
    w->updateCommandStates();
    QVERIFY(w->action(cmd::kOptions)->isEnabled());
    QVERIFY(clock->isVisible());

    // The sheet is modal: the answers are given once it is up.
    auto answer = [](std::function<void(CPreferenceSheet*)> act) {
        QTimer::singleShot(0, [act] {
            auto* sheet = qobject_cast<CPreferenceSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            act(sheet);
        });
    };
    answer([](CPreferenceSheet* sheet) {
        sheet->generalPage()->showClockBox()->setChecked(false);
        sheet->tabs()->setCurrentIndex(1);
        sheet->otherPage()->chooseStart(kHalfHourFirstId + 17);
        sheet->accept();
    });
    w->runCommand(cmd::kOptions);
    QVERIFY(!clock->isVisible());
    CViewPages* pages = CViewPages::Of(w);
    QVERIFY(pages);
    QCOMPARE(pages->calendarView(0)->layout().GetOfficeHours().startMinute, 8 * 60 + 30);
    QCOMPARE(pages->calendarView(1)->layout().GetOfficeHours().startMinute, 8 * 60 + 30);

    answer([](CPreferenceSheet* sheet) {
        sheet->generalPage()->showClockBox()->setChecked(true);
        sheet->accept();
    });
    w->runCommand(cmd::kOptions);
    QVERIFY(clock->isVisible());

    // Cancel: the clock stays as it is.
    answer([](CPreferenceSheet* sheet) {
        sheet->generalPage()->showClockBox()->setChecked(false);
        sheet->reject();
    });
    w->runCommand(cmd::kOptions);
    QVERIFY(clock->isVisible());
    delete clock;
}

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
