// Writing export files and merging them in.
#include "ExportFile.h"

#include <iterator>

#include "ImportMerge.h"
#include "platform/FileIo.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

using namespace transfer;

std::string ExportToBytes(const CEventTypeTable& types, const CEventStore& store) {
    ArchiveWriter ar;
    ar.WriteText(kExportTag);
    types.WriteTable(ar);
    store.WriteForExport(ar);
    return ar.TakeData();
}

FileResult WriteExport(const std::string& path, const CEventTypeTable& types, const CEventStore& store) {
    return WriteFileAtomically(path, ExportToBytes(types, store));
}

TransferResult ImportExportFile(const std::string& path, const ImportOptions& options, CEventTypeTable& types,
                                CEventStore& store) {
    TransferResult result;
    std::string bytes;
    if (!ReadFileFor(path, bytes, result)) return result;
    return ImportExportBytes(bytes, path, options, types, store);
}

TransferResult ImportExportBytes(std::string_view bytes, const std::string& path, const ImportOptions& options,
                                 CEventTypeTable& types, CEventStore& store) {
    TransferResult result;
    ArchiveReader ar(bytes);
    if (!HasTag(ar, kExportTag)) return Fail(TransferError::WrongTag, texts::Tr(texts::kInvalidExport));
    // The whole file is read before anything is merged, so a damaged file adds nothing and
    // importing it again once repaired gives no duplicates.
    std::vector<CEventType> fileTypes;
    std::vector<CPtEvent> events;
    try {
        const uint32_t typeCount = ar.ReadU32();
        ar.ReadU32();  // nextId and idLimit of the exporting table mean nothing here
        ar.ReadU32();
        fileTypes = ReadTypeRecords(ar, typeCount);
        if (options.events) {
            events = ReadEventRecords(ar, ar.ReadU32());
            std::vector<CPtEvent> recurring = ReadEventRecords(ar, ar.ReadU32());
            std::move(recurring.begin(), recurring.end(), std::back_inserter(events));
        }
    } catch (const ArchiveError& e) {
        return Fail(TransferError::ArchiveError, DamagedMessage(path, e.what()));
    }
    NoteDamagedTexts(path, ar.DamagedTexts(), result);
    TypeMerger merger(types, std::move(fileTypes), result);
    if (options.types) merger.MergeAll(true);
    AddImportedEvents(events, merger, types, store, result);
    return result;
}

}  // namespace tv
