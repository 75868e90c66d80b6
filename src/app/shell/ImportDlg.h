// CImportDlg ("Import"): which content of an export file is imported.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace tv {

// Two check boxes in the group "Select the content", both checked at the start: "Import Event"
// and "Import Event Type". The OK button reads "Import"; it is unavailable while neither box
// is checked, since such an import could do nothing.
class CImportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImportDlg(QWidget* parent = nullptr);

    bool importEvents() const;
    bool importTypes() const;

    QCheckBox* eventsBox() const { return m_events; }
    QCheckBox* typesBox() const { return m_types; }
    QPushButton* importButton() const { return m_import; }

private:
    void updateButton();

    QCheckBox* m_events;
    QCheckBox* m_types;
    QPushButton* m_import;
};

}  // namespace tv
