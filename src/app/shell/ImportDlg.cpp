// The Import dialog of Import Exp File.
#include "ImportDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tv {

CImportDlg::CImportDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Import"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(tr("Select the content"), this);
    auto* boxes = new QVBoxLayout(group);
    m_events = new QCheckBox(tr("Import Event"), group);
    m_events->setObjectName(QStringLiteral("importEvent"));
    m_types = new QCheckBox(tr("Import Event Type"), group);
    m_types->setObjectName(QStringLiteral("importEventType"));
    m_events->setChecked(true);
    m_types->setChecked(true);
    boxes->addWidget(m_events);
    boxes->addWidget(m_types);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_import->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_events, &QCheckBox::toggled, this, &CImportDlg::updateButton);
    connect(m_types, &QCheckBox::toggled, this, &CImportDlg::updateButton);
    setMinimumWidth(260);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CImportDlg::importEvents() const { return m_events->isChecked(); }
bool CImportDlg::importTypes() const { return m_types->isChecked(); }

void CImportDlg::updateButton() { m_import->setEnabled(importEvents() || importTypes()); }

}  // namespace tv
