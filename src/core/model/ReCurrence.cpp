// Occurrence search and self-description of recurrence rules.
//
// The searches answer exactly what a day-by-day walk over the pattern's window answers, but
// jump straight to the candidate days, so a rule read from a damaged file with an absurd
// interval still answers at once instead of walking billions of days.
#include "ReCurrence.h"

#include <algorithm>
#include <cstdio>

#include "TextCodec.h"
#include "texts/DateTexts.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

namespace {

constexpr int kVersion = 1;

// 1 = Sunday .. 7 = Saturday of a day number (day 0 was a Saturday).
int WeekdayOfDayNumber(int64_t day) { return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1; }

// The first candidate of every search: from's day, but never before the reference.
DateTime SearchStart(const DateTime& reference, const DateTime& from) {
    DateTime candidate = from.DateOnly();
    if (candidate < reference) candidate = reference;
    return candidate;
}

// Whole days of (date - reference), truncated toward zero, as the monthly and yearly tests use.
bool IsBeforeReference(const DateTime& date, const DateTime& reference) {
    return (date - reference).GetDays() < 0;
}

bool WeekdayRuleMatches(const DateParts& p, int weekday, int ordinal) {
    if (p.dayOfWeek != weekday) return false;
    const bool isLast = DaysInMonth(p.year, p.month) - p.day < 7;
    if (ordinal == 5) return isLast;
    return (p.day + 6) / 7 == ordinal;
}

}  // namespace

// ---- helpers ------------------------------------------------------------------------

DateTime NextWholeMinute(const DateTime& now) {
    DateParts p;
    if (!now.GetParts(p)) return now;
    return DateTime::FromParts(p.year, p.month, p.day, p.hour, p.minute, 0) + TimeSpan::FromParts(0, 0, 1, 0);
}

int NthWeekdayOfMonth(int year, int month, int ordinal, int weekday) {
    const int days = DaysInMonth(year, month);
    if (days == 0 || weekday < 1 || weekday > 7 || ordinal < 1 || ordinal > 5) return 0;
    const int firstWeekday = WeekdayOfDayNumber(DayNumberFromCivil(year, month, 1));
    const int first = 1 + (weekday - firstWeekday + 7) % 7;
    if (ordinal <= 4) return first + 7 * (ordinal - 1);
    int last = first;
    while (last + 7 <= days) last += 7;
    return last;
}

std::string GetDayName(int weekday) { return GetDateTexts().WeekdayName(weekday); }

std::string GetMonthName(int month) { return GetDateTexts().MonthShortName(month); }

std::string GetOrdinalName(int ordinal) {
    // Descriptions are made afresh whenever they are shown; no file holds one.
    if (ordinal < 1 || ordinal > 5) return {};
    return texts::Tr(texts::kOrdinals[ordinal - 1]);
}

// ---- CRePattern ---------------------------------------------------------------------

void CRePattern::Serialize(ArchiveWriter& ar) const {
    ar.WriteI32(kVersion);  // the base part
    ar.WriteI32(kVersion);  // the class
    WriteFields(ar);
}

void CRePattern::Serialize(ArchiveReader& ar) {
    ar.ReadI32();
    ar.ReadI32();
    ReadFields(ar);
}

DateTime CRePattern::GetNextDate(const DateTime& reference, const DateTime&) const { return reference; }

std::unique_ptr<CRePattern> CRePattern::Create(PatternType type) {
    switch (type) {
        case kPatternDaily: return std::make_unique<CDailyRePattern>();
        case kPatternWeekly: return std::make_unique<CWeeklyRePattern>();
        case kPatternMonthly: return std::make_unique<CMonthlyRePattern>();
        case kPatternYearly: return std::make_unique<CYearlyRePattern>();
        default: return nullptr;
    }
}

std::unique_ptr<CRePattern> CRePattern::CreateByClassName(std::string_view name) {
    if (name == "CDailyRePattern") return Create(kPatternDaily);
    if (name == "CWeeklyRePattern") return Create(kPatternWeekly);
    if (name == "CMonthlyRePattern") return Create(kPatternMonthly);
    if (name == "CYearlyRePattern") return Create(kPatternYearly);
    return nullptr;
}

// ---- daily --------------------------------------------------------------------------

bool CDailyRePattern::IsOccurrenceDay(const DateTime& date, const DateTime& reference) const {
    if (!date.IsValid() || !reference.IsValid() || m_interval < 1) return false;
    const int64_t n = date.DayNumber() - reference.DayNumber();
    return n >= 0 && n % m_interval == 0;
}

DateTime CDailyRePattern::GetNextDate(const DateTime& reference, const DateTime& from) const {
    if (!reference.IsValid() || !from.IsValid() || m_interval < 1) return reference;
    const DateTime candidate = SearchStart(reference, from);
    const int64_t rest = (candidate.DayNumber() - reference.DayNumber()) % m_interval;
    if (rest == 0) return candidate;
    return candidate + TimeSpan(static_cast<double>(m_interval - rest));
}

std::string CDailyRePattern::GetDescription() const { return texts::TrPrintf(texts::kEveryNDays, m_interval); }

bool CDailyRePattern::Equals(const CRePattern& other) const {
    const auto* o = dynamic_cast<const CDailyRePattern*>(&other);
    return o && o->m_interval == m_interval;
}

void CDailyRePattern::WriteFields(ArchiveWriter& ar) const { ar.WriteI32(m_interval); }
void CDailyRePattern::ReadFields(ArchiveReader& ar) { m_interval = ar.ReadI32(); }

// ---- weekly -------------------------------------------------------------------------

bool CWeeklyRePattern::IsOccurrenceDay(const DateTime& date, const DateTime& reference) const {
    if (!date.IsValid() || !reference.IsValid() || m_interval < 1) return false;
    const int64_t n = date.DayNumber() - reference.DayNumber();
    if (n < 0) return false;
    const int64_t window = 7 * static_cast<int64_t>(m_interval);
    if (n % window < window - 7) return false;
    return (m_mask >> (WeekdayOfDayNumber(date.DayNumber()) - 1)) & 1;
}

DateTime CWeeklyRePattern::GetNextDate(const DateTime& reference, const DateTime& from) const {
    if (!reference.IsValid() || !from.IsValid() || m_interval < 1) return reference;
    const DateTime candidate = SearchStart(reference, from);
    if (IsOccurrenceDay(candidate, reference)) return candidate;
    if ((m_mask & 0x7F) == 0) return reference;
    // Walk days 1 .. one whole window after the candidate, skipping the days outside the
    // eligible last week of each window in one step.
    const int64_t window = 7 * static_cast<int64_t>(m_interval);
    const int64_t candDay = candidate.DayNumber();
    const int64_t n = candDay - reference.DayNumber();
    for (int64_t i = 1; i <= window;) {
        const int64_t r = (n + i) % window;
        if (r < window - 7) {
            i += window - 7 - r;
            continue;
        }
        if ((m_mask >> (WeekdayOfDayNumber(candDay + i) - 1)) & 1)
            return candidate + TimeSpan(static_cast<double>(i));
        ++i;
    }
    return reference;
}

std::string CWeeklyRePattern::GetDescription() const {
    std::string days;
    for (int wd = 1; wd <= 7; ++wd) {
        if (!((m_mask >> (wd - 1)) & 1)) continue;
        if (!days.empty()) days += ',';
        days += GetDayName(wd);
    }
    return texts::TrPrintf(texts::kEveryNWeeksOn, m_interval, days.c_str());
}

bool CWeeklyRePattern::Equals(const CRePattern& other) const {
    const auto* o = dynamic_cast<const CWeeklyRePattern*>(&other);
    return o && o->m_interval == m_interval && o->m_mask == m_mask;
}

void CWeeklyRePattern::WriteFields(ArchiveWriter& ar) const {
    ar.WriteI32(m_interval);
    ar.WriteI32(m_mask);
}

void CWeeklyRePattern::ReadFields(ArchiveReader& ar) {
    m_interval = ar.ReadI32();
    m_mask = ar.ReadI32();
}

// ---- monthly ------------------------------------------------------------------------

bool CMonthlyRePattern::IsOccurrenceDay(const DateTime& date, const DateTime& reference) const {
    DateParts d, r;
    if (!date.GetParts(d) || !reference.GetParts(r) || m_interval < 1) return false;
    if (IsBeforeReference(date, reference)) return false;
    const int months = 12 * (d.year - r.year) + (d.month - r.month);
    if (months % m_interval != 0) return false;
    if (m_dayMode) return d.day == std::min<int>(m_day, DaysInMonth(d.year, d.month));
    return WeekdayRuleMatches(d, m_weekday, m_ordinal);
}

DateTime CMonthlyRePattern::GetNextDate(const DateTime& reference, const DateTime& from) const {
    if (!reference.IsValid() || !from.IsValid() || m_interval < 1) return reference;
    const DateTime candidate = SearchStart(reference, from);
    if (IsOccurrenceDay(candidate, reference)) return candidate;
    DateParts c;
    if (!candidate.GetParts(c)) return reference;
    // Months are carried into the next year once; beyond that no date can be formed, so
    // larger intervals (only ever seen in damaged files) end the walk there.
    const int lastMonth = std::min<int>(m_interval, 24);
    const int firstMonth = (m_dayMode && c.day > m_day) ? 1 : 0;
    for (int i = firstMonth; i <= lastMonth; ++i) {
        int m = c.month + i, y = c.year;
        if (m > 12) {
            m -= 12;
            ++y;
        }
        if (m > 12) break;
        int day;
        if (m_dayMode) {
            day = m_day;
        } else {
            day = NthWeekdayOfMonth(y, m, m_ordinal, m_weekday);
            if (i == 0 && c.day > day) continue;
        }
        day = std::min(day, DaysInMonth(y, m));
        const DateTime date = DateTime::FromParts(y, m, day);
        if (IsOccurrenceDay(date, reference)) return date;
    }
    return reference;
}

std::string CMonthlyRePattern::GetDescription() const {
    if (m_dayMode) return texts::TrPrintf(texts::kDayOfEveryNMonths, m_day, m_interval);
    return texts::TrPrintf(texts::kNthWeekdayOfEveryNMonths, GetOrdinalName(m_ordinal).c_str(),
                         GetDayName(m_weekday).c_str(), m_interval);
}

bool CMonthlyRePattern::Equals(const CRePattern& other) const {
    const auto* o = dynamic_cast<const CMonthlyRePattern*>(&other);
    return o && o->m_interval == m_interval && o->m_day == m_day && o->m_ordinal == m_ordinal &&
           o->m_weekday == m_weekday && o->m_dayMode == m_dayMode;
}

void CMonthlyRePattern::WriteFields(ArchiveWriter& ar) const {
    ar.WriteI32(m_interval);
    ar.WriteI32(m_day);
    ar.WriteI32(m_ordinal);
    ar.WriteI32(m_weekday);
    ar.WriteI32(m_dayMode);
}

void CMonthlyRePattern::ReadFields(ArchiveReader& ar) {
    m_interval = ar.ReadI32();
    m_day = ar.ReadI32();
    m_ordinal = ar.ReadI32();
    m_weekday = ar.ReadI32();
    m_dayMode = ar.ReadI32();
}

// ---- yearly -------------------------------------------------------------------------

bool CYearlyRePattern::IsOccurrenceDay(const DateTime& date, const DateTime& reference) const {
    DateParts d;
    if (!date.GetParts(d) || !reference.IsValid()) return false;
    if (IsBeforeReference(date, reference) || d.month != m_month) return false;
    if (m_dayMode) return d.day == m_day;
    return WeekdayRuleMatches(d, m_weekday, m_ordinal);
}

DateTime CYearlyRePattern::GetNextDate(const DateTime& reference, const DateTime& from) const {
    if (!reference.IsValid() || !from.IsValid()) return reference;
    const DateTime candidate = SearchStart(reference, from);
    if (IsOccurrenceDay(candidate, reference)) return candidate;
    DateParts c;
    if (!candidate.GetParts(c)) return reference;
    int year = c.year;
    if (m_dayMode) {
        if (m_month < c.month || (m_month == c.month && m_day < c.day)) ++year;
        return DateTime::FromParts(year, m_month, m_day);
    }
    int day = NthWeekdayOfMonth(year, m_month, m_ordinal, m_weekday);
    if (m_month < c.month || (m_month == c.month && day < c.day)) {
        ++year;
        day = NthWeekdayOfMonth(year, m_month, m_ordinal, m_weekday);
    }
    return DateTime::FromParts(year, m_month, day);
}

std::string CYearlyRePattern::GetDescription() const {
    if (m_dayMode) return texts::TrPrintf(texts::kEveryMonthDay, GetMonthName(m_month).c_str(), m_day);
    return texts::TrPrintf(texts::kNthWeekdayOfMonth, GetOrdinalName(m_ordinal).c_str(),
                         GetDayName(m_weekday).c_str(), GetMonthName(m_month).c_str());
}

bool CYearlyRePattern::Equals(const CRePattern& other) const {
    const auto* o = dynamic_cast<const CYearlyRePattern*>(&other);
    return o && o->m_month == m_month && o->m_day == m_day && o->m_ordinal == m_ordinal &&
           o->m_weekday == m_weekday && o->m_dayMode == m_dayMode;
}

// Yearly keeps weekday before ordinal in memory but writes ordinal first, like monthly.
void CYearlyRePattern::WriteFields(ArchiveWriter& ar) const {
    ar.WriteI32(m_month);
    ar.WriteI32(m_day);
    ar.WriteI32(m_ordinal);
    ar.WriteI32(m_weekday);
    ar.WriteI32(m_dayMode);
}

void CYearlyRePattern::ReadFields(ArchiveReader& ar) {
    m_month = ar.ReadI32();
    m_day = ar.ReadI32();
    m_ordinal = ar.ReadI32();
    m_weekday = ar.ReadI32();
    m_dayMode = ar.ReadI32();
}

// ---- CReCurrence --------------------------------------------------------------------

CReCurrence::CReCurrence(const DateTime& now) {
    SetStart(NextWholeMinute(now));
    SetEnd(GetStart());
}

const CRePattern* CReCurrence::GetPattern() const {
    switch (m_pattern.index()) {
        case 1: return &std::get<1>(m_pattern);
        case 2: return &std::get<2>(m_pattern);
        case 3: return &std::get<3>(m_pattern);
        case 4: return &std::get<4>(m_pattern);
        default: return nullptr;
    }
}

DateTime CReCurrence::GetOccurrenceOnOrAfter(const DateTime& from) const {
    const CRePattern* pattern = GetPattern();
    if (!pattern || !from.IsValid()) return DateTime::Null();
    const DateTime start = GetStart();
    const DateTime end = GetEnd();
    if (m_endEnabled && from.DayNumber() > end.DayNumber()) return DateTime::Null();
    const DateTime day = pattern->GetNextDate(start, from);
    // The search gives the start back when its window holds no occurrence day; only a day the
    // pattern really falls on is an occurrence.
    if (!day.IsValid() || !pattern->IsOccurrenceDay(day, start)) return DateTime::Null();
    if (m_endEnabled && day.DayNumber() > end.DayNumber()) return DateTime::Null();
    return day.WithTimeOf(start);
}

DateTime CReCurrence::GetAnchorDay() const {
    const DateTime anchor = GetAnchor();
    if (!anchor.IsValid() || !(anchor.Days() > 0.0)) return DateTime::Null();
    return anchor.DateOnly();
}

DateTime CReCurrence::GetNextOccurrence(const DateTime& from) const {
    const DateTime anchorDay = GetAnchorDay();
    const DateTime bound = anchorDay.IsValid() && anchorDay > from.DateOnly() ? anchorDay : from;
    if (m_endEnabled && bound.DateOnly() > GetEnd()) return GetEnd().WithTimeOf(GetStart());
    if (!HasPattern()) return GetEnd();
    return GetOccurrenceOnOrAfter(bound);
}

void CReCurrence::SetPatternType(int type) {
    switch (type) {
        case kPatternDaily: m_pattern.emplace<CDailyRePattern>(); break;
        case kPatternWeekly: m_pattern.emplace<CWeeklyRePattern>(); break;
        case kPatternMonthly: m_pattern.emplace<CMonthlyRePattern>(); break;
        case kPatternYearly: m_pattern.emplace<CYearlyRePattern>(); break;
        default: m_pattern.emplace<std::monostate>(); break;
    }
}

void CReCurrence::SetPattern(std::unique_ptr<CRePattern> pattern) {
    SetPatternType(pattern ? pattern->Type() : kPatternNone);
    if (const auto* p = dynamic_cast<const CDailyRePattern*>(pattern.get())) m_pattern = *p;
    else if (const auto* p = dynamic_cast<const CWeeklyRePattern*>(pattern.get())) m_pattern = *p;
    else if (const auto* p = dynamic_cast<const CMonthlyRePattern*>(pattern.get())) m_pattern = *p;
    else if (const auto* p = dynamic_cast<const CYearlyRePattern*>(pattern.get())) m_pattern = *p;
}

void CReCurrence::RemovePattern() {
    m_pattern.emplace<std::monostate>();
    SetAnchor(DateTime());
}

void CReCurrence::Serialize(ArchiveWriter& ar) const {
    ar.WriteI32(kVersion);
    ar.WriteI32(m_endEnabled);
    ar.WriteI32(m_duration);
    ar.WriteDateTime(GetEnd());
    ar.WriteDateTime(GetStart());
    ar.WriteDateTime(GetAnchor());
    const CRePattern* pattern = GetPattern();
    ar.WriteI32(pattern ? 1 : 0);
    if (pattern) {
        ar.WriteText(pattern->ClassName());
        pattern->Serialize(ar);
    }
}

void CReCurrence::Serialize(ArchiveReader& ar) {
    ar.ReadI32();
    m_endEnabled = ar.ReadI32();
    m_duration = ar.ReadI32();
    SetEnd(ar.ReadDateTime());
    SetStart(ar.ReadDateTime());
    SetAnchor(ar.ReadDateTime());
    const int32_t hasPattern = ar.ReadI32();
    if (hasPattern == 0) {
        m_pattern.emplace<std::monostate>();
        return;
    }
    if (hasPattern != 1) throw ArchiveError(ArchiveError::Kind::BadData, "a recurrence rule is damaged");
    const std::string_view className = ar.ReadTextView();
    // The body's length depends on the class, so nothing after an unknown one can be read.
    if (className == "CDailyRePattern") m_pattern.emplace<CDailyRePattern>();
    else if (className == "CWeeklyRePattern") m_pattern.emplace<CWeeklyRePattern>();
    else if (className == "CMonthlyRePattern") m_pattern.emplace<CMonthlyRePattern>();
    else if (className == "CYearlyRePattern") m_pattern.emplace<CYearlyRePattern>();
    else
        throw ArchiveError(ArchiveError::Kind::BadData,
                           "unknown recurrence pattern \"" + std::string(CutToCodePoints(className, 64)) + "\"");
    GetPattern()->Serialize(ar);
}

bool CReCurrence::operator==(const CReCurrence& o) const {
    if (!(GetStart() == o.GetStart() && m_endEnabled == o.m_endEnabled && GetEnd() == o.GetEnd() &&
          m_duration == o.m_duration && GetAnchor() == o.GetAnchor()))
        return false;
    if (!HasPattern() || !o.HasPattern()) return !HasPattern() && !o.HasPattern();
    return GetPattern()->Equals(*o.GetPattern());
}

}  // namespace tv
