// CMainWnd: Backup, Restore, Export and the three imports, with their dialogs and messages.
#include <QFile>

#include "MainWnd.h"
#include "UidMap.h"
#include "UserPrompts.h"
#include "engine/ReminderPopup.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "store/TransferFiles.h"
#include "texts/UserTexts.h"
#include "views/ListPages.h"
#include "views/ViewPages.h"

namespace tv {

namespace {

const QString kRestoreQuestion = QStringLiteral(
    "Restoring from a backup file will delete all events and event type you currently have, \n"
    "which will be replaced by those in backup file. \n\nDo you want to continue?");

FileDialogRequest BackupFiles(bool save) { return {save, {}, QStringLiteral("Export Files (*.bak)"), QStringLiteral("bak")}; }
FileDialogRequest ExportFiles(bool save) { return {save, {}, QStringLiteral("Export Files (*.exp)"), QStringLiteral("exp")}; }
FileDialogRequest HolidayFiles() { return {false, {}, QStringLiteral("Holiday Files (*.hdy)"), QStringLiteral("hdy")}; }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void TellWritten(QWidget* owner, const FileResult& written) {
    if (!written.ok) Prompts().TellStop(owner, ProductName(), QString::fromStdString(written.message));
}

// What a restore or an import found, in the order it happened: each refused type name, the
// events the store had no room for, then why the command stopped or, when it completed, that
// the file was damaged all the same.
void TellTransfer(QWidget* owner, const TransferResult& r) {
    for (size_t i = 0; i < r.refusedTypes.size(); ++i)
        Prompts().Tell(owner, ProductName(), QString::fromLatin1(texts::kTypeExists), true);
    // Once, not per event: an id range that is full refuses every event that follows.
    if (r.eventsRefused > 0) Prompts().Tell(owner, ProductName(), QString::fromLatin1(texts::kNoFreeId), true);
    if (!r.ok()) Prompts().TellStop(owner, ProductName(), QString::fromStdString(r.message));
    else if (!r.note.empty()) Prompts().Tell(owner, ProductName(), QString::fromStdString(r.note), true);
}

}  // namespace

// What the store now holds reaches the disk, and the shown page shows it: a calendar view
// collects its events again, a list is filled again.
void CMainWnd::afterTransfer(bool typesChanged, bool eventsChanged) {
    if (typesChanged) ReportSave(this, GetEventTypeTable().Save(TypeFilePath()));
    if (eventsChanged) ReportSave(this, GetEventStore().Save());
    if (typesChanged || eventsChanged) refreshPages();
}

void CMainWnd::refreshPages() {
    if (m_view == kViewAll) m_pages->allPage()->refill();
    else if (m_view == kViewFind) m_pages->findPage()->search();
    else activePage()->Rebuild();
}

void CMainWnd::backup() {
    const QString path = Prompts().ChooseFile(this, BackupFiles(true));
    if (path.isEmpty()) return;
    TellWritten(this, WriteBackup(LocalPath(path), GetEventTypeTable(), GetEventStore()));
}

void CMainWnd::restoreBackup() {
    if (!Prompts().AskYesNoWarning(this, ProductName(), kRestoreQuestion)) return;
    const QString path = Prompts().ChooseFile(this, BackupFiles(false));
    if (path.isEmpty()) return;
    const TransferResult r = RestoreBackup(LocalPath(path), GetEventTypeTable(), GetEventStore());
    TellTransfer(this, r);
    // Only a file read to its end replaces anything.
    if (!r.ok()) return;
    // An open reminder answers for an event by its id, which may now name another event.
    // Closed, it comes back by itself if the restored event is still due.
    CReminderPopup::CloseAll();
    afterTransfer(true, true);
    // The restored events' ids may now name other events than the calendar files' UIDs did.
    ReportSave(this, ics::ReconcileUidsAfterRestore(GetEventStore()));
}

void CMainWnd::exportEvents() {
    const QString path = Prompts().ChooseFile(this, ExportFiles(true));
    if (path.isEmpty()) return;
    TellWritten(this, WriteExport(LocalPath(path), GetEventTypeTable(), GetEventStore()));
}

void CMainWnd::importExpFile() {
    bool events = true, types = true;
    if (!Prompts().ChooseImportContent(this, events, types)) return;
    const QString path = Prompts().ChooseFile(this, ExportFiles(false));
    if (path.isEmpty()) return;
    ImportOptions options;
    options.events = events;
    options.types = types;
    const TransferResult r = ImportExportFile(LocalPath(path), options, GetEventTypeTable(), GetEventStore());
    TellTransfer(this, r);
    afterTransfer(r.typesAdded > 0, r.eventsAdded > 0);
}

void CMainWnd::importHoliday() {
    const QString path = Prompts().ChooseFile(this, HolidayFiles());
    if (path.isEmpty()) return;
    const TransferResult r = ImportHolidayFile(LocalPath(path), GetEventTypeTable(), GetEventStore(), m_clock->Now());
    TellTransfer(this, r);
    afterTransfer(false, r.eventsAdded > 0);
}

void CMainWnd::importPlumtrace() {
    const QString folder = Prompts().ChooseFolder(this, QStringLiteral("Choose Plumtrace 2.3 Installation Folder"));
    if (folder.isEmpty()) return;
    const TransferResult r = ImportPlumtrace(LocalPath(folder), GetEventTypeTable(), GetEventStore());
    TellTransfer(this, r);
    // Types merged before a wrong event file was found stay, and are kept on disk too.
    afterTransfer(r.typesAdded > 0, r.eventsAdded > 0);
}

}  // namespace tv
