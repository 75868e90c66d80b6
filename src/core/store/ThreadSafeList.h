// A lock-guarded list of records keyed by a 32-bit id; the event lists and the type table.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "IdIndex.h"
#include "model/Archive.h"

namespace tv {

// What reading a list body found. A list keeps the records it read before an error.
struct ListReadResult {
    bool complete = true;
    std::string error;       // why reading stopped early
    size_t renumbered = 0;   // records whose id was missing, repeated or out of range
    size_t dropped = 0;      // records no free id was left for
};

// Items are held by value in insertion order; pointers to them stay valid until that item is
// removed, because std::list never moves its nodes.
template <class T>
class CThreadSafeList {
public:
    using Mutex = std::recursive_mutex;
    using IdIsTaken = std::function<bool(uint32_t)>;

    CThreadSafeList(uint32_t firstId, uint32_t idLimit)
        : m_firstId(firstId), m_nextId(firstId), m_idLimit(idLimit), m_rangeLimit(idLimit) {}
    CThreadSafeList(const CThreadSafeList&) = delete;
    CThreadSafeList& operator=(const CThreadSafeList&) = delete;

    Mutex& GetLock() const { return m_lock; }

    uint32_t GetNextId() const { std::lock_guard g(m_lock); return m_nextId; }

    size_t GetCount() const {
        std::lock_guard g(m_lock);
        return m_list.size();
    }

    // Hands out the next id: nextId while the range lasts, then the lowest free id of the range.
    // 0 when every id is taken. isTakenElsewhere lets a store keep ids unique across lists.
    uint32_t NextFreeId(const IdIsTaken& isTakenElsewhere = nullptr) {
        std::lock_guard g(m_lock);
        auto taken = [&](uint32_t id) { return m_idMap.contains(id) || (isTakenElsewhere && isTakenElsewhere(id)); };
        // ids at or above nextId may already be in use: after the range has wrapped once, or
        // when a damaged or foreign file left nextId at or below ids it holds.
        while (m_nextId < m_idLimit) {
            const uint32_t id = m_nextId++;
            if (!taken(id)) return id;
        }
        for (uint32_t id = m_firstId; id < m_idLimit; ++id) {
            if (taken(id)) continue;
            m_nextId = id + 1;
            return id;
        }
        return 0;
    }

    // Appends a copy under a new id, written back into item. Null when no id is free.
    T* AddWithNewId(T& item, const IdIsTaken& isTakenElsewhere = nullptr) {
        std::lock_guard g(m_lock);
        const uint32_t id = NextFreeId(isTakenElsewhere);
        if (id == 0) return nullptr;
        item.SetId(id);
        return AppendKeepingId(item);
    }

    // Appends a copy under the item's own id (moving an item from another list).
    T* AppendKeepingId(const T& item) {
        std::lock_guard g(m_lock);
        m_list.push_back(item);
        auto it = std::prev(m_list.end());
        m_idMap.set(item.GetId(), it);
        return &*it;
    }

    // Replaces the item of that id, which keeps its id and its place.
    T* Replace(uint32_t id, const T& item) {
        std::lock_guard g(m_lock);
        auto* found = m_idMap.find(id);
        if (!found) return nullptr;
        T& stored = **found;
        stored = item;
        stored.SetId(id);
        return &stored;
    }

    bool Remove(uint32_t id) {
        std::lock_guard g(m_lock);
        auto* found = m_idMap.find(id);
        if (!found) return false;
        m_list.erase(*found);
        m_idMap.erase(id);
        return true;
    }

    bool Contains(uint32_t id) const {
        std::lock_guard g(m_lock);
        return m_idMap.contains(id);
    }

    bool GetById(uint32_t id, T& out) const {
        std::lock_guard g(m_lock);
        auto* found = m_idMap.find(id);
        if (!found) return false;
        out = **found;
        return true;
    }

    void PrefetchId(uint32_t id) const { m_idMap.prefetch(id); }

    // Valid until the item is removed; read it only under the lock or on the owning thread.
    T* GetPtrById(uint32_t id) {
        std::lock_guard g(m_lock);
        auto* found = m_idMap.find(id);
        return found ? &**found : nullptr;
    }
    const T* GetPtrById(uint32_t id) const { return const_cast<CThreadSafeList*>(this)->GetPtrById(id); }

    // A copy of the index-th item, or a default-made one when there is none.
    T GetAt(long index) const {
        std::lock_guard g(m_lock);
        if (index < 0 || static_cast<size_t>(index) >= m_list.size()) return T{};
        return *std::next(m_list.begin(), index);
    }

    void RemoveAll() {
        std::lock_guard g(m_lock);
        m_list.clear();
        m_idMap.clear();
    }

    // Calls fn for every item in list order while holding the lock.
    template <class Fn>
    void ForEach(Fn&& fn) const {
        std::lock_guard g(m_lock);
        for (const T& item : m_list) fn(item);
    }

    // count, nextId, idLimit, then the records.
    void WriteBody(ArchiveWriter& ar) const {
        std::lock_guard g(m_lock);
        ar.WriteU32(static_cast<uint32_t>(m_list.size()));
        ar.WriteU32(m_nextId);
        ar.WriteU32(m_idLimit);
        for (const T& item : m_list) item.Serialize(ar);
    }

    // Replaces the content by a list body. Stops at the first archive error and keeps what it
    // read; ids that are missing, repeated or taken elsewhere are renumbered so that every id
    // still names one item.
    ListReadResult ReadBody(ArchiveReader& ar, const IdIsTaken& isTakenElsewhere = nullptr) {
        return ReadBodyWith(
            ar, [&](uint32_t id) { return isTakenElsewhere && isTakenElsewhere(id); }, [](T&) {},
            [](uint32_t) {});
    }

    // ReadBody that also calls onRead(item) for every record as soon as it is read, while it is
    // still in the cache, so that a large file is not walked again for every index;
    // prefetchElsewhere(id) may fetch what isTakenElsewhere(id) is going to look at.
    template <class IsTaken, class OnRead, class PrefetchElsewhere>
    ListReadResult ReadBodyWith(ArchiveReader& ar, IsTaken&& isTakenElsewhere, OnRead&& onRead,
                                PrefetchElsewhere&& prefetchElsewhere) {
        using Iter = typename std::list<T>::iterator;
        std::lock_guard g(m_lock);
        ListReadResult result;
        RemoveAll();
        std::vector<Iter> needIds;
        struct ReadRecord {
            uint32_t id;
            Iter it;
        };
        std::vector<ReadRecord> read;  // kept while reading, so that the list is not walked again
        uint32_t highest = 0;
        bool reading = false;
        try {
            const uint32_t count = ar.ReadU32();
            m_nextId = ar.ReadU32();
            m_idLimit = ar.ReadU32();
            if (m_idLimit <= m_firstId || m_idLimit > m_rangeLimit) m_idLimit = m_rangeLimit;
            // A damaged count must not allocate: reserve no more than the remaining bytes could hold.
            const size_t expected = std::min<size_t>(count, ar.Remaining() / 64);
            m_idMap.reserve(expected);
            read.reserve(expected);
            for (uint32_t i = 0; i < count; ++i) {
                m_list.emplace_back();
                reading = true;
                m_list.back().Serialize(ar);
                reading = false;
                read.push_back({m_list.back().GetId(), std::prev(m_list.end())});
                onRead(m_list.back());
            }
        } catch (const ArchiveError& e) {
            if (reading) m_list.pop_back();  // the half-read record, never handed to onRead
            result.complete = false;
            result.error = e.what();
        }
        // The ids go into the map in one go after reading, each slot fetched a few records
        // ahead: hashed slots of a large table are cache misses one by one.
        constexpr size_t kAhead = 8;
        for (size_t k = 0; k < read.size(); ++k) {
            if (k + kAhead < read.size()) {
                m_idMap.prefetch(read[k + kAhead].id);
                prefetchElsewhere(read[k + kAhead].id);
            }
            const auto [id, it] = read[k];
            // 0xFFFFFFFF names no record either, and the index cannot hold it: a damaged file
            // that uses it gets a new id like one that repeats an id.
            if (!IdIndex<Iter>::CanHold(id) || m_idMap.contains(id) || isTakenElsewhere(id)) {
                needIds.push_back(it);
            } else {
                m_idMap.set(id, it);
                if (id >= m_firstId && id < m_idLimit && id > highest) highest = id;
            }
        }
        if (m_nextId < m_firstId || m_nextId > m_idLimit) m_nextId = highest ? highest + 1 : m_firstId;
        const IdIsTaken taken = [&](uint32_t id) { return isTakenElsewhere(id); };
        for (Iter it : needIds) {
            const uint32_t id = NextFreeId(taken);
            if (id == 0) {
                m_list.erase(it);  // the whole id range is in use: nothing can name this item
                ++result.dropped;
                continue;
            }
            it->SetId(id);
            m_idMap.set(id, it);
            ++result.renumbered;
        }
        return result;
    }

    // The items themselves; only while holding GetLock().
    std::list<T>& Items() { return m_list; }
    const std::list<T>& Items() const { return m_list; }

private:
    const uint32_t m_firstId;
    uint32_t m_nextId;
    std::list<T> m_list;
    mutable Mutex m_lock;
    IdIndex<typename std::list<T>::iterator> m_idMap;
    uint32_t m_idLimit;
    const uint32_t m_rangeLimit;
};

}  // namespace tv
