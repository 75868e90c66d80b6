// The two list pages of the main window: every event, and Find with its criteria.
#pragma once

#include <QComboBox>
#include <QWidget>

#include "EventListCtrl.h"
#include "shell/MainPage.h"
#include "views/FindMatch.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tv {

class CDateTimeField;

// Page 5: every event of the store, refilled each time the page is shown; header clicks sort.
class CAllEventsPage : public QWidget, public IMainPage {
    Q_OBJECT
public:
    CAllEventsPage(const IClock& clock, QWidget* parent = nullptr);

    CEventListCtrl* list() const { return m_list; }
    void refill() { m_list->listModel()->fillAll(); }

    std::vector<uint32_t> SelectedEventIds() const override { return m_list->selectedIds(); }
    bool RemoveEvent(uint32_t eventId) override { return m_list->listModel()->removeById(eventId); }
    void RefreshEvent(uint32_t eventId) override { m_list->listModel()->refreshId(eventId); }
    void Rebuild() override { m_list->listModel()->syncWithStore(); }
    void SetUpdatesSuspended(bool suspended) override { m_list->setUpdatesEnabled(!suspended); }

private:
    CEventListCtrl* m_list;
};

// The Template list: refilled with the event types each time it opens.
class CTemplateCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    // "All" (no type), then every type of the table in its order; keeps the chosen type.
    void refill();
    // None for "All".
    std::optional<uint32_t> typeFilter() const;
    void showPopup() override;
};

// Page 4: search criteria over a result list in store order.
class CFindPage : public QWidget, public IMainPage {
    Q_OBJECT
public:
    CFindPage(const IClock& clock, QWidget* parent = nullptr);

    CEventListCtrl* list() const { return m_list; }
    // The criteria as the controls hold them.
    FindCriteria criteria() const;
    // Clears the results and lists every matching event.
    void search();

    QLineEdit* textEdit() const { return m_text; }
    QCheckBox* caseCheck() const { return m_case; }
    QCheckBox* fromCheck() const { return m_fromOn; }
    CDateTimeField* fromField() const { return m_from; }
    CTemplateCombo* templateCombo() const { return m_template; }
    QPushButton* findButton() const { return m_find; }

    std::vector<uint32_t> SelectedEventIds() const override { return m_list->selectedIds(); }
    bool RemoveEvent(uint32_t eventId) override { return m_list->listModel()->removeById(eventId); }
    void RefreshEvent(uint32_t eventId) override { m_list->listModel()->refreshId(eventId); }
    // Results stay as found; rows of events that left the store go.
    void Rebuild() override;
    void SetUpdatesSuspended(bool suspended) override { m_list->setUpdatesEnabled(!suspended); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CEventListCtrl* m_list;
    QLineEdit* m_text;
    QPushButton* m_find;
    QCheckBox* m_fromOn;
    QCheckBox* m_toOn;
    CDateTimeField* m_from;
    CDateTimeField* m_to;
    QCheckBox* m_case;
    CTemplateCombo* m_template;
    const IClock& m_clock;
};

}  // namespace tv
