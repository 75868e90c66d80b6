// The preferences: what the sheet shows and writes into CAppSettings and section "Var", the
// Format menu, the chime and font pickers, the log-on start entry, the Options command's effect
// on the clock and the day grids, and the INI file behind it all.
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "AppTestSupport.h"
#include "controls/DateTimeField.h"
#include "dialogs/ColorButton.h"
#include "editing/HalfHourMenu.h"
#include "shell/Commands.h"
#include "shell/PreferenceSheet.h"
#include "shell/QSettingsStore.h"
#include "shell/WindowSettings.h"
#include "views/CalendarView.h"
#include "views/ViewPages.h"

using namespace tv;

class PreferencesTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void sheetShowsAndOkWritesEverySetting();
    void cancelAndAnUnshownPageChangeNothing();
    void pickersMayTurnAChimeOffAndReplaceTheFont();
    void logOnStartEntryFollowsTheBox();
    void optionsCommandShowsOrHidesTheClockAndRepaintsTheGrids();
    void settingsFileRoundTripsAndSurvivesHandEdits();

private:
    std::optional<int64_t> Var(const char* name) { return w.settings.ReadNumber("Var", name); }
    QString Entry() const { return m_config.path() + QStringLiteral("/autostart/Tallyvane.desktop"); }

    QTemporaryDir m_config;
};

void PreferencesTest::initTestCase() {
    w.Install();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void PreferencesTest::init() {
    w.Reset();
    DestroyAppSettings();
    w.settings = MemoryKeyValueStore();
    QFile::remove(Entry());
}

void PreferencesTest::sheetShowsAndOkWritesEverySetting() {
    CAppSettings& s = GetAppSettings();
    s.SetShowClock(false);
    s.SetRun(false);
    s.SetTimePattern("hh:nn");
    s.SetClockText(0x00112233);
    s.SetOfficeHours(DecodeOfficeTime(745), DecodeOfficeTime(1615));
    CPreferenceSheet sheet;
    sheet.show();
    CPreferenceGeneralPage* g = sheet.generalPage();
    QVERIFY(!g->showClockBox()->isChecked() && !g->runBox()->isChecked() && g->onTopBox()->isChecked());
    QCOMPARE(g->patternEdit()->text(), QStringLiteral("hh:nn"));
    QCOMPARE(g->textColorButton()->color(), ColorRef(0x00112233));
    QCOMPARE(g->sharpChime(), std::string("Sen.WAV"));
    QCOMPARE(EncodeOfficeTime(sheet.otherPage()->startField()->value()), 745);
    QCOMPARE(EncodeOfficeTime(sheet.otherPage()->endField()->value()), 1615);
    QVERIFY(sheet.otherPage()->notificationsBox()->isChecked());  // on by default

    // The Format menu offers the eleven patterns; a choice replaces the pattern only.
    QCOMPARE(g->formatMenu()->actions().size(), 11);
    QCOMPARE(g->formatMenu()->actions().at(7)->text(), QStringLiteral("hh:nn:ss -ww- dd,M,yyyy\t15:31:23 -Monday- 21,1,2008"));
    g->formatMenu()->actions().at(3)->trigger();
    QCOMPARE(g->patternEdit()->text(), QStringLiteral("hh:nn - dd,m,yyyy"));
    QVERIFY(!g->showClockBox()->isChecked());
    g->onTopBox()->setChecked(false);
    g->showMainBox()->setChecked(true);
    g->backColorButton()->setColor(0x00FFFFFF);
    sheet.tabs()->setCurrentIndex(1);
    sheet.otherPage()->chooseStart(kHalfHourFirstId + 17);  // 08:30
    sheet.otherPage()->chooseEnd(kHalfHourFirstId + 35);    // 17:30
    sheet.otherPage()->notificationsBox()->setChecked(false);
    sheet.accept();

    QVERIFY(!s.GetShowClock() && !s.GetReminderOnTop() && s.GetShowMainWnd() && !s.GetRun());
    QCOMPARE(s.GetClockFormat(), std::string("%H:%M - %d,%b,%Y"));
    // Section "Var" holds it, as the next start reads it; the Run box was clear: no entry.
    QCOMPARE(Var("ShowClock"), 0);
    QCOMPARE(Var("ShowMainWnd"), 1);
    QCOMPARE(Var("ClockBk"), 0xFFFFFF);
    QCOMPARE(w.settings.ReadString("Var", "TimeFormat"), std::optional<std::string>("hh:nn - dd,m,yyyy"));
    QCOMPARE(Var("StartTime"), 830);
    QCOMPARE(Var("EndTime"), 1730);
    QVERIFY(!ReadDesktopNotifications(w.settings));
    QVERIFY(!QFile::exists(Entry()));
}

void PreferencesTest::cancelAndAnUnshownPageChangeNothing() {
    GetAppSettings().SetRun(false);
    {
        CPreferenceSheet sheet;
        sheet.show();
        sheet.generalPage()->showClockBox()->setChecked(false);
        sheet.generalPage()->runBox()->setChecked(true);
        sheet.tabs()->setCurrentIndex(1);
        sheet.otherPage()->chooseStart(kHalfHourFirstId);
        sheet.reject();
    }
    QVERIFY(GetAppSettings().GetShowClock());
    QCOMPARE(w.settings.Size(), size_t(0));
    QVERIFY(!QFile::exists(Entry()));

    // A page changed without ever being shown (as no user could) is not taken over.
    CPreferenceSheet sheet;
    sheet.show();
    sheet.otherPage()->chooseStart(kHalfHourFirstId + 2);
    QVERIFY(!sheet.otherPage()->wasShown());
    sheet.accept();
    QCOMPARE(Var("StartTime"), 900);
}

void PreferencesTest::pickersMayTurnAChimeOffAndReplaceTheFont() {
    CPreferenceSheet sheet;
    sheet.show();
    CPreferenceGeneralPage* g = sheet.generalPage();
    std::vector<std::string> offered;
    std::deque<std::optional<std::string>> answers{std::string(), std::nullopt, std::string("Bell.wav")};
    g->askSound = [&](QWidget*, const std::string& current) {
        offered.push_back(current);
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    };
    g->chooseHalfChime();   // "<No Sound>"
    g->chooseSharpChime();  // cancelled
    g->chooseSharpChime();
    QCOMPARE(offered, (std::vector<std::string>{"Chime.WAV", "Sen.WAV", "Sen.WAV"}));
    QFont offeredFont;
    g->askFont = [&](QWidget*, const QFont& initial) -> std::optional<QFont> {
        offeredFont = initial;
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(24);
        f.setBold(true);
        return f;
    };
    g->chooseFont();
    QCOMPARE(offeredFont.family(), QStringLiteral("Arial"));
    g->askFont = [](QWidget*, const QFont&) -> std::optional<QFont> { return std::nullopt; };
    g->chooseFont();  // cancelled: the choice before stays
    sheet.accept();
    QVERIFY(!GetAppSettings().IsHalfChimeEnabled());
    QCOMPARE(GetAppSettings().GetSharpChime(), std::string("Bell.wav"));
    QCOMPARE(w.settings.ReadString("Var", "Half"), std::optional<std::string>(""));
    const LogFont& f = GetAppSettings().GetClockFont();
    QCOMPARE(std::tuple(f.faceName, f.height, f.weight), std::tuple(std::string("DejaVu Serif"), -24, 700));
    QCOMPARE(Var("Height"), -24);
}

void PreferencesTest::logOnStartEntryFollowsTheBox() {
    GetAppSettings().SetRun(false);
    auto run = [&](bool checked, std::function<AutostartTarget()> target = {}) {
        CPreferenceSheet sheet;
        sheet.show();
        if (target) sheet.generalPage()->autostartTarget = target;
        else QCOMPARE(QString::fromStdString(sheet.generalPage()->autostartTarget().program),
                      QCoreApplication::applicationFilePath());  // this very program
        sheet.generalPage()->runBox()->setChecked(checked);
        sheet.accept();
    };
    run(true, [] { return AutostartTarget{"/opt/tally vane/tallyvane", "/home/u/ev"}; });
    QFile entry(Entry());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(entry.readAll().contains("\nExec=\"/opt/tally vane/tallyvane\" --data-dir \"/home/u/ev\"\n"));
    QCOMPARE(Var("Run"), 1);
    run(false);
    QVERIFY(!QFile::exists(Entry()));
    QCOMPARE(Var("Run"), 0);
    QVERIFY(w.prompts.told.isEmpty());

    // A file where the autostart folder belongs: told, and the setting saved all the same.
    QTemporaryDir blocked;
    QFile(blocked.path() + QStringLiteral("/autostart")).open(QIODevice::WriteOnly);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked.path()));
    run(true);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QCOMPARE(w.prompts.told.size(), 1);
    QVERIFY2(w.prompts.told.first().contains(blocked.path() + QStringLiteral("/autostart")) &&
                 w.prompts.told.first().contains(QStringLiteral("The setting itself is saved.")),
             qPrintable(w.prompts.told.first()));
    QCOMPARE(Var("Run"), 1);
}

void PreferencesTest::optionsCommandShowsOrHidesTheClockAndRepaintsTheGrids() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
    clock.show();
    CMainWnd* m = w.Open(kViewDaily);
    // The sheet is modal: the answers are given once it is up.
    auto options = [m](bool showClock, bool ok) {
        tvtest::WhenModal<CPreferenceSheet>([=](CPreferenceSheet* sheet) {
            sheet->generalPage()->showClockBox()->setChecked(showClock);
            sheet->tabs()->setCurrentIndex(1);
            sheet->otherPage()->chooseStart(kHalfHourFirstId + 17);
            ok ? sheet->accept() : sheet->reject();
        });
        m->runCommand(cmd::kOptions);
    };
    options(false, true);
    QVERIFY(!clock.isVisible());
    CViewPages* pages = m->pages();
    for (int view : {kViewDaily, kViewWeekday})
        QCOMPARE(pages->calendarView(view)->layout().GetOfficeHours().startMinute, 8 * 60 + 30);
    options(true, true);
    QVERIFY(clock.isVisible());
    options(false, false);  // Cancel: the clock stays as it is
    QVERIFY(clock.isVisible());
}

void PreferencesTest::settingsFileRoundTripsAndSurvivesHandEdits() {
    const QString path = QString::fromStdString(w.dir.File("tallyvane.ini"));
    {
        auto store = CQSettingsStore::ForFile(path);
        CAppSettings s;
        s.SetTimePattern("hh:nn:ss -ww- dd,M,yyyy");
        s.SetHalfChime("");
        LogFont f = s.GetClockFont();
        f.SetFaceName("Noto Sans 微软雅黑");
        f.height = -18;
        s.SetClockFont(f);
        s.Save(*store);
        WriteClockRect(*store, {-20, 5, 100, 25});
        QVERIFY(store->Flush().ok);
    }
    const QByteArray text = QByteArray::fromStdString(w.dir.Read("tallyvane.ini"));
    QVERIFY(text.contains("[Var]") && text.contains("[Settings]") && text.contains("StartTime=900"));
    auto store = CQSettingsStore::ForFile(path);
    CAppSettings back;
    back.Load(*store);
    QCOMPARE(back.GetTimePattern(), std::string("hh:nn:ss -ww- dd,M,yyyy"));
    QVERIFY(!back.IsHalfChimeEnabled());
    QCOMPARE(std::tuple(back.GetClockFont().height, back.GetClockFont().faceName), std::tuple(-18, std::string("Noto Sans 微软雅黑")));
    QCOMPARE(ReadClockRect(*store), (ScreenRect{-20, 5, 100, 25}));

    // Hand-edited and damaged values fall back to the defaults.
    w.dir.Write("t.ini", "[Var]\nHeight=big\nWeight=0x2BC\nTimeFormat=hh:nn, dd\nStartTime=930\nShowClock=\n"
                         "[Settings]\nViewType=17\n");
    store = CQSettingsStore::ForFile(QString::fromStdString(w.dir.File("t.ini")));
    CAppSettings s;
    s.Load(*store);
    QCOMPARE(std::tuple(s.GetClockFont().height, s.GetClockFont().weight), std::tuple(14, 700));
    QCOMPARE(s.GetTimePattern(), std::string("hh:nn,dd"));  // an unquoted comma is read back as text
    DateTime start, end;
    s.GetOfficeHours(start, end);
    QCOMPARE(start.ToIsoText(), std::string("1899-12-30 09:30:00"));
    QVERIFY(s.GetShowClock());
    QCOMPARE(ReadViewType(*store), 0);

    // A folder where the file should be: nobody, not even root, can write the file there.
    QVERIFY(QDir().mkpath(QString::fromStdString(w.dir.File("d.ini"))));
    store = CQSettingsStore::ForFile(QString::fromStdString(w.dir.File("d.ini")));
    store->WriteNumber("Var", "Run", 0);
    const FileResult r = store->Flush();
    QVERIFY(!r.ok);
    QVERIFY(QString::fromStdString(r.message).contains(QStringLiteral("d.ini")));
}

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
