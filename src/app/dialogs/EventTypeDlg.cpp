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
    setWindowTitle(tr("Creat an event type"));

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
    auto* iconButton = new QPushButton(tr("&Icon..."), this);
    iconButton->setObjectName(QStringLiteral("iconButton"));
    iconButton->setAutoDefault(false);
    auto* iconColumn = new QVBoxLayout;
    iconColumn->addWidget(m_icon, 0, Qt::AlignHCenter);
    iconColumn->addWidget(iconButton);
    iconColumn->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addSpacing(12);
    top->addLayout(iconColumn);

    // The text's colour and font, with a sample of both.
    auto* textGroup = new QGroupBox(tr("Text"), this);
    m_color = new CColorButton(textGroup);
    m_color->setObjectName(QStringLiteral("textColor"));
    auto* fontButton = new QPushButton(tr("&Font..."), textGroup);
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setAutoDefault(false);
    m_sample = new QLabel(textGroup);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setMinimumHeight(32);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setAutoFillBackground(true);
    auto* textLayout = new QGridLayout(textGroup);
    textLayout->addWidget(m_color, 0, 0);
    textLayout->addWidget(fontButton, 0, 1);
    textLayout->addWidget(m_sample, 1, 0, 1, 2);

    auto* soundGroup = new QGroupBox(tr("Sound"), this);
    m_sound = new QLabel(soundGroup);
    m_sound->setObjectName(QStringLiteral("sound"));
    m_sound->setMinimumWidth(120);
    m_sound->setTextFormat(Qt::PlainText);
    auto* soundButton = new QPushButton(tr("S&ound"), soundGroup);
    soundButton->setObjectName(QStringLiteral("soundButton"));
    soundButton->setAutoDefault(false);
    auto* soundLayout = new QGridLayout(soundGroup);
    soundLayout->addWidget(m_sound, 0, 0);
    soundLayout->addWidget(soundButton, 0, 1, Qt::AlignTop);
    soundLayout->setColumnStretch(0, 1);
    soundLayout->setRowStretch(1, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(textGroup, 1);
    groups->addWidget(soundGroup, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        collect();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_useStart, &QCheckBox::toggled, this, [this](bool on) {
        m_fields.useDefaultStart = on;
        m_start->setEnabled(on);
    });
    connect(m_start, &CDateTimeField::valueChanged, this, [this] { m_fields.defaultStart = m_start->value(); });
    connect(m_color, &CColorButton::colorChanged, this, [this](ColorRef c) {
        m_fields.textColor = c;
        showIconAndFont();
    });
    connect(m_name, &QLineEdit::textChanged, this, [this] { m_sample->setText(m_name->text()); });
    connect(iconButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseIcon);
    connect(fontButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseFont);
    connect(soundButton, &QPushButton::clicked, this, &CEventTypeDlg::chooseSound);

    askIcon = [](QWidget* parent) -> std::optional<int> {
        CSelectIconDlg dlg(parent);
        if (dlg.exec() != QDialog::Accepted || dlg.selection() < 0) return std::nullopt;
        return dlg.selection();
    };
    askFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok) return std::nullopt;
        return font;
    };
    askSound = [](QWidget* parent, const std::string& current) -> std::optional<std::string> {
        CSoundDlg dlg(parent);
        dlg.setSound(current);
        if (dlg.exec() != QDialog::Accepted) return std::nullopt;
        return dlg.sound();
    };

    setTabOrder(m_name, m_useStart);
    setTabOrder(m_useStart, m_start);
    setTabOrder(m_start, m_duration);
    setTabOrder(m_duration, m_remindBefore);
    setTabOrder(m_remindBefore, iconButton);
    setTabOrder(iconButton, m_color);
    setTabOrder(m_color, fontButton);
    setTabOrder(fontButton, soundButton);

    LoadFromType(CEventType());
    if (!parent) CenterOnScreen(this);
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
    if (const std::optional<int> icon = askIcon(this)) {
        m_fields.icon = *icon;
        showIconAndFont();
    }
}

void CEventTypeDlg::chooseFont() {
    if (const std::optional<QFont> font = askFont(this, ToFontDialogQFont(m_fields.font))) {
        m_fields.font = FromQFont(*font, m_fields.font);
        showIconAndFont();
    }
}

void CEventTypeDlg::chooseSound() {
    collect();
    if (const std::optional<std::string> sound = askSound(this, m_fields.sound)) {
        m_fields.sound = *sound;
        m_sound->setText(QString::fromStdString(m_fields.sound));
    }
}

}  // namespace tv
