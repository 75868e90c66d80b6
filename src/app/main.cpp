// tallyvane: the desktop program (clock, tray, reminders and the calendar window).
#include <QApplication>
#include <QCommandLineParser>

#include "shell/Platform.h"
#include "shell/ReminderApp.h"

int main(int argc, char** argv) {
    // On Wayland with XWayland the clock runs through X11, where it can stay where it was put
    // and above other windows.
    if (const auto plugin = tv::ChoosePlatformPlugin(tv::ProcessEnvironment()))
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*plugin));

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tallyvane"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYVANE_VERSION));
    // Ties the windows to the installed desktop entry, for the icon and the name in task bars.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tv::kDesktopId));
    // Closing the calendar window leaves the program running in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tallyvane: a reminder calendar with a desktop clock."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep events, types and your own sounds in DIR "
                                                    "(default: $XDG_DATA_HOME/tallyvane, that is "
                                                    "~/.local/share/tallyvane)."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    const QCommandLineOption trustDataDir(QStringLiteral("trust-data-dir"),
                                          QStringLiteral("Use the data folder even though another user owns "
                                                         "it or others may write to it."));
    parser.addOption(trustDataDir);
    parser.process(app);

    tv::CReminderApp reminder;
    tv::CReminderApp::Options options;
    options.dataDir = parser.value(dataDir);
    options.trustDataDir = parser.isSet(trustDataDir);
    if (const std::optional<int> ended = reminder.Start(options)) return *ended;
    const int code = QApplication::exec();
    reminder.Shutdown();
    return code;
}
