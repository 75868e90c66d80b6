// The preferences sheet and its General and Other pages.
#include "PreferenceSheet.h"
#include "SyncPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppIcons.h"
#include "HelpAbout.h"
#include "ReminderApp.h"
#include "UserPrompts.h"
#include "controls/DateTimeField.h"
#include "dialogs/ColorButton.h"
#include "dialogs/HalfHourPicker.h"
#include "dialogs/LogFontQt.h"
#include "dialogs/SoundDlg.h"
#include "editing/HalfHourMenu.h"
#include "shell/AppSettings.h"
#include "shell/ClockFormat.h"
#include "shell/WindowSettings.h"

namespace tv {

namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// "Arial, 10.5 pt, bold": what the font button's tip says about the clock font.
QString DescribeFont(const LogFont& font) {
    const QFont f = ToFontDialogQFont(font);
    QString text = f.family();
    text += QStringLiteral(", %1 pt").arg(f.pointSizeF(), 0, 'g', 3);
    if (f.bold()) text += QStringLiteral(", bold");
    if (f.italic()) text += QStringLiteral(", italic");
    return text;
}

std::optional<QFont> AskFontDialog(QWidget* parent, const QFont& initial) {
    QFontDialog dialog(initial, parent);
    dialog.setWindowTitle(QStringLiteral("Text Font"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}

std::optional<std::string> AskSoundDialog(QWidget* parent, const std::string& current) {
    CSoundDlg dialog(parent);
    dialog.setSound(current);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.sound();
}

}  // namespace

// ---- CPreferencePage -----------------------------------------------------------------

void CPreferencePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_shown = true;
}

// ---- CPreferenceGeneralPage -----------------------------------------------------------

CPreferenceGeneralPage::CPreferenceGeneralPage(QWidget* parent) : CPreferencePage(parent) {
    auto* page = new QVBoxLayout(this);
    page->addWidget(createClockGroup());
    page->addLayout(createStartupBoxes());
    page->addStretch(1);
    showSettings();
    buildFormatMenu();
    connect(m_format, &QPushButton::clicked, this,
            [this] { m_formatMenu->exec(m_format->mapToGlobal(QPoint(0, m_format->height()))); });
    connect(m_fontButton, &QPushButton::clicked, this, &CPreferenceGeneralPage::chooseFont);
    connect(m_sharpButton, &QPushButton::clicked, this, &CPreferenceGeneralPage::chooseSharpChime);
    connect(m_halfButton, &QPushButton::clicked, this, &CPreferenceGeneralPage::chooseHalfChime);
    askFont = AskFontDialog;
    askSound = AskSoundDialog;
    autostartTarget = CurrentAutostartTarget;
}

QWidget* CPreferenceGeneralPage::createClockGroup() {
    auto* clock = new QGroupBox(QStringLiteral("Clock"), this);
    auto* grid = new QGridLayout(clock);
    grid->setColumnStretch(1, 1);
    m_showClock = new QCheckBox(QStringLiteral("Show Clock Window"), clock);
    grid->addWidget(m_showClock, 0, 0, 1, 3);
    m_pattern = new QLineEdit(clock);
    m_pattern->setObjectName(QStringLiteral("timePattern"));
    m_pattern->setAccessibleName(QStringLiteral("Time pattern"));
    m_pattern->setToolTip(QStringLiteral("yyyy year, m month name, M month number, dd day, ww weekday,\n"
                                         "hh hour 00-23, h hour 01-12, nn minute, ss second"));
    grid->addWidget(m_pattern, 1, 0, 1, 2);
    m_format = new QPushButton(QStringLiteral("Format"), clock);
    m_format->setAutoDefault(false);
    grid->addWidget(m_format, 1, 2);

    auto addRow = [&](int row, const QString& label, QWidget* control) {
        auto* text = new QLabel(label, clock);
        text->setBuddy(control);
        grid->addWidget(text, row, 0, 1, 2);
        grid->addWidget(control, row, 2);
    };
    m_textColor = new CColorButton(clock);
    m_textColor->setText(QStringLiteral("Set..."));
    m_textColor->setAccessibleName(QStringLiteral("Text Color"));
    addRow(2, QStringLiteral("Text Color"), m_textColor);
    m_backColor = new CColorButton(clock);
    m_backColor->setText(QStringLiteral("Set..."));
    m_backColor->setAccessibleName(QStringLiteral("Background Color"));
    addRow(3, QStringLiteral("Background Color"), m_backColor);
    m_fontButton = new QPushButton(QStringLiteral("Font..."), clock);
    m_fontButton->setAutoDefault(false);
    addRow(4, QStringLiteral("Text Font"), m_fontButton);
    m_sharpButton = new QPushButton(QStringLiteral("Set..."), clock);
    m_sharpButton->setAutoDefault(false);
    m_sharpButton->setAccessibleName(QStringLiteral("Sound on sharp hour"));
    addRow(5, QStringLiteral("Sound on sharp hour"), m_sharpButton);
    m_halfButton = new QPushButton(QStringLiteral("Set..."), clock);
    m_halfButton->setAutoDefault(false);
    m_halfButton->setAccessibleName(QStringLiteral("Sound on half hour"));
    addRow(6, QStringLiteral("Sound on half hour"), m_halfButton);
    // The buttons of the right column share one width.
    for (QWidget* w : std::initializer_list<QWidget*>{m_format, m_textColor, m_backColor, m_fontButton, m_sharpButton,
                                                      m_halfButton})
        w->setMinimumWidth(88);
    return clock;
}

// The log-on start and the two other start-up choices, beside the program's icon.
QLayout* CPreferenceGeneralPage::createStartupBoxes() {
    auto* startup = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(icons::AppIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    icon->setContentsMargins(4, 2, 8, 0);
    startup->addWidget(icon);
    auto* boxes = new QVBoxLayout;
    m_run = new QCheckBox(QStringLiteral("&Load program on startup"), this);
    m_onTop = new QCheckBox(QStringLiteral("Reminder window always on top"), this);
    m_showMain = new QCheckBox(QStringLiteral("Show main window on startup"), this);
    for (QCheckBox* b : {m_run, m_onTop, m_showMain}) boxes->addWidget(b);
    startup->addLayout(boxes, 1);
    return startup;
}

// Opening: every value from the preferences.
void CPreferenceGeneralPage::showSettings() {
    const CAppSettings& s = GetAppSettings();
    m_showClock->setChecked(s.GetShowClock());
    m_pattern->setText(Utf8(s.GetTimePattern()));
    m_textColor->setColor(s.GetClockText());
    m_backColor->setColor(s.GetClockBk());
    m_font = s.GetClockFont();
    m_sharp = s.GetSharpChime();
    m_half = s.GetHalfChime();
    m_run->setChecked(s.GetRun());
    m_onTop->setChecked(s.GetReminderOnTop());
    m_showMain->setChecked(s.GetShowMainWnd());
    m_fontButton->setToolTip(DescribeFont(m_font));
    showChimeTip(m_sharpButton, m_sharp);
    showChimeTip(m_halfButton, m_half);

}

void CPreferenceGeneralPage::buildFormatMenu() {
    m_formatMenu = new QMenu(this);
    m_formatMenu->setObjectName(QStringLiteral("formatMenu"));
    for (const ClockPatternChoice& choice : kClockPatternChoices) {
        const QString pattern = QString::fromLatin1(choice.pattern);
        QAction* item = m_formatMenu->addAction(pattern + QLatin1Char('\t') + QString::fromLatin1(choice.sample));
        // The rest of the page stays as the user left it.
        connect(item, &QAction::triggered, this, [this, pattern] { m_pattern->setText(pattern); });
    }
}

void CPreferenceGeneralPage::chooseFont() {
    if (!askFont) return;
    const std::optional<QFont> chosen = askFont(this, ToFontDialogQFont(m_font));
    if (!chosen) return;
    m_font = FromQFont(*chosen, m_font);
    m_fontButton->setToolTip(DescribeFont(m_font));
}

void CPreferenceGeneralPage::chooseSharpChime() { chooseChime(m_sharp, m_sharpButton); }
void CPreferenceGeneralPage::chooseHalfChime() { chooseChime(m_half, m_halfButton); }

void CPreferenceGeneralPage::chooseChime(std::string& chime, QPushButton* button) {
    if (!askSound) return;
    const std::optional<std::string> chosen = askSound(this, chime);
    if (!chosen) return;
    chime = *chosen;
    showChimeTip(button, chime);
}

void CPreferenceGeneralPage::showChimeTip(QPushButton* button, const std::string& chime) {
    button->setToolTip(chime.empty() ? QStringLiteral("No sound") : Utf8(chime));
}

void CPreferenceGeneralPage::apply() {
    CAppSettings& s = GetAppSettings();
    s.SetReminderOnTop(m_onTop->isChecked());
    s.SetRun(m_run->isChecked());
    s.SetShowClock(m_showClock->isChecked());
    s.SetShowMainWnd(m_showMain->isChecked());
    s.SetClockFont(m_font);
    s.SetClockBk(m_backColor->color());
    s.SetClockText(m_textColor->color());
    s.SetSharpChime(m_sharp);
    s.SetHalfChime(m_half);
    s.SetTimePattern(m_pattern->text().toStdString());
    ReportSave(this, SaveAppSettings());

    // The entry follows the box; failing to write it leaves the saved setting as it is.
    const FileResult entry =
        UpdateAutostartEntry(m_run->isChecked(), autostartTarget ? autostartTarget() : AutostartTarget{},
                             ProcessEnvironment());
    if (!entry.ok)
        Prompts().Tell(this, ProductName(),
                       Utf8(entry.message) + QStringLiteral("\n\nThe setting itself is saved."), true);
}

// ---- COtherPage ------------------------------------------------------------------------

COtherPage::COtherPage(QWidget* parent) : CPreferencePage(parent) {
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Office Hour"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(5);
    grid->setColumnStretch(3, 1);
    auto addRow = [&](int row, const QString& label, CDateTimeField*& field, QToolButton*& button) {
        auto* text = new QLabel(label, group);
        field = new CDateTimeField(CDateTimeField::Display::Time, group);
        field->setAccessibleName(label);
        text->setBuddy(field);
        button = new QToolButton(group);
        button->setText(QStringLiteral("..."));
        button->setToolTip(QStringLiteral("Choose a time on the hour or half hour"));
        grid->addWidget(text, row, 0);
        grid->addWidget(field, row, 1, Qt::AlignTop);
        grid->addWidget(button, row, 2, Qt::AlignTop);
    };
    addRow(0, QStringLiteral("Start"), m_start, m_startButton);
    addRow(1, QStringLiteral("End"), m_end, m_endButton);
    page->addWidget(group);
    // Where the pop-up cannot stay on top or no tray shows, the desktop's notifications still
    // reach the user, and they keep a record of what was reminded.
    m_notifications = new QCheckBox(tr("Also show reminders as &desktop notifications"), this);
    m_notifications->setToolTip(tr("Each reminder pop-up also appears as a notification of the desktop, with "
                                   "Snooze and Accept"));
    m_notifications->setChecked(ReadDesktopNotifications(GetSettingsStore()));
    page->addWidget(m_notifications);
    page->addStretch(1);

    DateTime start, end;
    GetAppSettings().GetOfficeHours(start, end);
    m_start->setValue(start);
    m_end->setValue(end);

    connect(m_startButton, &QToolButton::clicked, this, [this] {
        if (const int command = PickHalfHourCommand(m_startButton, m_start->value())) chooseStart(command);
    });
    connect(m_endButton, &QToolButton::clicked, this, [this] {
        if (const int command = PickHalfHourCommand(m_endButton, m_end->value())) chooseEnd(command);
    });
    fitButtons();
}

void COtherPage::chooseStart(int commandId) {
    if (const std::optional<DateTime> t = HalfHourTime(m_start->value(), commandId)) m_start->setValue(*t);
}

void COtherPage::chooseEnd(int commandId) {
    if (const std::optional<DateTime> t = HalfHourTime(m_end->value(), commandId)) m_end->setValue(*t);
}

// Each "..." button is a square as high as its field, beside it.
void COtherPage::fitButtons() {
    for (auto [field, button] : {std::pair{m_start, m_startButton}, std::pair{m_end, m_endButton}}) {
        const int side = field->height() > 0 && field->isVisible() ? field->height() : field->sizeHint().height();
        button->setFixedSize(side, side);
    }
}

void COtherPage::resizeEvent(QResizeEvent* event) {
    CPreferencePage::resizeEvent(event);
    fitButtons();
}

void COtherPage::showEvent(QShowEvent* event) {
    CPreferencePage::showEvent(event);
    fitButtons();
}

void COtherPage::apply() {
    DateTime start = m_start->value(), end = m_end->value();
    // No check that the start lies before the end: an evening shift may end after midnight.
    GetAppSettings().SetOfficeHours(start, end);
    WriteDesktopNotifications(GetSettingsStore(), m_notifications->isChecked());
    ReportSave(this, SaveAppSettings());
}

// ---- CPreferenceSheet ------------------------------------------------------------------

CPreferenceSheet::CPreferenceSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Option"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_general = new CPreferenceGeneralPage;
    m_other = new COtherPage;
    m_tabs->addTab(m_general, QStringLiteral("General"));
    m_tabs->addTab(m_other, QStringLiteral("Other"));
    m_sync = new CSyncPage;
    m_tabs->addTab(m_sync, QStringLiteral("Sync"));
    layout->addWidget(m_tabs);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPreferenceSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [] { OpenHelp(QStringLiteral("help/html/preference.htm")); });
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPreferenceSheet::accept() {
    for (CPreferencePage* page : {static_cast<CPreferencePage*>(m_general), static_cast<CPreferencePage*>(m_other),
                                  static_cast<CPreferencePage*>(m_sync)})
        if (page->wasShown()) page->apply();
    QDialog::accept();
}

AutostartTarget CurrentAutostartTarget() {
    AutostartTarget target;
    target.program = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    if (const CReminderApp* app = CReminderApp::Instance())
        target.dataDir = QFile::encodeName(app->dataDirArgument()).toStdString();
    return target;
}

}  // namespace tv
