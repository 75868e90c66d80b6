// CReminderApp: the running program's start-up and shutdown, in their fixed order.
#include "ReminderApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "AppIcons.h"
#include "ClockWnd.h"
#include "ProgramServer.h"
#include "QSettingsStore.h"
#include "SyncController.h"
#include "UserPrompts.h"
#include "engine/ReminderPopup.h"
#include "store/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "platform/DataFolder.h"
#include "platform/Environment.h"
#include "shell/Platform.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "views/ComingEventsWnd.h"

namespace tv {

namespace {

CReminderApp* g_app = nullptr;
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
}

}  // namespace

CReminderApp::CReminderApp() { g_app = this; }

CReminderApp::~CReminderApp() {
    Shutdown();
    if (g_app == this) g_app = nullptr;
}

CReminderApp* CReminderApp::Instance() { return g_app; }

std::optional<int> CReminderApp::Start(const Options& options) {
    // 1. The data folder (the program folder). Without --data-dir it is the one tallyvane-cli
    // uses too.
    QString folder = options.dataDir;
    if (folder.isEmpty())
        folder = QFile::decodeName(DefaultDataFolder(ProcessEnvironment(), ExecutableFolder()).c_str());
    if (folder.isEmpty()) {
        Prompts().Tell(nullptr, ProductName(),
                       QStringLiteral("No data folder: neither XDG_DATA_HOME nor HOME names a folder. "
                                      "Start Tallyvane with --data-dir."),
                       true);
        return 1;
    }
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    SetProgramFolder(QFile::encodeName(folder).toStdString() + "/");
    if (!options.dataDir.isEmpty()) m_dataDir = folder;

    // 2. One running copy per login session.
    if (const std::optional<int> handedOver = ClaimSession(folder)) return handedOver;
    // A new data folder starts empty, as a first start does, and is the user's alone.
    const FileResult ready = PrepareDataFolder(GetProgramFolder(), true, options.trustDataDir, ::getuid());
    if (!ready) {
        Prompts().Tell(nullptr, ProductName(), QString::fromStdString(ready.message), true);
        return 1;
    }
    // A copy under another name on the same data would save over this one's changes.
    if (!LockDataFolder(QString::fromStdString(GetProgramFolder()))) return 1;

    // 5. The preferences: an INI file named after the program, as the registry key was.
    const std::string exeName = ExecutableNameOf(QCoreApplication::applicationFilePath().toStdString());
    m_settings = std::make_unique<CQSettingsStore>(QFileInfo(QString::fromStdString(exeName)).completeBaseName());
    SetSettingsStore(m_settings.get());

    // 6. The type icons, 7. the event store and the type table.
    icons::Load();
    CEventStore& store = GetEventStore();
    CEventTypeTable& types = GetEventTypeTable();
    const QString problems = DescribeLoadReports(store.GetLoadReport(), types.GetLoadReport());
    if (!problems.isEmpty()) Prompts().Tell(nullptr, ProductName(), problems, true);
    // The shipped types of a first start reach the disk, so that events refer to stored types.
    if (types.HasUnsavedSeed()) ReportSave(nullptr, types.Save(TypeFilePath()));

    // 9. The clock window: the timer, the tray, its position, the scheduler, the main window.
    m_clockWnd = new CClockWnd(m_clock);
    new CComingEventsWnd(m_clockWnd);  // hidden until the mouse rests on the clock; the clock owns it
    connect(m_clockWnd, &CClockWnd::exitRequested, this, &CReminderApp::Exit);
    // 10. The syncs with a calendar server, when one is set.
    m_sync = std::make_unique<CSyncController>();
    WatchTerminationSignals();
    m_started = true;
    // Last: a request is only taken once everything it may touch is there.
    ListenForRequests();
    return std::nullopt;
}

std::optional<int> CReminderApp::ClaimSession(const QString& folder) {
    std::string why;
    const std::optional<SessionEndpoint> endpoint = FindSessionEndpoint(ProcessEnvironment(), why);
    // Without a private folder the program still runs; only later launches and tallyvane-cli
    // cannot find it, and the data-folder lock still keeps a second copy off its files.
    if (!endpoint) {
        qWarning("%s Tallyvane runs without its session socket.", why.c_str());
        return std::nullopt;
    }
    switch (m_sessionLock.TryLock(endpoint->lockPath, why)) {
        case FileLock::Taken::Yes: m_socketPath = endpoint->socketPath; return std::nullopt;
        case FileLock::Taken::Failed:
            qWarning("%s Tallyvane runs without its session socket.", why.c_str());
            return std::nullopt;
        case FileLock::Taken::Busy: break;
    }
    QString note;
    if (AskRunningCopyToShow(*endpoint, folder, std::chrono::seconds(10), note)) {
        if (!note.isEmpty()) qInfo("%s", qPrintable(note.trimmed()));
        return 0;
    }
    Prompts().Tell(nullptr, ProductName(), QStringLiteral("Tallyvane is running!"), false);
    return 1;
}

void CReminderApp::ListenForRequests() {
    if (m_socketPath.empty()) return;
    m_server = new CProgramServer(this);
    std::string why;
    if (!m_server->Listen(m_socketPath, why)) {
        qWarning("%s", why.c_str());
        delete m_server;
        m_server = nullptr;
        return;
    }
    if (m_lock.IsLocked()) m_lock.Record(m_socketPath);
}

bool CReminderApp::LockDataFolder(const QString& folder) {
    std::string why;
    DataFolderLock::Taken taken = DataFolderLock::Taken::Busy;
    // tallyvane-cli holds the folder only while one command runs.
    for (int attempt = 0; attempt < 30 && taken == DataFolderLock::Taken::Busy; ++attempt) {
        if (attempt) QThread::msleep(100);
        taken = m_lock.TryLockFolder(folder.toStdString(), DataFolderLock::Mode::Exclusive, why);
    }
    if (taken == DataFolderLock::Taken::Yes) return true;
    // Running without the lock would let another program save over this one's changes (or
    // this one over its), so Tallyvane does not start rather than save unguarded.
    const QString text =
        taken == DataFolderLock::Taken::Busy
            ? QStringLiteral("Another Tallyvane is using the data folder \"%1\".").arg(folder)
            : QString::fromStdString(why) +
                  QStringLiteral("\n\nTallyvane cannot keep your events safe in this folder and does not start.");
    Prompts().Tell(nullptr, ProductName(), text, true);
    return false;
}

void CReminderApp::WatchTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        // Logging out or a kill: the same orderly shutdown as Exit, without the question.
        Exit();
    });
    struct sigaction sa {};
    sa.sa_handler = OnTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

void CReminderApp::Exit() {
    Shutdown();
    QCoreApplication::quit();
}

void CReminderApp::Shutdown() {
    if (!m_started || m_shutDown) return;
    m_shutDown = true;
    // Nothing more is asked of a program that is going: a command line in the middle of its
    // request hears that the program ended.
    delete m_server;
    m_server = nullptr;
    // A sync under way stops first: nothing changes the store while it is saved for the last time.
    m_sync.reset();
    // The clock window's end: scheduler stopped and waited for, main window closed (saving
    // the events and its placement), clock position written, tray icon removed.
    delete m_clockWnd;
    m_clockWnd = nullptr;
    CReminderPopup::CloseAll();
    // Then the application's: the event file once more, the preferences. Everything is
    // written before anything is said, so a session that ends meanwhile loses nothing.
    const FileResult events = GetEventStore().Save();
    CEventTypeTable& types = GetEventTypeTable();
    const FileResult seed = types.HasUnsavedSeed() ? types.Save(TypeFilePath()) : FileResult::Ok();
    const FileResult settings = SaveAppSettings();
    for (const FileResult* r : {&events, &seed, &settings}) ReportSave(nullptr, *r);
    DestroyAppSettings();
    SetSettingsStore(nullptr);
    m_settings.reset();
    m_lock.Unlock();
    m_sessionLock.Unlock();
}

}  // namespace tv
