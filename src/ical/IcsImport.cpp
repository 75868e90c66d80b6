// iCalendar -> events through libical. What libical would spend unbounded time or memory on
// (deep nesting, zone rules that change the clock more than a few times a year, zoned dates
// far from now) is refused before libical is asked.
#include "IcsImport.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "IcsNames.h"
#include "IcsRule.h"
#include "model/TextCodec.h"
#include "IcsTime.h"
#include "platform/FileIo.h"

namespace tv::ics {

namespace {

constexpr int kMaxDepth = 12;
constexpr size_t kMaxObservances = 1000;
constexpr size_t kMaxRuledObservances = 100;
constexpr int kFirstZonedYear = 1600;
constexpr int kLastZonedYear = 2200;
constexpr size_t kMaxNameChars = 255;
constexpr char kNoTitle[] = "(no title)";

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

// A peer's text as the model holds texts: UTF-8, a malformed byte replaced rather than kept.
std::string Text(const char* s) { return s ? ToValidUtf8(s) : std::string(); }

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

std::string Unbalanced(int depth) {
    return depth < 0 ? "it has an END line without its BEGIN"
                     : "its components are nested more than " + std::to_string(kMaxDepth) + " deep";
}

// The nesting of BEGIN lines, read from the unfolded lines as libical reads them; libical
// frees and prints components recursively.
std::string CheckShape(std::string_view text) {
    if (text.size() > kMaxIcsBytes) return "it is larger than 32 MB";
    if (text.find('\0') != std::string_view::npos) return "it holds a NUL byte, so it is not a text file";
    int depth = 0;
    bool calendar = false;
    std::string head;
    auto endLine = [&]() -> bool {
        const size_t colon = head.find(':');
        const std::string name = Upper(head.substr(0, head.find_first_of(":;")));
        if (name == "BEGIN") {
            calendar = calendar || (colon != std::string::npos && Upper(head.substr(colon + 1)) == "VCALENDAR");
            if (++depth > kMaxDepth) return false;
        } else if (name == "END") {
            if (--depth < 0) return false;
        }
        head.clear();
        return true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            if (i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t')) {
                ++i;  // a folded line goes on
                continue;
            }
            if (!endLine()) return Unbalanced(depth);
        } else if (c != '\r' && head.size() < 24) {
            head += c;
        }
    }
    if (!endLine()) return Unbalanced(depth);
    if (!calendar) return "it is not an iCalendar file (it has no BEGIN:VCALENDAR)";
    // A file cut short would otherwise give the events before the cut.
    if (depth != 0) return "its BEGIN and END lines do not pair up (the file may be cut short)";
    return {};
}

// libical's note on the first line it could not read. An empty value ("LOCATION:", as one
// peer writes every unset field) loses nothing and is no error.
// libical reads a long physical line in time that grows with its square, but a folded one in
// linear time: overlong lines are folded before it reads them, which changes nothing they say.
std::string FoldLongLines(std::string_view text) {
    constexpr size_t kChunk = 1024;
    std::string out;
    out.reserve(text.size() + text.size() / kChunk * 3 + 1);
    size_t run = 0;
    for (char c : text) {
        if (c == '\n') {
            run = 0;
        } else if (++run > kChunk) {
            out += "\r\n ";
            run = 1;
        }
        out += c;
    }
    return out;
}

std::string FirstError(icalcomponent* c) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
        const std::string text = Text(icalproperty_get_xlicerror(p));
        if (text.rfind("No value for ", 0) != 0) return text.empty() ? "an unreadable line" : text;
    }
    for (icalcomponent* k = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); k;
         k = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
        std::string e = FirstError(k);
        if (!e.empty()) return e;
    }
    return {};
}

int Count(const short* values, size_t size) {
    size_t n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX) ++n;
    return static_cast<int>(n);
}

// Real zones change the clock a few times a year; expanding anything else to the year of an
// event would take libical minutes and gigabytes.
bool IsZoneLikeRule(const icalrecurrencetype& r) {
    return r.freq == ICAL_YEARLY_RECURRENCE && r.interval >= 1 && Count(r.by_month, ICAL_BY_MONTH_SIZE) <= 1 &&
           Count(r.by_day, ICAL_BY_DAY_SIZE) <= 1 && Count(r.by_month_day, ICAL_BY_MONTHDAY_SIZE) <= 7 &&
           Count(r.by_hour, ICAL_BY_HOUR_SIZE) <= 1 && Count(r.by_minute, ICAL_BY_MINUTE_SIZE) <= 1 &&
           Count(r.by_second, ICAL_BY_SECOND_SIZE) <= 1 && Count(r.by_year_day, ICAL_BY_YEARDAY_SIZE) == 0 &&
           Count(r.by_week_no, ICAL_BY_WEEKNO_SIZE) == 0 && Count(r.by_set_pos, ICAL_BY_SETPOS_SIZE) == 0;
}

std::string CheckZones(const std::vector<icalcomponent*>& calendars) {
    size_t observances = 0, ruled = 0;
    for (icalcomponent* cal : calendars) {
        for (icalcomponent* z = icalcomponent_get_first_component(cal, ICAL_VTIMEZONE_COMPONENT); z;
             z = icalcomponent_get_next_component(cal, ICAL_VTIMEZONE_COMPONENT)) {
            icalproperty* tzidProp = icalcomponent_get_first_property(z, ICAL_TZID_PROPERTY);
            const char* tzid = tzidProp ? icalproperty_get_tzid(tzidProp) : nullptr;
            const std::string name = tzid ? tzid : "?";
            for (icalcomponent* o = icalcomponent_get_first_component(z, ICAL_ANY_COMPONENT); o;
                 o = icalcomponent_get_next_component(z, ICAL_ANY_COMPONENT)) {
                if (++observances > kMaxObservances) return "its time zones have more than 1000 parts";
                icalproperty* rule = icalcomponent_get_first_property(o, ICAL_RRULE_PROPERTY);
                if (!rule) continue;
                icalproperty* start = icalcomponent_get_first_property(o, ICAL_DTSTART_PROPERTY);
                const int year = start ? icalproperty_get_dtstart(start).year : 0;
                if (++ruled > kMaxRuledObservances || year < kFirstZonedYear || !IsZoneLikeRule(icalproperty_get_rrule(rule)))
                    return "its time zone \"" + name + "\" has rules that no time zone has";
            }
        }
    }
    return {};
}

// A zoned time is converted through its zone's rules, which libical expands up to that year.
bool Convertible(const icaltimetype& t) {
    if (icaltime_is_null_time(t)) return false;
    if (!t.zone || icaltime_is_utc(t) || t.is_date) return IcalFieldsToDateTime(t).IsValid();
    return t.year >= kFirstZonedYear && t.year <= kLastZonedYear && IcalFieldsToDateTime(t).IsValid();
}

std::string Hex(uint64_t v) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

std::string Quote(std::string_view utf8Name) { return "\"" + std::string(utf8Name) + "\""; }

int ClampSeconds(int64_t s) { return static_cast<int>(std::clamp<int64_t>(s, 0, 0x7FFFFFFF)); }

// Whether a series in a zone keeps its local time of day: a zone whose daylight-saving dates
// differ from the system's moves it by an hour for some weeks. Asked once per zone and time.
class ClockCheck {
public:
    bool KeepsTime(const icaltimetype& start, const DateTime& localStart) {
        const auto key = std::make_tuple(static_cast<const void*>(start.zone), start.year, start.hour * 3600 + start.minute * 60 + start.second,
                                         localStart.SecondOfDay());
        if (auto it = m_known.find(key); it != m_known.end()) return it->second;
        bool keeps = true;
        // Every third day over two years meets the shortest gap between two zones' changes.
        for (int k = 1; k <= 243 && keeps; ++k) {
            icaltimetype t = start;
            icaltime_adjust(&t, 3 * k, 0, 0, 0);
            keeps = WallOfUnix(UnixOfIcal(t)).SecondOfDay() == localStart.SecondOfDay();
        }
        return m_known[key] = keeps;
    }

private:
    std::map<std::tuple<const void*, int, int, int>, bool> m_known;
};

class EventReader {
public:
    EventReader(const CEventTypeTable& types, const DateTime& now) : m_types(types), m_now(now) {}

    // False, with why, for an event that cannot be imported at all.
    bool Read(icalcomponent* vevent, IcsImportItem& item, std::string& why) {
        m_ev = vevent;
        m_item = &item;
        const std::string summary = Text(icalcomponent_get_summary(vevent));
        icalproperty* startProp = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
        if (!startProp) return Refuse(summary, "it has no DTSTART", why);
        const icaltimetype start = icalcomponent_get_dtstart(vevent);
        if (!Convertible(start)) return Refuse(summary, "its DTSTART lies outside the years this calendar holds", why);
        if (icalproperty_get_first_parameter(startProp, ICAL_TZID_PARAMETER) && !start.zone)
            Problem("TZID=" + std::string(Text(icalproperty_get_parameter_as_string(startProp, "TZID"))) +
                    " (an unknown zone, taken as your local time)");
        const DateTime localStart = ToLocalWall(start);
        if (!localStart.IsValid()) return Refuse(summary, "its DTSTART lies outside the years this calendar holds", why);
        item.uid = Text(icalcomponent_get_uid(vevent));
        if (item.uid.empty()) {
            // The same file read again gives the same UID, so a second import adds nothing.
            icalproperty* rrule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
            const std::string rule = rrule ? Text(icalproperty_get_value_as_string(rrule)) : "";
            item.uid = "tallyvane-" + Hex(Fnv1a(summary + "|" + icaltime_as_ical_string(start) + "|" + rule));
        }
        CPtEvent& ev = item.event;
        ev = CPtEvent(m_now);
        ApplyType(ev);
        ReadTexts(ev, summary);
        const int duration = Duration(start);
        ev.SetStart(localStart);
        ev.SetDuration(duration);
        ReadRule(ev, start, localStart, duration);
        ReadAlarm(ev, duration);
        ReadOwnState(ev);
        return true;
    }

private:
    void Problem(std::string what) { m_item->problems.push_back(std::move(what)); }

    bool Refuse(const std::string& summary, const std::string& what, std::string& why) {
        why = Quote(summary.empty() ? kNoTitle : summary) + ": " + what + "; not imported.";
        return false;
    }

    size_t CountProperties(icalproperty_kind kind) const {
        size_t n = 0;
        for (icalproperty* p = icalcomponent_get_first_property(m_ev, kind); p;
             p = icalcomponent_get_next_property(m_ev, kind))
            ++n;
        return n;
    }

    // The type named by the first category that names one, else the table's first type.
    void ApplyType(CPtEvent& ev) {
        std::vector<std::string> names;
        for (icalproperty* p = icalcomponent_get_first_property(m_ev, ICAL_CATEGORIES_PROPERTY); p;
             p = icalcomponent_get_next_property(m_ev, ICAL_CATEGORIES_PROPERTY)) {
            const std::string list = Text(icalproperty_get_categories(p));
            for (size_t from = 0; from <= list.size();) {
                const size_t comma = std::min(list.find(',', from), list.size());
                names.push_back(std::string(list.substr(from, comma - from)));
                from = comma + 1;
            }
        }
        CEventType type;
        for (const std::string& name : names) {
            if (m_types.FindByName(name, type)) return ev.ApplyType(type.GetId(), m_types);
        }
        for (const CEventType& t : m_types.Snapshot())
            for (const std::string& name : names)
                if (Upper(t.GetName()) == Upper(name)) return ev.ApplyType(t.GetId(), m_types);
        if (m_types.GetCount() > 0) ev.ApplyType(m_types.GetAt(0).GetId(), m_types);
    }

    void ReadTexts(CPtEvent& ev, std::string summary) {
        if (summary.empty()) summary = kNoTitle;
        const std::string name = std::string(CutToCodePoints(summary, kMaxNameChars));
        if (name.size() < summary.size()) Problem("SUMMARY longer than 255 characters");
        const std::string note = Text(icalcomponent_get_description(m_ev));
        ev.SetName(std::string(name));
        ev.SetNote(std::string(note));
    }

    int Duration(const icaltimetype& start) {
        int64_t seconds = 0;
        if (icalproperty* d = icalcomponent_get_first_property(m_ev, ICAL_DURATION_PROPERTY)) {
            seconds = icaldurationtype_as_int(icalproperty_get_duration(d));
        } else if (icalcomponent_get_first_property(m_ev, ICAL_DTEND_PROPERTY)) {
            const icaltimetype end = icalcomponent_get_dtend(m_ev);
            if (!Convertible(end)) {
                Problem("DTEND outside the years this calendar holds");
            } else if (end.zone && start.zone) {
                seconds = UnixOfIcal(end) - UnixOfIcal(start);
            } else {
                seconds = std::llround((ToLocalWall(end) - ToLocalWall(start)).Days() * 86400.0);
            }
        } else if (start.is_date) {
            seconds = 86400;
        }
        if (seconds < 0) Problem("DTEND before DTSTART");
        return ClampSeconds(seconds);
    }

    void ReadRule(CPtEvent& ev, const icaltimetype& start, const DateTime& localStart, int duration) {
        CReCurrence& rule = ev.GetRecurrence();
        rule.SetStart(localStart);
        rule.SetEnd(localStart);
        rule.SetDuration(duration);
        if (const size_t n = CountProperties(ICAL_EXDATE_PROPERTY)) Problem("EXDATE (" + std::to_string(n) + " date(s) left out)");
        if (const size_t n = CountProperties(ICAL_RDATE_PROPERTY)) Problem("RDATE (" + std::to_string(n) + " date(s) added)");
        if (CountProperties(ICAL_EXRULE_PROPERTY)) Problem("EXRULE");
        if (CountProperties(ICAL_RRULE_PROPERTY) > 1) Problem("several RRULEs");
        icalproperty* rrule = icalcomponent_get_first_property(m_ev, ICAL_RRULE_PROPERTY);
        if (!rrule) return;
        const icalrecurrencetype r = icalproperty_get_rrule(rrule);
        DateTime until = DateTime::Invalid();
        // An UNTIL past the last year a calendar file holds is as good as none.
        if (!icaltime_is_null_time(r.until) && r.until.year <= kLastIcalYear) {
            if (Convertible(r.until)) until = ToLocalWall(r.until);
            else Problem("UNTIL outside the years this calendar holds");
        }
        RuleImport mapped = ImportRule(r, localStart, IcalFieldsToDateTime(start), until, r.until.is_date != 0);
        for (std::string& p : mapped.problems) Problem(std::move(p));
        if (!mapped.pattern) return;
        if (start.zone && !start.is_date && start.zone != GetSystemZone().zone && !m_clocks.KeepsTime(start, localStart))
            Problem("TZID=" + std::string(Text(icaltimezone_get_tzid(const_cast<icaltimezone*>(start.zone)))) +
                    " (its daylight-saving dates differ from yours: some occurrences move by an hour)");
        ev.SetStart(mapped.start);
        rule.SetStart(mapped.start);
        rule.SetEnd(mapped.hasEnd ? mapped.end : mapped.start);
        rule.SetEndEnabled(mapped.hasEnd);
        rule.SetPattern(std::move(mapped.pattern));
    }

    // The first display alarm (or, without one, the first sound alarm) gives remind-before.
    void ReadAlarm(CPtEvent& ev, int duration) {
        icalcomponent* chosen = nullptr;
        size_t alarms = 0;
        for (icalproperty_action wanted : {ICAL_ACTION_DISPLAY, ICAL_ACTION_AUDIO}) {
            for (icalcomponent* a = icalcomponent_get_first_component(m_ev, ICAL_VALARM_COMPONENT); a;
                 a = icalcomponent_get_next_component(m_ev, ICAL_VALARM_COMPONENT)) {
                if (wanted == ICAL_ACTION_DISPLAY) ++alarms;
                icalproperty* action = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY);
                if (!chosen && action && icalproperty_get_action(action) == wanted) chosen = a;
            }
        }
        if (alarms > 1) Problem(std::to_string(alarms - 1) + " more VALARM(s) (only the first one reminds)");
        if (!chosen) {
            if (alarms > 0) Problem("a VALARM that neither shows nor sounds");
            return;
        }
        if (icalcomponent_get_first_property(chosen, ICAL_REPEAT_PROPERTY)) Problem("VALARM REPEAT");
        icalproperty* triggerProp = icalcomponent_get_first_property(chosen, ICAL_TRIGGER_PROPERTY);
        if (!triggerProp) return Problem("a VALARM without TRIGGER");
        const icaltriggertype trigger = icalproperty_get_trigger(triggerProp);
        int64_t before = 0;
        if (!icaltime_is_null_time(trigger.time)) {
            if (ev.IsRecurrent()) Problem("a VALARM at one fixed moment");
            if (Convertible(trigger.time)) before = UnixOfWall(ev.GetStart()) - UnixOfIcal(trigger.time);
        } else {
            before = -static_cast<int64_t>(icaldurationtype_as_int(trigger.duration));
            icalparameter* related = icalproperty_get_first_parameter(triggerProp, ICAL_RELATED_PARAMETER);
            if (related && icalparameter_get_related(related) == ICAL_RELATED_END) before -= duration;
        }
        if (before < 0) Problem("a VALARM after the start");
        ev.SetRemindBefore(ClampSeconds(before));
    }

    // What only this program writes; a peer's event instead counts every reminder before now
    // as answered, so that importing a year of history does not bring up a year of pop-ups.
    void ReadOwnState(CPtEvent& ev) {
        std::optional<std::string> state;
        for (icalproperty* p = icalcomponent_get_first_property(m_ev, ICAL_X_PROPERTY); p;
             p = icalcomponent_get_next_property(m_ev, ICAL_X_PROPERTY)) {
            const std::string name = Upper(Text(icalproperty_get_x_name(p)));
            const std::string value = Text(icalproperty_get_x(p));
            if (name == kStateProperty) state = value;
            else if (name == kEnabledProperty) ev.SetEnabled(value != "0");
            else if (name == kSoundProperty) ev.SetSound(std::string(value));
            else if (name == kRemindBeforeProperty && !icalcomponent_get_first_component(m_ev, ICAL_VALARM_COMPONENT))
                ev.SetRemindBefore(ClampSeconds(std::strtoll(value.c_str(), nullptr, 10)));
            else if (name == kAnchorProperty && ev.IsRecurrent()) {
                const DateTime anchor = IcalFieldsToDateTime(icaltime_from_string(value.c_str()));
                if (anchor.IsValid()) ev.GetRecurrence().SetAnchor(anchor);
            }
        }
        if (state) {
            if (*state == "done" && !ev.IsRecurrent()) ev.Accept(m_now);
            return;
        }
        AnswerPastReminders(ev, m_now);
    }

    const CEventTypeTable& m_types;
    DateTime m_now;
    ClockCheck m_clocks;
    icalcomponent* m_ev = nullptr;
    IcsImportItem* m_item = nullptr;
};

std::vector<icalcomponent*> Calendars(icalcomponent* root) {
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) return {root};
    std::vector<icalcomponent*> out;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        out.push_back(c);
    return out;
}

IcsImportPlan Failed(std::string why) {
    IcsImportPlan plan;
    plan.ok = false;
    plan.message = std::move(why);
    return plan;
}

}  // namespace

IcsImportPlan ReadCalendar(std::string_view text, const CEventTypeTable& types, const DateTime& now) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (std::string why = CheckShape(text); !why.empty()) return Failed(why);
    icalerror_set_errors_are_fatal(0);
    const std::string folded = FoldLongLines(text);
    Component root(icalparser_parse_string(folded.c_str()), &icalcomponent_free);
    if (!root) return Failed("it is not an iCalendar file");
    if (std::string error = FirstError(root.get()); !error.empty()) return Failed("libical could not read it: " + error);
    const std::vector<icalcomponent*> calendars = Calendars(root.get());
    if (calendars.empty()) return Failed("it is not an iCalendar file (it has no VCALENDAR)");
    if (std::string why = CheckZones(calendars); !why.empty()) return Failed(why);

    IcsImportPlan plan;
    EventReader reader(types, now);
    std::map<std::string, size_t> byUid;            // master events read so far
    std::vector<icalcomponent*> overrides;          // events that change one occurrence of a series
    std::map<std::string, size_t> leftOut;          // other components, by name
    for (icalcomponent* cal : calendars) {
        for (icalcomponent* c = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(c);
            if (kind == ICAL_VTIMEZONE_COMPONENT) continue;
            if (kind != ICAL_VEVENT_COMPONENT) {
                ++leftOut[Text(icalcomponent_kind_to_string(kind))];
                continue;
            }
            if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
                overrides.push_back(c);
                continue;
            }
            IcsImportItem item;
            std::string why;
            if (!reader.Read(c, item, why)) {
                plan.notes.push_back(why);
            } else if (byUid.count(item.uid)) {
                plan.notes.push_back(Quote(item.event.GetName()) + ": the same UID as an earlier event; not imported.");
            } else {
                byUid[item.uid] = plan.items.size();
                plan.items.push_back(std::move(item));
            }
        }
    }
    // A changed occurrence stays as the series has it; one without its series is an event of its own.
    std::map<size_t, size_t> changed;
    for (icalcomponent* c : overrides) {
        const std::string uid = Text(icalcomponent_get_uid(c));
        if (auto it = byUid.find(uid); it != byUid.end()) {
            ++changed[it->second];
            continue;
        }
        IcsImportItem item;
        std::string why;
        if (!reader.Read(c, item, why)) {
            plan.notes.push_back(why);
            continue;
        }
        item.uid = uid + "/" + icaltime_as_ical_string(icalcomponent_get_recurrenceid(c));
        if (byUid.emplace(item.uid, plan.items.size()).second) plan.items.push_back(std::move(item));
    }
    for (const auto& [index, n] : changed)
        plan.items[index].problems.push_back("RECURRENCE-ID (" + std::to_string(n) + " occurrence(s) changed)");
    for (const auto& [name, n] : leftOut) plan.notes.push_back(std::to_string(n) + " " + name + " not imported.");
    return plan;
}

IcsImportPlan ReadIcsFile(const std::string& path, const CEventTypeTable& types, const DateTime& now) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxIcsBytes) return Failed("it is larger than 32 MB");
    std::string text, why;
    if (ReadWholeFile(path, text, why) != ReadStatus::Ok) return Failed(why.empty() ? "it could not be read" : why);
    return ReadCalendar(text, types, now);
}

void MarkPresent(IcsImportPlan& plan, const CEventStore& store, const CUidMap& uids) {
    CEventStore::AllLock lock(store);
    for (IcsImportItem& item : plan.items) {
        const auto id = uids.IdOf(item.uid);
        item.present = id && store.GetPtrById(*id) != nullptr;
    }
}

IcsImportResult ApplyImport(const IcsImportPlan& plan, CEventStore& store, CUidMap& uids) {
    IcsImportResult r;
    for (const IcsImportItem& item : plan.items) {
        if (item.present) {
            ++r.present;
        } else if (!item.problems.empty() && !item.import) {
            ++r.skipped;
        } else {
            CPtEvent ev = item.event;
            if (!store.Add(ev)) {
                ++r.refused;
                continue;
            }
            uids.Set(ev.GetId(), item.uid, CUidMap::Digest(ev));
            ++r.added;
        }
    }
    return r;
}

// A series' anchor becomes 00:00 of the day of its first occurrence whose reminder moment is
// still to come, unless it already lies later.
void AnswerPastReminders(CPtEvent& ev, const DateTime& now) {
    if (!ev.IsRecurrent()) {
        if (!(ev.GetStart() - ev.GetRemindBeforeSpan() > now)) ev.Accept(now);
        return;
    }
    CReCurrence& rule = ev.GetRecurrence();
    const DateTime first = FirstOccurrenceDay(rule).WithTimeOf(rule.GetStart());
    const TimeSpan before = ev.GetRemindBeforeSpan();
    if (!first.IsValid() || first - before > now) return;
    const DateTime limit = now + before;
    const CRePattern* p = rule.GetPattern();
    DateTime next = p->GetNextDate(rule.GetStart(), limit).WithTimeOf(rule.GetStart());
    if (next.IsValid() && !(next > limit)) next = p->GetNextDate(rule.GetStart(), next.DateOnly() + TimeSpan(1.0));
    DateTime anchor = next.IsValid() && next > limit ? next.DateOnly() : limit.DateOnly() + TimeSpan(1.0);
    if (rule.IsEndEnabled() && anchor > rule.GetEnd()) anchor = rule.GetEnd().DateOnly() + TimeSpan(1.0);
    if (!(rule.GetAnchor().Days() > 0.0 && rule.GetAnchor() > anchor)) rule.SetAnchor(anchor);
}

std::string DescribeItem(const IcsImportItem& item) {
    std::string text = Quote(item.event.GetName()) + " (" + item.event.GetStart().ToIsoText().substr(0, 16) + ")";
    for (size_t i = 0; i < item.problems.size(); ++i) text += (i ? "; " : ": ") + item.problems[i];
    return text;
}

}  // namespace tv::ics
