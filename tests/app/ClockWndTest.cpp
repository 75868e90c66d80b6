// The desktop clock: its text, size, chimes, position, menu and the messages it receives.
#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "engine/ReminderPopup.h"
#include "menus/TitledMenu.h"
#include "model/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/ClockWnd.h"
#include "shell/MainWnd.h"
#include "shell/MessageHub.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"

using namespace tv;

namespace {

ClockOptions QuietClock() {
    ClockOptions o;
    o.startScheduler = false;
    o.trayIcon = false;
    o.honourShowMainWnd = false;
    return o;
}

class RecordingWatcher final : public IClockWatcher {
public:
    void ClockMouseMoved(const QPoint&) override { ++moves; }
    void ClockRightPressed(const QPoint&) override { ++rightPresses; }
    int moves = 0, rightPresses = 0;
};

}  // namespace

class ClockWndTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void showsThePatternAtAFixedMoment();
    void fitsItsTextAndFollowsTheFont();
    void chimesOnlyOnSecondZeroOfTheFullAndHalfHour();
    void firstStartSitsAtHalfTheScreenWidth();
    void movingWritesThePosition();
    void menu133HasItsItemsInOrder();
    void eventPopOpensAPopupOnlyForAStoredEvent();
    void hubDeliversInOrderWithoutBlockingTheSender();
    void mouseMovesAndRightPressesReachTheWatcher();
    void doubleClickOpensTheMainWindowAndNoCalendar();
    void exitAsksFirst();

private:
    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::RecordingSoundPlayer m_sound;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{DateTime::FromParts(2008, 1, 21, 15, 31, 23)};
};

void ClockWndTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSoundPlayer(&m_sound);
    SetUserPrompts(&m_prompts);
}

void ClockWndTest::init() {
    m_settings = MemoryKeyValueStore();
    SetSettingsStore(&m_settings);
    DestroyAppSettings();
    m_sound.played.clear();
    m_prompts = tvtest::ScriptedPrompts();
}

void ClockWndTest::cleanup() {
    CReminderPopup::CloseAll();
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ClockWndTest::showsThePatternAtAFixedMoment() {
    GetAppSettings().SetTimePattern("hh:nn:ss -ww- dd,M,yyyy");
    CClockWnd clock(m_clock, QuietClock());
    clock.tickAt(m_clock.Now());
    QCOMPARE(clock.text(), QStringLiteral("15:31:23 -Monday- 21,01,2008"));
    QCOMPARE(clock.windowTitle(), QStringLiteral("Clock"));
    QVERIFY(clock.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(clock.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(clock.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
}

void ClockWndTest::fitsItsTextAndFollowsTheFont() {
    CClockWnd clock(m_clock, QuietClock());
    clock.refit(m_clock.Now());
    QCOMPARE(clock.text(), QStringLiteral("15:31:23 - Jan 21,2008"));
    const QSize small = clock.size();
    const QPoint corner = clock.pos();
    QVERIFY(small.width() > 40 && small.height() >= 14);
    // Rendered: yellow text on black.
    const QImage shot = clock.grab().toImage();
    QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
    bool yellow = false;
    for (int x = 0; x < shot.width() && !yellow; ++x)
        for (int y = 0; y < shot.height() && !yellow; ++y) {
            const QColor c = shot.pixelColor(x, y);
            yellow = c.red() > 200 && c.green() > 200 && c.blue() < 80;
        }
    QVERIFY(yellow);

    LogFont big = GetAppSettings().GetClockFont();
    big.height = -30;
    GetAppSettings().SetClockFont(big);
    clock.tickAt(m_clock.Now());
    QVERIFY(clock.height() > small.height() + 10);
    QVERIFY(clock.width() > small.width());
    QCOMPARE(clock.pos(), corner);
}

void ClockWndTest::chimesOnlyOnSecondZeroOfTheFullAndHalfHour() {
    CClockWnd clock(m_clock, QuietClock());
    auto at = [](int h, int m, int s) { return DateTime::FromParts(2024, 5, 6, h, m, s); };
    clock.tickAt(at(11, 59, 59));
    clock.tickAt(at(12, 0, 0));
    clock.tickAt(at(12, 0, 0));  // a timer that fired twice within the second
    clock.tickAt(at(12, 0, 1));
    clock.tickAt(at(12, 29, 59));
    clock.tickAt(at(12, 30, 0));
    clock.tickAt(at(12, 30, 1));
    clock.tickAt(at(12, 45, 0));
    QCOMPARE(m_sound.played, (QStringList{QStringLiteral("Sen.WAV"), QStringLiteral("Chime.WAV")}));

    m_sound.played.clear();
    GetAppSettings().SetSharpChime("");
    clock.tickAt(at(13, 0, 0));
    clock.tickAt(at(13, 30, 0));
    QCOMPARE(m_sound.played, QStringList{QStringLiteral("Chime.WAV")});
}

void ClockWndTest::firstStartSitsAtHalfTheScreenWidth() {
    m_settings.WriteNumber("Settings", "ClockTop", 40);
    CClockWnd clock(m_clock, QuietClock());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(clock.pos(), QPoint(screen.left() + screen.width() / 2, 40));
}

void ClockWndTest::movingWritesThePosition() {
    WriteClockRect(m_settings, {100, 50, 200, 70});
    {
        CClockWnd clock(m_clock, QuietClock());
        QCOMPARE(clock.pos(), QPoint(100, 50));
        clock.move(300, 220);
        const ScreenRect r = ReadClockRect(m_settings);
        QCOMPARE(r.left, 300);
        QCOMPARE(r.top, 220);
        QCOMPARE(r.right - r.left, clock.frameGeometry().width());
    }
    QCOMPARE(ReadClockRect(m_settings).left, 300);
}

void ClockWndTest::menu133HasItsItemsInOrder() {
    CClockWnd clock(m_clock, QuietClock());
    CTitledMenu menu;
    clock.fillClockMenu(&menu);
    QStringList texts;
    for (QAction* a : menu.actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(texts, (QStringList{QStringLiteral("&Restore"), QStringLiteral("New Event"), QStringLiteral("&Option..."),
                                 QStringLiteral("&Help..."), QStringLiteral("&About..."), QStringLiteral("-"),
                                 QStringLiteral("&Exit")}));
    QCOMPARE(menu.defaultAction(), menu.actions().first());
    QCOMPARE(menu.sideTitle(), QStringLiteral("Tallyvane"));
    QVERIFY(menu.contentsMargins().left() > 10);
    // The types with their icons, then "Customize...".
    QMenu* types = menu.actions().at(1)->menu();
    QVERIFY(types);
    const int typeCount = static_cast<int>(GetEventTypeTable().GetCount());
    QCOMPARE(types->actions().size(), typeCount + 2);
    QCOMPARE(types->actions().first()->data().toInt(), 2024);
    QVERIFY(!types->actions().first()->icon().isNull());
    QCOMPARE(types->actions().last()->text(), QStringLiteral("Customize..."));
    QCOMPARE(types->actions().last()->data().toInt(), 3025);
}

void ClockWndTest::eventPopOpensAPopupOnlyForAStoredEvent() {
    CClockWnd clock(m_clock, QuietClock());
    CPtEvent ev(m_clock.Now());
    ev.SetName("Dentist");
    GetEventStore().Add(ev);
    CMessageHub::Instance().Post(msg::kEventPop, 4242);
    CMessageHub::Instance().Post(msg::kEventPop, ev.GetId());
    QCOMPARE(CReminderPopup::OpenPopups().size(), 0);  // delivered later, never at once
    QCoreApplication::processEvents();
    QCOMPARE(CReminderPopup::OpenPopups().size(), 1);
    QCOMPARE(CReminderPopup::OpenPopups().first()->eventId(), ev.GetId());
    GetEventStore().Delete(ev.GetId());
}

void ClockWndTest::hubDeliversInOrderWithoutBlockingTheSender() {
    std::vector<quint32> received;
    auto c = connect(&CMessageHub::Instance(), &CMessageHub::eventPop, this,
                     [&](quint32 id) { received.push_back(id); });
    CHubReminderSink sink;
    QThread* worker = QThread::create([&] {
        for (uint32_t id = 1; id <= 500; ++id) QVERIFY(sink.PostEventPop(id));
    });
    worker->start();
    QVERIFY(worker->wait(5000));  // the worker finished while this thread handled nothing
    QVERIFY(received.empty());
    QCoreApplication::processEvents();
    QCOMPARE(received.size(), size_t(500));
    QVERIFY(std::is_sorted(received.begin(), received.end()));
    disconnect(c);
    delete worker;
}

void ClockWndTest::mouseMovesAndRightPressesReachTheWatcher() {
    CClockWnd clock(m_clock, QuietClock());
    RecordingWatcher watcher;
    clock.setWatcher(&watcher);
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    QTest::mouseMove(&clock, QPoint(5, 5));
    QTest::mouseMove(&clock, QPoint(8, 6));
    QVERIFY(watcher.moves >= 1);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), clock.mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&clock, &press);
    QCOMPARE(watcher.rightPresses, 1);
    clock.setWatcher(nullptr);
}

void ClockWndTest::doubleClickOpensTheMainWindowAndNoCalendar() {
    CClockWnd clock(m_clock, QuietClock());
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    QVERIFY(!CMainWnd::Instance());
    QTest::mouseClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(CMainWnd::Instance());
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QVERIFY(!QApplication::activePopupWidget());

    // A single click shows the month calendar after the double-click time.
    CMainWnd::Instance()->close();
    QTest::mouseClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!QApplication::activePopupWidget());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget() != nullptr, QApplication::doubleClickInterval() + 1000);
    QWidget* calendar = QApplication::activePopupWidget();
    // Below the clock's bottom-left corner (the test platform may add a frame of a few pixels).
    const QPoint corner(clock.frameGeometry().left(), clock.frameGeometry().bottom() + 1);
    QVERIFY((calendar->geometry().topLeft() - corner).manhattanLength() <= 6);
    calendar->close();
}

void ClockWndTest::exitAsksFirst() {
    CClockWnd clock(m_clock, QuietClock());
    QSignalSpy exit(&clock, &CClockWnd::exitRequested);
    m_prompts.yesNo = {false, true};
    clock.runCommand(32774);
    QCOMPARE(exit.count(), 0);
    clock.runCommand(32774);
    QCOMPARE(exit.count(), 1);
    QCOMPARE(m_prompts.asked.first(), QStringLiteral("Tallyvane: Do you really want to exit this programme?"));
}

QTEST_MAIN(ClockWndTest)
#include "ClockWndTest.moc"
