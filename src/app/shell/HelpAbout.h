// The Help and About commands shared by the clock, the tray and the main window.
#pragma once

#include <QDialog>
#include <QString>

namespace tv {

// The help page relative to a shipped-data folder (the data folder first, then the installed
// and the build tree's copies): the default topic, or another page such as
// "help/html/preference.htm" for the Preferences. A missing help file says "Help file NOT
// found!" (caption "Warning"); otherwise the desktop's viewer for HTML opens it.
void OpenHelp(const QString& topic = {});
QString HelpFilePath(const QString& topic = {});

// "About Tallyvane": the icon, the name with version and build, and the web page.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    static QString VersionLine();
    static QString WebAddress();
};

void ShowAbout(QWidget* parent);

}  // namespace tv
