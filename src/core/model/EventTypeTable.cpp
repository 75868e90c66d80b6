// Type table operations, the type menu's items and Type.ptt.
#include "EventTypeTable.h"

#include <mutex>

#include "store/FileIo.h"
#include "store/ProgramFolder.h"

namespace tv {

AddTypeResult CEventTypeTable::AddType(CEventType& type) {
    std::lock_guard g(GetLock());
    for (const CEventType& t : Items())
        if (t.GetName() == type.GetName()) return AddTypeResult::DuplicateName;
    return AddWithNewId(type) ? AddTypeResult::Added : AddTypeResult::NoFreeId;
}

bool CEventTypeTable::FindByName(const std::string& name, CEventType& out) const {
    std::lock_guard g(GetLock());
    for (const CEventType& t : Items()) {
        if (t.GetName() == name) {
            out = t;
            return true;
        }
    }
    return false;
}

std::optional<CEventType> CEventTypeTable::FindEqual(const CEventType& type) const {
    std::lock_guard g(GetLock());
    for (const CEventType& t : Items())
        if (t.EqualsIgnoringId(type)) return t;
    return std::nullopt;
}

std::vector<CEventType> CEventTypeTable::Snapshot() const {
    std::lock_guard g(GetLock());
    return {Items().begin(), Items().end()};
}

std::vector<TypeMenuItem> CEventTypeTable::BuildTypeMenu() const {
    std::vector<TypeMenuItem> items;
    int index = 0;
    ForEach([&](const CEventType& t) {
        const int command = kTypeMenuFirstId + index++;
        if (command > kTypeMenuLastId) return;  // the command range holds 1001 types
        items.push_back({TypeMenuItem::Kind::Type, command, t.GetName(),
                         t.GetIcon() >= 0 && t.GetIcon() < kTypeIconCount ? t.GetIcon() : -1});
    });
    items.push_back({TypeMenuItem::Kind::Separator, 0, {}, -1});
    items.push_back({TypeMenuItem::Kind::Customize, kTypeMenuCustomizeId, "Customize...", -1});
    return items;
}

void CEventTypeTable::SeedDefaults(const DateTime& now) {
    std::lock_guard g(GetLock());
    RemoveAll();
    for (CEventType t : DefaultEventTypes(now)) AddType(t);
    m_unsavedSeed = true;
}

LoadReport CEventTypeTable::Load(const std::string& path, const DateTime& now) {
    std::lock_guard g(GetLock());
    LoadReport& report = m_loadReport;
    report = LoadReport();
    RemoveAll();
    m_keepDamagedCopy = false;
    m_unsavedSeed = false;
    std::string bytes, why;
    switch (ReadWholeFile(path, bytes, why)) {
        case ReadStatus::Missing:
            SeedDefaults(now);
            report.status = LoadStatus::Missing;
            report.itemsRead = GetCount();
            return report;
        case ReadStatus::Failed:
            report.status = LoadStatus::Unreadable;
            report.message = why;
            m_keepDamagedCopy = true;
            return report;
        case ReadStatus::Ok:
            break;
    }
    report = LoadFromBytes(bytes, path);
    return report;
}

LoadReport CEventTypeTable::LoadFromBytes(std::string_view bytes, const std::string& path) {
    std::lock_guard g(GetLock());
    LoadReport report;
    ArchiveReader ar(bytes);
    const ListReadResult r = ReadTable(ar);
    report.itemsRead = GetCount();
    report.renumbered = r.renumbered;
    if (!r.complete || ar.DamagedTexts() > 0) {
        report.status = LoadStatus::Damaged;
        const std::string why = r.complete ? DamagedTextsNote(ar.DamagedTexts()) : r.error;
        report.message = "The event type file \"" + path + "\" is damaged (" + why + "); " +
                         std::to_string(report.itemsRead) + " event types could be read.";
    }
    m_unsavedSeed = false;
    m_keepDamagedCopy = report.NeedsPreservation();
    m_loadReport = report;
    return report;
}

FileResult CEventTypeTable::Save(const std::string& path) {
    std::lock_guard g(GetLock());
    ArchiveWriter ar;
    WriteTable(ar);
    std::string kept;
    if (m_keepDamagedCopy && !KeepDamagedCopy(path, kept))
        return FileResult::Failed("Could not keep a copy of the damaged event type file \"" + path +
                                  "\", so it was not overwritten.");
    FileResult result = WriteFileAtomically(path, ar.Data());
    if (result.ok) {
        m_unsavedSeed = false;
        if (m_keepDamagedCopy && !kept.empty())
            result.note = "The damaged event type file was kept as \"" + kept + "\".";
        m_keepDamagedCopy = false;
    }
    return result;
}

CEventTypeTable& GetEventTypeTable() {
    static CEventTypeTable* table = [] {
        auto* t = new CEventTypeTable();
        t->Load(TypeFilePath(), LocalNow());
        return t;
    }();
    return *table;
}

}  // namespace tv
