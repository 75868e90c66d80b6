// CSyncController: the program's syncs with the calendar server, now and every N minutes, each
// on a thread of its own so that the windows stay responsive. The windows follow the store
// afterwards, and a failed sync is told once: a sync the user asked for always, a scheduled one
// only when its failure differs from the last one's (a server that stays down is not told again
// every few minutes).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

#include "SyncEngine.h"

namespace tv {

class CSyncController : public QObject {
    Q_OBJECT
public:
    explicit CSyncController(QObject* parent = nullptr);
    // Stops a sync under way and waits for it: the store is not changed after this.
    ~CSyncController() override;

    static CSyncController* Instance();

    // Starts a sync unless one runs.
    void syncNow(bool asked);
    // The password just typed on the Sync page: used instead of the secret store's until the
    // program ends or the URL or user change, so that syncs go on where the desktop has no
    // secret store.
    void setTypedPassword(const QString& url, const QString& user, const QString& password);
    bool isRunning() const { return m_worker.joinable(); }
    // The settings changed: the timer follows them.
    void reschedule();
    // "Last sync: ..." for the Sync page.
    QString lastResult() const { return m_lastResult; }
    // The limits of each request; tests shorten them.
    void setLimits(const sync::HttpLimits& limits) { m_limits = limits; }

Q_SIGNALS:
    void finished(bool ok, const QString& message);

private:
    void start(const sync::SyncRequest& request, bool asked);
    void deliver(const sync::SyncReport& report, bool asked);
    // Runs one of the sync's changes of the store on the windows' thread and waits for it.
    bool changeOnWindowsThread(const std::function<void()>& change, bool removes);
    void fail(const QString& message, bool asked);

    QTimer m_timer;
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    sync::HttpLimits m_limits;
    QString m_lastFailure;
    QString m_typedFor, m_typedPassword;  // "user url", and the password typed for them
    QString m_lastResult;
};

}  // namespace tv
