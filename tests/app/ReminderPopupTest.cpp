// The reminder pop-up: its look, its three answers with their store changes and saves, and
// the ways it refuses to be dismissed.
#include <QCloseEvent>
#include <QScreen>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "controls/DurationField.h"
#include "engine/ReminderPopup.h"
#include "engine/ReminderScheduler.h"
#include "model/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/MessageHub.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"

using namespace tv;
using tvtest::FakeClock;

class ReminderPopupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheEventInItsTypesLook();
    void unknownTypeShowsTheDefaultType();
    void snoozeRemindsAgainFiveMinutesLaterAndSaves();
    void snoozeWithAnUnreadableLengthStaysOpen();
    void acceptEndsAOneOffEventOnDisk();
    void deleteOfARecurringEventAsksFirst();
    void deleteSavesAtOnce();
    void vanishedEventOnlyCloses();
    void enterEscapeAndCloseBoxDoNothing();
    void severalPopupsShareOneSpot();
    void firstRestoreAfterMinimiseGoesBackToTheCreationRectangle();
    void openWithAnIdTheStoreLacksShowsNothing();

private:
    uint32_t AddEvent(const QString& name, uint32_t type, bool recurring = false);
    CPtEvent OnDisk(uint32_t id, bool& found) const;

    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::RecordingSoundPlayer m_sound;
    tvtest::ScriptedPrompts m_prompts;
    FakeClock m_clock{DateTime::FromParts(2024, 5, 6, 10, 0, 0)};
};

void ReminderPopupTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSettingsStore(&m_settings);
    SetSoundPlayer(&m_sound);
    SetUserPrompts(&m_prompts);
    GetEventTypeTable();  // the shipped types of a first start
}

void ReminderPopupTest::init() {
    GetEventStore().RemoveAll();
    m_sound.played.clear();
    m_prompts = tvtest::ScriptedPrompts();
    m_clock.Set(DateTime::FromParts(2024, 5, 6, 10, 0, 0));
}

void ReminderPopupTest::cleanup() {
    CReminderPopup::CloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

uint32_t ReminderPopupTest::AddEvent(const QString& name, uint32_t type, bool recurring) {
    CPtEvent ev(m_clock.Now());
    ev.SetName(name.toStdString());
    ev.SetNote("Bring the\r\nreport.");
    ev.SetType(type);
    ev.SetSound("ring.wav");
    ev.SetStart(DateTime::FromParts(2024, 5, 6, 9, 59, 0));
    if (recurring) {
        ev.GetRecurrence().SetPattern(std::make_unique<CDailyRePattern>());
        ev.GetRecurrence().SetStart(DateTime::FromParts(2024, 5, 6, 9, 59, 0));
    }
    GetEventStore().Add(ev);
    // As the scheduler would: the event is showing while its pop-up is open.
    class Sink final : public IReminderSink {
        bool PostEventPop(uint32_t) override { return true; }
    } sink;
    CReminderScheduler::CheckPass(GetEventStore(), m_clock.Now(), sink);
    return ev.GetId();
}

CPtEvent ReminderPopupTest::OnDisk(uint32_t id, bool& found) const {
    CEventStore reread(EventFilePath());
    reread.Load();
    CPtEvent ev;
    found = reread.GetById(id, ev);
    return ev;
}

void ReminderPopupTest::showsTheEventInItsTypesLook() {
    CEventType birthday;
    QVERIFY(GetEventTypeTable().FindByName("Birthday", birthday));
    const uint32_t id = AddEvent(QStringLiteral("Mum"), birthday.GetId());
    CReminderPopup* popup = CReminderPopup::Open(id, m_clock);
    QVERIFY(popup);
    QCOMPARE(popup->windowTitle(), QStringLiteral("Birthday - Mum"));
    QCOMPARE(popup->timeText(), QStringLiteral("At 09:59 - May 06,2024"));
    QCOMPARE(popup->nameText(), QStringLiteral("Mum"));
    QCOMPARE(popup->noteText(), QStringLiteral("Bring the\nreport."));
    QCOMPARE(popup->snoozeField()->seconds(), 300);
    QCOMPARE(m_sound.played, QStringList{QStringLiteral("ring.wav")});
    // The name is drawn in the type's colour and never smaller than a readable size.
    auto* name = popup->findChildren<QLabel*>().at(2);
    QCOMPARE(name->text(), QStringLiteral("Mum"));
    QCOMPARE(name->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF,
             QColor(birthday.GetTextColor() & 0xFF, (birthday.GetTextColor() >> 8) & 0xFF,
                    (birthday.GetTextColor() >> 16) & 0xFF)
                     .rgb() &
                 0xFFFFFF);
    QVERIFY(name->font().pixelSize() >= 11);
    QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    // The three buttons fit inside the window.
    for (QPushButton* b : popup->findChildren<QPushButton*>()) QVERIFY(popup->rect().contains(b->geometry()));
}

void ReminderPopupTest::unknownTypeShowsTheDefaultType() {
    m_settings.WriteNumber("Var", "ReminderOnTop", 0);
    DestroyAppSettings();
    const uint32_t id = AddEvent(QStringLiteral("Dentist"), 4711);
    CReminderPopup* popup = CReminderPopup::Open(id, m_clock);
    QVERIFY(popup);
    QCOMPARE(popup->windowTitle(), QStringLiteral("Undefined - Dentist"));
    QVERIFY(!(popup->windowFlags() & Qt::WindowStaysOnTopHint));
    m_settings.WriteNumber("Var", "ReminderOnTop", 1);
    DestroyAppSettings();
}

void ReminderPopupTest::snoozeRemindsAgainFiveMinutesLaterAndSaves() {
    const uint32_t id = AddEvent(QStringLiteral("Standup"), 0);
    QPointer<CReminderPopup> popup = CReminderPopup::Open(id, m_clock);
    QTest::mouseClick(popup->findChild<QPushButton*>(), Qt::LeftButton);  // "&Snooze" comes first
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(popup.isNull());

    bool found = false;
    const CPtEvent disk = OnDisk(id, found);
    QVERIFY(found);
    QCOMPARE(disk.GetReminderState(), kReminderSnoozed);
    QCOMPARE(disk.GetRemindAt().ToIsoText(), std::string("2024-05-06 10:05:00"));

    // The next reminder comes with the first pass after five minutes, not before.
    class Sink final : public IReminderSink {
    public:
        bool PostEventPop(uint32_t eventId) override {
            ids.push_back(eventId);
            return true;
        }
        std::vector<uint32_t> ids;
    } sink;
    CReminderScheduler::CheckPass(GetEventStore(), m_clock.Now() + TimeSpan::FromSeconds(299), sink);
    QVERIFY(sink.ids.empty());
    CReminderScheduler::CheckPass(GetEventStore(), m_clock.Now() + TimeSpan::FromSeconds(301), sink);
    QCOMPARE(sink.ids, std::vector<uint32_t>{id});
}

void ReminderPopupTest::snoozeWithAnUnreadableLengthStaysOpen() {
    const uint32_t id = AddEvent(QStringLiteral("Standup"), 0);
    QPointer<CReminderPopup> popup = CReminderPopup::Open(id, m_clock);
    auto* edit = popup->snoozeField()->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("soon"));
    popup->snooze();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!popup.isNull());
    CPtEvent ev;
    GetEventStore().GetById(id, ev);
    QVERIFY(ev.IsShowing());
}

void ReminderPopupTest::acceptEndsAOneOffEventOnDisk() {
    const uint32_t id = AddEvent(QStringLiteral("Pay rent"), 0);
    QSignalSpy invalidate(&CMessageHub::Instance(), &CMessageHub::invalidate);
    CReminderPopup::Open(id, m_clock)->acceptEvent();
    bool found = false;
    QCOMPARE(OnDisk(id, found).GetReminderState(), kReminderDone);
    CPtEvent ev;
    GetEventStore().GetById(id, ev);
    QVERIFY(!ev.IsShowing());
    QCoreApplication::processEvents();
    QCOMPARE(invalidate.count(), 0);  // no main window: nothing is posted
}

void ReminderPopupTest::deleteOfARecurringEventAsksFirst() {
    const uint32_t id = AddEvent(QStringLiteral("Gym"), 0, true);
    QPointer<CReminderPopup> popup = CReminderPopup::Open(id, m_clock);
    m_prompts.yesNo = {false};
    popup->deleteEvent();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_prompts.asked,
             QStringList{QStringLiteral("Warning: This is a recurrent event, do you really want to delete it?")});
    QVERIFY(!popup.isNull());
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));

    m_prompts.yesNo = {true};
    popup->deleteEvent();
    QVERIFY(!GetEventStore().GetById(id, ev));
}

void ReminderPopupTest::deleteSavesAtOnce() {
    const uint32_t keep = AddEvent(QStringLiteral("Keep"), 0);
    const uint32_t gone = AddEvent(QStringLiteral("Gone"), 0);
    QVERIFY(GetEventStore().Save().ok);
    CReminderPopup::Open(gone, m_clock)->deleteEvent();
    QVERIFY2(m_prompts.asked.isEmpty(), "a one-off event is deleted without a question");
    bool found = true;
    OnDisk(gone, found);
    QVERIFY(!found);
    OnDisk(keep, found);
    QVERIFY(found);
}

void ReminderPopupTest::vanishedEventOnlyCloses() {
    const uint32_t id = AddEvent(QStringLiteral("Meeting"), 0);
    QPointer<CReminderPopup> a = CReminderPopup::Open(id, m_clock);
    QPointer<CReminderPopup> b = CReminderPopup::Open(id, m_clock);
    QPointer<CReminderPopup> c = CReminderPopup::Open(id, m_clock);
    GetEventStore().Delete(id);
    a->snooze();
    b->acceptEvent();
    c->deleteEvent();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a.isNull() && b.isNull() && c.isNull());
    QVERIFY(!QFile::exists(QString::fromStdString(EventFilePath())) || GetEventStore().GetCount() == 0);
}

void ReminderPopupTest::enterEscapeAndCloseBoxDoNothing() {
    const uint32_t id = AddEvent(QStringLiteral("Call Bob"), 0);
    QPointer<CReminderPopup> popup = CReminderPopup::Open(id, m_clock);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    for (QPushButton* b : popup->findChildren<QPushButton*>()) {
        b->setFocus();
        QTest::keyClick(popup, Qt::Key_Return);
        QTest::keyClick(popup, Qt::Key_Enter);
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    QCloseEvent close;
    QCoreApplication::sendEvent(popup, &close);
    QVERIFY(!close.isAccepted());
    popup->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!popup.isNull());
    QVERIFY(popup->isVisible());
    CPtEvent ev;
    GetEventStore().GetById(id, ev);
    QVERIFY(ev.IsShowing());
    QCOMPARE(ev.GetReminderState(), kReminderArmed);
}

void ReminderPopupTest::severalPopupsShareOneSpot() {
    const uint32_t first = AddEvent(QStringLiteral("One"), 0);
    const uint32_t second = AddEvent(QStringLiteral("Two"), 0);
    CReminderPopup* a = CReminderPopup::Open(first, m_clock);
    CReminderPopup* b = CReminderPopup::Open(second, m_clock);
    QCOMPARE(a->pos(), b->pos());
    QCOMPARE(CReminderPopup::OpenPopups().size(), 2);
    // The second sound cuts off the first: the player was asked twice, in order.
    QCOMPARE(m_sound.played, (QStringList{QStringLiteral("ring.wav"), QStringLiteral("ring.wav")}));
}

void ReminderPopupTest::firstRestoreAfterMinimiseGoesBackToTheCreationRectangle() {
    const uint32_t id = AddEvent(QStringLiteral("Move me"), 0);
    CReminderPopup* popup = CReminderPopup::Open(id, m_clock);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    const QSize size = popup->size();
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    popup->setWindowState(Qt::WindowMinimized);
    popup->move(QPoint(5, 5));
    popup->setWindowState(Qt::WindowNoState);
    QVERIFY((popup->frameGeometry().center() - centre).manhattanLength() <= 2);
    QCOMPARE(popup->size(), size);
    // The second cycle leaves it where the user put it.
    popup->setWindowState(Qt::WindowMinimized);
    popup->move(QPoint(5, 5));
    popup->setWindowState(Qt::WindowNoState);
    QCOMPARE(popup->pos(), QPoint(5, 5));
}

void ReminderPopupTest::openWithAnIdTheStoreLacksShowsNothing() {
    QVERIFY(!CReminderPopup::Open(999, m_clock));
    QVERIFY(m_sound.played.isEmpty());
}

QTEST_MAIN(ReminderPopupTest)
#include "ReminderPopupTest.moc"
