// tallyvane-cli export-ics FILE and import-ics FILE [--nearest].
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv::cli {

// Writes every event to path; warnings about events that moved with a change go to err.
int ExportIcs(const std::string& path, const CEventStore& store, const CEventTypeTable& types, const DateTime& now,
              std::ostream& out, std::ostream& err);

// Adds the file's events that the store does not hold yet. An event that cannot be represented
// exactly is named with its reasons and imported as its nearest event with nearest, skipped
// without. saveStore saves the event file; the UIDs are saved after it.
int ImportIcs(const std::string& path, bool nearest, CEventStore& store, const CEventTypeTable& types,
              const DateTime& now, const std::function<bool()>& saveStore, std::ostream& out, std::ostream& err);

}  // namespace tv::cli
