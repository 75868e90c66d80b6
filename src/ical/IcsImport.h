// Reading an iCalendar file into events, and what of it the calendar cannot hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "UidMap.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv::ics {

// Larger calendar files are refused unread: ten thousand events take a few megabytes.
inline constexpr size_t kMaxIcsBytes = size_t(32) << 20;

struct IcsImportItem {
    CPtEvent event;                     // as read; with problems, the nearest event the calendar holds
    std::string uid;
    std::vector<std::string> problems;  // UTF-8, by iCalendar name: what the event cannot say
    bool present = false;               // the store already holds the event of this UID
    bool import = true;                 // the user's choice for an item with problems
};

struct IcsImportPlan {
    bool ok = true;
    std::string message;                // UTF-8: why nothing can be imported
    std::vector<IcsImportItem> items;
    std::vector<std::string> notes;     // UTF-8: what of the file was left out as a whole
};

// Reads a whole calendar; a file that libical cannot read cleanly, or that is too large, too
// deeply nested or holds a time zone with rules no zone has, gives !ok and no items. now
// decides which reminders of a peer's events lie in the past and count as answered.
IcsImportPlan ReadCalendar(std::string_view text, const CEventTypeTable& types, const DateTime& now);
IcsImportPlan ReadIcsFile(const std::string& path, const CEventTypeTable& types, const DateTime& now);

// Marks the items whose UID names an event the store holds.
void MarkPresent(IcsImportPlan& plan, const CEventStore& store, const CUidMap& uids);

struct IcsImportResult {
    size_t added = 0;    // new events
    size_t present = 0;  // already held: left as they are
    size_t skipped = 0;  // with problems, chosen not to import
    size_t refused = 0;  // no free id
};
// Adds each item that is not present and, when it has problems, was chosen for import, and
// records its UID. Call MarkPresent first.
IcsImportResult ApplyImport(const IcsImportPlan& plan, CEventStore& store, CUidMap& uids);

// Counts every reminder of the event whose moment is not after now as answered, as for an event
// that arrives from elsewhere; never takes back an answer already given.
void AnswerPastReminders(CPtEvent& ev, const DateTime& now);

// "Name" (YYYY-MM-DD HH:MM): problem; problem
std::string DescribeItem(const IcsImportItem& item);

}  // namespace tv::ics
