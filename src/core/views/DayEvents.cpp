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
        for (const CPtEvent* ev : found) lists[i].push_back({ev, ev->GetOccurrence(day)});
    }
    return lists;
}

// A rule answers "the first occurrence on or after a day". When that answer from day d lies on a
// later day e, no day between d and e can be its own answer (every pattern searches forward for
// the first matching day), so the walk jumps straight to e and asks again there. Once a rule's
// end lies before the day asked, every later day answers the end too, which never matches.
// Answers that fall before the day asked (a failed search) only step one day, as the day-by-day
// walk would. The result equals CollectEventsOfDaysOneByOne; a test holds the two together.
DayEventLists CollectEventsOfDays(const CEventStore& store, const DateTime& firstDay, int count) {
    DayEventLists lists(count > 0 ? count : 0);
    if (count <= 0) return lists;
    CEventStore::AllLock lock(store);
    std::vector<const CPtEvent*> found;
    for (int i = 0; i < count; ++i) {
        const DateTime day = AddDays(firstDay, i);
        found.clear();
        store.OneOffList().GetEventsOfDay(day.DayNumber(), found);
        lists[i].reserve(found.size());
        for (const CPtEvent* ev : found) lists[i].push_back({ev, ev->GetOccurrence(day)});
    }
    const int64_t firstNumber = firstDay.DayNumber();
    for (const CPtEvent& ev : store.RecurringList().Items()) {
        const CReCurrence& rule = ev.GetRecurrence();
        int i = 0;
        while (i < count) {
            const DateTime day = AddDays(firstDay, i);
            if (rule.IsEndEnabled() && day.DateOnly() > rule.GetEnd()) break;
            const DateTime occ = ev.GetOccurrence(day);
            if (!occ.IsValid()) {
                ++i;
                continue;
            }
            const int64_t at = occ.DayNumber() - firstNumber;
            if (at == i) {
                lists[i].push_back({&ev, occ});
                ++i;
            } else if (at > i) {
                i = at < count ? static_cast<int>(at) : count;
            } else {
                ++i;
            }
        }
    }
    return lists;
}

}  // namespace tv
