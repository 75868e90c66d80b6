// CReminderApp: the running program's start-up and shutdown, in their fixed order.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "engine/Clock.h"
#include "platform/DataFolderLock.h"
#include "platform/LocalSocket.h"

class QSocketNotifier;

namespace tv {

class CClockWnd;
class CProgramServer;
class CQSettingsStore;
class CSyncController;

class CReminderApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString dataDir;            // empty: the default data folder (DefaultDataFolder)
        bool trustDataDir = false;  // use a data folder that others own or may write to
    };

    CReminderApp();
    ~CReminderApp() override;

    // Program folder, the session's lock (a later launch hands over to the program that holds
    // it and ends), the data-folder lock, settings, type icons, the event store and type
    // table, the clock window (which starts the scheduler, the tray and, by preference, the
    // main window), and the session's socket. Nothing when the program runs, else the exit
    // code.
    std::optional<int> Start(const Options& options);
    // Closes everything in order and saves: the clock window (scheduler, main window, clock
    // position, tray), the event file, the preferences. Safe to call more than once.
    void Shutdown();

    static CReminderApp* Instance();
    // The data folder given with --data-dir, absolute; empty when the program runs on its own
    // folder. The log-on start entry passes it on.
    QString dataDirArgument() const { return m_dataDir; }

public Q_SLOTS:
    // After a confirmed Exit or a termination signal: shut down and leave the event loop.
    void Exit();

private:
    bool LockDataFolder(const QString& folder);
    // Takes this login session's lock. Nothing when this is the session's program; else the
    // exit code of a launch that found the program running (0 once it showed its window).
    std::optional<int> ClaimSession(const QString& folder);
    // Listens for later launches and tallyvane-cli, and says where in the data folder's lock.
    void ListenForRequests();
    void WatchTerminationSignals();

    QString m_dataDir;
    SystemClock m_clock;
    DataFolderLock m_lock;
    FileLock m_sessionLock;
    std::string m_socketPath;  // empty: the program runs without a session socket
    CProgramServer* m_server = nullptr;
    std::unique_ptr<CQSettingsStore> m_settings;
    CClockWnd* m_clockWnd = nullptr;
    std::unique_ptr<CSyncController> m_sync;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_started = false;
    bool m_shutDown = false;
};

}  // namespace tv
