// The store's two event lists: events packed in blocks, their texts in one arena, flat indexes.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "DayIndex.h"
#include "IdIndex.h"
#include "ListBody.h"
#include "RecordStream.h"
#include "model/PtEvent.h"
#include "model/TextArena.h"

namespace tv {

constexpr uint32_t kFirstOneOffId = 1;
constexpr uint32_t kOneOffIdLimit = 0x80000000u;
constexpr uint32_t kFirstRecurringId = 0x80000001u;
constexpr uint32_t kRecurringIdLimit = 0xFFFFFFFFu;

// Events by value in the order they were added, each in a slot of a block that never moves (so
// a pointer to an event stays valid until that event is removed), with no allocation per event:
// a large file loads as fast as its records can be read. Freed slots are reused. Every call
// takes the list's lock; walking it by slots needs the lock held by the caller.
class CEventList {
public:
    using Mutex = std::recursive_mutex;
    using IdIsTaken = std::function<bool(uint32_t)>;
    static constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

    CEventList(uint32_t firstId, uint32_t idLimit);
    CEventList(const CEventList&) = delete;
    CEventList& operator=(const CEventList&) = delete;
    ~CEventList();

    Mutex& GetLock() const { return m_lock; }
    uint32_t GetNextId() const;
    size_t GetCount() const;

    // Hands out the next id (see IdRange). 0 when every id is taken; isTakenElsewhere lets the
    // store keep ids unique across lists.
    uint32_t NextFreeId(const IdIsTaken& isTakenElsewhere = nullptr);
    // Appends a copy under a new id, written back into ev. Null when no id is free.
    CPtEvent* AddWithNewId(CPtEvent& ev, const IdIsTaken& isTakenElsewhere = nullptr);
    // Appends a copy under the event's own id (moving an event from the other list).
    CPtEvent* AppendKeepingId(const CPtEvent& ev);
    // Replaces the event of that id, which keeps its id and its place.
    CPtEvent* Replace(uint32_t id, const CPtEvent& ev);
    bool Remove(uint32_t id);
    void RemoveAll();

    bool Contains(uint32_t id) const;
    bool GetById(uint32_t id, CPtEvent& out) const;
    void PrefetchId(uint32_t id) const;
    // Valid until the event is removed; read it only under the lock or on the owning thread.
    CPtEvent* GetPtrById(uint32_t id);
    const CPtEvent* GetPtrById(uint32_t id) const;

    // Calls fn for every event in list order while holding the lock.
    template <class Fn>
    void ForEach(Fn&& fn) const {
        std::lock_guard g(m_lock);
        for (uint32_t s = m_head; s != kNoSlot; s = m_links[s].next) fn(At(s));
    }
    // The list order by slots, for a caller that holds the lock.
    uint32_t FirstSlot() const { return m_head; }
    uint32_t NextSlot(uint32_t slot) const { return m_links[slot].next; }
    const CPtEvent& At(uint32_t slot) const { return const_cast<CEventList*>(this)->At(slot); }

    // count, nextId, idLimit, then the records.
    void WriteBody(ArchiveWriter& ar) const;
    // Replaces the content by a list body (see ReadListBody). onRead(slot, event) is called for
    // every record as soon as it is read, before the ids are repaired.
    template <class TakenElsewhere, class OnRead>
    ListReadResult ReadBody(RecordStream& in, TakenElsewhere&& isTakenElsewhere, OnRead&& onRead) {
        std::lock_guard g(m_lock);
        RemoveAll();
        struct Keeper {
            CEventList& list;
            OnRead& onRead;
            void Reserve(size_t n) { list.m_links.reserve(n); }
            uint32_t ReadRecord(RecordStream& stream) {
                const uint32_t slot = list.ReadSlot(stream);
                onRead(slot, list.At(slot));
                return slot;
            }
            uint32_t IdOf(uint32_t slot) { return list.At(slot).GetId(); }
            void SetId(uint32_t slot, uint32_t id) { list.At(slot).SetId(id); }
            void Drop(uint32_t slot) { list.Release(slot); }
        } keeper{*this, onRead};
        return ReadListBody(in, m_range, m_ids, keeper, isTakenElsewhere);
    }

protected:
    CPtEvent& At(uint32_t slot) {
        const Place p = PlaceOf(slot);
        return m_blocks[p.block][p.index];
    }
    // The slot an id's event is in, or kNoSlot; under the lock.
    uint32_t SlotOf(uint32_t id) const;

private:
    static constexpr uint32_t kFirstBlockShift = 6;
    // Block b holds the slots from kFirstBlock * (2^b - 1) on, kFirstBlock * 2^b of them.
    struct Place {
        uint32_t block, index;
    };
    static Place PlaceOf(uint32_t slot) {
        const uint32_t b = static_cast<uint32_t>(std::bit_width((slot >> kFirstBlockShift) + 1u)) - 1;
        return {b, slot - (((1u << b) - 1) << kFirstBlockShift)};
    }
    static size_t SlotsInBlock(uint32_t block) { return size_t(1) << (block + kFirstBlockShift); }
    struct Link {
        uint32_t prev, next;
    };

    uint32_t NewSlot();
    // Takes a linked slot out of the list; its id must be out of the index already.
    void Release(uint32_t slot);
    uint32_t Append(const CPtEvent& ev);
    uint32_t ReadSlot(RecordStream& in);
    void LinkAtTail(uint32_t slot);
    // Texts of replaced and removed events stay in the arena until they outweigh the rest.
    void AddGarbage(size_t bytes);

    std::vector<CPtEvent*> m_blocks;
    uint32_t m_constructed = 0;  // slots [0, m_constructed) hold constructed events
    std::vector<Link> m_links;   // one per constructed slot
    std::vector<uint32_t> m_free;
    uint32_t m_head = kNoSlot, m_tail = kNoSlot;
    size_t m_count = 0;
    TextArena m_texts;
    size_t m_textGarbage = 0;
    IdIndex<uint32_t> m_ids;
    IdRange m_range;
    mutable Mutex m_lock;
};

// One-off events, with an index from start day to event for the calendar views.
class COneOffEventList : public CEventList {
public:
    COneOffEventList() : CEventList(kFirstOneOffId, kOneOffIdLimit) {}

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
        m_dayIndex.ForEachInDays(first, first + count, [&](int64_t day, uint32_t slot) { fn(day, &At(slot)); });
    }
    // Reads a list body and indexes it in the same pass; recurring gets the events that belong
    // in the other list.
    ListReadResult ReadAndIndex(RecordStream& in, std::vector<const CPtEvent*>& recurring);
    void RebuildDayIndex();

private:
    DayIndex m_dayIndex;
};

class CRecurringEventList : public CEventList {
public:
    CRecurringEventList() : CEventList(kFirstRecurringId, kRecurringIdLimit) {}
};

// Walks one list while holding its lock, from creation until destruction.
class CEventIterator {
public:
    explicit CEventIterator(const CEventList& list) : m_guard(list.GetLock()), m_list(list), m_slot(list.FirstSlot()) {}
    const CPtEvent* Next() {
        if (m_slot == CEventList::kNoSlot) return nullptr;
        const CPtEvent* ev = &m_list.At(m_slot);
        m_slot = m_list.NextSlot(m_slot);
        return ev;
    }

private:
    std::unique_lock<std::recursive_mutex> m_guard;
    const CEventList& m_list;
    uint32_t m_slot;
};

}  // namespace tv
