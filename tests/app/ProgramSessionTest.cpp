// The running program reached from outside it: tallyvane-cli's commands change its pages and
// pop-ups, a second launch shows its calendar window, and a reminder also becomes a desktop
// notification whose actions answer it. Run on a display and a session bus of its own.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcess>

#include "AppTestSupport.h"
#include "engine/DesktopNotifier.h"
#include "platform/DataFolderLock.h"
#include "shell/ProgramServer.h"
#include "shell/WindowSettings.h"
#include "views/ViewPages.h"

using namespace tv;

namespace {

// The desktop's notification service as far as the program uses it; it records every call.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notice {
        QString summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Notice> shown;
    QList<uint> closed;

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int) {
        shown.append({summary, body, actions, hints});
        return uint(shown.size());
    }
    void CloseNotification(uint id) { closed.append(id); }
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
};

struct Ended {
    int code = -1;
    QString out, err;
};

// Runs a program to its end while this one keeps answering, as the real program would.
Ended RunToEnd(const QString& program, const QStringList& args, const QString& folder = {}) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    const QDeadlineTimer deadline(20000);
    while (p.state() != QProcess::NotRunning && !deadline.hasExpired()) QTest::qWait(10);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class ProgramSessionTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cliChangesReachThePagesAndPopups();
    void aSecondLaunchShowsTheCalendarWindow();
    void aReminderIsAlsoADesktopNotificationThatAnswersIt();

private:
    Ended Cli(QStringList args) {
        args = QStringList{QStringLiteral("--data-dir"), QString::fromStdString(w.dir.Path())} + args;
        // Started in the data folder, where a relative file name lands.
        return RunToEnd(QStringLiteral(TALLYVANE_CLI), args, QString::fromStdString(w.dir.Path()));
    }
    // A pop-up as the scheduler opens it: the event marked as showing first.
    CReminderPopup* Pop(uint32_t id) {
        CPtEvent ev;
        GetEventStore().GetById(id, ev);
        ev.SetShowing();
        GetEventStore().Modify(id, ev, ShowingMark::Replace);
        return CReminderPopup::Open(id, w.clock);
    }
    static ReminderState StateOf(uint32_t id) {
        CPtEvent ev;
        GetEventStore().GetById(id, ev);
        return ev.GetReminderState();
    }

    tvtest::TempDir m_runtime;
    DataFolderLock m_folderLock;
    FileLock m_sessionLock;
    std::optional<SessionEndpoint> m_endpoint;
    CProgramServer m_server;
    FakeNotifications m_notifications;
};

void ProgramSessionTest::initTestCase() {
    w.Install();
    // The program's side as CReminderApp sets it up: the session's lock and socket, the data
    // folder's lock saying where the socket is.
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(m_runtime.Path()));
    std::string why;
    m_endpoint = FindSessionEndpoint(ProcessEnvironment(), why);
    QVERIFY2(m_endpoint, why.c_str());
    QCOMPARE(m_sessionLock.TryLock(m_endpoint->lockPath, why), FileLock::Taken::Yes);
    QVERIFY2(m_server.Listen(m_endpoint->socketPath, why), why.c_str());
    QVERIFY(m_folderLock.TryLock(w.dir.Path(), DataFolderLock::Mode::Exclusive, why));
    QVERIFY(m_folderLock.Record(m_endpoint->socketPath));

    QDBusConnection fake = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
    if (!fake.isConnected()) return;
    fake.registerObject(QLatin1String(CDesktopNotifier::kPath), &m_notifications, QDBusConnection::ExportAllSlots);
    QVERIFY(fake.registerService(QLatin1String(CDesktopNotifier::kService)));
}

void ProgramSessionTest::cliChangesReachThePagesAndPopups() {
    WriteDesktopNotifications(w.settings, false);
    CMainWnd* m = w.Open(kViewDaily);
    const DateTime day = m->pages()->currentDate().DateOnly();
    const QString now = QString::fromStdString((day + TimeSpan::FromParts(0, 0, 0, 1)).ToIsoText());
    const QString at11 = QString::fromStdString((day + TimeSpan::FromParts(0, 11, 0, 0)).ToIsoText());
    CCalendarView* daily = m->pages()->calendarView(kViewDaily);
    QCOMPARE(daily->layout().ItemCount(), size_t(0));

    Ended r = Cli({QStringLiteral("add"), QStringLiteral("--name=From the CLI"), QStringLiteral("--start"), at11,
                   QStringLiteral("--now"), now});
    QCOMPARE(std::tuple(r.code, r.out, r.err), std::tuple(0, QStringLiteral("1\n"), QString()));
    QCOMPARE(daily->layout().ItemCount(), size_t(1));  // before the command line had its answer
    QVERIFY(tvtest::OnDisk(1));

    const uint32_t due = w.Add("Due", day + TimeSpan::FromParts(0, 9, 0, 0));
    Pop(due);
    r = Cli({QStringLiteral("disable"), QString::number(due)});
    QCOMPARE(CReminderPopup::OpenPopups().size(), 1);  // a switch answers no reminder
    r = Cli({QStringLiteral("snooze"), QString::number(due), QStringLiteral("600")});
    QCOMPARE(r.code, 0);
    QVERIFY(CReminderPopup::OpenPopups().isEmpty());
    QCOMPARE(StateOf(due), kReminderSnoozed);
    QCOMPARE(daily->layout().ItemCount(), size_t(2));

    Pop(due);
    r = Cli({QStringLiteral("delete"), QString::number(due)});
    QCOMPARE(r.code, 0);
    QVERIFY(CReminderPopup::OpenPopups().isEmpty());
    QCOMPARE(daily->layout().ItemCount(), size_t(1));
    // Errors and reads come back as they would without the program.
    r = Cli({QStringLiteral("delete"), QString::number(due)});
    QCOMPARE(std::tuple(r.code, r.err), std::tuple(1, QStringLiteral("No event has the id %1.\n").arg(due)));
    w.Add("Not saved yet");
    QVERIFY(Cli({QStringLiteral("events")}).out.contains(QStringLiteral("\"name\": \"Not saved yet\"")));
    QCOMPARE(Cli({QStringLiteral("export"), QStringLiteral("rel.exp")}).code, 0);
    QVERIFY(w.dir.Exists("rel.exp"));
    // The program syncs the folder itself; a second sync beside it would race it.
    r = Cli({QStringLiteral("sync"), QStringLiteral("--url=http://127.0.0.1:9/cal/")});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("use Sync Now")));
}

void ProgramSessionTest::aSecondLaunchShowsTheCalendarWindow() {
    QVERIFY(!CMainWnd::Instance());
    const QString folder = QString::fromStdString(w.dir.Path());
    const Ended r = RunToEnd(QStringLiteral(TALLYVANE_PROGRAM), {QStringLiteral("--data-dir"), folder});
    QCOMPARE(r.code, 0);
    QVERIFY(CMainWnd::Instance() && CMainWnd::Instance()->isVisible());
}

void ProgramSessionTest::aReminderIsAlsoADesktopNotificationThatAnswersIt() {
    if (!QDBusConnection::sessionBus().isConnected()) QSKIP("no session bus");
    WriteDesktopNotifications(w.settings, true);
    CPtEvent ev(w.clock.Now());
    ev.SetName("Dentist");
    ev.SetNote("Bring <card>");
    ev.SetStart(w.clock.Now());
    GetEventStore().Add(ev);
    CReminderPopup* popup = Pop(ev.GetId());
    QTRY_COMPARE(m_notifications.shown.size(), 1);
    const FakeNotifications::Notice& n = m_notifications.shown.front();
    QCOMPARE(n.summary, popup->windowTitle());
    QCOMPARE(n.body, popup->timeText() + QStringLiteral("\nBring <card>"));  // the service reads no markup
    QCOMPARE(n.actions, (QStringList{"snooze", "Snooze", "accept", "Accept"}));
    QCOMPARE(n.hints.value(QStringLiteral("urgency")).value<uchar>(), uchar(2));
    QVERIFY(n.hints.contains(QStringLiteral("image-data")));

    QDBusMessage accept =
        QDBusMessage::createSignal(QLatin1String(CDesktopNotifier::kPath), QLatin1String(CDesktopNotifier::kService),
                                   QStringLiteral("ActionInvoked"));
    accept << uint(1) << QStringLiteral("accept");
    QDBusConnection(QStringLiteral("fake")).send(accept);
    QTRY_VERIFY(CReminderPopup::OpenPopups().isEmpty());
    QCOMPARE(StateOf(ev.GetId()), kReminderDone);
    QTRY_COMPARE(m_notifications.closed, QList<uint>{1});

    // Answered in the pop-up, the notification goes; switched off, none comes.
    const uint32_t call = w.Add("Call");
    Pop(call)->snooze();
    QTRY_COMPARE(m_notifications.closed, (QList<uint>{1, 2}));
    WriteDesktopNotifications(w.settings, false);
    Pop(w.Add("Quiet"));
    QTest::qWait(200);
    QCOMPARE(m_notifications.shown.size(), 2);
}

QTEST_MAIN(ProgramSessionTest)
#include "ProgramSessionTest.moc"
