// The index from a start day to the one-off events starting that day.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tv {

// Flat: one array of (day, slot) sorted by day for the bulk, and a short tail of what was added
// since, merged into it once the tail grows. Within a day, entries keep the order they were
// added in. Removed entries are marked and swept at the next merge.
class DayIndex {
public:
    void Clear() {
        m_entries.clear();
        m_sorted = m_dead = 0;
    }
    // A load appends in list order and sorts once at the end.
    void Append(int64_t day, uint32_t slot) { m_entries.push_back({day, slot}); }
    void Sort();
    // After every entry already on that day.
    void Add(int64_t day, uint32_t slot);
    void Remove(int64_t day, uint32_t slot);
    // Whether any entry lies on or after day.
    bool AnyOnOrAfter(int64_t day) const;

    // Calls fn(day, slot) for every entry on a day in [first, end), by day, each day's entries
    // in the order they were added.
    template <class Fn>
    void ForEachInDays(int64_t first, int64_t end, Fn&& fn) const {
        const auto begin = m_entries.begin(), sortedEnd = begin + static_cast<std::ptrdiff_t>(m_sorted);
        auto it = std::lower_bound(begin, sortedEnd, first, [](const Entry& e, int64_t d) { return e.day < d; });
        std::vector<Entry> tail;
        for (auto t = sortedEnd; t != m_entries.end(); ++t)
            if (t->day >= first && t->day < end) tail.push_back(*t);
        std::stable_sort(tail.begin(), tail.end(), [](const Entry& a, const Entry& b) { return a.day < b.day; });
        auto t = tail.begin();
        for (; it != sortedEnd && it->day < end; ++it) {
            for (; t != tail.end() && t->day < it->day; ++t) fn(t->day, t->slot);
            if (it->slot != kDead) fn(it->day, it->slot);
        }
        for (; t != tail.end(); ++t) fn(t->day, t->slot);
    }

private:
    static constexpr uint32_t kDead = 0xFFFFFFFFu;
    // Merged once the tail holds this many entries: adding stays cheap, and a query never
    // looks at more than this many unsorted ones.
    static constexpr size_t kTailLimit = 256;

    struct Entry {
        int64_t day;
        uint32_t slot;
    };
    void Merge();

    std::vector<Entry> m_entries;
    size_t m_sorted = 0;  // entries [0, m_sorted) are sorted; the rest is the tail
    size_t m_dead = 0;    // marked entries in the sorted part
};

}  // namespace tv
