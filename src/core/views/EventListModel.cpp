// Rows of the event lists, their texts and sorting.
#include "EventListModel.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "texts/DateTexts.h"
#include "texts/UserTexts.h"

namespace tv {

const ListColumnInfo& GetListColumn(int column) {
    static const ListColumnInfo kColumns[kListColumnCount] = {
        {texts::kColumnTitles[0], 200}, {texts::kColumnTitles[1], 100}, {texts::kColumnTitles[2], 80},
        {texts::kColumnTitles[3], 100}, {texts::kColumnTitles[4], 50}};
    static const ListColumnInfo kNone{"", 0};
    return column >= 0 && column < kListColumnCount ? kColumns[column] : kNone;
}

// ---- CEventListModel -----------------------------------------------------------------

void CEventListModel::FillAll(const CEventStore& store) {
    Clear();
    m_ids = store.GetAllIds();
    m_indexValid = false;
}

int CEventListModel::Append(uint32_t id) {
    if (id == 0) return -1;
    const int row = static_cast<int>(m_ids.size());
    m_ids.push_back(id);
    if (m_indexValid) m_rowOf[id] = row;
    return row;
}

std::optional<uint32_t> CEventListModel::RowToId(int row) const {
    if (row < 0 || row >= GetCount()) return std::nullopt;
    return m_ids[row];
}

void CEventListModel::RebuildIndex() const {
    if (m_indexValid) return;
    m_rowOf.clear();
    m_rowOf.reserve(m_ids.size());
    for (size_t i = 0; i < m_ids.size(); ++i) m_rowOf.emplace(m_ids[i], static_cast<int>(i));
    m_indexValid = true;
}

std::optional<int> CEventListModel::IdToRow(uint32_t id) const {
    RebuildIndex();
    auto it = m_rowOf.find(id);
    if (it == m_rowOf.end()) return std::nullopt;
    return it->second;
}

bool CEventListModel::RemoveById(uint32_t id) {
    int row = -1;
    if (m_indexValid) {
        auto it = m_rowOf.find(id);
        if (it == m_rowOf.end()) return false;
        row = it->second;
    } else {
        // While rows are moving, a straight search is cheaper than rebuilding the index.
        auto it = std::find(m_ids.begin(), m_ids.end(), id);
        if (it == m_ids.end()) return false;
        row = static_cast<int>(it - m_ids.begin());
    }
    return RemoveByRow(row);
}

bool CEventListModel::RemoveByRow(int row) {
    if (row < 0 || row >= GetCount()) return false;
    const bool last = row == GetCount() - 1;
    if (m_indexValid) m_rowOf.erase(m_ids[row]);
    m_ids.erase(m_ids.begin() + row);
    if (!last) m_indexValid = false;
    return true;
}

void CEventListModel::Clear() {
    m_ids.clear();
    m_rowOf.clear();
    m_indexValid = true;
}

void CEventListModel::Sort(int column, const CEventStore& store, const CEventTypeTable& types, const DateTime& now) {
    if (column < 0 || column >= kListColumnCount) return;
    // Each key is made once: the time column's key walks a recurrence rule, and the type
    // column's a table look-up, which comparisons repeated n log n times would redo.
    std::vector<ListSortKey> keys(m_ids.size());
    {
        CEventStore::AllLock lock(store);
        for (size_t i = 0; i < m_ids.size(); ++i) {
            const CPtEvent* ev = store.GetPtrById(m_ids[i]);
            if (ev) keys[i] = MakeSortKey(*ev, column, types, now);
            else keys[i].missing = true;
        }
    }
    std::vector<size_t> order(m_ids.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return CompareForColumn(keys[a], keys[b], column) < 0; });
    std::vector<uint32_t> sorted;
    sorted.reserve(m_ids.size());
    for (size_t i : order) sorted.push_back(m_ids[i]);
    m_ids = std::move(sorted);
    m_indexValid = false;
}

// ---- row texts ------------------------------------------------------------------------

namespace {

std::string TypeName(const CEventTypeTable& types, uint32_t typeId, CEventType* out = nullptr) {
    CEventType type;
    if (typeId == 0 || !types.FindById(typeId, type)) return {};
    if (out) *out = type;
    return type.GetName();
}

std::string CellOf(const CPtEvent& ev, int column, const CEventTypeTable& types, const DateTime& now) {
    switch (column) {
        case kColName: return std::string(ev.GetName());
        case kColTime: return GetDateTexts().EventTime(ev.GetOccurrence(now));
        case kColType: return TypeName(types, ev.GetType());
        case kColRecurrence: return ev.GetRecurrence().GetDescription();
        case kColDuration: return FormatDuration(ev.GetDuration());
        default: return {};
    }
}

}  // namespace

ListRowView DescribeListRow(const CEventStore& store, const CEventTypeTable& types, uint32_t id, const DateTime& now) {
    ListRowView row;
    if (id == 0) return row;
    row.hasId = true;
    CPtEvent ev;
    if (!store.GetById(id, ev)) {
        row.textColor = kMissingRowColor;
        return row;
    }
    row.exists = true;
    for (int c = 0; c < kListColumnCount; ++c) row.cells[c] = CellOf(ev, c, types, now);
    if (!ev.IsEnabled()) row.stateImage = 1;
    else if (ev.GetReminderState() == kReminderDone) row.stateImage = 0;
    else if (ev.GetReminderState() == kReminderSnoozed) row.stateImage = 2;
    CEventType type;
    if (ev.GetType() != 0 && types.FindById(ev.GetType(), type)) {
        row.textColor = type.GetTextColor();
        if (type.GetIcon() >= 0 && type.GetIcon() < kTypeIconCount) row.typeIcon = type.GetIcon();
    }
    if (ev.IsRecurrent()) row.recurrenceImage = 3;
    return row;
}

std::string ListCellText(const CEventStore& store, const CEventTypeTable& types, uint32_t id, int column,
                         const DateTime& now) {
    CPtEvent ev;
    if (id == 0 || !store.GetById(id, ev)) return {};
    return CellOf(ev, column, types, now);
}

ListSortKey MakeSortKey(const CPtEvent& ev, int column, const CEventTypeTable& types, const DateTime& now) {
    ListSortKey key;
    switch (column) {
        case kColName: key.text = ev.GetName(); break;
        case kColTime: {
            const DateTime t = ev.GetReminderTime(now);
            key.number = t.IsValid() ? t.Linear() : -std::numeric_limits<double>::infinity();
            break;
        }
        case kColType: key.text = TypeName(types, ev.GetType()); break;
        case kColRecurrence: key.text = ev.GetRecurrence().GetDescription(); break;
        case kColDuration: key.number = ev.GetDuration(); break;
        default: break;
    }
    return key;
}

int CompareForColumn(const ListSortKey& a, const ListSortKey& b, int column) {
    if (a.missing || b.missing) return (a.missing ? 0 : 1) - (b.missing ? 0 : 1);
    switch (column) {
        case kColName:
        case kColType:
        case kColRecurrence: {
            // Byte order: char_traits<char> compares as unsigned char, like strcmp.
            const int c = a.text.compare(b.text);
            return c < 0 ? -1 : c > 0 ? 1 : 0;
        }
        case kColTime:
        case kColDuration:
            // Compared, not subtracted: durations near the 32-bit ends would overflow a difference.
            return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        default: return 0;
    }
}

}  // namespace tv
