// CEventTypeListDlg ("Event Type"): the list of event types with New, Edit and Delete.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "editing/TypeListModel.h"

class QListWidget;
class QPushButton;

namespace tv {

class CEventTypeTable;

class CEventTypeListDlg : public QDialog {
    Q_OBJECT
public:
    // Works on the process-wide type table and saves Type.ptt of the program folder.
    explicit CEventTypeListDlg(QWidget* parent = nullptr);
    // Works on any table with any saver (tests).
    CEventTypeListDlg(CEventTypeTable& table, CTypeListModel::Saver saver, QWidget* parent = nullptr);

    // Runs the type editor on a type; true for OK. Replaceable so that tests can answer it.
    std::function<bool(QWidget* parent, CEventType& type)> editType;
    // Asks whether to delete; replaceable for tests.
    std::function<bool(QWidget* parent)> confirmDelete;

    QListWidget* list() const { return m_list; }
    const CTypeListModel& model() const { return *m_model; }

public Q_SLOTS:
    void newType();
    void editSelected();
    void deleteSelected();

private:
    void build();
    void fillList();
    void updateButtons();
    void reportSave(const TypeChangeResult& result);

    CEventTypeTable& m_table;
    std::unique_ptr<CTypeListModel> m_model;
    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

// Runs the type list dialog on the program's table (the "Customize..." command).
void RunEventTypeListDialog(QWidget* parent);

}  // namespace tv
