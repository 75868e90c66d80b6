// What the readers of the transfer files share: reading a file whole, checking its tag,
// reading records, and merging the types and events of a foreign file into the local ones.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "EventStore.h"
#include "EventTypeTable.h"
#include "TransferResult.h"
#include "model/Archive.h"

namespace tv::transfer {

TransferResult Fail(TransferError error, std::string message);
std::string DamagedMessage(const std::string& path, const std::string& why);
// A file whose every record was read, though some texts in it were not readable.
void NoteDamagedTexts(const std::string& path, size_t count, TransferResult& result);

// Reads the whole file; on failure result holds the error to report.
bool ReadFileFor(const std::string& path, std::string& bytes, TransferResult& result);

// Reads the leading tag text; a file too short for it is simply not of this kind.
bool HasTag(ArchiveReader& ar, const char* tag);

// Records read from a foreign file, types kept with the ids the file gave them.
std::vector<CEventType> ReadTypeRecords(ArchiveReader& ar, uint32_t count);
std::vector<CPtEvent> ReadEventRecords(ArchiveReader& ar, uint32_t count);

// The type merge shared by the export import and the older product's import: file type id ->
// local id.
class TypeMerger {
public:
    TypeMerger(CEventTypeTable& table, std::vector<CEventType> fileTypes, TransferResult& result)
        : m_table(table), m_fileTypes(std::move(fileTypes)), m_result(result) {}

    void MergeAll(bool appendStar);
    // The local type id an event of file type t takes (0 for none).
    uint32_t LocalTypeFor(uint32_t fileTypeId);

private:
    void Merge(const CEventType& fileType, bool appendStar);

    CEventTypeTable& m_table;
    std::vector<CEventType> m_fileTypes;
    TransferResult& m_result;
    std::unordered_map<uint32_t, uint32_t> m_map;
};

// Adds the events under new ids, each with its type translated through the merger.
void AddImportedEvents(std::vector<CPtEvent>& events, TypeMerger& merger, CEventTypeTable& table, CEventStore& store,
                       TransferResult& result);

}  // namespace tv::transfer
