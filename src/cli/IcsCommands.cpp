// The command-line side of the iCalendar files: messages and exit statuses.
#include "IcsCommands.h"

#include "IcsExport.h"
#include "IcsImport.h"
#include "UidMap.h"
#include "CommandLine.h"
#include "store/TransferFiles.h"
#include "texts/UserTexts.h"

namespace tv::cli {

int ExportIcs(const std::string& path, const CEventStore& store, const CEventTypeTable& types, const DateTime& now,
              std::ostream& out, std::ostream& err) {
    const ics::IcsFileExport r = ics::ExportIcsFile(path, store, types, now);
    for (const std::string& w : r.warnings) err << "warning: " << w << "\n";
    if (!r.file.note.empty()) err << r.file.note << "\n";
    if (!r.file.ok) {
        err << r.file.message << "\n";
        return 1;
    }
    out << r.events << " events written to " << path << "\n";
    return 0;
}

int ImportIcs(const std::string& path, bool nearest, CEventStore& store, const CEventTypeTable& types,
              const DateTime& now, const std::function<bool()>& saveStore, std::ostream& out, std::ostream& err) {
    ics::IcsImportPlan plan = ics::ReadIcsFile(path, types, now);
    if (!plan.ok) {
        err << Format(texts::kIcsNotImported, path.c_str(), plan.message.c_str()) << "\n";
        return 1;
    }
    for (const std::string& note : plan.notes) err << note << "\n";
    ics::CUidMap uids(ics::CUidMap::PathBeside(store.GetFilePath()));
    uids.Load();
    uids.Prune(store);
    ics::MarkPresent(plan, store, uids);
    for (ics::IcsImportItem& item : plan.items) {
        if (item.present || item.problems.empty()) continue;
        item.import = nearest;
        err << ics::DescribeItem(item) << (nearest ? " - imported as its nearest event\n" : " - skipped (--nearest imports it)\n");
    }
    const ics::IcsImportResult r = ics::ApplyImport(plan, store, uids);
    for (size_t i = 0; i < r.refused; ++i) err << texts::kNoFreeId << "\n";
    out << Format(texts::kIcsImported, r.added, r.present, r.skipped) << "\n";
    if (r.added == 0) return 0;
    if (!saveStore()) return 1;
    const FileResult kept = uids.Save();
    if (!kept.ok) err << kept.message << "\n";
    return 0;
}

}  // namespace tv::cli
