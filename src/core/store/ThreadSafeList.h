// A lock-guarded list of records keyed by a 32-bit id, held in a std::list: the type table.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>
#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "IdIndex.h"
#include "ListBody.h"
#include "model/Archive.h"

namespace tv {

// Items are held by value in insertion order; pointers to them stay valid until that item is
// removed, because std::list never moves its nodes.
template <class T>
class CThreadSafeList {
public:
    using Mutex = std::recursive_mutex;
    using IdIsTaken = std::function<bool(uint32_t)>;

    CThreadSafeList(uint32_t firstId, uint32_t idLimit) : m_range(firstId, idLimit) {}
    CThreadSafeList(const CThreadSafeList&) = delete;
    CThreadSafeList& operator=(const CThreadSafeList&) = delete;

    Mutex& GetLock() const { return m_lock; }

    uint32_t GetNextId() const { std::lock_guard g(m_lock); return m_range.nextId; }

    size_t GetCount() const {
        std::lock_guard g(m_lock);
        return m_list.size();
    }

    // Hands out the next id (see IdRange). 0 when every id is taken. isTakenElsewhere lets a
    // store keep ids unique across lists.
    uint32_t NextFreeId(const IdIsTaken& isTakenElsewhere = nullptr) {
        std::lock_guard g(m_lock);
        return m_range.NextFree(
            [&](uint32_t id) { return m_idMap.contains(id) || (isTakenElsewhere && isTakenElsewhere(id)); });
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
        ar.WriteU32(m_range.nextId);
        ar.WriteU32(m_range.idLimit);
        for (const T& item : m_list) item.Serialize(ar);
    }

    // Replaces the content by a list body (see ReadListBody).
    ListReadResult ReadBody(ArchiveReader& ar, const IdIsTaken& isTakenElsewhere = nullptr) {
        using Iter = typename std::list<T>::iterator;
        std::lock_guard g(m_lock);
        RemoveAll();
        struct Keeper {
            std::list<T>& items;
            void Reserve(size_t) {}
            Iter ReadRecord(RecordStream& in) {
                items.emplace_back();
                try {
                    in.Read([&](ArchiveReader& r) { items.back().Serialize(r); });
                } catch (...) {
                    items.pop_back();  // the half-read record is never kept
                    throw;
                }
                return std::prev(items.end());
            }
            uint32_t IdOf(Iter it) { return it->GetId(); }
            void SetId(Iter it, uint32_t id) { it->SetId(id); }
            void Drop(Iter it) { items.erase(it); }
        } keeper{m_list};
        RecordStream in(ar);
        return ReadListBody(in, m_range, m_idMap, keeper,
                            [&](uint32_t id) { return isTakenElsewhere && isTakenElsewhere(id); });
    }

    // The items themselves; only while holding GetLock().
    std::list<T>& Items() { return m_list; }
    const std::list<T>& Items() const { return m_list; }

private:
    IdRange m_range;
    std::list<T> m_list;
    mutable Mutex m_lock;
    IdIndex<typename std::list<T>::iterator> m_idMap;
};

}  // namespace tv
