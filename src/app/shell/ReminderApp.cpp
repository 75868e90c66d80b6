// CReminderApp: the running program's start-up and shutdown, in their fixed order.
#include "ReminderApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "AppIcons.h"
#include "ClockWnd.h"
#include "QSettingsStore.h"
#include "SyncController.h"
#include "UserPrompts.h"
#include "engine/ReminderPopup.h"
#include "store/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "platform/SingleInstance.h"
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

int CReminderApp::Start(const Options& options) {
    // 1. The program folder, and the program's file name for the single-instance check.
    QString folder = options.dataDir.isEmpty() ? QString::fromStdString(ExecutableFolder()) : options.dataDir;
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    SetProgramFolder(folder.toStdString() + "/");
    if (!options.dataDir.isEmpty()) m_dataDir = folder;
    const std::string exeName = ExecutableNameOf(QCoreApplication::applicationFilePath().toStdString());

    // 2. One running copy per user.
    if (IsAnotherCopyRunning(ListUserProcesses(::getuid()), exeName, ::getpid())) {
        Prompts().Tell(nullptr, ProductName(), QStringLiteral("Tallyvane is running!"), false);
        return 1;
    }
    // A new --data-dir starts empty, as a first start does.
    if (!QDir().mkpath(folder)) {
        Prompts().Tell(nullptr, ProductName(), QStringLiteral("The data folder \"%1\" could not be made.").arg(folder),
                       true);
        return 1;
    }
    // A copy under another name on the same data would save over this one's changes.
    if (!LockDataFolder(QString::fromStdString(GetProgramFolder()))) return 1;

    // 5. The preferences: an INI file named after the program, as the registry key was.
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
    return 0;
}

bool CReminderApp::LockDataFolder(const QString& folder) {
    std::string why;
    // tallyvane-cli holds the folder only while one command runs.
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (m_lock.TryLock(folder.toStdString(), DataFolderLock::Mode::Exclusive, why)) return true;
        if (!QFileInfo(folder + QString::fromLatin1(DataFolderLock::kFileName)).isWritable()) break;
        QThread::msleep(100);
    }
    if (QFileInfo(folder + QString::fromLatin1(DataFolderLock::kFileName)).isWritable()) {
        Prompts().Tell(nullptr, ProductName(),
                       QStringLiteral("Another Tallyvane is using the data folder \"%1\".").arg(folder), true);
        return false;
    }
    Prompts().Tell(nullptr, ProductName(),
                   QString::fromStdString(why) +
                       QStringLiteral("\n\nTallyvane runs, but changes to your events cannot be saved there."),
                   true);
    return true;
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
}

}  // namespace tv
