// The two data files of the older product, evty.ptt (its types) and evnt.pte (its events).
#pragma once

#include <string>
#include <string_view>

#include "EventStore.h"
#include "EventTypeTable.h"
#include "TransferResult.h"

namespace tv {

inline constexpr char kPlumtraceTag[] = "PLUMTRC";

// folder holds evty.ptt and evnt.pte. The types are merged before the event file is looked
// at, and stay merged when it turns out not to be one.
TransferResult ImportPlumtrace(const std::string& folder, CEventTypeTable& types, CEventStore& store);
// The same from the two file images; the names are the files named in messages.
TransferResult ImportPlumtraceBytes(std::string_view typeBytes, std::string_view eventBytes,
                                    const std::string& typeName, const std::string& eventName, CEventTypeTable& types,
                                    CEventStore& store);

}  // namespace tv
