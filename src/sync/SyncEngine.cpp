// One sync pass: list, compare, take the server's changes (saving the store, then the state),
// send the local ones, and record the new server token last.
#include "SyncEngine.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "CalDavClient.h"
#include "DavUrl.h"
#include "IcsExport.h"
#include "IcsImport.h"
#include "SyncState.h"
#include "UidMap.h"
#include "model/TextCodec.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv::sync {

namespace {

constexpr size_t kMaxNameChars = 255;
// The state is saved after this many uploads too, so a sync killed late repeats little.
constexpr size_t kSaveEvery = 100;

// What the server holds at a path, as read from its calendar resource.
struct ServerCopy {
    bool isEvent = false;
    std::string unreadable;  // why not, when the resource could not be read
    CPtEvent event;
    std::string uid;
    std::vector<std::string> problems;
};

// How a listing sees a linked resource.
struct Seen {
    bool present = false;
    bool changed = false;
    std::string etag;
};

class Pass {
public:
    Pass(CEventStore& store, const CEventTypeTable& types, CalDavClient& client, SyncState& state, const DateTime& now,
         SyncReport& report, const SyncEngine::StoreWriter& writer)
        : m_store(store), m_types(types), m_client(client), m_state(state), m_now(now), m_report(report),
          m_writer(writer) {}

    void Run(const Listing& listing) {
        m_store.ForEachEvent([&](const CPtEvent& ev) { m_local[ev.GetId()] = SyncDigest(ev); });
        Classify(listing);
        std::vector<std::string> wanted = m_fetchLinked;
        wanted.insert(wanted.end(), m_fetchNew.begin(), m_fetchNew.end());
        m_fetched = m_client.Fetch(wanted);
        TakeServerChanges();
        SaveAll();
        try {
            SendLocalChanges();
            // Conflicts found while sending arrive as new local events, which go up in their turn.
            if (!m_newLocal.empty()) SendLocalChanges();
            FillMissingEtags();
        } catch (const SyncError&) {
            // What the server confirmed before it failed is kept, so the next sync repeats little.
            SaveAll();
            throw;
        }
        m_state.token = listing.token;
        SaveAll();
    }

    std::vector<std::string> failures;

private:
    // ---- what to do ----------------------------------------------------------------

    Seen SeenIn(const Listing& listing, const std::string& href, const SyncEntry& e) const {
        Seen s;
        if (listing.removed.count(href)) return s;
        if (const auto it = listing.etags.find(href); it != listing.etags.end()) {
            s.present = true;
            s.etag = it->second;
            s.changed = e.etag.empty() || it->second.empty() || it->second != e.etag;
        } else if (listing.incremental) {
            // Not named since the token: as it was, and there only when it was known to be.
            s.present = !e.etag.empty();
        }
        return s;
    }

    void Classify(const Listing& listing) {
        std::vector<std::string> dropped;
        for (auto& [href, e] : m_state.entries) {
            const Seen s = SeenIn(listing, href, e);
            if (e.id == 0) {
                if (!s.present) dropped.push_back(href);
                else if (s.changed) e.etag = s.etag;
                continue;
            }
            const auto local = m_local.find(e.id);
            const bool here = local != m_local.end();
            const bool changedHere = here && local->second != e.digest;
            if (s.present && s.changed) m_fetchLinked.push_back(href);
            else if (here && s.present) {
                if (changedHere) m_upload.push_back(href);
            } else if (here) {
                GoneThere(href, e, changedHere);
            } else if (s.present && m_damaged) {
                // Missing because the event file could not be read whole: the server's copy comes back.
                m_fetchLinked.push_back(href);
            } else if (s.present) {
                m_deleteThere.push_back(href);
            } else {
                dropped.push_back(href);
            }
        }
        for (const std::string& href : dropped) m_state.entries.erase(href);
        std::set<uint32_t> linked;
        for (const auto& [href, e] : m_state.entries) linked.insert(e.id);
        for (const auto& [href, etag] : listing.etags)
            if (!m_state.entries.count(href)) m_fetchNew.push_back(href);
        for (const auto& [id, digest] : m_local)
            if (!linked.count(id)) m_newLocal.push_back(id);
    }

    // The server no longer has the event: deleted there, unless it changed here since, or it
    // never arrived there.
    void GoneThere(const std::string& href, SyncEntry& e, bool changedHere) {
        if (changedHere || e.etag.empty()) {
            e.etag.clear();
            m_uploadNew.push_back(href);
        } else {
            m_deleteHere.push_back(href);
        }
    }

    // ---- the server's changes --------------------------------------------------------

    ServerCopy Read(const Fetched& f) {
        ServerCopy copy;
        ics::IcsImportPlan plan = ics::ReadCalendar(f.data, m_types, m_now);
        if (!plan.ok) {
            copy.unreadable = plan.message;
            return copy;
        }
        if (plan.items.empty()) return copy;
        copy.isEvent = true;
        copy.event = std::move(plan.items[0].event);
        copy.uid = std::move(plan.items[0].uid);
        copy.problems = std::move(plan.items[0].problems);
        return copy;
    }

    // The digest an event has once it went to the server and came back: what two copies of
    // the same event agree on, whichever side wrote them.
    uint64_t RoundTripDigest(const CPtEvent& ev) {
        std::vector<std::string> warnings;
        const std::string text = ics::ExportEvent(ev, m_types, "tallyvane-compare", m_now, warnings);
        if (text.empty()) return SyncDigest(ev);
        const ics::IcsImportPlan plan = ics::ReadCalendar(text, m_types, m_now);
        return plan.ok && !plan.items.empty() ? SyncDigest(plan.items[0].event) : SyncDigest(ev);
    }
    std::optional<uint64_t> LocalRoundTripDigest(uint32_t id) {
        CPtEvent ev;
        if (!m_store.GetById(id, ev)) return std::nullopt;
        return RoundTripDigest(ev);
    }

    void Note(const ServerCopy& copy) {
        if (copy.problems.empty()) return;
        std::string what;
        for (size_t i = 0; i < copy.problems.size(); ++i) what += (i ? "; " : "") + copy.problems[i];
        m_report.notes.push_back(texts::TrPrintf(texts::kSyncNearest, std::string(copy.event.GetName()).c_str(), what.c_str()));
    }

    // A server event that is new here. Its reminders before now count as answered: a series
    // synced from elsewhere does not bring up its past.
    bool AddHere(CPtEvent ev, const std::string& href, const std::string& uid, const std::string& etag) {
        return Write([&] { return AddHereNow(std::move(ev), href, uid, etag); });
    }
    bool AddHereNow(CPtEvent ev, const std::string& href, const std::string& uid, const std::string& etag) {
        ics::AnswerPastReminders(ev, m_now);
        if (!m_store.Add(ev)) {
            failures.push_back(texts::kNoFreeId);
            return false;
        }
        m_state.entries[href] = SyncEntry{ev.GetId(), uid, etag, SyncDigest(ev)};
        m_local[ev.GetId()] = SyncDigest(ev);
        Changed();
        return true;
    }

    // The server's version of a conflict, kept as an event of its own that goes up as new.
    void KeepConflictCopy(const ServerCopy& copy) {
        Write([&] { return KeepConflictCopyNow(copy); });
    }
    bool KeepConflictCopyNow(const ServerCopy& copy) {
        CPtEvent ev = copy.event;
        const std::string suffix = texts::kSyncConflictSuffix;
        ev.SetName(std::string(CutToCodePoints(ev.GetName(), kMaxNameChars - CountCodePoints(suffix))) + suffix);
        ics::AnswerPastReminders(ev, m_now);
        if (!m_store.Add(ev)) {
            failures.push_back(texts::kNoFreeId);
            return false;
        }
        m_local[ev.GetId()] = SyncDigest(ev);
        m_newLocal.push_back(ev.GetId());
        Changed();
        ++m_report.conflicts;
        return true;
    }

    // Takes the server's fields into the local event, unless it changed since the listing
    // (then the next sync sees both changes). The reminder's state stays; when the event's
    // time or rule changed, it is armed anew from now.
    std::optional<uint64_t> ApplyHere(uint32_t id, const CPtEvent& server, uint64_t expected) {
        return Write([&] { return ApplyHereNow(id, server, expected); });
    }
    std::optional<uint64_t> ApplyHereNow(uint32_t id, const CPtEvent& server, uint64_t expected) {
        CEventStore::AllLock lock(m_store);
        const CPtEvent* current = m_store.GetPtrById(id);
        if (!current || SyncDigest(*current) != expected) return std::nullopt;
        CPtEvent merged = *current;
        merged.SetName(server.GetName());
        merged.SetNote(server.GetNote());
        merged.SetSound(server.GetSound());
        merged.SetType(server.GetType());
        merged.SetEnabled(server.IsEnabled());
        merged.SetDuration(server.GetDuration());
        if (TimingDigest(*current) != TimingDigest(server)) {
            merged.SetRemindBefore(static_cast<int>(server.GetRemindBefore()));
            merged.SetStart(server.GetStart());
            merged.GetRecurrence() = server.GetRecurrence();
            merged.GetRecurrence().SetAnchor(DateTime());
            merged.Rearm();
            ics::AnswerPastReminders(merged, m_now);
        }
        m_store.Modify(id, merged, ShowingMark::Keep);
        Changed();
        return SyncDigest(merged);
    }

    bool DeleteHere(uint32_t id, uint64_t expected) {
        return Write([&] { return DeleteHereNow(id, expected); }, true);
    }
    bool DeleteHereNow(uint32_t id, uint64_t expected) {
        CEventStore::AllLock lock(m_store);
        const CPtEvent* current = m_store.GetPtrById(id);
        if (!current || SyncDigest(*current) != expected) return false;
        m_store.Delete(id);
        m_local.erase(id);
        m_report.deletedIds.push_back(id);
        Changed();
        ++m_report.deletedHere;
        return true;
    }

    void TakeLinked(const std::string& href) {
        SyncEntry& e = m_state.entries[href];
        const auto local = m_local.find(e.id);
        const bool here = local != m_local.end();
        const bool changedHere = here && local->second != e.digest;
        const auto f = m_fetched.find(href);
        if (f == m_fetched.end()) {
            // Listed, then gone before it could be read.
            if (here) GoneThere(href, e, changedHere);
            else m_state.entries.erase(href);
            return;
        }
        const ServerCopy copy = Read(f->second);
        if (!copy.isEvent) {
            if (!copy.unreadable.empty())
                m_report.notes.push_back("The server's copy of an event could not be read (" + copy.unreadable +
                                         "); this computer's stays.");
            // Left as it is here; a later local change replaces the server's copy.
            e.etag = f->second.etag;
            return;
        }
        Note(copy);
        if (!here) {
            // Deleted here, changed there: the change wins, so nothing is lost.
            const std::string uid = e.uid;
            m_state.entries.erase(href);
            if (AddHere(copy.event, href, uid, f->second.etag)) ++m_report.received;
        } else if (!changedHere) {
            if (const auto digest = ApplyHere(e.id, copy.event, e.digest)) {
                e.etag = f->second.etag;
                e.digest = *digest;
                m_local[e.id] = *digest;
                ++m_report.received;
            }
        } else if (LocalRoundTripDigest(e.id) == SyncDigest(copy.event)) {
            // Both sides hold the same: an earlier sync sent it and stopped before it noted so.
            e.etag = f->second.etag;
            e.digest = local->second;
        } else {
            KeepConflictCopy(copy);
            e.etag = f->second.etag;
            m_upload.push_back(href);
        }
    }

    void TakeNew(const std::string& href, std::unordered_map<std::string, uint32_t>& localByUid,
                 std::multimap<uint64_t, uint32_t>& localByContent) {
        const auto f = m_fetched.find(href);
        if (f == m_fetched.end()) return;
        const ServerCopy copy = Read(f->second);
        if (!copy.isEvent) {
            if (!copy.unreadable.empty())
                m_report.notes.push_back("An event on the server could not be read (" + copy.unreadable +
                                         "); it was left there.");
            m_state.entries[href] = SyncEntry{0, {}, f->second.etag, 0};
            return;
        }
        std::optional<uint32_t> match;
        bool same = false;
        if (const auto it = localByUid.find(copy.uid); it != localByUid.end()) {
            match = it->second;
            same = LocalRoundTripDigest(*match) == SyncDigest(copy.event);
        } else if (const auto it = localByContent.find(SyncDigest(copy.event)); it != localByContent.end()) {
            match = it->second;
            same = true;
        }
        if (!match) {
            Note(copy);
            if (AddHere(copy.event, href, copy.uid, f->second.etag)) ++m_report.received;
            return;
        }
        // The same event on both sides, not linked yet: linked now, and when the two differ,
        // both kept.
        std::erase(m_newLocal, *match);
        for (auto it = localByContent.begin(); it != localByContent.end();)
            it = it->second == *match ? localByContent.erase(it) : std::next(it);
        for (auto it = localByUid.begin(); it != localByUid.end();)
            it = it->second == *match ? localByUid.erase(it) : std::next(it);
        m_state.entries[href] = SyncEntry{*match, copy.uid, f->second.etag, same ? m_local[*match] : ~m_local[*match]};
        if (!same) {
            Note(copy);
            KeepConflictCopy(copy);
            m_upload.push_back(href);
        }
    }

    void TakeServerChanges() {
        for (const std::string& href : m_fetchLinked) TakeLinked(href);
        if (!m_fetchNew.empty()) {
            std::unordered_map<std::string, uint32_t> localByUid;
            std::multimap<uint64_t, uint32_t> localByContent;
            ics::CUidMap uids(ics::CUidMap::PathBeside(m_store.GetFilePath()));
            uids.Load();
            for (uint32_t id : m_newLocal) {
                if (const std::string* uid = uids.UidOf(id)) localByUid[*uid] = id;
                if (const auto digest = LocalRoundTripDigest(id)) localByContent.emplace(*digest, id);
            }
            for (const std::string& href : m_fetchNew) TakeNew(href, localByUid, localByContent);
        }
        for (const std::string& href : m_deleteHere) {
            SyncEntry& e = m_state.entries[href];
            if (DeleteHere(e.id, e.digest)) {
                m_state.entries.erase(href);
            } else if (m_local.count(e.id)) {
                e.etag.clear();
                m_uploadNew.push_back(href);
            } else {
                m_state.entries.erase(href);
            }
        }
    }

    void Changed() { m_report.storeChanged = m_unsaved = true; }

    // One change of the store, where the writer runs it (see SyncEngine::SetStoreWriter).
    template <class Change>
    auto Write(Change change, bool removes = false) -> decltype(change()) {
        if (!m_writer) return change();
        std::optional<decltype(change())> result;
        if (!m_writer([&] { result = change(); }, removes)) throw SyncError(texts::Tr(texts::kSyncStopped));
        return std::move(*result);
    }

    // ---- the local changes -------------------------------------------------------------

    void SaveAll() {
        if (m_unsaved) {
            const FileResult saved = m_store.Save();
            if (!saved.ok) throw SyncError(texts::TrPrintf(texts::kSyncNotSaved, saved.message.c_str()));
            m_unsaved = false;
        }
        const FileResult kept = m_state.Save();
        if (!kept.ok) throw SyncError(texts::TrPrintf(texts::kSyncNotSaved, kept.message.c_str()));
    }

    // New local events get their UID and resource before anything is sent, and that is saved:
    // a sync killed after a PUT finds the event by its UID next time.
    void LinkNewLocal() {
        if (m_newLocal.empty()) return;
        ics::CUidMap uids(ics::CUidMap::PathBeside(m_store.GetFilePath()));
        uids.Load();
        for (uint32_t id : m_newLocal) {
            const std::string* known = uids.UidOf(id);
            std::string uid = known ? *known : ics::CUidMap::NewUid();
            std::string href = m_client.NewHref(ResourceNameFor(uid));
            while (m_state.entries.count(href)) {
                uid = ics::CUidMap::NewUid();
                href = m_client.NewHref(ResourceNameFor(uid));
            }
            m_state.entries[href] = SyncEntry{id, uid, {}, m_local[id]};
            m_uploadNew.push_back(href);
        }
        m_newLocal.clear();
        SaveAll();
    }

    void Count() {
        if (++m_requests % kSaveEvery == 0) SaveAll();
    }

    void Send(const std::string& href, bool asNew) {
        const auto it = m_state.entries.find(href);
        if (it == m_state.entries.end()) return;
        SyncEntry& e = it->second;
        CPtEvent ev;
        if (!m_store.GetById(e.id, ev)) return;  // deleted meanwhile: the next sync deletes it there
        std::vector<std::string> warnings;
        const std::string text = ics::ExportEvent(ev, m_types, e.uid, m_now, warnings);
        if (text.empty()) {
            failures.push_back(warnings.empty() ? std::string("an event cannot be written") : warnings[0]);
            return;
        }
        CalDavClient::Stored r = m_client.Put(href, text, asNew ? std::string() : e.etag);
        Count();
        if (r.status == 412) {
            // The server's copy is not the one this sync assumed: compared afresh, once.
            const auto fetched = m_client.Fetch({href});
            const auto f = fetched.find(href);
            std::string ifMatch;
            if (f != fetched.end()) {
                const ServerCopy copy = Read(f->second);
                if (copy.isEvent && RoundTripDigest(ev) == SyncDigest(copy.event)) {
                    r = CalDavClient::Stored{200, f->second.etag, {}};
                } else {
                    if (copy.isEvent) KeepConflictCopy(copy);
                    ifMatch = f->second.etag;
                }
            }
            if (r.status == 412) r = m_client.Put(href, text, ifMatch);
            Count();
        }
        if (r.status < 200 || r.status >= 300) {
            failures.push_back(r.why.empty() ? "HTTP " + std::to_string(r.status) : r.why);
            return;
        }
        e.etag = r.etag;
        e.digest = SyncDigest(ev);
        if (e.etag.empty()) m_missingEtags.push_back(href);
        ++m_report.sent;
    }

    void Remove(const std::string& href) {
        const auto it = m_state.entries.find(href);
        if (it == m_state.entries.end()) return;
        const CalDavClient::Stored r = m_client.Delete(href, it->second.etag);
        Count();
        if (r.status == 412) {
            // Changed there after all: the server's version comes back here.
            const auto fetched = m_client.Fetch({href});
            const std::string uid = it->second.uid;
            m_state.entries.erase(it);
            if (const auto f = fetched.find(href); f != fetched.end()) {
                const ServerCopy copy = Read(f->second);
                if (copy.isEvent && AddHere(copy.event, href, uid, f->second.etag)) ++m_report.received;
            }
            return;
        }
        if (r.status < 200 || r.status >= 300) {
            failures.push_back(r.why);
            return;
        }
        m_state.entries.erase(it);
        ++m_report.deletedThere;
    }

    void SendLocalChanges() {
        SaveAll();
        LinkNewLocal();
        std::vector<std::string> upload, uploadNew, deleteThere;
        upload.swap(m_upload);
        uploadNew.swap(m_uploadNew);
        deleteThere.swap(m_deleteThere);
        for (const std::string& href : upload) Send(href, false);
        for (const std::string& href : uploadNew) Send(href, true);
        for (const std::string& href : deleteThere) Remove(href);
        SaveAll();
    }

    // A server that changes what it stores names no ETag for it; the listing's is taken.
    void FillMissingEtags() {
        if (m_missingEtags.empty()) return;
        const auto fetched = m_client.Fetch(m_missingEtags, true);
        for (const std::string& href : m_missingEtags) {
            const auto f = fetched.find(href);
            const auto e = m_state.entries.find(href);
            if (f != fetched.end() && e != m_state.entries.end()) e->second.etag = f->second.etag;
        }
    }

    CEventStore& m_store;
    const CEventTypeTable& m_types;
    CalDavClient& m_client;
    SyncState& m_state;
    DateTime m_now;
    SyncReport& m_report;
    const SyncEngine::StoreWriter& m_writer;

    std::unordered_map<uint32_t, uint64_t> m_local;  // id -> SyncDigest, as the sync goes
    std::vector<std::string> m_fetchLinked, m_fetchNew, m_upload, m_uploadNew, m_deleteThere, m_deleteHere;
    std::vector<uint32_t> m_newLocal;
    std::map<std::string, Fetched> m_fetched;
    std::vector<std::string> m_missingEtags;
    size_t m_requests = 0;
    bool m_damaged = m_store.GetLoadReport().NeedsPreservation();
    bool m_unsaved = false;  // the store changed since it was last saved
};

}  // namespace

SyncReport SyncEngine::Run(const SyncRequest& request, const DateTime& now) {
    SyncReport report;
    SyncState state(SyncState::PathBeside(m_store.GetFilePath()));
    if (std::string note = state.Load(); !note.empty()) report.notes.push_back(note);
    m_http.SetCredentials(request.user, request.password);
    m_http.SetLimits(request.limits);
    m_http.SetCancelFlag(m_cancel);
    try {
        CalDavClient client(m_http, request.url);
        if (state.url != request.url || state.collection.empty()) {
            // Another address for the same calendar keeps the links; another calendar is
            // matched afresh by UID and content.
            const std::string found = client.FindCalendar();
            if (found != state.collection) state.Reset(request.url);
            state.url = request.url;
            state.collection = found;
        }
        client.SetCollection(state.collection);
        std::optional<Listing> listing;
        if (!state.token.empty()) listing = client.ChangesSince(state.token);
        if (!listing) listing = client.ListAll();
        Pass pass(m_store, m_types, client, state, now, report, m_writer);
        pass.Run(*listing);
        if (!pass.failures.empty()) {
            report.message = texts::TrPrintf(texts::kSyncNotStored, OriginOf(state.collection).c_str(),
                                             pass.failures.size(), pass.failures[0].c_str());
            return report;
        }
    } catch (const SyncError& e) {
        report.message = m_cancel && m_cancel->load() ? texts::Tr(texts::kSyncStopped) : e.what();
        return report;
    }
    report.ok = true;
    report.message = texts::TrPrintf(texts::kSyncDone, report.sent, report.received, report.deletedHere,
                                     report.deletedThere, report.conflicts);
    return report;
}

FileResult KeepSyncedUids(const CEventStore& store) {
    SyncState state(SyncState::PathBeside(store.GetFilePath()));
    state.Load();
    ics::CUidMap uids(ics::CUidMap::PathBeside(store.GetFilePath()));
    uids.Load();
    bool changed = false;
    for (const auto& [href, e] : state.entries) {
        if (e.id == 0) continue;
        CPtEvent ev;
        const std::string* known = uids.UidOf(e.id);
        if ((known && *known == e.uid) || !store.GetById(e.id, ev)) continue;
        uids.Set(e.id, e.uid, ics::CUidMap::Digest(ev));
        changed = true;
    }
    return changed ? uids.Save() : FileResult::Ok();
}

}  // namespace tv::sync
