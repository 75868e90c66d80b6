// The event-type editor.
#include "EventTypeDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ColorButton.h"
#include "DialogSupport.h"
#include "LogFontQt.h"
#include "SelectIconDlg.h"
#include "SoundDlg.h"
#include "controls/DateTimeField.h"
#include "controls/DurationField.h"
#include "shell/AppIcons.h"

namespace tv {

CEventTypeDlg::CEventTypeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Create an event type"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(createFieldsAndIcon());
    layout->addLayout(createTextAndSoundGroups());
    layout->addWidget(createButtons());
    setTabOrders();
    LoadFromType(CEventType());
    if (!parent) CenterOnScreen(this);
}

QLayout* CEventTypeDlg::createFieldsAndIcon() {
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(255);
    m_useStart = new QCheckBox(tr("Start"), this);
    m_useStart->setObjectName(QStringLiteral("useStart"));
    m_start = new CDateTimeField(CDateTimeField::Display::DateAndTime, this);
    m_start->setObjectName(QStringLiteral("start"));
    m_duration = new CDurationField(this);
    m_duration->setObjectName(QStringLiteral("duration"));
    m_remindBefore = new CDurationField(this);
    m_remindBefore->setObjectName(QStringLiteral("remindBefore"));

    auto* form = new QFormLayout;
    auto* nameLabel = new QLabel(tr("Name:"), this);
    nameLabel->setBuddy(m_name);
    form->addRow(nameLabel, m_name);
    form->addRow(m_useStart, m_start);
    auto* durationLabel = new QLabel(tr("Duration"), this);
    durationLabel->setBuddy(m_duration);
    form->addRow(durationLabel, m_duration);
    auto* remindLabel = new QLabel(tr("Remind Before"), this);
    remindLabel->setBuddy(m_remindBefore);
    form->addRow(remindLabel, m_remindBefore);

    // The type's large icon and the button that changes it, beside the fields.
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("iconPicture"));
    m_icon->setFixedSize(40, 40);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setFrameShape(QFrame::StyledPanel);
    m_iconButton = new QPushButton(tr("&Icon..."), this);
    m_iconButton->setObjectName(QStringLiteral("iconButton"));
    m_iconButton->setAutoDefault(false);
    auto* iconColumn = new QVBoxLayout;
    iconColumn->addWidget(m_icon, 0, Qt::AlignHCenter);
    iconColumn->addWidget(m_iconButton);
    iconColumn->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addSpacing(12);
    top->addLayout(iconColumn);

    connect(m_useStart, &QCheckBox::toggled, this, [this](bool on) {
        m_fields.useDefaultStart = on;
        m_start->setEnabled(on);
    });
    connect(m_start, &CDateTimeField::valueChanged, this, [this] { m_fields.defaultStart = m_start->value(); });
    connect(m_iconButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseIcon);
    return top;
}

QLayout* CEventTypeDlg::createTextAndSoundGroups() {
    // The text's colour and font, with a sample of both.
    auto* textGroup = new QGroupBox(tr("Text"), this);
    m_color = new CColorButton(textGroup);
    m_color->setObjectName(QStringLiteral("textColor"));
    m_fontButton = new QPushButton(tr("&Font..."), textGroup);
    m_fontButton->setObjectName(QStringLiteral("fontButton"));
    m_fontButton->setAutoDefault(false);
    m_sample = new QLabel(textGroup);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setMinimumHeight(32);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setAutoFillBackground(true);
    auto* textLayout = new QGridLayout(textGroup);
    textLayout->addWidget(m_color, 0, 0);
    textLayout->addWidget(m_fontButton, 0, 1);
    textLayout->addWidget(m_sample, 1, 0, 1, 2);

    auto* soundGroup = new QGroupBox(tr("Sound"), this);
    m_sound = new QLabel(soundGroup);
    m_sound->setObjectName(QStringLiteral("sound"));
    m_sound->setMinimumWidth(120);
    m_sound->setTextFormat(Qt::PlainText);
    m_soundButton = new QPushButton(tr("S&ound"), soundGroup);
    m_soundButton->setObjectName(QStringLiteral("soundButton"));
    m_soundButton->setAutoDefault(false);
    auto* soundLayout = new QGridLayout(soundGroup);
    soundLayout->addWidget(m_sound, 0, 0);
    soundLayout->addWidget(m_soundButton, 0, 1, Qt::AlignTop);
    soundLayout->setColumnStretch(0, 1);
    soundLayout->setRowStretch(1, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(textGroup, 1);
    groups->addWidget(soundGroup, 1);

    connect(m_color, &CColorButton::colorChanged, this, [this](ColorRef c) {
        m_fields.textColor = c;
        showIconAndFont();
    });
    connect(m_name, &QLineEdit::textChanged, this, [this] { m_sample->setText(m_name->text()); });
    connect(m_fontButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseFont);
    connect(m_soundButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseSound);
    return groups;
}

QWidget* CEventTypeDlg::createButtons() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        collect();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void CEventTypeDlg::setTabOrders() {
    setTabOrder(m_name, m_useStart);
    setTabOrder(m_useStart, m_start);
    setTabOrder(m_start, m_duration);
    setTabOrder(m_duration, m_remindBefore);
    setTabOrder(m_remindBefore, m_iconButton);
    setTabOrder(m_iconButton, m_color);
    setTabOrder(m_color, m_fontButton);
    setTabOrder(m_fontButton, m_soundButton);
}

void CEventTypeDlg::LoadFromType(const CEventType& type) {
    m_fields.LoadFromType(type);
    showFields();
}

void CEventTypeDlg::StoreToType(CEventType& type) {
    collect();
    m_fields.StoreToType(type);
}

void CEventTypeDlg::collect() {
    m_fields.name = m_name->text().toStdString();
    m_fields.useDefaultStart = m_useStart->isChecked();
    m_fields.defaultStart = m_start->value();
    m_fields.defaultDuration = m_duration->seconds();
    m_fields.defaultRemindBefore = m_remindBefore->seconds();
    m_fields.textColor = m_color->color();
}

void CEventTypeDlg::showFields() {
    const TypeEditorFields f = m_fields;  // the widgets' signals write back as they are set
    m_name->setText(QString::fromStdString(f.name));
    m_useStart->setChecked(f.useDefaultStart);
    m_start->setEnabled(f.useDefaultStart);
    m_start->setValue(f.defaultStart);
    m_duration->setSeconds(f.defaultDuration);
    m_remindBefore->setSeconds(f.defaultRemindBefore);
    m_color->setColor(f.textColor);
    m_fields = f;
    m_sound->setText(QString::fromStdString(f.sound));
    showIconAndFont();
}

void CEventTypeDlg::showIconAndFont() {
    m_icon->setPixmap(icons::LargeTypeIcon(m_fields.icon));
    setWindowIcon(icons::TypeIcon(m_fields.icon));
    m_sample->setFont(ToFontDialogQFont(m_fields.font));
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::WindowText, ToQColor(m_fields.textColor));
    pal.setColor(QPalette::Window, palette().color(QPalette::Base));
    m_sample->setPalette(pal);
    m_sample->setText(m_name->text());
}

void CEventTypeDlg::chooseIcon() {
    CSelectIconDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted || dlg.selection() < 0) return;
    m_fields.icon = dlg.selection();
    showIconAndFont();
}

void CEventTypeDlg::chooseFont() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, ToFontDialogQFont(m_fields.font), this);
    if (!ok) return;
    m_fields.font = FromQFont(font, m_fields.font);
    showIconAndFont();
}

void CEventTypeDlg::chooseSound() {
    collect();
    CSoundDlg dlg(this);
    dlg.setSound(m_fields.sound);
    if (dlg.exec() != QDialog::Accepted) return;
    m_fields.sound = dlg.sound();
    m_sound->setText(QString::fromStdString(m_fields.sound));
}

}  // namespace tv
