// What the last sync left behind, kept in Evnt.sync beside the event file: which server the
// data folder syncs with, the server's sync token, and per event the resource it is on the
// server, that resource's ETag and the digest of the event as it was last synced.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

#include "model/PtEvent.h"
#include "platform/FileResult.h"

namespace tv::sync {

struct SyncEntry {
    uint32_t id = 0;  // 0: a resource that is no event (a task, a journal) and is left alone
    std::string uid;
    std::string etag;     // empty: not known to be on the server (an upload may not have arrived)
    uint64_t digest = 0;  // SyncDigest of the event as last synced
};

class SyncState {
public:
    explicit SyncState(std::string path = {}) : m_path(std::move(path)) {}
    // Evnt.sync in the folder of the event file.
    static std::string PathBeside(const std::string& eventFilePath);

    // A missing file is a data folder that never synced. A line that cannot be read is dropped:
    // its event then counts as never synced and is matched to the server's copy by its content,
    // so nothing is lost or doubled. Answers a note when the file was damaged.
    std::string Load();
    FileResult Save() const;

    // Forgets everything: the data folder now syncs with the calendar at url.
    void Reset(const std::string& url);

    std::string url;                           // as the user gave it
    std::string collection;                    // the calendar found there
    std::string token;                         // the server's sync token as of the last completed listing
    std::map<std::string, SyncEntry> entries;  // by the resource's path key

    // The resource path of each synced event.
    std::unordered_map<uint32_t, std::string> HrefsById() const;

private:
    std::string m_path;
    mutable std::string m_written;  // the file as last read or written: an unchanged state is not written again
};

// The fields that travel to the server (not the reminder's bookkeeping, which stays here).
uint64_t SyncDigest(const CPtEvent& ev);
// The fields that decide when the reminders come: a change re-arms the event.
uint64_t TimingDigest(const CPtEvent& ev);

}  // namespace tv::sync
