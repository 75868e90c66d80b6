// Export iCalendar... and Import iCalendar...: file dialogs, the choice per event that cannot
// move exactly, and what the user is told.
#include "IcsCommands.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "IcsExport.h"
#include "MainWnd.h"
#include "UserPrompts.h"
#include "shell/Translation.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "store/TransferFiles.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

namespace {

FileDialogRequest CalendarFiles(bool save) {
    return {save, {}, QStringLiteral("iCalendar Files (*.ics)"), QStringLiteral("ics")};
}

QString Utf8(std::string_view text) { return QString::fromUtf8(text); }

QString Lines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out << Utf8(l);
    return out.join('\n');
}

IcsChoices& ChoicesHook() {
    static IcsChoices hook;
    return hook;
}

bool AskChoices(QWidget* owner, const std::vector<ics::IcsImportItem*>& items) {
    if (ChoicesHook()) return ChoicesHook()(owner, items);
    CIcsImportDlg dialog(items, owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.applyChoices();
    return true;
}

}  // namespace

void SetIcsChoicesForTesting(IcsChoices choices) { ChoicesHook() = std::move(choices); }

// ---- the choice per event ----------------------------------------------------------

CIcsImportDlg::CIcsImportDlg(const std::vector<ics::IcsImportItem*>& items, QWidget* parent)
    : QDialog(parent), m_items(items) {
    setWindowTitle(tr("Import iCalendar"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr("These events say more than Tallyvane can hold. Import each as the nearest "
                               "event Tallyvane can hold, or skip it."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_table = new QTableWidget(static_cast<int>(items.size()), 4, this);
    m_table->setHorizontalHeaderLabels({tr("Event"), tr("Start"), tr("What cannot move"), tr("Choice")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const ics::IcsImportItem& item = *items[static_cast<size_t>(row)];
        QStringList problems;
        for (const std::string& p : item.problems) problems << Utf8(p);
        m_table->setItem(row, 0, new QTableWidgetItem(Utf8(item.event.GetName())));
        m_table->setItem(row, 1, new QTableWidgetItem(Utf8(item.event.GetStart().ToIsoText().substr(0, 16))));
        auto* what = new QTableWidgetItem(problems.join(QStringLiteral("; ")));
        what->setToolTip(problems.join('\n'));
        m_table->setItem(row, 2, what);
        auto* choice = new QComboBox(m_table);
        choice->addItems({tr("Import as nearest"), tr("Skip")});
        choice->setCurrentIndex(item.import ? 0 : 1);
        m_table->setCellWidget(row, 3, choice);
    }
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* allNearest = buttons->addButton(tr("All as Nearest"), QDialogButtonBox::ActionRole);
    QPushButton* skipAll = buttons->addButton(tr("Skip All"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(allNearest, &QPushButton::clicked, this, [this] { chooseAll(0); });
    connect(skipAll, &QPushButton::clicked, this, [this] { chooseAll(1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(760, 200 + 30 * std::min<int>(m_table->rowCount(), 10));
}

QComboBox* CIcsImportDlg::choiceBox(int row) const { return qobject_cast<QComboBox*>(m_table->cellWidget(row, 3)); }

void CIcsImportDlg::chooseAll(int choice) {
    for (int row = 0; row < m_table->rowCount(); ++row) choiceBox(row)->setCurrentIndex(choice);
}

void CIcsImportDlg::applyChoices() const {
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_items[static_cast<size_t>(row)]->import = choiceBox(row)->currentIndex() == 0;
}

// ---- the commands -------------------------------------------------------------------

void CMainWnd::exportIcs() {
    const QString path = Prompts().ChooseFile(this, CalendarFiles(true));
    if (path.isEmpty()) return;
    const ics::IcsFileExport r =
        ics::ExportIcsFile(QFile::encodeName(path).toStdString(), GetEventStore(), GetEventTypeTable(), clock().Now());
    if (!r.file.ok) return Prompts().TellStop(this, ProductName(), Utf8(r.file.message));
    if (!r.warnings.empty())
        Prompts().Tell(this, ProductName(), tr("Some events were written with a change:\n\n") + Lines(r.warnings),
                       true);
    if (!r.file.note.empty()) Prompts().Tell(this, ProductName(), Utf8(r.file.note), true);
}

void CMainWnd::importIcs() {
    const QString path = Prompts().ChooseFile(this, CalendarFiles(false));
    if (path.isEmpty()) return;
    ics::IcsImportPlan plan =
        ics::ReadIcsFile(QFile::encodeName(path).toStdString(), GetEventTypeTable(), clock().Now());
    if (!plan.ok)
        return Prompts().TellStop(
            this, ProductName(),
            Utf8(texts::TrPrintf(texts::kIcsNotImported, path.toUtf8().constData(), plan.message.c_str())));
    CEventStore& store = GetEventStore();
    ics::CUidMap uids(ics::CUidMap::PathBeside(store.GetFilePath()));
    uids.Load();
    uids.Prune(store);
    ics::MarkPresent(plan, store, uids);
    std::vector<ics::IcsImportItem*> inexact;
    for (ics::IcsImportItem& item : plan.items)
        if (!item.present && !item.problems.empty()) inexact.push_back(&item);
    if (!inexact.empty() && !AskChoices(this, inexact)) return;
    const ics::IcsImportResult r = ics::ApplyImport(plan, store, uids);
    if (r.refused > 0) Prompts().Tell(this, ProductName(), CoreText(texts::kNoFreeId), true);
    afterTransfer(false, r.added > 0);
    if (r.added > 0) ReportSave(this, uids.Save());
    QString told = Utf8(texts::TrPrintf(texts::kIcsImported, r.added, r.present, r.skipped)) + QLatin1Char('.');
    if (!plan.notes.empty()) told += QStringLiteral("\n\n") + Lines(plan.notes);
    Prompts().Tell(this, ProductName(), told, false);
}

}  // namespace tv
