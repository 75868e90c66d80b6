// tallyvane: the desktop program (clock, tray, reminders and the calendar window).
#include <QApplication>
#include <QCommandLineParser>
#include <QPalette>

#include "platform/DataFolder.h"
#include "platform/Environment.h"
#include "platform/ProgramFiles.h"
#include "shell/Platform.h"
#include "shell/ReminderApp.h"
#include "shell/Translation.h"

namespace {

// TALLYVANE_PALETTE=dark: the windows in a dark palette of Qt's Fusion style, to check them in a
// dark theme on a desktop that has none.
void UseDarkPalette() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(90, 160, 240));
    QApplication::setPalette(p);
}

}  // namespace

int main(int argc, char** argv) {
    // On Wayland with XWayland the clock runs through X11, where it can stay where it was put
    // and above other windows.
    if (const auto plugin = tv::ChoosePlatformPlugin(tv::ProcessEnvironment()))
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*plugin));

    QApplication app(argc, argv);
    if (qEnvironmentVariable("TALLYVANE_PALETTE") == QLatin1String("dark")) UseDarkPalette();
    QApplication::setOrganizationName(QStringLiteral("Tallyvane"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYVANE_VERSION));
    // Ties the windows to the installed desktop entry, for the icon and the name in task bars.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tv::kDesktopId));
    // Closing the calendar window leaves the program running in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    // The user's language, before the first text is shown. The translations are shipped files,
    // looked for where the sounds and help are, but not in a data folder a user may write to.
    QStringList shipped;
    for (const std::string& folder : tv::ShippedDataFolders({}, tv::ProcessEnvironment(), tv::ExecutableFolder()))
        shipped << QString::fromStdString(folder);
    tv::InstallTranslations(QLocale::system(), shipped);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Tallyvane: a reminder calendar with a desktop clock."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QCoreApplication::translate("main",
                                                                 "Keep events, types and your own sounds in DIR "
                                                                 "(default: $XDG_DATA_HOME/tallyvane, that is "
                                                                 "~/.local/share/tallyvane)."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    const QCommandLineOption trustDataDir(QStringLiteral("trust-data-dir"),
                                          QCoreApplication::translate("main",
                                                                      "Use the data folder even though another user "
                                                                      "owns it or others may write to it."));
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
