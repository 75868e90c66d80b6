// CReminderPopup: the window that announces a due event and waits for Snooze, Delete or Accept.
#include "ReminderPopup.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <QWindowStateChangeEvent>

#include "DesktopNotifier.h"
#include "SoundPlayer.h"
#include "controls/DurationField.h"
#include "shell/AppIcons.h"
#include "shell/AppSettings.h"
#include "shell/EventAnswers.h"
#include "shell/MessageHub.h"
#include "shell/QtConvert.h"
#include "shell/RegisteredMessages.h"
#include "shell/UserPrompts.h"
#include "store/EventTypeTable.h"
#include "texts/DateTexts.h"
#include "views/CalendarAccessible.h"

namespace tv {

namespace {

QList<QPointer<CReminderPopup>>& Registry() {
    static QList<QPointer<CReminderPopup>> popups;
    return popups;
}

// The dialog font's average character width (over the 52 letters, rounded) and height.
DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, fm.height()};
}

QRect ToQRect(const PixelRect& r) { return QRect(r.x, r.y, r.width, r.height); }

}  // namespace

CReminderPopup* CReminderPopup::Open(uint32_t eventId, const IClock& clock) {
    CPtEvent ev;
    if (!GetEventStore().GetById(eventId, ev)) return nullptr;
    auto* popup = new CReminderPopup(ev, clock);
    popup->ShowCentred(GetAppSettings().GetReminderOnTop());
    PlayEventSound(popup->m_sound);
    CDesktopNotifier::Instance().Announce(popup);
    return popup;
}

CReminderPopup::CReminderPopup(const CPtEvent& event, const IClock& clock, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_clock(clock), m_eventId(event.GetId()), m_typeId(event.GetType()),
      m_name(QString::fromUtf8(event.GetName())), m_note(QString::fromUtf8(event.GetNote())),
      m_sound(QString::fromUtf8(event.GetSound())), m_occurrence(event.GetPendingOccurrence()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ReminderPopup"));
    // Screen readers meet it as an alert.
    InstallAccessibleFactory();
    Registry().append(this);

    CEventType type;  // an unknown type id shows the default type
    GetEventTypeTable().FindById(m_typeId, type);

    const QFont nameFont = ToQFont(type.GetFont(), {11, 72, 15});
    // The type's colour was chosen for some background; on this one it must still be read.
    BuildLayout(type.GetIcon(), nameFont,
                LegibleQColor(ToQColor(type.GetTextColor()), palette().color(QPalette::Window)));
    m_typeIcon = type.GetIcon();
    setWindowIcon(icons::TypeIcon(type.GetIcon()));
    setWindowTitle(QString::fromStdString(type.GetName()) + QStringLiteral(" - ") + m_name);

    // The pop-up announces one occurrence, and its Accept answers that one.
    m_timeLabel->setText(tr("At ") + QString::fromStdString(GetDateTexts().EventTime(m_occurrence)));
    m_snoozeField->setSeconds(300);
}

CReminderPopup::~CReminderPopup() { Registry().removeAll(this); }

void CReminderPopup::BuildLayout(int typeIcon, const QFont& nameFont, const QColor& nameColor) {
    namespace L = reminder_popup;
    const DialogBaseUnits base = BaseUnitsOf(font());
    auto place = [&](QWidget* w, const DialogRect& r, int shift = 0) {
        QRect g = ToQRect(ToPixels(r, base));
        g.translate(0, shift);
        w->setGeometry(g);
    };

    auto* icon = new QLabel(this);
    icon->setPixmap(icons::LargeTypeIcon(typeIcon));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(icon, L::kIcon);

    m_timeLabel = new QLabel(this);
    m_timeLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(m_timeLabel, L::kTimeLine);
    // The time line keeps its own line even where the dialog font is taller than 9 units.
    m_timeLabel->setMinimumHeight(m_timeLabel->fontMetrics().height());

    // A large type font gets the room it needs: everything below the name moves down.
    const QRect nameRect = ToQRect(ToPixels(L::kName, base));
    const int shift = std::max(0, QFontMetrics(nameFont).height() - nameRect.height());
    m_nameLabel = new QLabel(this);
    m_nameLabel->setFont(nameFont);
    QPalette pal = m_nameLabel->palette();
    pal.setColor(QPalette::WindowText, nameColor);
    m_nameLabel->setPalette(pal);
    m_nameLabel->setGeometry(nameRect.adjusted(0, 0, 0, shift));
    m_nameLabel->setText(QFontMetrics(nameFont).elidedText(m_name, Qt::ElideRight, nameRect.width()));
    m_nameLabel->setToolTip(m_name);
    m_nameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A right-to-left name reads and aligns from the right.
    m_nameLabel->setLayoutDirection(m_name.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);

    auto line = [&](const DialogRect& r, int dy) {
        auto* f = new QFrame(this);
        f->setFrameShape(QFrame::HLine);
        f->setFrameShadow(QFrame::Sunken);
        QRect g = ToQRect(ToPixels(r, base)).translated(0, dy);
        g.setHeight(2);
        f->setGeometry(g);
    };
    line(L::kUpperLine, shift);

    // A long note scrolls instead of being cut off.
    m_noteView = new QPlainTextEdit(this);
    m_noteView->setReadOnly(true);
    m_noteView->setFrameShape(QFrame::NoFrame);
    m_noteView->viewport()->setAutoFillBackground(false);
    m_noteView->setFocusPolicy(Qt::ClickFocus);
    m_noteView->document()->setDocumentMargin(0);
    m_noteView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_noteView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QString note = m_note;
    note.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_noteView->setPlainText(note);
    // The note reads in the direction of its first letters, like the name. A plain-text view
    // aligns every line by its text option alone, whatever the direction.
    if (note.isRightToLeft()) {
        m_noteView->setLayoutDirection(Qt::RightToLeft);
        QTextOption option = m_noteView->document()->defaultTextOption();
        option.setTextDirection(Qt::RightToLeft);
        option.setAlignment(Qt::AlignRight);
        m_noteView->document()->setDefaultTextOption(option);
    }
    place(m_noteView, L::kNote, shift);

    line(L::kLowerLine, shift);

    auto button = [&](const QString& text, const DialogRect& r) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setDefault(false);
        place(b, r, shift);
        return b;
    };
    m_snoozeButton = button(tr("&Snooze"), L::kSnooze);
    m_snoozeField = new CDurationField(this);
    m_snoozeField->setToolTip(tr("How long to wait before reminding again"));
    place(m_snoozeField, L::kSnoozeLength, shift);
    m_deleteButton = button(tr("Dele&te"), L::kDelete);
    m_acceptButton = button(tr("A&ccept"), L::kAccept);
    connect(m_snoozeButton, &QPushButton::clicked, this, &CReminderPopup::snooze);
    connect(m_deleteButton, &QPushButton::clicked, this, &CReminderPopup::deleteEvent);
    connect(m_acceptButton, &QPushButton::clicked, this, &CReminderPopup::acceptEvent);

    // Buttons grow to fit their text where the dialog font needs more than 50 units, keeping
    // Delete and Accept right-aligned.
    for (QPushButton* b : {m_snoozeButton, m_deleteButton, m_acceptButton}) {
        const int need = b->sizeHint().width();
        if (need > b->width()) b->resize(need, b->height());
    }
    const QRect client = ToQRect(ToPixels(L::kClient, base));
    const int margin = ToPixels(L::kSnooze, base).x;
    m_acceptButton->move(client.width() - margin - m_acceptButton->width(), m_acceptButton->y());
    m_deleteButton->move(m_acceptButton->x() - margin / 2 - m_deleteButton->width(), m_deleteButton->y());
    m_snoozeField->move(m_snoozeButton->geometry().right() + 1 + margin / 2, m_snoozeField->y());
    const int fieldWidth = std::max(m_snoozeField->width(), m_snoozeField->sizeHint().width());
    m_snoozeField->resize(std::min(fieldWidth, m_deleteButton->x() - margin - m_snoozeField->x()),
                          m_snoozeField->height());

    setFixedSize(client.width(), client.height() + shift);
    // Keys typed into another window just before the pop-up appeared must not answer it.
    m_snoozeField->setFocus();
}

void CReminderPopup::ShowCentred(bool onTop) {
    if (onTop) setWindowFlag(Qt::WindowStaysOnTopHint, true);
    Centre();
    show();
    raise();
    activateWindow();
    m_creationRect = geometry();
    // A screen reader reads the pop-up out as it opens, as it would a message box.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void CReminderPopup::Centre() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
}

QString CReminderPopup::timeText() const { return m_timeLabel->text(); }
QString CReminderPopup::noteText() const { return m_noteView->toPlainText(); }

QList<CReminderPopup*> CReminderPopup::OpenPopups() {
    QList<CReminderPopup*> out;
    for (const QPointer<CReminderPopup>& p : Registry())
        if (p) out.append(p.data());
    return out;
}

void CReminderPopup::CloseAll() {
    for (CReminderPopup* p : OpenPopups()) p->ClosePopup();
}

void CReminderPopup::CloseAnsweredElsewhere() {
    for (CReminderPopup* p : OpenPopups()) {
        CPtEvent ev;
        if (!GetEventStore().GetById(p->m_eventId, ev) || !ev.IsShowing()) p->ClosePopup();
    }
}

void CReminderPopup::snooze() {
    CPtEvent ev;
    if (GetEventStore().GetById(m_eventId, ev)) {
        // A length the field cannot read keeps the pop-up open, as any refused entry would.
        if (!m_snoozeField->hasAcceptableInput()) {
            QApplication::beep();
            m_snoozeField->setFocus();
            return;
        }
        const AnswerResult r = SnoozeEvent(GetEventStore(), m_eventId, m_snoozeField->seconds(), m_clock.Now());
        if (r.found) {
            ReportSave(this, r.save);
            PostToMainWnd(msg::kInvalidate, m_eventId);
        }
    }
    ClosePopup();
}

void CReminderPopup::acceptEvent() {
    const AnswerResult r = AcceptEvent(GetEventStore(), m_eventId, m_clock.Now(), m_occurrence);
    if (r.found) {
        ReportSave(this, r.save);
        PostToMainWnd(msg::kInvalidate, m_eventId);
    }
    ClosePopup();
}

void CReminderPopup::deleteEvent() {
    CPtEvent ev;
    if (GetEventStore().GetById(m_eventId, ev)) {
        if (ev.IsRecurrent() &&
            !Prompts().AskYesNo(this, tr("Warning"), tr("This is a recurrent event, do you really want to delete it?")))
            return;
        const AnswerResult r = DeleteEvent(GetEventStore(), m_eventId);
        if (r.found) {
            ReportSave(this, r.save);
            PostToMainWnd(msg::kEventDel, m_eventId);
        }
    }
    ClosePopup();
}

void CReminderPopup::ClosePopup() {
    if (!m_closing) Q_EMIT closing();
    m_closing = true;
    close();
}

void CReminderPopup::closeEvent(QCloseEvent* event) {
    if (m_closing) event->accept();
    else event->ignore();  // the close box does not answer a reminder
}

void CReminderPopup::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (isMinimized()) {
        m_restoreRule.OnMinimised();
    } else if ((change->oldState() & Qt::WindowMinimized) && m_restoreRule.OnRestored() && m_creationRect.isValid()) {
        // Back where it was made, in the middle of the screen, however it was moved meanwhile.
        hide();
        setGeometry(m_creationRect);
        Centre();
        show();
    }
}

}  // namespace tv
