// Sorting, merging and sweeping the day index.
#include "DayIndex.h"

namespace tv {

void DayIndex::Sort() {
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.slot == kDead; }),
                    m_entries.end());
    m_dead = 0;
    m_sorted = m_entries.size();
    if (m_entries.size() < 2) return;
    int64_t low = m_entries.front().day, high = low;
    bool sorted = true;
    for (size_t i = 1; i < m_entries.size(); ++i) {
        low = std::min(low, m_entries[i].day);
        high = std::max(high, m_entries[i].day);
        sorted = sorted && m_entries[i - 1].day <= m_entries[i].day;
    }
    if (sorted) return;
    // Events of a life span a few thousand days: counting them into place is one pass, where a
    // comparison sort of a large store would take longer than reading its file.
    const uint64_t span = static_cast<uint64_t>(high) - static_cast<uint64_t>(low);
    if (span >= 4 * m_entries.size() + 4096) {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.day < b.day; });
        return;
    }
    std::vector<uint32_t> start(span + 2, 0);
    for (const Entry& e : m_entries) ++start[static_cast<size_t>(e.day - low) + 1];
    for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    std::vector<Entry> out(m_entries.size());
    for (const Entry& e : m_entries) out[start[static_cast<size_t>(e.day - low)]++] = e;
    m_entries.swap(out);
}

void DayIndex::Add(int64_t day, uint32_t slot) {
    m_entries.push_back({day, slot});
    if (m_entries.size() - m_sorted > kTailLimit) Merge();
}

void DayIndex::Remove(int64_t day, uint32_t slot) {
    for (size_t i = m_entries.size(); i > m_sorted; --i) {
        if (m_entries[i - 1].slot == slot && m_entries[i - 1].day == day) {
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i - 1));
            return;
        }
    }
    const auto begin = m_entries.begin(), sortedEnd = begin + static_cast<std::ptrdiff_t>(m_sorted);
    auto it = std::lower_bound(begin, sortedEnd, day, [](const Entry& e, int64_t d) { return e.day < d; });
    for (; it != sortedEnd && it->day == day; ++it) {
        if (it->slot != slot) continue;
        it->slot = kDead;
        // Swept once they are a quarter, so that a query never steps over many.
        if (++m_dead * 4 > m_sorted) Merge();
        return;
    }
}

bool DayIndex::AnyOnOrAfter(int64_t day) const {
    const auto begin = m_entries.begin(), sortedEnd = begin + static_cast<std::ptrdiff_t>(m_sorted);
    auto it = std::lower_bound(begin, sortedEnd, day, [](const Entry& e, int64_t d) { return e.day < d; });
    for (; it != sortedEnd; ++it)
        if (it->slot != kDead) return true;
    for (auto t = sortedEnd; t != m_entries.end(); ++t)
        if (t->day >= day) return true;
    return false;
}

void DayIndex::Merge() {
    const auto alive = [](const Entry& e) { return e.slot != kDead; };
    auto sortedEnd = m_entries.begin() + static_cast<std::ptrdiff_t>(m_sorted);
    if (m_dead > 0) {
        // Both parts keep their order; the tail moves down behind the sorted part.
        sortedEnd = std::stable_partition(m_entries.begin(), sortedEnd, alive);
        m_entries.erase(sortedEnd, m_entries.begin() + static_cast<std::ptrdiff_t>(m_sorted));
        m_sorted -= m_dead;
        m_dead = 0;
        sortedEnd = m_entries.begin() + static_cast<std::ptrdiff_t>(m_sorted);
    }
    const auto byDay = [](const Entry& a, const Entry& b) { return a.day < b.day; };
    std::stable_sort(sortedEnd, m_entries.end(), byDay);
    // Equal days keep the sorted part's entries first: they were added before the tail's.
    std::inplace_merge(m_entries.begin(), sortedEnd, m_entries.end(), byDay);
    m_sorted = m_entries.size();
}

}  // namespace tv
