// Backup, export and import file layouts, with the type merge of the two merging imports.
#include "TransferFiles.h"

#include <cstdlib>
#include <iterator>
#include <unordered_map>

#include "FileIo.h"
#include "model/TextCodec.h"

namespace tv {

namespace {

TransferResult Fail(TransferError error, std::string message) {
    TransferResult r;
    r.error = error;
    r.message = std::move(message);
    return r;
}

std::string DamagedMessage(const std::string& path, const std::string& why) {
    return "The file \"" + path + "\" is damaged or incomplete (" + why + ").";
}

// A file whose every record was read, though some texts in it were not readable.
void NoteDamagedTexts(const std::string& path, size_t count, TransferResult& result) {
    if (count == 0) return;
    if (!result.note.empty()) result.note += "\n";
    result.note += "The file \"" + path + "\" is damaged (" + DamagedTextsNote(count) + "); everything else was read.";
}

// Reads the whole file; on failure result holds the error to report.
bool ReadFileFor(const std::string& path, std::string& bytes, TransferResult& result) {
    std::string why;
    switch (ReadWholeFile(path, bytes, why)) {
        case ReadStatus::Ok: return true;
        case ReadStatus::Missing: result = Fail(TransferError::FileError, "The file \"" + path + "\" was not found."); break;
        case ReadStatus::Failed: result = Fail(TransferError::FileError, why); break;
    }
    return false;
}

// Reads the leading tag text; a file too short for it is simply not of this kind.
bool HasTag(ArchiveReader& ar, const char* tag) {
    try {
        return ar.ReadText() == tag;
    } catch (const ArchiveError&) {
        return false;
    }
}

// Types read from a foreign file, kept with the ids the file gave them.
std::vector<CEventType> ReadTypeRecords(ArchiveReader& ar, uint32_t count) {
    std::vector<CEventType> types;
    for (uint32_t i = 0; i < count; ++i) {
        CEventType t;
        t.Serialize(ar);
        types.push_back(std::move(t));
    }
    return types;
}

// The type merge shared by the export import and the Plumtrace import: file type id -> local id.
class TypeMerger {
public:
    TypeMerger(CEventTypeTable& table, std::vector<CEventType> fileTypes, TransferResult& result)
        : m_table(table), m_fileTypes(std::move(fileTypes)), m_result(result) {}

    void MergeAll(bool appendStar) {
        for (const CEventType& t : m_fileTypes) Merge(t, appendStar);
    }

    // The local type id an event of file type t takes (0 for none).
    uint32_t LocalTypeFor(uint32_t fileTypeId) {
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

private:
    void Merge(const CEventType& fileType, bool appendStar) {
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
                else
                    m_map[fileId] = fileId;
                return;
            }
            case AddTypeResult::NoFreeId:
                m_result.refusedTypes.push_back(added.GetName());
                m_map[fileId] = fileId;
                return;
        }
    }

    CEventTypeTable& m_table;
    std::vector<CEventType> m_fileTypes;
    TransferResult& m_result;
    std::unordered_map<uint32_t, uint32_t> m_map;
};

// Imported events keep their own timing and sound: only the type id is translated. Copying
// the type's defaults over them would silently change what the user had entered.
void AssignImportedType(CPtEvent& ev, TypeMerger& merger, const CEventTypeTable& table) {
    const uint32_t local = merger.LocalTypeFor(ev.GetType());
    CEventType t;
    ev.SetType(local != 0 && table.FindById(local, t) ? local : 0);
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

void AddImportedEvents(std::vector<CPtEvent>& events, TypeMerger& merger, CEventTypeTable& table,
                       CEventStore& store, TransferResult& result) {
    for (CPtEvent& ev : events) {
        ev.ClearShowing();
        AssignImportedType(ev, merger, table);
        if (store.Add(ev)) ++result.eventsAdded;
        else ++result.eventsRefused;
    }
}

// Like atoi: leading blanks, an optional sign, digits up to the first non-digit.
int ReadNumber(std::string_view field) {
    return std::atoi(std::string(field).c_str());
}

// The rest of the line after its n-th comma (the line has at least n commas).
std::string_view AfterComma(std::string_view line, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) pos = line.find(',', pos) + 1;
    return line.substr(pos);
}

}  // namespace

// ---- backup -------------------------------------------------------------------------

std::string BackupToBytes(const CEventTypeTable& types, const CEventStore& store) {
    ArchiveWriter ar;
    ar.WriteText(kBackupTag);
    types.WriteTable(ar);
    store.SerializeLists(ar);
    return ar.TakeData();
}

FileResult WriteBackup(const std::string& path, const CEventTypeTable& types, const CEventStore& store) {
    return WriteFileAtomically(path, BackupToBytes(types, store));
}

TransferResult RestoreBackup(const std::string& path, CEventTypeTable& types, CEventStore& store) {
    TransferResult result;
    std::string bytes;
    if (!ReadFileFor(path, bytes, result)) return result;
    return RestoreBackupFromBytes(bytes, path, types, store);
}

TransferResult RestoreBackupFromBytes(std::string_view bytes, const std::string& path, CEventTypeTable& types,
                                      CEventStore& store) {
    TransferResult result;
    ArchiveReader probe(bytes);
    if (!HasTag(probe, kBackupTag)) return Fail(TransferError::WrongTag, kInvalidBackupMessage);

    // Read everything into scratch copies first: a half-replaced store would lose data.
    const size_t bodyStart = probe.Position();
    {
        CEventTypeTable scratchTypes;
        CEventStore scratchStore;
        const ListReadResult t = scratchTypes.ReadTable(probe);
        if (!t.complete) return Fail(TransferError::ArchiveError, DamagedMessage(path, t.error));
        const ListReadResult e = scratchStore.SerializeLists(probe);
        if (!e.complete) return Fail(TransferError::ArchiveError, DamagedMessage(path, e.error));
    }
    ArchiveReader ar(bytes.substr(bodyStart));
    types.ReadTable(ar);
    store.SerializeLists(ar);
    result.typesAdded = types.GetCount();
    result.eventsAdded = store.GetCount();
    NoteDamagedTexts(path, ar.DamagedTexts(), result);
    return result;
}

// ---- export -------------------------------------------------------------------------

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
    if (!HasTag(ar, kExportTag)) return Fail(TransferError::WrongTag, kInvalidExportMessage);
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

// ---- holidays -----------------------------------------------------------------------

std::optional<HolidayLine> ParseHolidayLine(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) break;
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));  // the last field runs to the end of the line
    if (fields.size() < 4) return std::nullopt;

    HolidayLine h;
    h.name = std::string(fields[0]);
    h.kind = ReadNumber(fields[1]);
    if (h.kind == 1) {
        // name,1,month,day: the day field is everything after the third comma.
        h.month = ReadNumber(fields[2]);
        h.day = ReadNumber(AfterComma(line, 3));
        if (h.month < 1 || h.month > 12 || h.day < 1 || h.day > 31) return std::nullopt;
        // A day the month never has (30 February) or not every year (29 February) would give
        // a yearly event whose next occurrence cannot be formed: the recurrence dialog refuses
        // such days, and so does the import.
        if (h.day > DaysInMonth(2003, h.month)) return std::nullopt;
        return h;
    }
    if (h.kind == 2) {
        if (fields.size() < 5) return std::nullopt;
        h.ordinal = ReadNumber(fields[2]);
        h.weekday = ReadNumber(fields[3]);
        h.month = ReadNumber(AfterComma(line, 4));
        if (h.ordinal < 1 || h.ordinal > 5 || h.weekday < 1 || h.weekday > 7 || h.month < 1 || h.month > 12)
            return std::nullopt;
        return h;
    }
    return std::nullopt;
}

CPtEvent MakeHolidayEvent(const HolidayLine& line, const CEventTypeTable& types, const DateTime& now) {
    const DateTime today = now.DateOnly();
    CPtEvent ev(now);
    ev.SetDuration(86400);
    ev.SetName(line.name);
    ev.SetStart(today);
    ev.ApplyTypeByName("Holiday", types);
    CReCurrence& rule = ev.GetRecurrence();
    rule.SetPatternType(kPatternYearly);
    rule.SetStart(today);
    rule.SetEnd(today);
    rule.SetEndEnabled(false);
    rule.SetDuration(86400);
    auto* yearly = static_cast<CYearlyRePattern*>(rule.GetPattern());
    yearly->SetMonth(line.month);
    if (line.kind == 1) {
        yearly->SetDayMode(true);
        yearly->SetDay(line.day);
    } else {
        yearly->SetDayMode(false);
        yearly->SetOrdinal(line.ordinal);
        yearly->SetWeekday(line.weekday);
    }
    return ev;
}

TransferResult ImportHolidayFile(const std::string& path, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now) {
    TransferResult result;
    std::string bytes;
    if (!ReadFileFor(path, bytes, result)) return result;
    result = ImportHolidayText(bytes, types, store, now);
    if (!result.note.empty()) result.note = "The file \"" + path + "\" is damaged (" + result.note + ").";
    return result;
}

TransferResult ImportHolidayText(std::string_view bytes, CEventTypeTable& types, CEventStore& store,
                                 const DateTime& now) {
    TransferResult result;
    size_t replaced = 0;
    const std::string decoded = DecodeTextFile(bytes, replaced);
    if (replaced > 0) result.note = DamagedTextsNote(replaced);
    std::string_view text = decoded;
    bool header = true;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            header = false;
            continue;
        }
        const auto holiday = ParseHolidayLine(line);
        if (!holiday) continue;
        CPtEvent ev = MakeHolidayEvent(*holiday, types, now);
        if (store.Add(ev)) ++result.eventsAdded;
        else ++result.eventsRefused;
    }
    return result;
}

// ---- the older sibling product --------------------------------------------------------

namespace {

// The type file of the older product: count, nextId, then the types.
bool ReadPlumtraceTypes(std::string_view bytes, const std::string& name, std::vector<CEventType>& fileTypes,
                        TransferResult& result) {
    try {
        ArchiveReader ar(bytes);
        const uint32_t count = ar.ReadU32();
        ar.ReadU32();  // nextId
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
        // The types are merged before the event file is looked at, and stay merged.
        merger.MergeAll(true);
        result.error = TransferError::WrongTag;
        result.message = kInvalidPlumtraceMessage;
        return result;
    }
    std::vector<CPtEvent> events;
    try {
        ar.ReadU16();
        ar.ReadU32();
        ar.ReadU32();
        ar.Skip(505);
        ar.ReadText();
        ar.ReadText();
        const uint32_t count = ar.ReadU32();
        ar.ReadU32();
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
                                    const std::string& typeName, const std::string& eventName,
                                    CEventTypeTable& types, CEventStore& store) {
    TransferResult result;
    std::vector<CEventType> fileTypes;
    if (!ReadPlumtraceTypes(typeBytes, typeName, fileTypes, result)) return result;
    return ImportPlumtraceEvents(std::move(fileTypes), eventBytes, eventName, types, store, result);
}

}  // namespace tv
