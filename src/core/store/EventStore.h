// The process-wide store of all events and its file Evnt.est.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "DataFile.h"
#include "platform/FileResult.h"
#include "ThreadSafeList.h"
#include "model/PtEvent.h"

namespace tv {

constexpr uint32_t kFirstOneOffId = 1;
constexpr uint32_t kOneOffIdLimit = 0x80000000u;
constexpr uint32_t kFirstRecurringId = 0x80000001u;
constexpr uint32_t kRecurringIdLimit = 0xFFFFFFFFu;

// One-off events, with an index from start day to event for the calendar views.
class COneOffEventList : public CThreadSafeList<CPtEvent> {
public:
    COneOffEventList() : CThreadSafeList<CPtEvent>(kFirstOneOffId, kOneOffIdLimit) {}

    CPtEvent* Add(CPtEvent& ev, const IdIsTaken& isTakenElsewhere);
    CPtEvent* AddKeepingId(const CPtEvent& ev);
    CPtEvent* ReplaceAndReindex(uint32_t id, const CPtEvent& ev);
    bool RemoveAndUnindex(uint32_t id);
    void ClearAll();
    // Events starting on day, in the order they were indexed. True when the index holds any
    // entry on or after that day (the answer callers have always been given).
    bool GetEventsOfDay(int64_t day, std::vector<const CPtEvent*>& out) const;
    // Calls fn(day, event) for every indexed event starting on a day in [first, first + count).
    template <class Fn>
    void ForEachInDays(int64_t first, int count, Fn&& fn) const {
        std::lock_guard g(GetLock());
        for (auto it = m_dayIndex.lower_bound(first); it != m_dayIndex.end() && it->first < first + count; ++it)
            for (const CPtEvent* ev : it->second) fn(it->first, ev);
    }
    // Reads a list body and indexes it in the same pass; recurring gets the events that belong
    // in the other list.
    ListReadResult ReadAndIndex(ArchiveReader& ar, std::vector<CPtEvent*>& recurring);
    void RebuildDayIndex();

private:
    void Unindex(int64_t day, uint32_t id);

    // Day -> the events starting that day, in the order they were indexed. A few thousand days
    // hold a whole life's events, so this stays small however many events there are.
    std::map<int64_t, std::vector<CPtEvent*>> m_dayIndex;
};

class CRecurringEventList : public CThreadSafeList<CPtEvent> {
public:
    CRecurringEventList() : CThreadSafeList<CPtEvent>(kFirstRecurringId, kRecurringIdLimit) {}
};

enum class EventListKind { OneOff, Recurring };

// Whether Modify takes the "pop-up is open" mark from the given event or keeps the stored one.
// Only the scheduler and the pop-up change the mark; an editor or a command that fetched its
// copy before a pop-up opened must not clear it, or the same reminder would pop up twice.
enum class ShowingMark { Keep, Replace };

// Walks one list while holding its lock, from creation until destruction.
class CEventIterator {
public:
    CEventIterator(const CThreadSafeList<CPtEvent>& list, const std::list<CPtEvent>& items)
        : m_guard(list.GetLock()), m_it(items.begin()), m_end(items.end()) {}
    const CPtEvent* Next() { return m_it == m_end ? nullptr : &*m_it++; }

private:
    std::unique_lock<std::recursive_mutex> m_guard;
    std::list<CPtEvent>::const_iterator m_it, m_end;
};

class CEventStore {
public:
    explicit CEventStore(std::string filePath = {});
    CEventStore(const CEventStore&) = delete;
    CEventStore& operator=(const CEventStore&) = delete;

    // One-off list's lock first, always, so that two threads cannot wait on each other.
    void LockAll() const;
    void UnlockAll() const;
    class AllLock {
    public:
        explicit AllLock(const CEventStore& s) : m_store(s) { m_store.LockAll(); }
        ~AllLock() { m_store.UnlockAll(); }
        AllLock(const AllLock&) = delete;
        AllLock& operator=(const AllLock&) = delete;

    private:
        const CEventStore& m_store;
    };

    size_t GetCount() const;
    // Stores a copy under a new id and writes the id into ev. False when no id is free.
    bool Add(CPtEvent& ev);
    bool Modify(uint32_t id, const CPtEvent& ev, ShowingMark mark = ShowingMark::Keep);
    bool Delete(uint32_t id);
    bool GetById(uint32_t id, CPtEvent& out) const;
    // Valid only until the next change of the store; use at once on the calling thread.
    const CPtEvent* GetPtrById(uint32_t id) const;
    bool GetEventsOfDay(const DateTime& date, std::vector<const CPtEvent*>& out) const;
    // GetEventsOfDay for each of count days from first (out[i] is day first + i), with every
    // event's occurrence on that day. The same answers, found without a search per event per
    // day: a calendar page asks for 35 days at once.
    struct DayEvent {
        const CPtEvent* event;
        DateTime occurrence;
    };
    void GetEventsOfDays(const DateTime& first, int count, std::vector<std::vector<DayEvent>>& out) const;
    CEventIterator CreateIterator(EventListKind kind) const;
    template <class Fn>
    void ForEachEvent(Fn&& fn) const {
        m_oneOff.ForEach(fn);
        m_recurring.ForEach(fn);
    }
    std::vector<uint32_t> GetAllIds() const;
    void RemoveAll();

    const COneOffEventList& OneOffList() const { return m_oneOff; }
    const CRecurringEventList& RecurringList() const { return m_recurring; }

    // Evnt.est.
    const std::string& GetFilePath() const { return m_file.GetPath(); }
    LoadReport Load();
    const LoadReport& GetLoadReport() const { return m_file.GetLoadReport(); }
    FileResult Save();
    // The file image Save writes: tag, version, reserved block, both list bodies.
    std::string SaveToBytes() const;
    void WriteEventFile(ArchiveWriter& ar) const;
    LoadReport LoadFromBytes(std::string_view bytes);

    // Both list bodies, for backups.
    void SerializeLists(ArchiveWriter& ar) const;
    // Reads both list bodies and replaces both lists. Answers whether both were complete.
    ListReadResult SerializeLists(ArchiveReader& ar);
    // count + records for each list, without the id bookkeeping, for exports.
    void WriteForExport(ArchiveWriter& ar) const;

private:
    bool IsIdTaken(uint32_t id) const;
    void MoveMisplaced(const std::vector<CPtEvent*>& toRecurring, const std::vector<CPtEvent*>& toOneOff);

    DataFile m_file;
    COneOffEventList m_oneOff;
    CRecurringEventList m_recurring;
    std::mutex m_saveLock;
};

// The process-wide store, created on first use and loaded from the program folder.
CEventStore& GetEventStore();

}  // namespace tv
