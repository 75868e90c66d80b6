// The reminder pop-up: its look, its three buttons with their store changes and saves, and the
// ways it refuses to be dismissed.
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "AppTestSupport.h"
#include "controls/DurationField.h"
#include "engine/ReminderScheduler.h"
#include "store/EventTypeTable.h"

using namespace tv;

namespace {

QPushButton* Button(CReminderPopup* popup, const char* text) {
    for (QPushButton* b : popup->findChildren<QPushButton*>())
        if (b->text() == QLatin1String(text)) return b;
    qFatal("no button %s", text);
}

}  // namespace

class ReminderPopupTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        w.Install();
        GetEventTypeTable();  // the shipped types of a first start
    }

    void showsTheEventInItsTypesLook();
    void buttonsChangeTheStoreAndTheFile();
    void deleteOfARecurringEventAsksFirst();
    void snoozeWithAnUnreadableLengthStaysOpen();
    void aVanishedEventOnlyCloses();
    void enterEscapeAndCloseBoxDoNothing();
    void popupsShareOneSpotAndTheFirstRestoreGoesBackThere();

private:
    // A due event with a note and a sound of its own, its pop-up open.
    CReminderPopup* PopDue(const char* name, uint32_t type = 0, bool recurring = false) {
        const uint32_t id = w.Add(name, DateTime::FromParts(2024, 5, 6, 9, 59, 0), recurring, type);
        CPtEvent ev;
        GetEventStore().GetById(id, ev);
        ev.SetNote("Bring the\r\nreport.");
        ev.SetSound("ring.wav");
        GetEventStore().Modify(id, ev);
        return w.Pop(id);
    }
};

void ReminderPopupTest::showsTheEventInItsTypesLook() {
    CEventType birthday;
    QVERIFY(GetEventTypeTable().FindByName("Birthday", birthday));
    CReminderPopup* popup = PopDue("Mum", birthday.GetId());
    QVERIFY(popup);
    QCOMPARE(popup->windowTitle(), QStringLiteral("Birthday - Mum"));
    QCOMPARE(popup->timeText(), QStringLiteral("At 09:59 - May 06,2024"));
    QCOMPARE(popup->noteText(), QStringLiteral("Bring the\nreport."));
    QCOMPARE(popup->snoozeField()->seconds(), 300);
    QCOMPARE(w.sound.played, QStringList{QStringLiteral("ring.wav")});
    QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    // The name is drawn in the type's colour and never smaller than a readable size.
    auto* name = popup->findChildren<QLabel*>().at(2);
    QCOMPARE(name->text(), QStringLiteral("Mum"));
    const ColorRef c = birthday.GetTextColor();
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    QVERIFY(name->font().pixelSize() >= 11);
    for (QPushButton* b : popup->findChildren<QPushButton*>()) QVERIFY(popup->rect().contains(b->geometry()));

    // An unknown type shows as the default type; the preference may keep pop-ups off the top.
    w.settings.WriteNumber("Var", "ReminderOnTop", 0);
    DestroyAppSettings();
    popup = PopDue("Dentist", 4711);
    QCOMPARE(popup->windowTitle(), QStringLiteral("Undefined - Dentist"));
    QVERIFY(!(popup->windowFlags() & Qt::WindowStaysOnTopHint));
    w.settings.WriteNumber("Var", "ReminderOnTop", 1);
    DestroyAppSettings();
    QVERIFY(!CReminderPopup::Open(999, w.clock));  // an id the store lacks shows nothing
}

void ReminderPopupTest::buttonsChangeTheStoreAndTheFile() {
    QPointer<CReminderPopup> a = PopDue("Standup"), b = PopDue("Pay rent"), c = PopDue("Gone");
    const uint32_t snoozed = a->eventId(), accepted = b->eventId(), deleted = c->eventId();
    QVERIFY(GetEventStore().Save().ok);
    QTest::mouseClick(Button(a, "&Snooze"), Qt::LeftButton);
    QTest::mouseClick(Button(b, "A&ccept"), Qt::LeftButton);
    QTest::mouseClick(Button(c, "Dele&te"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a.isNull() && b.isNull() && c.isNull());
    QVERIFY2(w.prompts.asked.isEmpty(), "a one-off event is deleted without a question");

    CPtEvent ev;
    QVERIFY(tvtest::OnDisk(snoozed, &ev));
    QCOMPARE(ev.GetReminderState(), kReminderSnoozed);
    QCOMPARE(ev.GetRemindAt().ToIsoText(), std::string("2024-05-06 10:05:00"));
    QVERIFY(tvtest::OnDisk(accepted, &ev));
    QCOMPARE(ev.GetReminderState(), kReminderDone);
    QVERIFY(!tvtest::OnDisk(deleted));
    // The showing marks are gone, so the scheduler may announce the snoozed event again.
    GetEventStore().GetById(snoozed, ev);
    QVERIFY(!ev.IsShowing());
}

void ReminderPopupTest::deleteOfARecurringEventAsksFirst() {
    QPointer<CReminderPopup> popup = PopDue("Gym", 0, true);
    const uint32_t id = popup->eventId();
    w.prompts.yesNo = {false};
    popup->deleteEvent();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.prompts.asked,
             QStringList{QStringLiteral("Warning: This is a recurrent event, do you really want to delete it?")});
    QVERIFY(!popup.isNull());
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    popup->deleteEvent();  // Yes
    QVERIFY(!GetEventStore().GetById(id, ev));
}

void ReminderPopupTest::snoozeWithAnUnreadableLengthStaysOpen() {
    QPointer<CReminderPopup> popup = PopDue("Standup");
    const uint32_t id = popup->eventId();
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

void ReminderPopupTest::aVanishedEventOnlyCloses() {
    QFile::remove(QString::fromStdString(EventFilePath()));
    QPointer<CReminderPopup> a = PopDue("Meeting");
    const uint32_t id = a->eventId();
    QPointer<CReminderPopup> b = CReminderPopup::Open(id, w.clock);
    QPointer<CReminderPopup> c = CReminderPopup::Open(id, w.clock);
    GetEventStore().Delete(id);
    a->snooze();
    b->acceptEvent();
    c->deleteEvent();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a.isNull() && b.isNull() && c.isNull());
    QVERIFY(!QFile::exists(QString::fromStdString(EventFilePath())));
}

void ReminderPopupTest::enterEscapeAndCloseBoxDoNothing() {
    QPointer<CReminderPopup> popup = PopDue("Call Bob");
    const uint32_t id = popup->eventId();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    for (QPushButton* b : popup->findChildren<QPushButton*>()) {
        b->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(popup, key);
    }
    QCloseEvent close;
    QCoreApplication::sendEvent(popup, &close);
    QVERIFY(!close.isAccepted());
    popup->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!popup.isNull() && popup->isVisible());
    CPtEvent ev;
    GetEventStore().GetById(id, ev);
    QVERIFY(ev.IsShowing());
    QCOMPARE(ev.GetReminderState(), kReminderArmed);
}

void ReminderPopupTest::popupsShareOneSpotAndTheFirstRestoreGoesBackThere() {
    CReminderPopup *first = PopDue("One"), *popup = PopDue("Two");
    QCOMPARE(first->pos(), popup->pos());
    // The second sound cuts off the first: the player was asked twice, in order.
    QCOMPARE(w.sound.played, (QStringList{QStringLiteral("ring.wav"), QStringLiteral("ring.wav")}));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    const QSize size = popup->size();
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (int cycle = 0; cycle < 2; ++cycle) {
        popup->setWindowState(Qt::WindowMinimized);
        popup->move(QPoint(5, 5));
        popup->setWindowState(Qt::WindowNoState);
        // Only the first cycle moves it back; the second leaves it where the user put it.
        if (cycle == 0) QVERIFY((popup->frameGeometry().center() - centre).manhattanLength() <= 2);
        else QCOMPARE(popup->pos(), QPoint(5, 5));
        QCOMPARE(popup->size(), size);
    }
}

QTEST_MAIN(ReminderPopupTest)
#include "ReminderPopupTest.moc"
