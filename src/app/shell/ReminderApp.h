// CReminderApp: the running program's start-up and shutdown, in their fixed order.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "engine/Clock.h"
#include "platform/DataFolderLock.h"

class QSocketNotifier;

namespace tv {

class CClockWnd;
class CQSettingsStore;
class CSyncController;

class CReminderApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString dataDir;  // empty: the executable's folder
    };

    CReminderApp();
    ~CReminderApp() override;

    // Program folder, single-instance check, the data-folder lock, settings, type icons, the
    // event store and type table, the clock window (which starts the scheduler, the tray and,
    // by preference, the main window). Answers 0 when the program runs, else the exit code.
    int Start(const Options& options);
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
    void WatchTerminationSignals();

    QString m_dataDir;
    SystemClock m_clock;
    DataFolderLock m_lock;
    std::unique_ptr<CQSettingsStore> m_settings;
    CClockWnd* m_clockWnd = nullptr;
    std::unique_ptr<CSyncController> m_sync;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_started = false;
    bool m_shutDown = false;
};

}  // namespace tv
