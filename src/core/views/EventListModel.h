// The All-events and Find lists without a screen: rows that hold only event ids, their texts,
// images and colour, and sorting by a column.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv {

enum ListColumn : int { kColName = 0, kColTime = 1, kColType = 2, kColRecurrence = 3, kColDuration = 4 };
constexpr int kListColumnCount = 5;

struct ListColumnInfo {
    const char* title;  // English; the program shows it in the user's language
    int width;
};
// "Name" 200, "Time" 100, "Type" 80, "Recurrence" 100, "Duration" 50.
const ListColumnInfo& GetListColumn(int column);

// Maps list rows 0 .. n-1 to event ids and back. Rows never have gaps.
class CEventListModel {
public:
    // Every event of the store: one-off list first, then the recurring list, in stored order.
    void FillAll(const CEventStore& store);
    // Adds a row for id at the end; -1 (and nothing added) for id 0.
    int Append(uint32_t id);
    std::optional<uint32_t> RowToId(int row) const;
    std::optional<int> IdToRow(uint32_t id) const;
    // Removes the row; the rows below move up by one.
    bool RemoveById(uint32_t id);
    bool RemoveByRow(int row);
    void Clear();
    int GetCount() const { return static_cast<int>(m_ids.size()); }
    const std::vector<uint32_t>& Ids() const { return m_ids; }
    // Ascending by the column's key; see CompareForColumn.
    void Sort(int column, const CEventStore& store, const CEventTypeTable& types, const DateTime& now);

private:
    void RebuildIndex() const;

    std::vector<uint32_t> m_ids;  // row -> id
    // id -> row, rebuilt lazily after rows move, so that removing many rows stays cheap.
    mutable std::unordered_map<uint32_t, int> m_rowOf;
    mutable bool m_indexValid = true;
};

// What one row shows. Texts are UTF-8.
struct ListRowView {
    bool hasId = false;
    bool exists = false;
    std::string cells[kListColumnCount];
    int stateImage = -1;       // 0 done, 1 disabled, 2 snoozed, -1 none
    int typeIcon = -1;         // small type icon, -1 none
    int recurrenceImage = -1;  // 3 when the event recurs
    uint32_t textColor = 0;    // 0x00BBGGRR
};
constexpr uint32_t kMissingRowColor = 0x00FFFFFF;

// Row text of id (0 = a row without id), as seen from now.
ListRowView DescribeListRow(const CEventStore& store, const CEventTypeTable& types, uint32_t id, const DateTime& now);
// Only one cell, for printing and tests.
std::string ListCellText(const CEventStore& store, const CEventTypeTable& types, uint32_t id, int column,
                         const DateTime& now);

// The sort key of one event for a column; missing events have the empty key.
struct ListSortKey {
    std::string text;     // name, type name or rule description (bytes compared unsigned)
    double number = 0.0;  // reminder time (linear days) or duration (seconds)
    bool missing = false;
};
ListSortKey MakeSortKey(const CPtEvent& ev, int column, const CEventTypeTable& types, const DateTime& now);
// Negative, zero or positive like strcmp; missing events sort first.
int CompareForColumn(const ListSortKey& a, const ListSortKey& b, int column);

}  // namespace tv
