// Shared by the iCalendar tests: a calendar's occurrences as the program lists them and as
// libical expands them, day by day over two years, in local wall-clock time.
#pragma once

#include <libical/ical.h>

#include <set>
#include <string>

#include "Reminders.h"
#include "UidMap.h"
#include "store/EventStore.h"

namespace tvtest {

inline const tv::DateTime kIcsNow = tv::DateTime::FromParts(2026, 12, 1, 10, 0);
inline const tv::DateTime kIcsFirst = tv::DateTime::FromParts(2027, 1, 1);
constexpr int kIcsDays = 731;

// "YYYY-MM-DD HH:MM uid" per occurrence.
using Occurrences = std::set<std::string>;

inline std::string OccurrenceKey(const tv::DateTime& at, const std::string& uid) {
    return at.ToIsoText().substr(0, 16) + " " + uid;
}

inline Occurrences Listed(const tv::CEventStore& store, const tv::ics::CUidMap& uids) {
    std::vector<std::vector<tv::CEventStore::DayEvent>> days;
    store.GetEventsOfDays(kIcsFirst, kIcsDays, days);
    Occurrences out;
    for (const auto& day : days)
        for (const auto& d : day) out.insert(OccurrenceKey(d.occurrence, *uids.UidOf(d.event->GetId())));
    return out;
}

// The local wall-clock time of an iCalendar time, through libical's zones and the C library.
inline tv::DateTime LocalOf(const icaltimetype& t) {
    if (t.is_date || (!t.zone && !icaltime_is_utc(t))) return tv::DateTime::FromParts(t.year, t.month, t.day, t.hour, t.minute, t.second);
    return WallClock(icaltime_as_timet_with_zone(t, t.zone ? t.zone : icaltimezone_get_utc_timezone()));
}

// libical's expansion of the RRULE of each VEVENT whose UID is in uids (every one when empty).
inline Occurrences Expanded(const std::string& text, const std::set<std::string>& uids = {}) {
    icalcomponent* root = icalparser_parse_string(text.c_str());
    Occurrences out;
    const tv::DateTime end = kIcsFirst + tv::TimeSpan(kIcsDays);
    for (icalcomponent* ev = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const std::string uid = icalcomponent_get_uid(ev);
        if (icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY) || (!uids.empty() && !uids.count(uid)))
            continue;
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        auto add = [&](const icaltimetype& t) {
            const tv::DateTime at = LocalOf(t);
            if (at >= kIcsFirst && at < end) out.insert(OccurrenceKey(at, uid));
            return at < end;
        };
        icalproperty* rrule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
        if (!rrule) {
            add(start);
            continue;
        }
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && add(t);
             t = icalrecur_iterator_next(it)) {
        }
        icalrecur_iterator_free(it);
    }
    icalcomponent_free(root);
    return out;
}

}  // namespace tvtest
