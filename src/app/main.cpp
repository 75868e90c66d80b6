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
    // Closing the calendar window leaves the program running in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tallyvane: a reminder calendar with a desktop clock."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep events, types, sounds and help in DIR "
                                                    "(default: the program's folder)."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(app);

    tv::CReminderApp reminder;
    tv::CReminderApp::Options options;
    options.dataDir = parser.value(dataDir);
    if (const std::optional<int> ended = reminder.Start(options)) return *ended;
    const int code = QApplication::exec();
    reminder.Shutdown();
    return code;
}
