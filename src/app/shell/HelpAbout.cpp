// The Help and About commands shared by the clock, the tray and the main window.
#include "HelpAbout.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "AppIcons.h"
#include "UserPrompts.h"
#include "store/ProgramFolder.h"

#ifndef TALLYVANE_VERSION
#define TALLYVANE_VERSION "0"
#endif
#ifndef TALLYVANE_BUILD
#define TALLYVANE_BUILD "0"
#endif

namespace tv {

QString HelpFilePath(const QString& topic) {
    const std::string relative = (topic.isEmpty() ? QStringLiteral("help/index.html") : topic).toStdString();
    const std::string found = FindShippedFile(relative);
    // A page that is nowhere is named where the user's own copy would be.
    return QString::fromStdString(found.empty() ? GetProgramFolder() + relative : found);
}

void OpenHelp(const QString& topic) {
    const QString path = HelpFilePath(topic);
    // The preferences page may be missing where the index is not; the index then serves.
    const QString shown = QFileInfo::exists(path) || topic.isEmpty() ? path : HelpFilePath();
    if (!QFileInfo::exists(shown)) {
        Prompts().Tell(nullptr, QStringLiteral("Warning"), QStringLiteral("Help file NOT found!"), true);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(shown)))
        Prompts().Tell(nullptr, ProductName(),
                       QStringLiteral("No program for showing web pages was found to open the help file \"%1\".")
                           .arg(shown),
                       true);
}

QString CAboutDialog::VersionLine() {
    return QStringLiteral("Tallyvane Version %1 (Build %2)")
        .arg(QStringLiteral(TALLYVANE_VERSION), QStringLiteral(TALLYVANE_BUILD));
}

QString CAboutDialog::WebAddress() { return QStringLiteral("https://tallyvane.example.org/"); }

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Tallyvane"));
    setWindowIcon(icons::AppIcon());
    auto* icon = new QLabel;
    icon->setPixmap(icons::AppIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(VersionLine());
    QFont bold = version->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    version->setFont(bold);
    auto* blurb = new QLabel(QStringLiteral("A personal reminder calendar with a desktop clock."));
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(WebAddress()));
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(blurb);
    text->addSpacing(6);
    text->addWidget(link);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ShowAbout(QWidget* parent) {
    CAboutDialog dialog(parent);
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = dialog.frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        dialog.move(r.topLeft());
    }
    dialog.exec();
}

}  // namespace tv
