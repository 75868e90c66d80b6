// Type table operations, the type menu's items and Type.ptt.
#include "EventTypeTable.h"

#include <mutex>

#include "ProgramFolder.h"

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
    RemoveAll();
    m_unsavedSeed = false;
    m_file.SetPath(path);
    return m_file.Load(
        [&] {
            SeedDefaults(now);
            return GetCount();
        },
        [&](std::string_view bytes) { return LoadFromBytes(bytes, path); });
}

LoadReport CEventTypeTable::LoadFromBytes(std::string_view bytes, const std::string& path) {
    std::lock_guard g(GetLock());
    ArchiveReader ar(bytes);
    const ListReadResult r = ReadTable(ar);
    m_file.SetPath(path);
    const bool damaged = !r.complete || ar.DamagedTexts() > 0;
    const std::string why = r.complete ? DamagedTextsNote(ar.DamagedTexts()) : r.error;
    LoadReport report = damaged ? m_file.Damaged(why, GetCount()) : LoadReport();
    report.itemsRead = GetCount();
    report.renumbered = r.renumbered;
    m_unsavedSeed = false;
    return report;
}

FileResult CEventTypeTable::Save(const std::string& path) {
    std::lock_guard g(GetLock());
    ArchiveWriter ar;
    WriteTable(ar);
    m_file.SetPath(path);
    FileResult result = m_file.Save([&](const ChunkWrite& write) { write(ar.Data()); });
    if (result.ok) m_unsavedSeed = false;
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
