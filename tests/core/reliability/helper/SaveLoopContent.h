// The two known contents the save-loop helper alternates between, shared with the kill test.
#pragma once

#include <string>

#include "store/EventTypeTable.h"
#include "store/EventStore.h"
#include "store/TransferFiles.h"

namespace tvtest {

// Content 0 and content 1 differ in size and in every record, so a torn write of either
// can never pass for the other.
inline void FillSaveLoopContent(int which, tv::CEventTypeTable& types, tv::CEventStore& store) {
    const tv::DateTime now = tv::DateTime::FromParts(2026, 6, 1, 12, 0, 0);
    const int typeCount = which == 0 ? 6 : 11;
    for (int i = 0; i < typeCount; ++i) {
        tv::CEventType t(now);
        t.SetName((which == 0 ? "Old type " : "New type ") + std::to_string(i));
        t.SetSound(std::string(40 + i, which == 0 ? 'o' : 'n'));
        types.AddType(t);
    }
    const int eventCount = which == 0 ? 300 : 520;
    for (int i = 0; i < eventCount; ++i) {
        tv::CPtEvent ev(now);
        ev.SetName((which == 0 ? "Old event " : "New event ") + std::to_string(i));
        ev.SetNote(std::string(i % 97, which == 0 ? 'a' : 'b'));
        ev.SetStart(now + tv::TimeSpan(static_cast<double>(i)));
        if (i % 3 == 0) ev.GetRecurrence().SetPatternType(tv::kPatternDaily);
        store.Add(ev);
    }
}

enum class SaveKind { Events, Types, Backup, Export };
inline constexpr SaveKind kSaveKinds[] = {SaveKind::Events, SaveKind::Types, SaveKind::Backup, SaveKind::Export};

inline const char* SaveKindName(SaveKind k) {
    switch (k) {
        case SaveKind::Events: return "events";
        case SaveKind::Types: return "types";
        case SaveKind::Backup: return "backup";
        default: return "export";
    }
}

// One save of that kind to path; a store saves to the path it was made with.
inline tv::FileResult SaveAs(SaveKind kind, const std::string& path, tv::CEventTypeTable& types, tv::CEventStore& store) {
    switch (kind) {
        case SaveKind::Events: return store.Save();
        case SaveKind::Types: return types.Save(path);
        case SaveKind::Backup: return tv::WriteBackup(path, types, store);
        default: return tv::WriteExport(path, types, store);
    }
}

// The bytes a save of that kind writes for content 0 or 1.
inline std::string SaveLoopBytes(SaveKind kind, int which) {
    tv::CEventTypeTable types;
    tv::CEventStore store;
    FillSaveLoopContent(which, types, store);
    switch (kind) {
        case SaveKind::Events: return store.SaveToBytes();
        case SaveKind::Types: {
            tv::ArchiveWriter ar;
            types.WriteTable(ar);
            return ar.TakeData();
        }
        case SaveKind::Backup: return tv::BackupToBytes(types, store);
        default: return tv::ExportToBytes(types, store);
    }
}

}  // namespace tvtest
