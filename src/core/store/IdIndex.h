// An open-addressing map from a record id to where the record lives.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Compiler.h"

namespace tv {

// Ids 0 and 0xFFFFFFFF never name a record, so they mark empty and freed slots. Flat storage
// keeps loading a large file free of one allocation per record.
template <class Value>
class IdIndex {
public:
    // The two marker ids cannot be stored; a file can still hold them, so readers must ask.
    static constexpr bool CanHold(uint32_t id) { return id != kEmpty && id != kFreed; }

    size_t size() const { return m_count; }
    // Asks the processor to fetch the slot an id starts at, ahead of a find or set of that id:
    // a large table is mostly cache misses otherwise.
    void prefetch(uint32_t id) const {
        if (!m_slots.empty()) PrefetchForRead(&m_slots[Home(id)]);
    }
    bool contains(uint32_t id) const { return find(id) != nullptr; }

    const Value* find(uint32_t id) const {
        // Ids outside every id ever set are answered without touching the table: a file's ids
        // mostly ascend, so the check before each new one's insertion would be a cache miss.
        if (id < m_lowest || id > m_highest || id == kFreed) return nullptr;
        for (size_t i = Home(id);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.key == id) return &s.value;
            if (s.key == kEmpty) return nullptr;
        }
    }
    Value* find(uint32_t id) { return const_cast<Value*>(static_cast<const IdIndex*>(this)->find(id)); }

    // Inserts or replaces.
    void set(uint32_t id, const Value& value) {
        if (Value* existing = find(id)) {
            *existing = value;
            return;
        }
        if ((m_used + 1) * 2 > m_slots.size()) Rehash(std::max<size_t>(16, (m_count + 1) * 4));
        for (size_t i = Home(id);; i = (i + 1) & m_mask) {
            Slot& s = m_slots[i];
            if (s.key == kEmpty || s.key == kFreed) {
                if (s.key == kEmpty) ++m_used;
                m_lowest = std::min(m_lowest, id);
                m_highest = std::max(m_highest, id);
                s.key = id;
                s.value = value;
                ++m_count;
                return;
            }
        }
    }

    bool erase(uint32_t id) {
        if (m_slots.empty() || id == kEmpty || id == kFreed) return false;
        for (size_t i = Home(id);; i = (i + 1) & m_mask) {
            Slot& s = m_slots[i];
            if (s.key == id) {
                s.key = kFreed;
                --m_count;
                return true;
            }
            if (s.key == kEmpty) return false;
        }
    }

    void clear() {
        m_slots.clear();
        m_lowest = kFreed;
        m_highest = kEmpty;
        m_mask = 0;
        m_count = m_used = 0;
    }

    void reserve(size_t n) {
        if (n * 2 > m_slots.size()) Rehash(n * 2);
    }

private:
    static constexpr uint32_t kEmpty = 0;
    static constexpr uint32_t kFreed = 0xFFFFFFFFu;
    struct Slot {
        uint32_t key = kEmpty;
        Value value{};
    };

    // Fibonacci hashing: the top bits of the product spread even consecutive ids evenly.
    size_t Home(uint32_t id) const { return static_cast<size_t>((id * 0x9E3779B97F4A7C15ull) >> m_shift); }

    void Rehash(size_t minSlots) {
        size_t n = 16;
        while (n < minSlots) n *= 2;
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(n, Slot{});
        m_mask = n - 1;
        m_shift = 64;
        for (size_t k = n; k > 1; k >>= 1) --m_shift;
        m_count = m_used = 0;
        for (const Slot& s : old)
            if (s.key != kEmpty && s.key != kFreed) set(s.key, s.value);
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    unsigned m_shift = 64;
    uint32_t m_lowest = kFreed, m_highest = kEmpty;  // of every id set since the last clear
    size_t m_count = 0;  // live entries
    size_t m_used = 0;   // live and freed slots
};

}  // namespace tv
