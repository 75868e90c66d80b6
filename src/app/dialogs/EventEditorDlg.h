// CEventEditorDlg: creates and modifies one event ("New <type>" / "Modify <type>").
#pragma once

#include <QDialog>
#include <functional>

#include "editing/EventEditorModel.h"

class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tv {

class CDateTimeField;
class CDurationField;
class CEventTypeTable;
class CRecurrenceDlg;

class CEventEditorDlg : public QDialog {
    Q_OBJECT
public:
    // Works with the program's type table.
    explicit CEventEditorDlg(QWidget* parent = nullptr, bool isNew = true);
    CEventEditorDlg(CEventTypeTable& types, QWidget* parent, bool isNew);

    void LoadFromEvent(const CPtEvent& ev);
    // After OK: the edited values go into ev (type first, rule last).
    void StoreToEvent(CPtEvent& ev);

    // The present moment, read when OK checks the start and when Accepted is stored.
    std::function<DateTime()> now;
    // "Customize..." of the type menu.
    std::function<void(QWidget* parent)> customizeTypes;
    // Runs the recurrence dialog; true for OK. Replaceable so that tests can answer it.
    std::function<bool(CRecurrenceDlg& dialog)> runRecurrenceDialog;
    // Runs the sound picker on a sound; true for OK with the chosen sound in it.
    std::function<bool(QWidget* parent, std::string& sound)> runSoundDialog;

    CEventEditorModel& model() { return m_model; }

public Q_SLOTS:
    void accept() override;
    // What the type button's menu and the "..." menu do with a chosen command.
    void chooseTypeCommand(int command);
    void chooseHalfHour(int command);
    void setRecurrence();
    void setSound();

private:
    void build();
    QWidget* createEventGroup();
    QLayout* createTimingRows();
    QWidget* createRecurrenceGroup();
    QWidget* createSoundGroup();
    QWidget* createButtons();
    void setTabOrders();
    void collect();
    // Moves an untouched default start to the next whole minute once the clock reaches it.
    void followClock();
    void showValues();
    void updateRecurrenceDisplay();
    void updateCaptionAndIcons();
    void openTypeMenu();
    void openHalfHourMenu();

    CEventTypeTable& m_types;
    CEventEditorModel m_model;
    QLineEdit* m_name = nullptr;
    QToolButton* m_typeButton = nullptr;
    QPlainTextEdit* m_note = nullptr;
    CDateTimeField* m_start = nullptr;
    QToolButton* m_halfHour = nullptr;
    CDurationField* m_duration = nullptr;
    CDurationField* m_remindBefore = nullptr;
    QCheckBox* m_enabled = nullptr;
    QCheckBox* m_accepted = nullptr;
    QLabel* m_ruleText = nullptr;
    QLabel* m_sound = nullptr;
    QPushButton* m_setRecurrence = nullptr;
    QPushButton* m_setSound = nullptr;
};

}  // namespace tv
