// The events that fall on a run of consecutive days.
#include "DayEvents.h"

#include "ViewGeometry.h"

namespace tv {

DayEventLists CollectEventsOfDaysOneByOne(const CEventStore& store, const DateTime& firstDay, int count) {
    DayEventLists lists(count > 0 ? count : 0);
    CEventStore::AllLock lock(store);
    std::vector<const CPtEvent*> found;
    for (int i = 0; i < count; ++i) {
        const DateTime day = AddDays(firstDay, i);
        found.clear();
        store.GetEventsOfDay(day, found);
        lists[i].reserve(found.size());
        for (const CPtEvent* ev : found) lists[i].push_back({ev, ev->GetOccurrenceOnOrAfter(day)});
    }
    return lists;
}

DayEventLists CollectEventsOfDays(const CEventStore& store, const DateTime& firstDay, int count) {
    DayEventLists lists;
    store.GetEventsOfDays(firstDay, count, lists);
    return lists;
}

}  // namespace tv
