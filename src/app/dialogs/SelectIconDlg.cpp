// The icon picker.
#include "SelectIconDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/AppIcons.h"
#include "model/EventType.h"

namespace tv {

CSelectIconDlg::CSelectIconDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Select Icon"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("icons"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(16, 16));
    m_list->setGridSize(QSize(26, 26));
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWrapping(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSpacing(0);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < kTypeIconCount; ++i) {
        auto* item = new QListWidgetItem(QIcon(icons::SmallTypeIcon(i)), QString(), m_list);
        item->setSizeHint(QSize(26, 26));
    }
    // Eight icons to a row, two rows, and a frame around them.
    const int frame = 2 * m_list->frameWidth() + 6;
    m_list->setFixedSize(8 * 26 + frame, 2 * 26 + frame);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A click picks an icon; moving through the list with the keys does not. Enter or a
    // double click picks the current icon and closes, so the keyboard can pick one too.
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { m_selection = m_list->row(item); });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_selection = m_list->row(item);
        accept();
    });
}

}  // namespace tv
