// The process-wide table of event types and its file Type.ptt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DataFile.h"
#include "model/EventType.h"
#include "platform/FileResult.h"
#include "ThreadSafeList.h"

namespace tv {

// The first command id of the type menu's items and the id of its "Customize..." item.
constexpr int kTypeMenuFirstId = 2024;
constexpr int kTypeMenuLastId = 3024;
constexpr int kTypeMenuCustomizeId = 3025;

struct TypeMenuItem {
    enum class Kind { Type, Separator, Customize };
    Kind kind;
    int commandId;     // 0 for the separator
    std::string text;
    int icon;          // small-icon index, -1 for none
};

enum class AddTypeResult { Added, DuplicateName, NoFreeId };

class CEventTypeTable : public CThreadSafeList<CEventType>, public IEventTypeLookup {
public:
    CEventTypeTable() : CThreadSafeList<CEventType>(1, 0xFFFFFFFFu) {}

    // Refuses a name that a type already has (exact comparison of the texts, whichever form
    // the file held them in); otherwise the type gets a new id, written back into it.
    AddTypeResult AddType(CEventType& type);
    bool FindByName(const std::string& name, CEventType& out) const override;
    bool FindById(uint32_t id, CEventType& out) const override { return GetById(id, out); }
    std::optional<CEventType> FindEqual(const CEventType& type) const;
    bool ReplaceType(uint32_t id, const CEventType& type) { return Replace(id, type) != nullptr; }
    bool RemoveType(uint32_t id) { return Remove(id); }
    std::vector<CEventType> Snapshot() const;

    // The items of the type menu: one per type in table order, a separator, "Customize...".
    std::vector<TypeMenuItem> BuildTypeMenu() const;

    // Type.ptt: count, nextId, idLimit, then the types.
    void WriteTable(ArchiveWriter& ar) const { WriteBody(ar); }
    ListReadResult ReadTable(ArchiveReader& ar) { return ReadBody(ar); }
    // With no file the table is seeded with the shipped types and marked unsaved.
    LoadReport Load(const std::string& path, const DateTime& now);
    FileResult Save(const std::string& path);
    // Load's reading of a file image; path is the file named in messages.
    LoadReport LoadFromBytes(std::string_view bytes, const std::string& path);
    // Seeded types that have not reached the disk yet.
    bool HasUnsavedSeed() const { return m_unsavedSeed; }
    void SeedDefaults(const DateTime& now);
    const LoadReport& GetLoadReport() const { return m_file.GetLoadReport(); }

private:
    DataFile m_file{"event type"};
    bool m_unsavedSeed = false;
};

// The process-wide table, created on first use and loaded from the program folder.
CEventTypeTable& GetEventTypeTable();

}  // namespace tv
