// Reading foreign records and merging their types and events into the local ones.
#include "ImportMerge.h"

#include "platform/FileIo.h"

namespace tv::transfer {

TransferResult Fail(TransferError error, std::string message) {
    TransferResult r;
    r.error = error;
    r.message = std::move(message);
    return r;
}

std::string DamagedMessage(const std::string& path, const std::string& why) {
    return "The file \"" + path + "\" is damaged or incomplete (" + why + ").";
}

void NoteDamagedTexts(const std::string& path, size_t count, TransferResult& result) {
    if (count == 0) return;
    if (!result.note.empty()) result.note += "\n";
    result.note += "The file \"" + path + "\" is damaged (" + DamagedTextsNote(count) + "); everything else was read.";
}

bool ReadFileFor(const std::string& path, std::string& bytes, TransferResult& result) {
    std::string why;
    switch (ReadWholeFile(path, bytes, why)) {
        case ReadStatus::Ok: return true;
        case ReadStatus::Missing:
            result = Fail(TransferError::FileError, "The file \"" + path + "\" was not found.");
            break;
        case ReadStatus::Failed: result = Fail(TransferError::FileError, why); break;
    }
    return false;
}

bool HasTag(ArchiveReader& ar, const char* tag) {
    try {
        return ar.ReadText() == tag;
    } catch (const ArchiveError&) {
        return false;
    }
}

std::vector<CEventType> ReadTypeRecords(ArchiveReader& ar, uint32_t count) {
    std::vector<CEventType> types;
    for (uint32_t i = 0; i < count; ++i) {
        CEventType t;
        t.Serialize(ar);
        types.push_back(std::move(t));
    }
    return types;
}

std::vector<CPtEvent> ReadEventRecords(ArchiveReader& ar, uint32_t count) {
    std::vector<CPtEvent> events;
    for (uint32_t i = 0; i < count; ++i) {
        CPtEvent ev;
        ev.Serialize(ar);
        events.push_back(std::move(ev));
    }
    return events;
}

void TypeMerger::MergeAll(bool appendStar) {
    for (const CEventType& t : m_fileTypes) Merge(t, appendStar);
}

uint32_t TypeMerger::LocalTypeFor(uint32_t fileTypeId) {
    auto found = m_map.find(fileTypeId);
    if (found != m_map.end()) return found->second;
    for (const CEventType& t : m_fileTypes) {
        if (t.GetId() == fileTypeId) {
            Merge(t, false);
            return m_map[fileTypeId];
        }
    }
    return 0;
}

void TypeMerger::Merge(const CEventType& fileType, bool appendStar) {
    const uint32_t fileId = fileType.GetId();
    if (auto equal = m_table.FindEqual(fileType)) {
        m_map[fileId] = equal->GetId();
        return;
    }
    CEventType added = fileType;
    if (appendStar) added.SetName(added.GetName() + "*");
    switch (m_table.AddType(added)) {
        case AddTypeResult::Added:
            m_map[fileId] = added.GetId();
            ++m_result.typesAdded;
            return;
        case AddTypeResult::DuplicateName: {
            m_result.refusedTypes.push_back(added.GetName());
            // A second import of the same file meets the starred copy the first one added:
            // that is the type its events belong to. Any other clash keeps the file's id.
            CEventType sameName;
            if (m_table.FindByName(added.GetName(), sameName) && sameName.EqualsIgnoringId(added))
                m_map[fileId] = sameName.GetId();
            else m_map[fileId] = fileId;
            return;
        }
        case AddTypeResult::NoFreeId:
            m_result.refusedTypes.push_back(added.GetName());
            m_map[fileId] = fileId;
            return;
    }
}

void AddImportedEvents(std::vector<CPtEvent>& events, TypeMerger& merger, CEventTypeTable& table, CEventStore& store,
                       TransferResult& result) {
    for (CPtEvent& ev : events) {
        ev.ClearShowing();
        // Imported events keep their own timing and sound: only the type id is translated.
        // Copying the type's defaults over them would silently change what the user had entered.
        const uint32_t local = merger.LocalTypeFor(ev.GetType());
        CEventType t;
        ev.SetType(local != 0 && table.FindById(local, t) ? local : 0);
        if (store.Add(ev)) ++result.eventsAdded;
        else ++result.eventsRefused;
    }
}

}  // namespace tv::transfer
