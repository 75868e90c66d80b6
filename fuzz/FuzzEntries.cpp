// What every reader is held to, whatever bytes it is given.
#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "IcsExport.h"
#include "IcsImport.h"
#include "IcsRule.h"
#include "DavUrl.h"
#include "Multistatus.h"
#include "engine/ReminderScheduler.h"
#include "store/EventTypeTable.h"
#include "model/PtEvent.h"
#include "model/TextCodec.h"
#include "store/EventFile.h"
#include "store/EventStore.h"
#include "store/TransferFiles.h"

using namespace tv;

namespace tvfuzz {

namespace {

[[noreturn]] void Broken(const char* what, int line) {
    std::fprintf(stderr, "FuzzEntries.cpp:%d: invariant broken: %s\n", line, what);
    std::abort();
}
#define TV_CHECK(c)                            \
    do {                                       \
        if (!(c)) Broken(#c, __LINE__);        \
    } while (0)

// Half an hour into the spring-forward night: the hour that does not exist locally.
DateTime Now() { return DateTime::FromParts(2026, 3, 29, 2, 30, 0); }

class CountingSink final : public IReminderSink {
public:
    bool PostEventPop(uint32_t) override {
        ++posted;
        return true;
    }
    size_t posted = 0;
};

// What the views, the lists and the pop-up ask of an event. Whatever form a file held its
// texts in, they reach memory as UTF-8.
void Exercise(const CPtEvent& ev) {
    TV_CHECK(IsValidUtf8(ev.GetName()) && IsValidUtf8(ev.GetNote()) && IsValidUtf8(ev.GetSound()));
    const DateTime now = Now();
    (void)ev.IsDue(now);
    (void)ev.GetOccurrence(now).ToIsoText();
    (void)ev.GetReminderTime(now).ToIsoText();
    (void)ev.GetRecurrence().GetDescription();
    (void)ev.GetStart().Format("%H:%M %a %b");
    (void)ev.GetRecurrence().GetNextOccurrence(ev.GetStart()).DayNumber();
    (void)FormatDuration(ev.GetDuration());
    (void)FormatDuration(ev.GetRemindBefore());
    (void)ev.GetStart().DateOnly().WithTimeOf(ev.GetRemindAt());
}

// Every id names exactly one event, each list holds its own kind, and the day index finds
// every one-off event on its start day.
void CheckStore(const CEventStore& store) {
    const std::vector<uint32_t> ids = store.GetAllIds();
    TV_CHECK(ids.size() == store.GetCount());
    const std::set<uint32_t> unique(ids.begin(), ids.end());
    TV_CHECK(unique.size() == ids.size());
    TV_CHECK(!unique.count(0));
    for (uint32_t id : ids) {
        const CPtEvent* ev = store.GetPtrById(id);
        TV_CHECK(ev != nullptr);
        TV_CHECK(ev->GetId() == id);
    }
    store.OneOffList().ForEach([&](const CPtEvent& ev) {
        TV_CHECK(!ev.IsRecurrent());
        std::vector<const CPtEvent*> day;
        store.OneOffList().GetEventsOfDay(ev.GetStart().DayNumber(), day);
        bool found = false;
        for (const CPtEvent* p : day) found = found || p == &ev;
        TV_CHECK(found);
    });
    store.RecurringList().ForEach([&](const CPtEvent& ev) { TV_CHECK(ev.IsRecurrent()); });
    store.ForEachEvent(Exercise);
    // The calendar pages' many-day query answers exactly what one query per day answers.
    constexpr int kDays = 9;
    const int64_t firstDay = Now().DayNumber() - 4;
    std::vector<std::vector<CEventStore::DayEvent>> days;
    store.GetEventsOfDays(DateTime::FromDayNumber(firstDay), kDays, days);
    TV_CHECK(days.size() == kDays);
    for (int i = 0; i < kDays; ++i) {
        std::vector<const CPtEvent*> one;
        store.GetEventsOfDay(DateTime::FromDayNumber(firstDay + i), one);
        std::vector<const CPtEvent*> many;
        for (const CEventStore::DayEvent& d : days[static_cast<size_t>(i)]) many.push_back(d.event);
        TV_CHECK(std::multiset<const CPtEvent*>(one.begin(), one.end()) ==
                 std::multiset<const CPtEvent*>(many.begin(), many.end()));
    }
}

void CheckTypes(const CEventTypeTable& types) {
    std::set<uint32_t> ids;
    types.ForEach([&](const CEventType& t) {
        TV_CHECK(t.GetId() != 0);
        TV_CHECK(ids.insert(t.GetId()).second);
        TV_CHECK(Utf8ToUtf16(t.GetFont().faceName).size() <= LogFont::kMaxFaceName);
        TV_CHECK(IsValidUtf8(t.GetName()) && IsValidUtf8(t.GetSound()) && IsValidUtf8(t.GetFont().faceName));
    });
    const auto menu = types.BuildTypeMenu();
    TV_CHECK(menu.size() >= 2);
}

// A pass announces each due event once; a second pass at the same moment announces nothing.
void CheckPasses(CEventStore& store) {
    CountingSink sink;
    const size_t first = CReminderScheduler::CheckPass(store, Now(), sink);
    TV_CHECK(first == sink.posted);
    TV_CHECK(CReminderScheduler::CheckPass(store, Now(), sink) == 0);
}

// Saving what was read and reading it back gives the same store, byte for byte.
void CheckEventRoundTrip(const CEventStore& store) {
    const std::string saved = store.SaveToBytes();
    CEventStore again;
    const LoadReport r = again.LoadFromBytes(saved);
    TV_CHECK(r.status == LoadStatus::Ok);
    TV_CHECK(r.renumbered == 0);
    TV_CHECK(again.GetCount() == store.GetCount());
    TV_CHECK(again.SaveToBytes() == saved);
}

std::string TableBytes(const CEventTypeTable& types) {
    ArchiveWriter ar;
    types.WriteTable(ar);
    return ar.TakeData();
}

// A small table and store standing for what the user already has before an import.
void Prefill(CEventTypeTable& types, CEventStore& store) {
    const DateTime now = Now();
    for (CEventType t : DefaultEventTypes(now)) types.AddType(t);
    CPtEvent once(now);
    once.SetName("Dentist");
    once.SetStart(DateTime::FromParts(2026, 4, 2, 9, 30));
    store.Add(once);
    CPtEvent yearly(now);
    yearly.SetName("Birthday");
    yearly.GetRecurrence().SetPatternType(kPatternYearly);
    store.Add(yearly);
}

// The command line's one-pass day query answers what the loaded store answers, report and
// ids alike, on today and on the days of the first few events.
void CheckDayQuery(std::string_view data, const CEventStore& store, const LoadReport& loaded) {
    std::vector<DateTime> days = {Now().DateOnly()};
    store.ForEachEvent([&](const CPtEvent& ev) {
        const DateTime day = ev.GetOccurrenceOnOrAfter(Now()).DateOnly();
        if (days.size() < 4 && day.IsValid()) days.push_back(day);
    });
    for (const DateTime& day : days) {
        const DayQuery q = QueryEventsOfDay(data, "Evnt.est", day);
        TV_CHECK(q.report.status == loaded.status && q.report.itemsRead == loaded.itemsRead);
        TV_CHECK(q.report.renumbered == loaded.renumbered && q.report.message == loaded.message);
        std::vector<const CPtEvent*> events;
        store.GetEventsOfDay(day, events);
        std::vector<uint32_t> ids;
        for (const CPtEvent* ev : events) ids.push_back(ev->GetId());
        TV_CHECK(q.ids == ids);
    }
}

}  // namespace

void EventFile(std::string_view data) {
    CEventStore store("Evnt.est");
    const LoadReport r = store.LoadFromBytes(data);
    TV_CHECK(r.itemsRead == store.GetCount());
    if (r.status != LoadStatus::Ok) {
        TV_CHECK(r.NeedsPreservation());
        TV_CHECK(!r.message.empty());
    }
    CheckStore(store);
    CheckDayQuery(data, store, r);
    CheckPasses(store);
    CheckEventRoundTrip(store);
}

void TypeFile(std::string_view data) {
    CEventTypeTable types;
    const LoadReport r = types.LoadFromBytes(data, "Type.ptt");
    TV_CHECK(r.itemsRead == types.GetCount());
    if (r.status != LoadStatus::Ok) TV_CHECK(!r.message.empty() && r.NeedsPreservation());
    CheckTypes(types);
    const std::string saved = TableBytes(types);
    CEventTypeTable again;
    const LoadReport r2 = again.LoadFromBytes(saved, "Type.ptt");
    TV_CHECK(r2.status == LoadStatus::Ok && r2.renumbered == 0);
    TV_CHECK(TableBytes(again) == saved);
}

void Backup(std::string_view data) {
    CEventTypeTable types;
    CEventStore store;
    Prefill(types, store);
    const std::string typesBefore = TableBytes(types), eventsBefore = store.SaveToBytes();
    const TransferResult r = RestoreBackupFromBytes(data, "fuzz.bak", types, store);
    if (!r.ok()) {
        // A backup that cannot be read completely replaces nothing.
        TV_CHECK(!r.message.empty());
        TV_CHECK(TableBytes(types) == typesBefore);
        TV_CHECK(store.SaveToBytes() == eventsBefore);
        return;
    }
    CheckTypes(types);
    CheckStore(store);
    CheckPasses(store);
    const std::string backup = BackupToBytes(types, store);
    CEventTypeTable types2;
    CEventStore store2;
    TV_CHECK(RestoreBackupFromBytes(backup, "again.bak", types2, store2).ok());
    TV_CHECK(BackupToBytes(types2, store2) == backup);
}

void Export(std::string_view data) {
    CEventTypeTable types;
    CEventStore store;
    Prefill(types, store);
    const std::string typesBefore = TableBytes(types), eventsBefore = store.SaveToBytes();
    const size_t countBefore = store.GetCount(), typeCountBefore = types.GetCount();
    const TransferResult r = ImportExportBytes(data, "fuzz.exp", ImportOptions{}, types, store);
    if (!r.ok()) {
        TV_CHECK(!r.message.empty());
        TV_CHECK(TableBytes(types) == typesBefore);
        TV_CHECK(store.SaveToBytes() == eventsBefore);
        return;
    }
    TV_CHECK(store.GetCount() == countBefore + r.eventsAdded);
    TV_CHECK(types.GetCount() == typeCountBefore + r.typesAdded);
    CheckTypes(types);
    CheckStore(store);
    CheckPasses(store);
    CheckEventRoundTrip(store);
}

void Holiday(std::string_view data) {
    CEventTypeTable types;
    CEventStore store;
    Prefill(types, store);
    const size_t countBefore = store.GetCount();
    const TransferResult r = ImportHolidayText(data, types, store, Now());
    TV_CHECK(r.ok());
    TV_CHECK(store.GetCount() == countBefore + r.eventsAdded);
    CheckStore(store);
    CheckPasses(store);
    // Every line on its own, as the parser sees it once the file is decoded.
    size_t replaced = 0;
    const std::string decoded = DecodeTextFile(data, replaced);
    data = decoded;
    size_t start = 0;
    while (start <= data.size()) {
        const size_t nl = data.find('\n', start);
        const std::string_view line = data.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        if (const auto h = ParseHolidayLine(line)) {
            TV_CHECK(h->month >= 1 && h->month <= 12);
            TV_CHECK(h->kind == 1 || h->kind == 2);
            const CPtEvent ev = MakeHolidayEvent(*h, types, Now());
            Exercise(ev);
            TV_CHECK(ev.GetOccurrence(Now()).IsValid());
        }
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
}

void Plumtrace(std::string_view data) {
    if (data.size() < 2) return;
    size_t typeLength = static_cast<unsigned char>(data[0]) | (static_cast<unsigned char>(data[1]) << 8);
    data.remove_prefix(2);
    if (typeLength > data.size()) typeLength = data.size();
    CEventTypeTable types;
    CEventStore store;
    Prefill(types, store);
    const std::string eventsBefore = store.SaveToBytes();
    const size_t countBefore = store.GetCount();
    const TransferResult r = ImportPlumtraceBytes(data.substr(0, typeLength), data.substr(typeLength), "evty.ptt",
                                                  "evnt.pte", types, store);
    if (!r.ok()) {
        TV_CHECK(!r.message.empty());
        TV_CHECK(store.SaveToBytes() == eventsBefore);
    } else {
        TV_CHECK(store.GetCount() == countBefore + r.eventsAdded);
    }
    CheckTypes(types);
    CheckStore(store);
    CheckPasses(store);
    CheckEventRoundTrip(store);
}

void Ics(std::string_view data) {
    CEventTypeTable types;
    CEventStore store;
    Prefill(types, store);
    const size_t countBefore = store.GetCount();
    ics::IcsImportPlan plan = ics::ReadCalendar(data, types, Now());
    if (!plan.ok) {
        // A file that cannot be read gives nothing to import, only the reason.
        TV_CHECK(!plan.message.empty());
        TV_CHECK(plan.items.empty());
        return;
    }
    for (const ics::IcsImportItem& item : plan.items) {
        const CPtEvent& ev = item.event;
        TV_CHECK(!item.uid.empty());
        TV_CHECK(!ev.GetName().empty() && ev.GetDuration() >= 0 && ev.GetRemindBefore() >= 0);
        // A series always falls on a day: one that would not is read as a one-off.
        TV_CHECK(!ev.IsRecurrent() || ics::FirstOccurrenceDay(ev.GetRecurrence()).IsValid());
        Exercise(ev);
    }
    ics::CUidMap uids;
    ics::MarkPresent(plan, store, uids);
    const ics::IcsImportResult r = ics::ApplyImport(plan, store, uids);
    TV_CHECK(r.added + r.refused == plan.items.size());
    TV_CHECK(store.GetCount() == countBefore + r.added);
    CheckStore(store);
    CheckPasses(store);
    CheckEventRoundTrip(store);
    // What was imported is written again as a calendar that reads back whole.
    const ics::IcsExportResult exported = ics::ExportCalendar(store, types, uids, Now());
    const ics::IcsImportPlan again = ics::ReadCalendar(exported.text, types, Now());
    TV_CHECK(again.ok);
    TV_CHECK(again.items.size() <= exported.events);
}

void Multistatus(std::string_view data) {
    sync::Multistatus ms;
    const std::string why = sync::ParseMultistatus(data, ms);
    if (!why.empty()) {
        TV_CHECK(ms.responses.empty() && ms.syncToken.empty());
        return;
    }
    TV_CHECK(ms.responses.size() <= sync::kMaxResponses);
    CEventTypeTable types;
    for (CEventType t : DefaultEventTypes(Now())) types.AddType(t);
    for (const sync::DavResponse& r : ms.responses) {
        TV_CHECK(!r.href.empty() && r.href.size() <= sync::kMaxShortTextBytes);
        TV_CHECK(r.calendarData.size() <= sync::kMaxCalendarDataBytes);
        // What the sync does with every href and every calendar it is given.
        (void)sync::PathKey(r.href);
        (void)sync::Resolve("https://example.invalid/cal/", r.href);
        if (!r.hasCalendarData) continue;
        const ics::IcsImportPlan plan = ics::ReadCalendar(r.calendarData, types, Now());
        for (const ics::IcsImportItem& item : plan.items) Exercise(item.event);
    }
}

bool RunTarget(std::string_view target, std::string_view data) {
    if (target == "event_file") EventFile(data);
    else if (target == "type_file") TypeFile(data);
    else if (target == "backup") Backup(data);
    else if (target == "export") Export(data);
    else if (target == "holiday") Holiday(data);
    else if (target == "plumtrace") Plumtrace(data);
    else if (target == "ics") Ics(data);
    else if (target == "multistatus") Multistatus(data);
    else return false;
    return true;
}

}  // namespace tvfuzz
