// The desktop side of the iCalendar files: the two menu commands, the report of the events a
// file says more of than the calendar holds, and their messages.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "IcsImport.h"

class QAction;
class QComboBox;
class QMenu;
class QTableWidget;

namespace tv {

class CMainWnd;

// One row per event that cannot move exactly: the event, its start, what cannot move, and the
// choice to import it as its nearest event or to skip it.
class CIcsImportDlg : public QDialog {
    Q_OBJECT
public:
    CIcsImportDlg(const std::vector<ics::IcsImportItem*>& items, QWidget* parent = nullptr);
    // Writes the rows' choices into the items.
    void applyChoices() const;
    QTableWidget* table() const { return m_table; }
    QComboBox* choiceBox(int row) const;

private:
    void chooseAll(int choice);

    std::vector<ics::IcsImportItem*> m_items;
    QTableWidget* m_table = nullptr;
};

// Asks for the choices of these items; false when the user cancelled the import. The program
// shows CIcsImportDlg; tests answer in its place.
using IcsChoices = std::function<bool(QWidget* owner, const std::vector<ics::IcsImportItem*>& items)>;
void SetIcsChoicesForTesting(IcsChoices choices);  // null restores the dialog

}  // namespace tv
