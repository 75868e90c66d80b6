// CSelectIconDlg ("Select Icon"): the 16 type icons to pick one from.
#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace tv {

class CSelectIconDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectIconDlg(QWidget* parent = nullptr);

    // The icon clicked last, or -1 when the user clicked none.
    int selection() const { return m_selection; }
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list = nullptr;
    int m_selection = -1;
};

}  // namespace tv
