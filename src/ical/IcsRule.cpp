// RRULE <-> the four patterns. The patterns count from the rule's start: weekly windows of
// 7 x interval days whose last 7 days are eligible, months whose day 29-31 falls on the last day
// of shorter months, "last" as the last such weekday. The RRULEs written say exactly that.
#include "IcsRule.h"

#include <algorithm>
#include <array>

namespace tv::ics {

namespace {

constexpr std::array<const char*, 8> kDayCodes = {"", "SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int64_t kLastDay = 2958465;  // 9999-12-31, the model's last day

// 1 = Sunday .. 7 = Saturday of a day number (day 0 was a Saturday).
int WeekdayOf(int64_t day) { return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1; }

DateTime DayOf(int64_t day) { return day >= 0 && day <= kLastDay ? DateTime::FromDayNumber(day) : DateTime::Invalid(); }

std::string OrdinalCode(int ordinal, int weekday) {
    return (ordinal == 5 ? std::string("-1") : std::to_string(ordinal)) + kDayCodes[static_cast<size_t>(weekday)];
}

// The month count-1 steps of interval after (year, month), or false past year 9999.
bool AddMonths(int& year, int& month, int64_t months) {
    const int64_t index = int64_t(year) * 12 + (month - 1) + months;
    if (index / 12 > 9999) return false;
    year = static_cast<int>(index / 12);
    month = static_cast<int>(index % 12) + 1;
    return true;
}

DateTime MonthlyDay(const CMonthlyRePattern& p, int year, int month) {
    const int day = p.IsDayMode() ? std::min(p.GetDay(), DaysInMonth(year, month))
                                  : NthWeekdayOfMonth(year, month, p.GetOrdinal(), p.GetWeekday());
    return DateTime::FromParts(year, month, day);
}

bool FieldsInRange(const CRePattern& p) {
    if (auto* d = dynamic_cast<const CDailyRePattern*>(&p)) return d->GetInterval() >= 1 && d->GetInterval() <= 32767;
    if (auto* w = dynamic_cast<const CWeeklyRePattern*>(&p))
        return w->GetInterval() >= 1 && w->GetInterval() <= 32767 && (w->GetWeekdayMask() & 0x7F) != 0;
    if (auto* m = dynamic_cast<const CMonthlyRePattern*>(&p))
        return m->GetInterval() >= 1 && m->GetInterval() <= 32767 && m->GetDay() >= 1 && m->GetDay() <= 31 &&
               m->GetOrdinal() >= 1 && m->GetOrdinal() <= 5 && m->GetWeekday() >= 1 && m->GetWeekday() <= 7;
    auto* y = dynamic_cast<const CYearlyRePattern*>(&p);
    return y && y->GetMonth() >= 1 && y->GetMonth() <= 12 && y->GetDay() >= 1 && y->GetDay() <= 31 &&
           y->GetOrdinal() >= 1 && y->GetOrdinal() <= 5 && y->GetWeekday() >= 1 && y->GetWeekday() <= 7;
}

}  // namespace

DateTime FirstOccurrenceDay(const CReCurrence& rule) {
    const CRePattern* p = rule.GetPattern();
    const DateTime& start = rule.GetStart();
    if (!p || !start.IsValid() || !FieldsInRange(*p)) return DateTime::Invalid();
    DateTime day = DateTime::Invalid();
    auto* yearly = dynamic_cast<const CYearlyRePattern*>(p);
    if (yearly && yearly->IsDayMode()) {
        // 29 February comes every four years (eight across 1900 or 2100); the search of the
        // pattern itself only looks at the next year.
        for (int y = start.GetYear(); y <= start.GetYear() + 8 && !day.IsValid(); ++y) {
            const DateTime d = DateTime::FromParts(y, yearly->GetMonth(), yearly->GetDay());
            if (d.IsValid() && d.DayNumber() >= start.DayNumber()) day = d;
        }
    } else {
        const DateTime c = p->GetNextDate(start, start);
        if (c.IsValid() && p->IsOccurrenceDay(c.DateOnly(), start)) day = c.DateOnly();
    }
    if (day.IsValid() && rule.IsEndEnabled() && rule.GetEnd().IsValid() && day.DayNumber() > rule.GetEnd().DayNumber())
        return DateTime::Invalid();
    return day;
}

DateTime NthOccurrenceDay(const CReCurrence& rule, int64_t count) {
    const DateTime first = FirstOccurrenceDay(rule);
    const CRePattern* p = rule.GetPattern();
    if (!first.IsValid() || count < 1) return DateTime::Invalid();
    const int64_t n = count - 1;
    if (auto* d = dynamic_cast<const CDailyRePattern*>(p)) return DayOf(first.DayNumber() + n * d->GetInterval());
    if (auto* w = dynamic_cast<const CWeeklyRePattern*>(p)) {
        // The eligible week of the first window, and the ticked days in it in order.
        const int64_t week = rule.GetStart().DayNumber() + 7 * int64_t(w->GetInterval() - 1);
        std::vector<int> offsets;
        for (int i = 0; i < 7; ++i)
            if ((w->GetWeekdayMask() >> (WeekdayOf(week + i) - 1)) & 1) offsets.push_back(i);
        const int64_t k = static_cast<int64_t>(offsets.size());
        return DayOf(week + 7 * int64_t(w->GetInterval()) * (n / k) + offsets[static_cast<size_t>(n % k)]);
    }
    int year = first.GetYear(), month = first.GetMonth();
    if (auto* m = dynamic_cast<const CMonthlyRePattern*>(p))
        return AddMonths(year, month, n * m->GetInterval()) ? MonthlyDay(*m, year, month) : DateTime::Invalid();
    auto* y = static_cast<const CYearlyRePattern*>(p);
    if (!y->IsDayMode())
        return n <= 9999 - year ? DateTime::FromParts(year + static_cast<int>(n), y->GetMonth(),
                                                       NthWeekdayOfMonth(year + static_cast<int>(n), y->GetMonth(),
                                                                         y->GetOrdinal(), y->GetWeekday()))
                                : DateTime::Invalid();
    // Only a 29 February skips years; the walk ends at the model's last year either way.
    if (n == 0) return first;
    int64_t left = n;
    for (int yy = year + 1; yy <= 9999; ++yy) {
        const DateTime d = DateTime::FromParts(yy, y->GetMonth(), y->GetDay());
        if (d.IsValid() && --left == 0) return d;
    }
    return DateTime::Invalid();
}

RuleExport ExportRule(const CReCurrence& rule, const std::string& until) {
    RuleExport out;
    out.firstDay = FirstOccurrenceDay(rule);
    if (!out.firstDay.IsValid()) return out;
    const CRePattern* p = rule.GetPattern();
    auto interval = [](int n) { return n > 1 ? ";INTERVAL=" + std::to_string(n) : std::string(); };
    std::string& r = out.rrule;
    if (auto* d = dynamic_cast<const CDailyRePattern*>(p)) {
        r = "FREQ=DAILY" + interval(d->GetInterval());
    } else if (auto* w = dynamic_cast<const CWeeklyRePattern*>(p)) {
        r = "FREQ=WEEKLY" + interval(w->GetInterval()) + ";BYDAY=";
        for (int wd = 1, n = 0; wd <= 7; ++wd)
            if ((w->GetWeekdayMask() >> (wd - 1)) & 1) r += std::string(n++ ? "," : "") + kDayCodes[size_t(wd)];
        // RRULE weeks begin on WKST; the rule's windows begin on its start's weekday, and the
        // first occurrence lies in the last week of the first window.
        if (w->GetInterval() > 1) r += std::string(";WKST=") + kDayCodes[size_t(WeekdayOf(rule.GetStart().DayNumber()))];
    } else if (auto* m = dynamic_cast<const CMonthlyRePattern*>(p)) {
        r = "FREQ=MONTHLY" + interval(m->GetInterval());
        if (!m->IsDayMode()) {
            r += ";BYDAY=" + OrdinalCode(m->GetOrdinal(), m->GetWeekday());
        } else if (m->GetDay() <= 28) {
            r += ";BYMONTHDAY=" + std::to_string(m->GetDay());
        } else {
            // Day 31 means the last day of a shorter month: the latest of 28..31 the month has.
            r += ";BYMONTHDAY=28";
            for (int day = 29; day <= m->GetDay(); ++day) r += "," + std::to_string(day);
            r += ";BYSETPOS=-1";
        }
    } else {
        auto* y = static_cast<const CYearlyRePattern*>(p);
        r = "FREQ=YEARLY;BYMONTH=" + std::to_string(y->GetMonth());
        r += y->IsDayMode() ? ";BYMONTHDAY=" + std::to_string(y->GetDay()) : ";BYDAY=" + OrdinalCode(y->GetOrdinal(), y->GetWeekday());
    }
    if (!until.empty()) r += ";" + until;
    return out;
}

// ---- import -------------------------------------------------------------------------

namespace {

int CountOf(const short* values, size_t size) {
    size_t n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX) ++n;
    return static_cast<int>(n);
}

std::string DayText(short byDay) {
    const int pos = icalrecurrencetype_day_position(byDay);
    const int wd = static_cast<int>(icalrecurrencetype_day_day_of_week(byDay));
    return (pos ? std::to_string(pos) : std::string()) + (wd >= 1 && wd <= 7 ? kDayCodes[size_t(wd)] : "?");
}

// What the rule's parts say, read once.
struct Parts {
    int days, monthDays, months, setPos;
    explicit Parts(const icalrecurrencetype& r)
        : days(CountOf(r.by_day, ICAL_BY_DAY_SIZE)),
          monthDays(CountOf(r.by_month_day, ICAL_BY_MONTHDAY_SIZE)),
          months(CountOf(r.by_month, ICAL_BY_MONTH_SIZE)),
          setPos(CountOf(r.by_set_pos, ICAL_BY_SETPOS_SIZE)) {}
};

class RuleReader {
public:
    RuleReader(const icalrecurrencetype& r, const DateTime& sourceStart, RuleImport& out)
        : m_r(r), m_parts(r), m_out(out) {
        sourceStart.GetParts(m_start);
        m_startDay = sourceStart.DayNumber();
    }

    void Problem(std::string what) { m_out.problems.push_back(std::move(what)); }
    int Interval(int limit) {
        const int n = std::max<int>(1, m_r.interval);
        if (n <= limit) return n;
        Problem("INTERVAL=" + std::to_string(n) + " (at most " + std::to_string(limit) + ")");
        return limit;
    }

    // The weekday ordinal of BYDAY's first value: 1..4, or 5 for the last.
    int Ordinal() {
        const int pos = icalrecurrencetype_day_position(m_r.by_day[0]);
        if (pos >= 1 && pos <= 4) return pos;
        if (pos == -1) return 5;
        Problem("BYDAY=" + DayText(m_r.by_day[0]) + (pos == 0 ? " (every such weekday)" : ""));
        return pos == 0 ? std::min((m_start.day + 6) / 7, 4) : 5;
    }
    int Weekday() const {
        const int wd = static_cast<int>(icalrecurrencetype_day_day_of_week(m_r.by_day[0]));
        return wd >= 1 && wd <= 7 ? wd : m_start.dayOfWeek;
    }

    std::unique_ptr<CRePattern> Daily() {
        if (m_parts.months || m_parts.monthDays || m_parts.setPos) Problem("BYMONTH, BYMONTHDAY or BYSETPOS in a daily rule");
        if (m_parts.days) {
            // Every weekday, say: a weekly rule, when it is every day.
            const bool plain = m_r.interval <= 1 && std::none_of(m_r.by_day, m_r.by_day + m_parts.days, [](short d) {
                                   return icalrecurrencetype_day_position(d) != 0;
                               });
            if (plain) return Weekly(1);
            Problem("BYDAY in a daily rule of INTERVAL=" + std::to_string(m_r.interval));
        }
        auto p = std::make_unique<CDailyRePattern>();
        p->SetInterval(Interval(365));
        return p;
    }

    std::unique_ptr<CRePattern> Weekly(int interval) {
        if (m_parts.months || m_parts.monthDays || m_parts.setPos) Problem("BYMONTH, BYMONTHDAY or BYSETPOS in a weekly rule");
        int mask = 0;
        for (int i = 0; i < m_parts.days; ++i) {
            if (icalrecurrencetype_day_position(m_r.by_day[i]) != 0) Problem("BYDAY=" + DayText(m_r.by_day[i]) + " in a weekly rule");
            const int wd = static_cast<int>(icalrecurrencetype_day_day_of_week(m_r.by_day[i]));
            if (wd >= 1 && wd <= 7) mask |= 1 << (wd - 1);
        }
        if (mask == 0) mask = 1 << (m_start.dayOfWeek - 1);
        if (interval > 1) {
            // The pattern's windows begin interval - 1 weeks before the RRULE week that holds
            // DTSTART, which begins on WKST (Monday unless said otherwise).
            const int wkst = m_r.week_start == ICAL_NO_WEEKDAY ? 2 : static_cast<int>(m_r.week_start);
            const int64_t week = m_startDay - (WeekdayOf(m_startDay) - wkst + 7) % 7;
            for (int64_t d = week; d < m_startDay; ++d)
                if ((mask >> (WeekdayOf(d) - 1)) & 1) {
                    Problem("DTSTART after the first days of its week");
                    break;
                }
            m_startShift = week - 7 * int64_t(interval - 1) - m_startDay;
        }
        auto p = std::make_unique<CWeeklyRePattern>();
        p->SetInterval(interval);
        p->SetWeekdayMask(mask);
        return p;
    }

    std::unique_ptr<CRePattern> Monthly() {
        auto p = std::make_unique<CMonthlyRePattern>();
        p->SetInterval(Interval(12));
        if (m_parts.months) Problem("BYMONTH in a monthly rule");
        if (m_parts.days) {
            if (m_parts.days > 1) Problem("several BYDAY values in a monthly rule");
            if (m_parts.monthDays || m_parts.setPos) Problem("BYMONTHDAY or BYSETPOS with BYDAY");
            p->SetDayMode(false);
            p->SetOrdinal(Ordinal());
            p->SetWeekday(Weekday());
            return p;
        }
        p->SetDay(MonthDay());
        return p;
    }

    // The day of the month BYMONTHDAY (with BYSETPOS=-1) or DTSTART names, as the pattern's
    // day: a day 29-31 that the rule skips in shorter months is a problem, the latest of a set
    // such as 28,29,30,31 is not.
    int MonthDay() {
        std::vector<int> days;
        for (int i = 0; i < m_parts.monthDays; ++i) days.push_back(m_r.by_month_day[i]);
        if (days.empty()) days.push_back(m_start.day);
        if (days.size() == 1 && days[0] == -1) return 31;
        if (std::any_of(days.begin(), days.end(), [](int d) { return d < 1 || d > 31; })) {
            Problem("BYMONTHDAY counted from the month's end");
            return std::clamp(days[0] < 0 ? 32 + days[0] : days[0], 1, 31);
        }
        const int day = *std::max_element(days.begin(), days.end());
        const bool lastOfSet = m_parts.setPos == 1 && m_r.by_set_pos[0] == -1;
        if (m_parts.setPos && !lastOfSet) Problem("BYSETPOS");
        if (!lastOfSet && days.size() > 1) Problem("several BYMONTHDAY values");
        bool same = true;
        for (int length = 28; length <= 31; ++length) {
            int falls = 0;
            for (int d : days)
                if (d <= length && (lastOfSet || days.size() == 1)) falls = std::max(falls, d);
            same = same && falls == std::min(day, length);
        }
        if (!same && (lastOfSet || days.size() == 1))
            Problem("BYMONTHDAY=" + std::to_string(day) + " (skips months without that day)");
        return lastOfSet || days.size() == 1 ? day : days[0];
    }

    std::unique_ptr<CRePattern> Yearly() {
        if (m_r.interval > 1) Problem("INTERVAL=" + std::to_string(m_r.interval) + " in a yearly rule");
        if (m_parts.months > 1) Problem("several BYMONTH values");
        if (m_parts.setPos) Problem("BYSETPOS");
        auto p = std::make_unique<CYearlyRePattern>();
        p->SetMonth(m_parts.months ? icalrecurrencetype_month_month(m_r.by_month[0]) : m_start.month);
        if (m_parts.days) {
            if (!m_parts.months) Problem("BYDAY=" + DayText(m_r.by_day[0]) + " counted in the whole year");
            if (m_parts.days > 1) Problem("several BYDAY values in a yearly rule");
            if (m_parts.monthDays) Problem("BYMONTHDAY with BYDAY");
            p->SetDayMode(false);
            p->SetOrdinal(Ordinal());
            p->SetWeekday(Weekday());
            return p;
        }
        int day = m_parts.monthDays ? m_r.by_month_day[0] : m_start.day;
        if (m_parts.monthDays > 1) Problem("several BYMONTHDAY values");
        if (day < 1 || day > 31) {
            Problem("BYMONTHDAY counted from the month's end");
            day = std::clamp(32 + day, 1, 31);
        }
        p->SetDay(day);
        return p;
    }

    // Days the start moves by, for a weekly rule whose windows begin before DTSTART.
    int64_t StartShift() const { return m_startShift; }

private:
    const icalrecurrencetype& m_r;
    Parts m_parts;
    RuleImport& m_out;
    DateParts m_start;
    int64_t m_startDay = 0;
    int64_t m_startShift = 0;
};

const char* FrequencyName(icalrecurrencetype_frequency f) {
    switch (f) {
        case ICAL_SECONDLY_RECURRENCE: return "FREQ=SECONDLY";
        case ICAL_MINUTELY_RECURRENCE: return "FREQ=MINUTELY";
        case ICAL_HOURLY_RECURRENCE: return "FREQ=HOURLY";
        default: return "an RRULE without FREQ";
    }
}

// Rotates a weekday mask by days (positive: later).
int RotateMask(int mask, int64_t days) {
    const int shift = static_cast<int>(((days % 7) + 7) % 7);
    return ((mask << shift) | (mask >> (7 - shift))) & 0x7F;
}

}  // namespace

RuleImport ImportRule(const icalrecurrencetype& r, const DateTime& localStart, const DateTime& sourceStart,
                      const DateTime& until, bool untilIsDate) {
    RuleImport out;
    out.start = localStart;
    RuleReader reader(r, sourceStart, out);
    DateParts sp;
    sourceStart.GetParts(sp);
    if (CountOf(r.by_year_day, ICAL_BY_YEARDAY_SIZE)) reader.Problem("BYYEARDAY");
    if (CountOf(r.by_week_no, ICAL_BY_WEEKNO_SIZE)) reader.Problem("BYWEEKNO");
    const int hours = CountOf(r.by_hour, ICAL_BY_HOUR_SIZE), minutes = CountOf(r.by_minute, ICAL_BY_MINUTE_SIZE),
              seconds = CountOf(r.by_second, ICAL_BY_SECOND_SIZE);
    if (hours > 1 || minutes > 1 || seconds > 1 || (hours && r.by_hour[0] != sp.hour) ||
        (minutes && r.by_minute[0] != sp.minute) || (seconds && r.by_second[0] != sp.second))
        reader.Problem("BYHOUR, BYMINUTE or BYSECOND");
    switch (r.freq) {
        case ICAL_DAILY_RECURRENCE: out.pattern = reader.Daily(); break;
        case ICAL_WEEKLY_RECURRENCE: out.pattern = reader.Weekly(reader.Interval(51)); break;
        case ICAL_MONTHLY_RECURRENCE: out.pattern = reader.Monthly(); break;
        case ICAL_YEARLY_RECURRENCE: out.pattern = reader.Yearly(); break;
        default:
            // Several times a day: the nearest series is once a day at DTSTART's time.
            reader.Problem(FrequencyName(r.freq));
            if (r.freq == ICAL_NO_RECURRENCE) return out;
            out.pattern = std::make_unique<CDailyRePattern>();
            break;
    }
    // The rule's days are the days of the zone it was written in; moved to local time they
    // may fall a day earlier or later.
    const int64_t dayShift = localStart.DayNumber() - sourceStart.DayNumber();
    if (auto* w = dynamic_cast<CWeeklyRePattern*>(out.pattern.get())) {
        w->SetWeekdayMask(RotateMask(w->GetWeekdayMask(), dayShift));
        out.start = localStart + TimeSpan(static_cast<double>(reader.StartShift()));
    } else if (dayShift != 0 && out.pattern->Type() != kPatternDaily) {
        reader.Problem("DTSTART falls on another day in your time zone");
    }
    CReCurrence probe;
    probe.SetStart(out.start);
    probe.SetPattern(out.pattern->Clone());
    if (!FirstOccurrenceDay(probe).IsValid()) {
        reader.Problem("an RRULE that falls on no day");
        out.pattern.reset();
        out.start = localStart;
        return out;
    }
    if (until.IsValid()) {
        // An UNTIL earlier in its day than the occurrences' time ends the series the day before.
        const bool beforeTime = !untilIsDate && until.SecondOfDay() < localStart.SecondOfDay();
        out.end = until.DateOnly() - TimeSpan(beforeTime ? 1.0 : 0.0);
        out.hasEnd = true;
    } else if (r.count > 0) {
        out.end = NthOccurrenceDay(probe, r.count);
        out.hasEnd = out.end.IsValid();
    }
    if (out.hasEnd && out.end < FirstOccurrenceDay(probe)) {
        reader.Problem("UNTIL before the first occurrence");
        out.pattern.reset();
        out.start = localStart;
        out.hasEnd = false;
    }
    return out;
}

}  // namespace tv::ics
