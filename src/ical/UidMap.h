// The UID each event carries in calendar files, kept in Evnt.uid beside the event file, whose
// own layout stays as it is.
//
// Entries are keyed by event id. An id names one event for its life, with two exceptions: a
// restore replaces every event by a backup's, and once an id range has wrapped a freed id is
// handed out again. After a restore only the entries whose event is still the one that was
// mapped (same digest of its fields) are kept; every other event gets a new UID on its next
// export. Entries of ids the store no longer holds are dropped at every export and import, so a
// reused id carries an old UID only when the deletion and the reuse both fell between two of
// them; a peer then takes the new event for a change of the deleted one, which is what the
// store went through.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/EventStore.h"
#include "platform/FileResult.h"

namespace tv::ics {

class CUidMap {
public:
    // An empty path keeps the map in memory only.
    explicit CUidMap(std::string path = {}) : m_path(std::move(path)) {}
    // Evnt.uid in the folder of the event file; empty for an empty path.
    static std::string PathBeside(const std::string& eventFilePath);

    // A missing file is an empty map; a line that cannot be read is dropped (its event gets a
    // new UID, nothing else is lost).
    void Load();
    FileResult Save() const;

    const std::string* UidOf(uint32_t id) const;
    std::optional<uint32_t> IdOf(const std::string& uid) const;
    // Maps id to uid with the event's digest, replacing whatever either was mapped to.
    void Set(uint32_t id, const std::string& uid, uint64_t digest);
    size_t Size() const { return m_byId.size(); }

    // Drops the entries of ids the store does not hold.
    void Prune(const CEventStore& store);
    // Keeps only the entries whose id names an event with the digest it was mapped with.
    void KeepUnchanged(const CEventStore& store);

    // The fields a user edits (not the reminder bookkeeping that Accept and Snooze change).
    static uint64_t Digest(const CPtEvent& ev);
    static std::string NewUid();

private:
    void Erase(uint32_t id);

    struct Entry {
        std::string uid;
        uint64_t digest = 0;
    };
    std::string m_path;
    std::unordered_map<uint32_t, Entry> m_byId;
    std::unordered_map<std::string, uint32_t> m_byUid;
};

// After a restore replaced the store's events: keeps the UIDs of the events that came back
// unchanged, beside the store's event file.
FileResult ReconcileUidsAfterRestore(const CEventStore& store);

}  // namespace tv::ics
