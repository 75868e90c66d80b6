// The Find page's rule: which events match the search text, the date bounds and the type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/PtEvent.h"
#include "store/EventStore.h"

namespace tv {

struct FindCriteria {
    std::string text;
    bool caseSensitive = false;
    std::optional<DateTime> from;      // none: no lower bound
    std::optional<DateTime> to;        // none: no upper bound
    std::optional<uint32_t> typeId;    // none: every type ("All")
};

// A date control's value as a bound: the zero date (30 December 1899 00:00) means none.
std::optional<DateTime> BoundFromControl(const DateTime& value);

// From and To compare with the stored start (for a recurring event only its stored start);
// the text must be part of the name or of the note.
bool Match(const CPtEvent& ev, const FindCriteria& criteria);

// Ids of every matching event, one-off events first, in stored order.
std::vector<uint32_t> FindEvents(const CEventStore& store, const FindCriteria& criteria);

}  // namespace tv
