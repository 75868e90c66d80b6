// Two-way sync of the event store with one calendar on a CalDAV server.
//
// Each event that has been synced is linked, in Evnt.sync, to its resource on the server with
// the resource's ETag and a digest of the event as last synced. A sync lists what changed on
// the server (a sync report from the last token, else the whole calendar with ETags), compares
// every local event's digest, and then, per event: sends local changes (PUT with If-Match, new
// events with If-None-Match), takes the server's changes, deletes what the other side deleted,
// and when both sides changed keeps both: the local version stays and goes up, the server's
// arrives as a copy named "NAME (conflict from server)". Events that neither side can tell
// apart by their links (a first sync, a sync killed between its steps) are matched by UID and
// then by content, so a sync that is interrupted anywhere and run again neither loses nor
// doubles an event. The event file is always saved before the state that refers to it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HttpClient.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"

namespace tv::sync {

struct SyncRequest {
    std::string url;  // the calendar, or a server address where it can be found
    std::string user;
    std::string password;
    HttpLimits limits;
};

struct SyncReport {
    bool ok = false;
    std::string message;  // a failed sync's one message, or a completed one's summary
    size_t sent = 0, received = 0, deletedHere = 0, deletedThere = 0, conflicts = 0;
    std::vector<std::string> notes;  // what the user may want to know of a completed sync
    bool storeChanged = false;       // the open windows follow
    std::vector<uint32_t> deletedIds;
};

class SyncEngine {
public:
    SyncEngine(CEventStore& store, const CEventTypeTable& types, IHttpClient& http)
        : m_store(store), m_types(types), m_http(http) {}
    // A set flag stops the sync at its next request; what was done by then is kept.
    void SetCancelFlag(const std::atomic<bool>* cancel) { m_cancel = cancel; }
    // Runs each change of the store where the store's readers live and waits for it; false when
    // it cannot any more, which stops the sync. The program's windows read events without
    // locks, so it hands the changes to their thread; without a writer they run here. removes:
    // the change may delete an event, which pointers held by the readers must not outlive.
    using StoreWriter = std::function<bool(const std::function<void()>& change, bool removes)>;
    void SetStoreWriter(StoreWriter writer) { m_writer = std::move(writer); }

    // Runs one sync; the store and Evnt.sync are saved as it goes.
    SyncReport Run(const SyncRequest& request, const DateTime& now);

private:
    CEventStore& m_store;
    const CEventTypeTable& m_types;
    IHttpClient& m_http;
    const std::atomic<bool>* m_cancel = nullptr;
    StoreWriter m_writer;
};

// Records the synced events' UIDs in Evnt.uid, so that an iCalendar export names them as the
// server does. Call where nothing else writes Evnt.uid meanwhile (the program's own thread).
FileResult KeepSyncedUids(const CEventStore& store);

}  // namespace tv::sync
