// The event-type list dialog.
#include "EventTypeListDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "EventTypeDlg.h"
#include "shell/AppIcons.h"
#include "shell/Translation.h"
#include "shell/UserPrompts.h"
#include "store/EventTypeTable.h"
#include "store/ProgramFolder.h"
#include "texts/UserTexts.h"

namespace tv {

CEventTypeListDlg::CEventTypeListDlg(QWidget* parent)
    : CEventTypeListDlg(
          GetEventTypeTable(), [](CEventTypeTable& t) { return t.Save(TypeFilePath()); }, parent) {}

CEventTypeListDlg::CEventTypeListDlg(CEventTypeTable& table, CTypeListModel::Saver saver, QWidget* parent)
    : QDialog(parent), m_table(table), m_model(std::make_unique<CTypeListModel>(table, std::move(saver))) {
    editType = [](QWidget* parent, CEventType& type) {
        CEventTypeDlg dlg(parent);
        dlg.LoadFromType(type);
        if (dlg.exec() != QDialog::Accepted) return false;
        dlg.StoreToType(type);
        return true;
    };
    confirmDelete = [](QWidget* parent) { return AskWarningQuestion(parent, CoreText(texts::kRemoveTypeQuestion)); };
    build();
    fillList();
    if (!parent) CenterOnScreen(this);
}

void CEventTypeListDlg::build() {
    setWindowTitle(tr("Event Type"));
    auto* label = new QLabel(tr("Customize Event Types"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("types"));
    m_list->setIconSize(QSize(16, 16));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(220, 240);
    label->setBuddy(m_list);

    auto* newButton = new QPushButton(tr("&New..."), this);
    newButton->setObjectName(QStringLiteral("new"));
    m_edit = new QPushButton(tr("&Edit..."), this);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_delete = new QPushButton(tr("&Delete"), this);
    m_delete->setObjectName(QStringLiteral("delete"));
    for (QPushButton* b : {newButton, m_edit, m_delete}) b->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(newButton);
    side->addWidget(m_edit);
    side->addWidget(m_delete);
    side->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);

    // Every change is saved at once, so OK and Cancel only close.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(newButton, &QPushButton::clicked, this, &CEventTypeListDlg::newType);
    connect(m_edit, &QPushButton::clicked, this, &CEventTypeListDlg::editSelected);
    connect(m_delete, &QPushButton::clicked, this, &CEventTypeListDlg::deleteSelected);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CEventTypeListDlg::updateButtons);
    connect(m_list, &QListWidget::itemActivated, this, &CEventTypeListDlg::editSelected);
}

void CEventTypeListDlg::fillList() {
    m_list->clear();
    for (const TypeListItem& item : m_model->Items())
        new QListWidgetItem(QIcon(icons::SmallTypeIcon(item.icon)), QString::fromStdString(item.name), m_list);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    updateButtons();
}

void CEventTypeListDlg::updateButtons() {
    const bool selected = !m_list->selectedItems().isEmpty();
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void CEventTypeListDlg::reportSave(const TypeChangeResult& result) {
    if (!result.Changed()) {
        const std::string refusal = result.RefusalMessage();
        if (!refusal.empty()) ShowProductMessage(this, QString::fromStdString(refusal));
        return;
    }
    ReportSave(this, result.save);
}

void CEventTypeListDlg::newType() {
    CEventType type(LocalNow());
    if (!editType(this, type)) return;
    const TypeChangeResult result = m_model->AddNew(type);
    reportSave(result);
    if (!result.Changed()) return;
    const TypeListItem& item = m_model->Items().front();
    m_list->insertItem(0,
                       new QListWidgetItem(QIcon(icons::SmallTypeIcon(item.icon)), QString::fromStdString(item.name)));
    m_list->setCurrentRow(0);
}

void CEventTypeListDlg::editSelected() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty()) return;
    std::optional<CEventType> type = m_model->Lookup(static_cast<size_t>(row));
    if (!type) return;
    if (!editType(this, *type)) return;
    const TypeChangeResult result = m_model->Replace(static_cast<size_t>(row), *type);
    reportSave(result);
    if (!result.Changed()) return;
    const TypeListItem& item = m_model->Items()[static_cast<size_t>(row)];
    QListWidgetItem* listItem = m_list->item(row);
    listItem->setText(QString::fromStdString(item.name));
    listItem->setIcon(QIcon(icons::SmallTypeIcon(item.icon)));
}

void CEventTypeListDlg::deleteSelected() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty()) return;
    if (!m_model->Lookup(static_cast<size_t>(row))) return;
    if (!confirmDelete(this)) return;
    const TypeChangeResult result = m_model->Remove(static_cast<size_t>(row));
    reportSave(result);
    if (result.Changed()) delete m_list->takeItem(row);
    updateButtons();
}

void RunEventTypeListDialog(QWidget* parent) {
    CEventTypeListDlg dlg(parent);
    dlg.exec();
}

}  // namespace tv
