// Reading the older product's type and event files.
#include "PlumtraceFiles.h"

#include "ImportMerge.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

using namespace transfer;

namespace {

// The older product's header after its tag and version: two words, a reserved area and two
// texts, none of which mean anything to this program. The reserved area is a fixed 505
// bytes in every file that product wrote; it has no length prefix, so it is skipped by size.
constexpr size_t kPlumtraceReservedBlock = 505;

// The type file: count, nextId, then the types; no tag and no idLimit.
bool ReadPlumtraceTypes(std::string_view bytes, const std::string& name, std::vector<CEventType>& fileTypes,
                        TransferResult& result) {
    try {
        ArchiveReader ar(bytes);
        const uint32_t count = ar.ReadU32();
        ar.ReadU32();  // nextId: the merged types get ids of this table
        fileTypes = ReadTypeRecords(ar, count);
        NoteDamagedTexts(name, ar.DamagedTexts(), result);
    } catch (const ArchiveError& e) {
        result = Fail(TransferError::ArchiveError, DamagedMessage(name, e.what()));
        return false;
    }
    return true;
}

TransferResult ImportPlumtraceEvents(std::vector<CEventType> fileTypes, std::string_view eventBytes,
                                     const std::string& eventName, CEventTypeTable& types, CEventStore& store,
                                     TransferResult result) {
    ArchiveReader ar(eventBytes);
    TypeMerger merger(types, std::move(fileTypes), result);
    if (!HasTag(ar, kPlumtraceTag)) {
        merger.MergeAll(true);  // the merged types stay, with their messages
        result.error = TransferError::WrongTag;
        result.message = texts::Tr(texts::kInvalidPlumtrace);
        return result;
    }
    std::vector<CPtEvent> events;
    try {
        ar.ReadU16();  // version
        ar.ReadU32();  // the two header words
        ar.ReadU32();
        ar.Skip(kPlumtraceReservedBlock);
        ar.ReadText();  // the two header texts
        ar.ReadText();
        const uint32_t count = ar.ReadU32();
        ar.ReadU32();  // nextId of the older list: the events get new ids here
        events = ReadEventRecords(ar, count);
    } catch (const ArchiveError& e) {
        return Fail(TransferError::ArchiveError, DamagedMessage(eventName, e.what()));
    }
    NoteDamagedTexts(eventName, ar.DamagedTexts(), result);
    merger.MergeAll(true);
    AddImportedEvents(events, merger, types, store, result);
    return result;
}

}  // namespace

TransferResult ImportPlumtrace(const std::string& folder, CEventTypeTable& types, CEventStore& store) {
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    const std::string typePath = base + "evty.ptt";
    const std::string eventPath = base + "evnt.pte";
    TransferResult result;
    std::string typeBytes, eventBytes;
    if (!ReadFileFor(typePath, typeBytes, result)) return result;
    std::vector<CEventType> fileTypes;
    if (!ReadPlumtraceTypes(typeBytes, typePath, fileTypes, result)) return result;
    if (!ReadFileFor(eventPath, eventBytes, result)) return result;
    return ImportPlumtraceEvents(std::move(fileTypes), eventBytes, eventPath, types, store, result);
}

TransferResult ImportPlumtraceBytes(std::string_view typeBytes, std::string_view eventBytes,
                                    const std::string& typeName, const std::string& eventName, CEventTypeTable& types,
                                    CEventStore& store) {
    TransferResult result;
    std::vector<CEventType> fileTypes;
    if (!ReadPlumtraceTypes(typeBytes, typeName, fileTypes, result)) return result;
    return ImportPlumtraceEvents(std::move(fileTypes), eventBytes, eventName, types, store, result);
}

}  // namespace tv
