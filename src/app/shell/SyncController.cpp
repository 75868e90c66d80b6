// CSyncController: settings, password, the worker thread and what the user is told.
#include "SyncController.h"

#include <QApplication>
#include <QDateTime>
#include <future>

#include "CurlHttpClient.h"
#include "MainWnd.h"
#include "MessageHub.h"
#include "SyncSecrets.h"
#include "SyncSettings.h"
#include "UserPrompts.h"
#include "shell/KeyValueStore.h"
#include "shell/RegisteredMessages.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"

namespace tv {

namespace {

CSyncController* g_sync = nullptr;
// The first scheduled sync after start-up, once the windows are up.
constexpr int kFirstSyncMs = 10000;

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

// Told once the controller's own work is done: a message box waits in an event loop of its own,
// during which the program may end and take the controller with it.
void TellLater(const QString& text, bool warning) {
    QTimer::singleShot(0, qApp,
                       [text, warning] { Prompts().Tell(CMainWnd::Instance(), ProductName(), text, warning); });
}

}  // namespace

CSyncController::CSyncController(QObject* parent) : QObject(parent) {
    g_sync = this;
    connect(&m_timer, &QTimer::timeout, this, [this] { syncNow(false); });
    reschedule();
    if (m_timer.isActive()) QTimer::singleShot(kFirstSyncMs, this, [this] { syncNow(false); });
}

CSyncController::~CSyncController() {
    m_cancel = true;
    if (m_worker.joinable()) m_worker.join();
    if (g_sync == this) g_sync = nullptr;
}

CSyncController* CSyncController::Instance() { return g_sync; }

void CSyncController::reschedule() {
    sync::SyncSettings settings;
    settings.Load(GetSettingsStore());
    if (settings.url.empty() || settings.minutes <= 0) return m_timer.stop();
    m_timer.start(settings.minutes * 60000);
}

void CSyncController::setTypedPassword(const QString& url, const QString& user, const QString& password) {
    m_typedFor = SyncSecretKey(url, user);
    m_typedPassword = password;
}

void CSyncController::syncNow(bool asked) {
    if (isRunning()) return;
    sync::SyncSettings settings;
    settings.Load(GetSettingsStore());
    if (settings.url.empty()) {
        if (asked) fail(tr("Set the calendar's URL on the Sync page of Options first."), asked);
        return;
    }
    sync::SyncRequest request;
    request.url = settings.url;
    request.user = settings.user;
    request.limits = m_limits;
    const QString key = SyncSecretKey(Utf8(settings.url), Utf8(settings.user));
    if (key == m_typedFor || settings.user.empty()) {
        request.password = key == m_typedFor ? m_typedPassword.toStdString() : std::string();
        return start(request, asked);
    }
    SyncSecrets().Read(key, this, [this, request, asked](bool ok, const QString& secret) mutable {
        if (!ok)
            return fail(tr("Sync failed: the password could not be read from the "
                           "desktop's secret store (%1).")
                            .arg(secret),
                        asked);
        request.password = secret.toStdString();
        start(request, asked);
    });
}

void CSyncController::start(const sync::SyncRequest& request, bool asked) {
    if (isRunning()) return;
    m_cancel = false;
    m_worker = std::thread([this, request, asked] {
        sync::CurlHttpClient http;
        sync::SyncEngine engine(GetEventStore(), GetEventTypeTable(), http);
        engine.SetCancelFlag(&m_cancel);
        engine.SetStoreWriter([this](const std::function<void()>& change, bool removes) {
            return changeOnWindowsThread(change, removes);
        });
        const sync::SyncReport report = engine.Run(request, LocalNow());
        // Delivered on the windows' thread; dropped with this object when the program ends.
        QMetaObject::invokeMethod(
            this, [this, report, asked] { deliver(report, asked); }, Qt::QueuedConnection);
    });
}

bool CSyncController::changeOnWindowsThread(const std::function<void()>& change, bool removes) {
    std::promise<void> done;
    std::future<void> changed = done.get_future();
    // Never run once the wait below has given up: ending the program sets the flag and joins
    // this thread before the controller goes, and its queued calls go with it.
    QMetaObject::invokeMethod(
        this,
        [&change, &done, removes] {
            change();
            // The pages hold the events they show: they let go of a deleted one before anything
            // is drawn again.
            if (removes) CMessageHub::Instance().Send(msg::kRefresh, 0);
            done.set_value();
        },
        Qt::QueuedConnection);
    while (changed.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        if (m_cancel) return false;
    return true;
}

void CSyncController::deliver(const sync::SyncReport& report, bool asked) {
    if (m_worker.joinable()) m_worker.join();
    ReportSave(nullptr, sync::KeepSyncedUids(GetEventStore()));
    if (report.storeChanged) {
        for (uint32_t id : report.deletedIds) PostToMainWnd(msg::kEventDel, id);
        PostToMainWnd(msg::kRefresh, 0);
    }
    const QString message = Utf8(report.message);
    if (!report.ok) {
        fail(message, asked);
    } else {
        m_lastResult = QStringLiteral("%1: %2").arg(
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), message);
        m_lastFailure.clear();
        if (asked) {
            QString text = message;
            for (const std::string& note : report.notes) text += QLatin1Char('\n') + Utf8(note);
            TellLater(text, false);
        }
        Q_EMIT finished(true, message);
    }
}

void CSyncController::fail(const QString& message, bool asked) {
    m_lastResult = QStringLiteral("%1: %2").arg(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), message);
    if (asked || message != m_lastFailure) TellLater(message, true);
    m_lastFailure = message;
    Q_EMIT finished(false, message);
}

}  // namespace tv
