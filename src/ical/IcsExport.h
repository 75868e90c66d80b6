// Writing the store as an iCalendar file.
#pragma once

#include <string>
#include <vector>

#include "UidMap.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv::ics {

struct IcsExportResult {
    std::string text;                   // the calendar, UTF-8 with CRLF line ends
    size_t events = 0;                  // VEVENTs written
    std::vector<std::string> warnings;  // UTF-8: events that were written with a change, or not at all
};

// Every event of the store as a VEVENT. An event without a UID is given one; every written
// event's UID is recorded in uids, and entries of events the store no longer holds are dropped.
IcsExportResult ExportCalendar(const CEventStore& store, const CEventTypeTable& types, CUidMap& uids,
                               const DateTime& now);

// One event as a calendar of its own (the zone and the VEVENT), as a calendar server keeps each
// event; empty, with the reason in warnings, when the event cannot be written.
std::string ExportEvent(const CPtEvent& ev, const CEventTypeTable& types, const std::string& uid, const DateTime& now,
                        std::vector<std::string>& warnings);

struct IcsFileExport {
    FileResult file;
    size_t events = 0;
    std::vector<std::string> warnings;
};
// ExportCalendar written to path; once that file is written, the UIDs are saved beside the
// store's event file.
IcsFileExport ExportIcsFile(const std::string& path, const CEventStore& store, const CEventTypeTable& types,
                            const DateTime& now);

}  // namespace tv::ics
