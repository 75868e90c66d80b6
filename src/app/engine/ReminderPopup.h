// CReminderPopup: the window that announces a due event and waits for Snooze, Delete or Accept.
#pragma once

#include <QDialog>
#include <QList>
#include <QRect>
#include <cstdint>

#include "engine/Clock.h"
#include "model/PtEvent.h"
#include "shell/DialogLayout.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tv {

class CDurationField;

// Modeless, owned by nobody, deleted when closed. Only its three buttons close it: Enter,
// Escape and the close box do nothing. Each answer changes the store through its locked
// operations, saves the event file at once and tells the main window (when it exists).
class CReminderPopup : public QDialog {
    Q_OBJECT
public:
    // Opens a pop-up for the stored event of that id: centred, on top when the preference
    // says so, playing the event's sound. Null when the store no longer holds the event.
    static CReminderPopup* Open(uint32_t eventId, const IClock& clock);

    CReminderPopup(const CPtEvent& event, const IClock& clock, QWidget* parent = nullptr);
    ~CReminderPopup() override;

    uint32_t eventId() const { return m_eventId; }
    QString timeText() const;
    QString nameText() const { return m_name; }
    QString noteText() const;
    int typeIcon() const { return m_typeIcon; }
    CDurationField* snoozeField() const { return m_snoozeField; }

    // The pop-ups open now, oldest first; closed all at once when the program ends.
    static QList<CReminderPopup*> OpenPopups();
    static void CloseAll();
    // Closes each pop-up whose reminder was answered elsewhere (tallyvane-cli answered it, which
    // ends its showing mark, or deleted its event). Its answer was given; it gives none.
    static void CloseAnsweredElsewhere();

public Q_SLOTS:
    void snooze();
    void deleteEvent();
    void acceptEvent();
    // Escape does nothing.
    void reject() override {}

Q_SIGNALS:
    // The pop-up closes, answered or not: its desktop notification goes too.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLayout(int typeIcon, const QFont& nameFont, const QColor& nameColor);
    void ShowCentred(bool onTop);
    void Centre();
    void ClosePopup();

    const IClock& m_clock;
    uint32_t m_eventId = 0;
    uint32_t m_typeId = 0;
    int m_typeIcon = 0;
    QString m_name;
    QString m_note;
    QString m_sound;
    DateTime m_occurrence;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    QPlainTextEdit* m_noteView = nullptr;
    CDurationField* m_snoozeField = nullptr;
    QPushButton* m_snoozeButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_acceptButton = nullptr;
    QRect m_creationRect;
    CFirstRestoreRule m_restoreRule;
    bool m_closing = false;
};

}  // namespace tv
