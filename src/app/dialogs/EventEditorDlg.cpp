// The event editor dialog.
#include "EventEditorDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "EventTypeListDlg.h"
#include "HalfHourPicker.h"
#include "RecurrenceDlg.h"
#include "SoundDlg.h"
#include "controls/DateTimeField.h"
#include "controls/DurationField.h"
#include "editing/HalfHourMenu.h"
#include "menus/TypeMenu.h"
#include "shell/AppIcons.h"
#include "shell/Translation.h"
#include "store/EventTypeTable.h"

namespace tv {

namespace {

// The small pictures before the recurrence and sound lines.
QPixmap Decoration(const QString& resource, QStyle::StandardPixmap fallback, const QWidget* w) {
    if (QFile::exists(resource)) {
        const QPixmap pm(resource);
        if (!pm.isNull()) return pm;
    }
    return w->style()->standardIcon(fallback).pixmap(16, 16);
}

}  // namespace

CEventEditorDlg::CEventEditorDlg(QWidget* parent, bool isNew) : CEventEditorDlg(GetEventTypeTable(), parent, isNew) {}

CEventEditorDlg::CEventEditorDlg(CEventTypeTable& types, QWidget* parent, bool isNew)
    : QDialog(parent), m_types(types), m_model(isNew) {
    now = [] { return LocalNow(); };
    customizeTypes = [](QWidget* p) { RunEventTypeListDialog(p); };
    runRecurrenceDialog = [](CRecurrenceDlg& dialog) { return dialog.exec() == QDialog::Accepted; };
    runSoundDialog = [](QWidget* p, std::string& sound) {
        CSoundDlg dlg(p);
        dlg.setSound(sound);
        if (dlg.exec() != QDialog::Accepted) return false;
        sound = dlg.sound();
        return true;
    };
    build();
    showValues();
    updateCaptionAndIcons();
    if (!parent) CenterOnScreen(this);
}

void CEventEditorDlg::build() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createEventGroup());
    layout->addLayout(createTimingRows());
    layout->addWidget(createRecurrenceGroup());
    layout->addWidget(createSoundGroup());
    layout->addWidget(createButtons());
    setMinimumWidth(460);
    setTabOrders();
    m_name->setFocus();
}

// The name with the type button beside it, and the note.
QWidget* CEventEditorDlg::createEventGroup() {
    auto* eventGroup = new QGroupBox(tr("Event"), this);
    m_name = new QLineEdit(eventGroup);
    m_name->setObjectName(QStringLiteral("name"));
    LimitCharacters(m_name, static_cast<int>(kMaxEventNameLength));
    m_typeButton = new QToolButton(eventGroup);
    m_typeButton->setObjectName(QStringLiteral("typeButton"));
    m_typeButton->setPopupMode(QToolButton::InstantPopup);
    m_typeButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_typeButton->setArrowType(Qt::NoArrow);
    m_typeButton->setFocusPolicy(Qt::StrongFocus);
    m_typeButton->setAccessibleName(tr("Event type"));
    m_note = new QPlainTextEdit(eventGroup);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setTabChangesFocus(true);
    m_note->setFixedHeight(m_note->fontMetrics().lineSpacing() * 4 + 12);
    auto* nameLabel = new QLabel(tr("Name:"), eventGroup);
    nameLabel->setBuddy(m_name);
    auto* noteLabel = new QLabel(tr("Note:"), eventGroup);
    noteLabel->setBuddy(m_note);
    auto* eventLayout = new QGridLayout(eventGroup);
    eventLayout->addWidget(nameLabel, 0, 0);
    eventLayout->addWidget(m_name, 0, 1);
    eventLayout->addWidget(m_typeButton, 0, 2);
    eventLayout->addWidget(noteLabel, 1, 0, Qt::AlignTop);
    eventLayout->addWidget(m_note, 1, 1, 1, 2);
    connect(m_typeButton, &QToolButton::clicked, this, &CEventEditorDlg::openTypeMenu);
    return eventGroup;
}

QLayout* CEventEditorDlg::createTimingRows() {
    m_start = new CDateTimeField(CDateTimeField::Display::DateAndTime, this);
    m_start->setObjectName(QStringLiteral("start"));
    m_halfHour = new QToolButton(this);
    m_halfHour->setObjectName(QStringLiteral("halfHour"));
    m_halfHour->setText(QStringLiteral("..."));
    m_halfHour->setFocusPolicy(Qt::StrongFocus);
    m_halfHour->setAccessibleName(tr("Start on the hour or half hour"));
    const int side = m_start->sizeHint().height();
    m_halfHour->setFixedSize(side, side);  // a square as high as the start field
    m_duration = new CDurationField(this);
    m_duration->setObjectName(QStringLiteral("duration"));
    m_remindBefore = new CDurationField(this);
    m_remindBefore->setObjectName(QStringLiteral("remindBefore"));
    m_enabled = new QCheckBox(tr("Enable"), this);
    m_enabled->setObjectName(QStringLiteral("enabled"));
    m_accepted = new QCheckBox(tr("Accepted"), this);
    m_accepted->setObjectName(QStringLiteral("accepted"));
    auto* startLabel = new QLabel(tr("Start"), this);
    startLabel->setBuddy(m_start);
    auto* durationLabel = new QLabel(tr("Duration"), this);
    durationLabel->setBuddy(m_duration);
    auto* remindLabel = new QLabel(tr("Remind Before"), this);
    remindLabel->setBuddy(m_remindBefore);
    auto* startRow = new QHBoxLayout;
    startRow->setSpacing(5);
    startRow->addWidget(m_start, 1);
    startRow->addWidget(m_halfHour);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_enabled);
    checks->addSpacing(12);
    checks->addWidget(m_accepted);
    checks->addStretch();
    auto* timing = new QGridLayout;
    timing->addWidget(startLabel, 0, 0);
    timing->addLayout(startRow, 0, 1, 1, 3);
    timing->addWidget(durationLabel, 1, 0);
    timing->addWidget(m_duration, 1, 1);
    timing->addWidget(remindLabel, 1, 2, Qt::AlignRight);
    timing->addWidget(m_remindBefore, 1, 3);
    timing->addLayout(checks, 2, 1, 1, 3);
    timing->setColumnStretch(1, 1);
    timing->setColumnStretch(3, 1);
    timing->setContentsMargins(9, 0, 9, 0);
    connect(m_halfHour, &QToolButton::clicked, this, &CEventEditorDlg::openHalfHourMenu);
    connect(m_start, &CDateTimeField::valueChanged, this, [this] {
        // A start the user (or a choice) changed no longer follows the clock.
        if (!(m_start->value() == m_model.start)) m_model.startFollowsClock = false;
        m_model.start = m_start->value();
    });
    // A new event's untouched default start keeps ahead of the clock while the user types.
    auto* follow = new QTimer(this);
    connect(follow, &QTimer::timeout, this, &CEventEditorDlg::followClock);
    follow->start(1000);
    return timing;
}

// Recurrence and sound: a picture, the current value and the button that changes it.
QWidget* CEventEditorDlg::createRecurrenceGroup() {
    auto* recurrenceGroup = new QGroupBox(tr("Recurrence"), this);
    auto* recurrencePicture = new QLabel(recurrenceGroup);
    recurrencePicture->setPixmap(Decoration(QStringLiteral(":/icons/recurrence.png"), QStyle::SP_BrowserReload, this));
    m_ruleText = new QLabel(recurrenceGroup);
    m_ruleText->setObjectName(QStringLiteral("ruleText"));
    m_ruleText->setTextFormat(Qt::PlainText);
    m_ruleText->setWordWrap(true);
    m_ruleText->setMinimumWidth(200);
    m_setRecurrence = new QPushButton(tr("Set Recurrence..."), recurrenceGroup);
    m_setRecurrence->setObjectName(QStringLiteral("setRecurrence"));
    m_setRecurrence->setAutoDefault(false);
    auto* recurrenceLayout = new QHBoxLayout(recurrenceGroup);
    recurrenceLayout->addWidget(recurrencePicture);
    recurrenceLayout->addWidget(m_ruleText, 1);
    recurrenceLayout->addWidget(m_setRecurrence);
    connect(m_setRecurrence, &QPushButton::clicked, this, &CEventEditorDlg::setRecurrence);
    return recurrenceGroup;
}

QWidget* CEventEditorDlg::createSoundGroup() {
    auto* soundGroup = new QGroupBox(tr("Sound"), this);
    auto* soundPicture = new QLabel(soundGroup);
    soundPicture->setPixmap(Decoration(QStringLiteral(":/icons/sound.png"), QStyle::SP_MediaVolume, this));
    m_sound = new QLabel(soundGroup);
    m_sound->setObjectName(QStringLiteral("sound"));
    m_sound->setTextFormat(Qt::PlainText);
    m_setSound = new QPushButton(tr("Set Sound..."), soundGroup);
    m_setSound->setObjectName(QStringLiteral("setSound"));
    m_setSound->setAutoDefault(false);
    auto* soundLayout = new QHBoxLayout(soundGroup);
    soundLayout->addWidget(soundPicture);
    soundLayout->addWidget(m_sound, 1);
    soundLayout->addWidget(m_setSound);
    // This button and Set Recurrence as wide as the wider one, so the two lines look alike.
    const int buttonWidth = std::max(m_setRecurrence->sizeHint().width(), m_setSound->sizeHint().width());
    m_setRecurrence->setMinimumWidth(buttonWidth);
    m_setSound->setMinimumWidth(buttonWidth);
    connect(m_setSound, &QPushButton::clicked, this, &CEventEditorDlg::setSound);
    return soundGroup;
}

QWidget* CEventEditorDlg::createButtons() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEventEditorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void CEventEditorDlg::setTabOrders() {
    setTabOrder(m_name, m_typeButton);
    setTabOrder(m_typeButton, m_note);
    setTabOrder(m_note, m_start);
    setTabOrder(m_start, m_halfHour);
    setTabOrder(m_halfHour, m_duration);
    setTabOrder(m_duration, m_remindBefore);
    setTabOrder(m_remindBefore, m_enabled);
    setTabOrder(m_enabled, m_accepted);
    setTabOrder(m_accepted, m_setRecurrence);
    setTabOrder(m_setRecurrence, m_setSound);
}

void CEventEditorDlg::LoadFromEvent(const CPtEvent& ev) {
    m_model.LoadFromEvent(ev);
    m_model.MarkDefaultStart(now());
    showValues();
    updateCaptionAndIcons();
}

void CEventEditorDlg::StoreToEvent(CPtEvent& ev) {
    collect();
    m_model.StoreToEvent(ev, now(), m_types);
}

void CEventEditorDlg::collect() {
    m_model.name = m_name->text().toStdString();
    m_model.note = m_note->toPlainText().toStdString();
    m_model.start = m_start->value();
    m_model.duration = m_duration->seconds();
    m_model.remindBefore = m_remindBefore->seconds();
    m_model.enabled = m_enabled->isChecked();
    m_model.accepted = m_accepted->isChecked();
}

void CEventEditorDlg::showValues() {
    updateRecurrenceDisplay();
    const CEventEditorModel shown = m_model;  // the fields' change signals write back as they are set
    m_name->setText(QString::fromStdString(shown.name));
    m_note->setPlainText(QString::fromStdString(shown.note));
    m_start->setValue(shown.start);
    m_duration->setSeconds(shown.duration);
    m_remindBefore->setSeconds(shown.remindBefore);
    m_enabled->setChecked(shown.enabled);
    m_accepted->setChecked(shown.accepted);
    m_sound->setText(QString::fromStdString(shown.sound));
    m_model = shown;
}

void CEventEditorDlg::updateRecurrenceDisplay() {
    m_model.UpdateRecurrenceDisplay();
    const bool editable = m_model.StartAndDurationEditable();
    m_start->setEnabled(editable);
    m_halfHour->setEnabled(editable);
    m_duration->setEnabled(editable);
    m_ruleText->setText(QString::fromStdString(m_model.ruleText));
}

void CEventEditorDlg::updateCaptionAndIcons() {
    const CEventType type = m_model.CurrentType(m_types);
    setWindowTitle(QString::fromStdString(m_model.Caption(m_types)));
    setWindowIcon(icons::TypeIcon(type.GetIcon()));
    m_typeButton->setIcon(QIcon(icons::SmallTypeIcon(type.GetIcon())));
    m_typeButton->setToolTip(QString::fromStdString(type.GetName()));
}

void CEventEditorDlg::openTypeMenu() {
    const QPoint corner = m_typeButton->mapToGlobal(QPoint(0, m_typeButton->height()));
    if (const int command = ExecTypeMenu(m_types, corner, this)) chooseTypeCommand(command);
}

void CEventEditorDlg::chooseTypeCommand(int command) {
    if (command == kTypeMenuCustomizeId) {
        customizeTypes(this);
        return;
    }
    if (command < kTypeMenuFirstId || command > kTypeMenuLastId) return;
    collect();
    if (!m_model.ApplyTypeToDialog(static_cast<size_t>(command - kTypeMenuFirstId), m_types)) return;
    showValues();
    updateCaptionAndIcons();
}

void CEventEditorDlg::openHalfHourMenu() {
    if (const int command = PickHalfHourCommand(m_halfHour, m_start->value())) chooseHalfHour(command);
}

void CEventEditorDlg::chooseHalfHour(int command) {
    if (const std::optional<DateTime> t = HalfHourTime(m_start->value(), command)) m_start->setValue(*t);
    m_model.start = m_start->value();
}

void CEventEditorDlg::setRecurrence() {
    collect();
    const CReCurrence before = m_model.BeginRecurrenceEdit(m_start->value());
    CRecurrenceDlg dialog(this);
    dialog.LoadFromRule(m_model.rule);
    if (runRecurrenceDialog(dialog)) {
        dialog.ApplyToRule(m_model.rule);
        m_model.FinishRecurrenceEdit();
    } else {
        m_model.CancelRecurrenceEdit(before);
    }
    showValues();
}

void CEventEditorDlg::setSound() {
    collect();
    std::string sound = m_model.sound;
    if (runSoundDialog(this, sound)) m_model.sound = sound;
    showValues();
}

void CEventEditorDlg::followClock() {
    if (m_model.FollowClock(now())) m_start->setValue(m_model.start);
}

void CEventEditorDlg::accept() {
    followClock();
    collect();
    const EditorCheck check = m_model.Check(now());
    if (check != EditorCheck::Ok) {
        ShowProductMessage(this, CoreText(EditorCheckMessage(check)));
        if (check == EditorCheck::EmptyName) m_name->setFocus();
        else if (m_start->isEnabled()) m_start->setFocus();
        else m_setRecurrence->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace tv
