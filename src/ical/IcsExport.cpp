// Events -> VEVENTs with their RRULE, VALARM and the zone's VTIMEZONE, built with libical.
#include "IcsExport.h"

#include <libical/ical.h>

#include <memory>

#include "IcsNames.h"
#include "IcsRule.h"
#include "IcsTime.h"
#include "platform/FileIo.h"

namespace tv::ics {

namespace {

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

icalproperty* XProperty(const char* name, const std::string& value) {
    icalproperty* p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    return p;
}

std::string Quote(const CPtEvent& ev) { return "\"" + std::string(ev.GetName()) + "\""; }

class Writer {
public:
    Writer(const CEventTypeTable& types, CUidMap& uids, const DateTime& now)
        : m_types(types), m_uids(uids), m_zone(GetSystemZone()), m_stamp(UtcOfWall(now)) {}

    void Add(icalcomponent* calendar, const CPtEvent& ev, IcsExportResult& out) {
        const CReCurrence& rule = ev.GetRecurrence();
        DateTime start = ev.IsRecurrent() ? rule.GetStart() : ev.GetStart();
        std::string rrule;
        if (ev.IsRecurrent()) {
            const RuleExport r = ExportRule(rule, Until(rule, start, ev.GetDuration()));
            if (r.firstDay.IsValid()) {
                start = r.firstDay.WithTimeOf(start);
                rrule = r.rrule;
            } else {
                out.warnings.push_back(Quote(ev) + ": its rule falls on no day; written as a one-off event.");
            }
        }
        if (icaltime_is_null_time(WallToIcal(start))) {
            out.warnings.push_back(Quote(ev) + ": its start cannot be written in a calendar file; not written.");
            return;
        }
        icalcomponent* vevent = icalcomponent_new_vevent();
        const std::string* known = m_uids.UidOf(ev.GetId());
        const std::string uid = known ? *known : CUidMap::NewUid();
        m_uids.Set(ev.GetId(), uid, CUidMap::Digest(ev));
        icalcomponent_add_property(vevent, icalproperty_new_uid(uid.c_str()));
        icalcomponent_add_property(vevent, icalproperty_new_dtstamp(m_stamp));
        icalcomponent_add_property(vevent, Start(start, AllDay(start, ev.GetDuration())));
        icalcomponent_add_property(vevent, icalproperty_new_duration(icaldurationtype_from_int(ev.GetDuration())));
        icalcomponent_add_property(vevent, icalproperty_new_summary(std::string(ev.GetName()).c_str()));
        if (!ev.GetNote().empty())
            icalcomponent_add_property(vevent, icalproperty_new_description(std::string(ev.GetNote()).c_str()));
        CEventType type;
        if (m_types.FindById(ev.GetType(), type))
            icalcomponent_add_property(vevent, icalproperty_new_categories(type.GetName().c_str()));
        if (!rrule.empty())
            icalcomponent_add_property(vevent, icalproperty_new_rrule(icalrecurrencetype_from_string(rrule.c_str())));
        AddState(vevent, ev);
        icalcomponent_add_component(calendar, vevent);
        ++out.events;
    }

    // The zone's VTIMEZONE under the name the DTSTARTs use.
    void AddZone(icalcomponent* calendar) const {
        if (m_zone.name.empty() || m_zone.utc) return;
        icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(m_zone.zone));
        if (icalproperty* tzid = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(tzid, m_zone.name.c_str());
        icalcomponent_add_component(calendar, vtz);
    }

private:
    // An event from 00:00 for whole days is an all-day event to a peer.
    static bool AllDay(const DateTime& start, int duration) {
        return start.SecondOfDay() == 0 && duration > 0 && duration % 86400 == 0;
    }

    icalproperty* Start(const DateTime& start, bool allDay) const {
        icaltimetype t = WallToIcal(start, allDay);
        if (allDay || m_zone.name.empty()) return icalproperty_new_dtstart(t);
        if (m_zone.utc) return icalproperty_new_dtstart(UtcOfWall(start));
        icalproperty* p = icalproperty_new_dtstart(t);
        icalproperty_add_parameter(p, icalparameter_new_tzid(m_zone.name.c_str()));
        return p;
    }

    // The end day counts whole: UNTIL is its last second, in UTC when DTSTART has a zone.
    std::string Until(const CReCurrence& rule, const DateTime& start, int duration) const {
        // An end past the last year a calendar file holds is as good as none.
        if (!rule.IsEndEnabled() || icaltime_is_null_time(WallToIcal(rule.GetEnd()))) return {};
        const DateTime end = rule.GetEnd().DateOnly();
        if (AllDay(start, duration))
            return std::string("UNTIL=") + icaltime_as_ical_string(WallToIcal(end, true));
        const DateTime last = end + TimeSpan::FromParts(0, 23, 59, 59);
        const icaltimetype t = m_zone.name.empty() ? WallToIcal(last) : UtcOfWall(last);
        return std::string("UNTIL=") + icaltime_as_ical_string(t);
    }

    // The reminder as a VALARM, as long as it can still come; enabled state, done state, anchor
    // and sound for this program's own import.
    void AddState(icalcomponent* vevent, const CPtEvent& ev) const {
        const bool done = !ev.IsRecurrent() && ev.GetReminderState() == kReminderDone;
        icalcomponent_add_property(vevent, XProperty(kStateProperty, done ? "done" : "armed"));
        icalcomponent_add_property(vevent, XProperty(kEnabledProperty, ev.IsEnabled() ? "1" : "0"));
        const DateTime& anchor = ev.GetRecurrence().GetAnchor();
        if (ev.IsRecurrent() && anchor.Days() > 0.0 && !icaltime_is_null_time(WallToIcal(anchor)))
            icalcomponent_add_property(vevent, XProperty(kAnchorProperty, icaltime_as_ical_string(WallToIcal(anchor))));
        if (!ev.GetSound().empty())
            icalcomponent_add_property(vevent, XProperty(kSoundProperty, std::string(ev.GetSound())));
        if (done || !ev.IsEnabled()) {
            icalcomponent_add_property(vevent, XProperty(kRemindBeforeProperty, std::to_string(ev.GetRemindBefore())));
            return;
        }
        icalcomponent* alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm, icalproperty_new_description(std::string(ev.GetName()).c_str()));
        const icaltriggertype trigger = icaltriggertype_from_int(static_cast<int>(-ev.GetRemindBefore()));
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_component(vevent, alarm);
    }

    const CEventTypeTable& m_types;
    CUidMap& m_uids;
    SystemZone m_zone;
    icaltimetype m_stamp;
};

}  // namespace

IcsExportResult ExportCalendar(const CEventStore& store, const CEventTypeTable& types, CUidMap& uids,
                               const DateTime& now) {
    IcsExportResult out;
    Component calendar(icalcomponent_new_vcalendar(), &icalcomponent_free);
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Tallyvane//Tallyvane//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    uids.Prune(store);
    Writer writer(types, uids, now);
    writer.AddZone(calendar.get());
    store.ForEachEvent([&](const CPtEvent& ev) { writer.Add(calendar.get(), ev, out); });
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    out.text = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

std::string ExportEvent(const CPtEvent& ev, const CEventTypeTable& types, const std::string& uid, const DateTime& now,
                        std::vector<std::string>& warnings) {
    CUidMap one;
    one.Set(ev.GetId(), uid, 0);
    IcsExportResult out;
    Component calendar(icalcomponent_new_vcalendar(), &icalcomponent_free);
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Tallyvane//Tallyvane//EN"));
    Writer writer(types, one, now);
    writer.AddZone(calendar.get());
    writer.Add(calendar.get(), ev, out);
    for (std::string& w : out.warnings) warnings.push_back(std::move(w));
    if (out.events == 0) return {};
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

IcsFileExport ExportIcsFile(const std::string& path, const CEventStore& store, const CEventTypeTable& types,
                            const DateTime& now) {
    CUidMap uids(CUidMap::PathBeside(store.GetFilePath()));
    uids.Load();
    IcsExportResult calendar = ExportCalendar(store, types, uids, now);
    IcsFileExport out{WriteFileAtomically(path, calendar.text), calendar.events, std::move(calendar.warnings)};
    if (!out.file.ok) return out;
    // The UIDs are kept only once a peer can have seen them.
    const FileResult kept = uids.Save();
    if (!kept.ok) out.file.note = kept.message;
    return out;
}

}  // namespace tv::ics
