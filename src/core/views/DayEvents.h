// The events that fall on a run of consecutive days, as the calendar views collect them.
#pragma once

#include <vector>

#include "model/PtEvent.h"
#include "store/EventStore.h"

namespace tv {

// An event (valid only until the store changes) with its occurrence on that day.
using DayEvent = CEventStore::DayEvent;

using DayEventLists = std::vector<std::vector<DayEvent>>;

// For day i of firstDay .. firstDay + count - 1: the events CEventStore::GetEventsOfDay answers
// for that day, in the same order (one-off events of the day, then recurring events in list
// order), each with GetOccurrence of that day. The store walks each recurring event once for
// the whole run instead of once per day.
DayEventLists CollectEventsOfDays(const CEventStore& store, const DateTime& firstDay, int count);

// The same answer through one GetEventsOfDay call per day: the reference the fast walk is
// checked against.
DayEventLists CollectEventsOfDaysOneByOne(const CEventStore& store, const DateTime& firstDay, int count);

}  // namespace tv
