// The desktop clock: its text, size, chimes, position, menu and the messages it receives, and
// the icons it and the menus show.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "AppTestSupport.h"
#include "menus/TitledMenu.h"
#include "store/EventTypeTable.h"
#include "shell/AppIcons.h"
#include "shell/Commands.h"
#include "shell/MessageHub.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"

using namespace tv;

namespace {

class RecordingWatcher final : public IClockWatcher {
public:
    void ClockMouseMoved(const QPoint&) override { ++moves; }
    void ClockRightPressed(const QPoint&) override { ++rightPresses; }
    int moves = 0, rightPresses = 0;
};

}  // namespace

class ClockWndTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void showsThePatternAtAFixedMomentAndFitsItsText();
    void chimesOnceAndTicksJustAfterTheTurnOfEachSecond();
    void startsWhereItWasOrAtHalfTheScreenWidth();
    void menuHasItsItemsAndTheTypeIcons();
    void eventPopOpensAPopupOnlyForAStoredEvent();
    void hubDeliversInOrderWithoutBlockingTheSender();
    void mouseReachesTheWatcherAndADoubleClickOpensTheMainWindow();
    void exitAsksFirst();
};

void ClockWndTest::init() {
    w.Reset();
    w.settings = MemoryKeyValueStore();
    DestroyAppSettings();
    w.clock.Set(DateTime::FromParts(2008, 1, 21, 15, 31, 23));
}

void ClockWndTest::showsThePatternAtAFixedMomentAndFitsItsText() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
    clock.refit(w.clock.Now());
    QCOMPARE(clock.text(), QStringLiteral("15:31:23 - Jan 21,2008"));
    QCOMPARE(clock.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY((clock.windowFlags() & Qt::WindowStaysOnTopHint) && (clock.windowFlags() & Qt::FramelessWindowHint));
    const QSize small = clock.size();
    const QPoint corner = clock.pos();
    // Rendered: yellow text on black.
    const QImage shot = clock.grab().toImage();
    QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
    bool yellow = false;
    for (int i = 0; i < shot.width() * shot.height(); ++i) {
        const QColor c = shot.pixelColor(i % shot.width(), i / shot.width());
        yellow = yellow || (c.red() > 200 && c.green() > 200 && c.blue() < 80);
    }
    QVERIFY(yellow);

    GetAppSettings().SetTimePattern("hh:nn:ss -ww- dd,M,yyyy");
    LogFont big = GetAppSettings().GetClockFont();
    big.height = -30;
    GetAppSettings().SetClockFont(big);
    clock.tickAt(w.clock.Now());
    QCOMPARE(clock.text(), QStringLiteral("15:31:23 -Monday- 21,01,2008"));
    QVERIFY(clock.height() > small.height() + 10);
    QVERIFY(clock.width() > small.width());
    QCOMPARE(clock.pos(), corner);
}

// Which second chimes is the core's rule; the window must chime once however often its timer
// fires within that second, read the chime names at each tick, and aim at the next second.
void ClockWndTest::chimesOnceAndTicksJustAfterTheTurnOfEachSecond() {
    w.clock.Set(DateTime::FromParts(2024, 5, 6, 11, 59, 59), 400);
    CClockWnd clock(w.clock, tvtest::QuietClock());
    // 400 ms into a second the next tick is 600 ms away (plus a little), not a whole second:
    // a fixed second would drift and skip a displayed second, and its chime, once a minute.
    QVERIFY2(clock.millisecondsToNextTick() > 560 && clock.millisecondsToNextTick() <= 620,
             qPrintable(QString::number(clock.millisecondsToNextTick())));
    auto at = [](int h, int m, int s) { return DateTime::FromParts(2024, 5, 6, h, m, s); };
    for (DateTime t : {at(12, 0, 0), at(12, 0, 0), at(12, 30, 0)}) clock.tickAt(t);
    QCOMPARE(w.sound.played, (QStringList{QStringLiteral("Sen.WAV"), QStringLiteral("Chime.WAV")}));
    GetAppSettings().SetSharpChime("");
    clock.tickAt(at(13, 0, 0));
    QCOMPARE(w.sound.played.size(), 2);
}

void ClockWndTest::startsWhereItWasOrAtHalfTheScreenWidth() {
    w.settings.WriteNumber("Settings", "ClockTop", 40);
    {
        CClockWnd clock(w.clock, tvtest::QuietClock());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(clock.pos(), QPoint(screen.left() + screen.width() / 2, 40));
        clock.move(300, 220);
        const ScreenRect r = ReadClockRect(w.settings);
        QCOMPARE(QPoint(r.left, r.top), QPoint(300, 220));
        QCOMPARE(r.right - r.left, clock.frameGeometry().width());
    }
    CClockWnd again(w.clock, tvtest::QuietClock());
    QCOMPARE(again.pos(), QPoint(300, 220));
}

void ClockWndTest::menuHasItsItemsAndTheTypeIcons() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
    CTitledMenu menu;
    clock.fillClockMenu(&menu);
    QStringList texts;
    for (QAction* a : menu.actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(texts, (QStringList{"&Restore", "New Event", "&Option...", "&Help...", "&About...", "-", "&Exit"}));
    QCOMPARE(menu.defaultAction(), menu.actions().first());
    QCOMPARE(menu.sideTitle(), QStringLiteral("Tallyvane"));
    // The types with their icons, then "Customize...".
    QMenu* types = menu.actions().at(1)->menu();
    QVERIFY(types);
    QCOMPARE(types->actions().size(), static_cast<int>(GetEventTypeTable().GetCount()) + 2);
    QCOMPARE(types->actions().first()->data().toInt(), 2024);
    QVERIFY(!types->actions().first()->icon().isNull());
    QCOMPARE(types->actions().last()->data().toInt(), 3025);

    // The icon strips are compiled in (a static library loses its resources unless it
    // registers them itself) and cut into sixteen icons of each size.
    if (QFile::exists(QStringLiteral(TALLYVANE_SOURCE_DIR "/data/icons/icons.qrc")))
        QVERIFY(QFile::exists(QStringLiteral(":/icons/types-small.png")));
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(icons::SmallTypeIcon(i).size(), QSize(16, 16));
        QCOMPARE(icons::LargeTypeIcon(i).size(), QSize(32, 32));
    }
    QVERIFY(icons::LargeTypeIcon(0).toImage() != icons::LargeTypeIcon(1).toImage());
    QCOMPARE(icons::LargeTypeIcon(99).toImage(), icons::LargeTypeIcon(0).toImage());
    QVERIFY(!icons::AppIcon().isNull() && !icons::TrayIcon().isNull());
}

void ClockWndTest::eventPopOpensAPopupOnlyForAStoredEvent() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
    const uint32_t id = w.Add("Dentist", w.clock.Now());
    CMessageHub::Instance().Post(msg::kEventPop, 4242);
    CMessageHub::Instance().Post(msg::kEventPop, id);
    QCOMPARE(CReminderPopup::OpenPopups().size(), 0);  // delivered later, never at once
    QCoreApplication::processEvents();
    QCOMPARE(CReminderPopup::OpenPopups().size(), 1);
    QCOMPARE(CReminderPopup::OpenPopups().first()->eventId(), id);
}

void ClockWndTest::hubDeliversInOrderWithoutBlockingTheSender() {
    std::vector<quint32> received;
    auto c = connect(&CMessageHub::Instance(), &CMessageHub::eventPop, this, [&](quint32 id) { received.push_back(id); });
    CHubReminderSink sink;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        for (uint32_t id = 1; id <= 500; ++id) QVERIFY(sink.PostEventPop(id));
    }));
    worker->start();
    QVERIFY(worker->wait(5000));  // the worker finished while this thread handled nothing
    QVERIFY(received.empty());
    QCoreApplication::processEvents();
    QCOMPARE(received.size(), size_t(500));
    QVERIFY(std::is_sorted(received.begin(), received.end()));
    disconnect(c);
}

void ClockWndTest::mouseReachesTheWatcherAndADoubleClickOpensTheMainWindow() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
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

    // A double click opens the main window and no calendar.
    QTest::mouseClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(CMainWnd::Instance());
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QVERIFY(!QApplication::activePopupWidget());
    CMainWnd::Instance()->close();
    // A single click shows the month calendar below the clock after the double-click time (the
    // test platform may add a frame of a few pixels).
    QTest::mouseClick(&clock, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!QApplication::activePopupWidget());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget() != nullptr, QApplication::doubleClickInterval() + 1000);
    QWidget* calendar = QApplication::activePopupWidget();
    const QPoint corner(clock.frameGeometry().left(), clock.frameGeometry().bottom() + 1);
    QVERIFY((calendar->geometry().topLeft() - corner).manhattanLength() <= 6);
    calendar->close();
}

void ClockWndTest::exitAsksFirst() {
    CClockWnd clock(w.clock, tvtest::QuietClock());
    QSignalSpy exit(&clock, &CClockWnd::exitRequested);
    w.prompts.yesNo = {false, true};
    clock.runCommand(cmd::kExit);
    QCOMPARE(exit.count(), 0);
    clock.runCommand(cmd::kExit);
    QCOMPARE(exit.count(), 1);
    QCOMPARE(w.prompts.asked.first(), QStringLiteral("Tallyvane: Do you really want to exit this programme?"));
}

QTEST_MAIN(ClockWndTest)
#include "ClockWndTest.moc"
