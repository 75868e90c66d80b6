// CRecurrenceDlg ("Set Recurrence"): edits the event editor's copy of a recurrence rule.
#pragma once

#include <QDialog>
#include <array>

#include "editing/RecurrenceModel.h"

class QCheckBox;
class QLayout;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tv {

class CDateTimeField;
class CDurationField;
class CPatternPage;

class CRecurrenceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRecurrenceDlg(QWidget* parent = nullptr);

    // Before running: the rule's times, end and pattern fill the dialog.
    void LoadFromRule(const CReCurrence& rule);
    // After OK: the dialog's result goes into the rule (the anchor only ever cleared, by a
    // removal).
    void ApplyToRule(CReCurrence& rule) const { m_model.ApplyToRule(rule); }

    const CRecurrenceModel& model() const { return m_model; }
    // The radio buttons: the page of that kind shows, every page keeps what it holds.
    void switchKind(int patternType);

public Q_SLOTS:
    void accept() override;
    void removeRecurrence();

private:
    QWidget* createTimeGroup();
    QWidget* createPatternGroup();
    QLayout* createEndRow();
    QLayout* createButtonRow();
    void setTabOrders();
    CPatternPage* currentPage() const;

    CRecurrenceModel m_model;
    CDateTimeField* m_start = nullptr;
    CDurationField* m_duration = nullptr;
    std::array<QRadioButton*, 4> m_kinds{};  // by pattern type
    std::array<CPatternPage*, 4> m_pages{};
    QStackedWidget* m_stack = nullptr;
    QCheckBox* m_endsOn = nullptr;
    CDateTimeField* m_end = nullptr;
};

}  // namespace tv
