// The process-wide store of all events and its file Evnt.est.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "DataFile.h"
#include "EventList.h"
#include "platform/FileResult.h"
#include "model/PtEvent.h"

namespace tv {

enum class EventListKind { OneOff, Recurring };

// Whether Modify takes the "pop-up is open" mark from the given event or keeps the stored one.
// Only the scheduler and the pop-up change the mark; an editor or a command that fetched its
// copy before a pop-up opened must not clear it, or the same reminder would pop up twice.
enum class ShowingMark { Keep, Replace };

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
    // The events on date's day: the one-off events starting that day in the order they were
    // indexed, then the recurring events occurring that day in list order. Valid until the
    // store changes.
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
    ListReadResult SerializeLists(RecordStream& in);
    // count + records for each list, without the id bookkeeping, for exports.
    void WriteForExport(ArchiveWriter& ar) const;

private:
    bool IsIdTaken(uint32_t id) const;
    void MoveMisplaced(const std::vector<const CPtEvent*>& toRecurring, const std::vector<const CPtEvent*>& toOneOff);
    LoadReport LoadFrom(RecordStream& in);

    DataFile m_file;
    COneOffEventList m_oneOff;
    CRecurringEventList m_recurring;
    std::mutex m_saveLock;
};

// The process-wide store, created on first use and loaded from the program folder.
CEventStore& GetEventStore();

}  // namespace tv
