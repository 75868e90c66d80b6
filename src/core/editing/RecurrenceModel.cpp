// Recurrence pages <-> patterns, the pages' checks and the dialog's steps on the rule.
#include "RecurrenceModel.h"

#include <cctype>
#include <cstdio>

#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

std::string RangeMessage(IntRange range) {
    return texts::TrPrintf(texts::kEnterIntegerBetween, range.min, range.max);
}

IntFieldResult ParseIntField(const std::string& text, IntRange range) {
    IntFieldResult result;
    size_t i = 0, n = text.size();
    auto blank = [&](size_t k) { return std::isspace(static_cast<unsigned char>(text[k])) != 0; };
    while (i < n && blank(i)) ++i;
    while (n > i && blank(n - 1)) --n;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) {
        result.message = texts::Tr(texts::kEnterInteger);
        return result;
    }
    long long value = 0;
    bool huge = false;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c)) {
            result.message = texts::Tr(texts::kEnterInteger);
            return result;
        }
        // Past a billion the exact value no longer matters: it is out of every range.
        if (value < 1000000000LL) value = value * 10 + (c - '0');
        else huge = true;
    }
    if (negative) value = -value;
    if (huge || value < range.min || value > range.max) {
        result.message = RangeMessage(range);
        return result;
    }
    result.ok = true;
    result.value = static_cast<int>(value);
    return result;
}

void PagesFromPattern(const CRePattern& pattern, RecurrencePages& pages) {
    switch (pattern.Type()) {
        case kPatternDaily: {
            const auto& p = static_cast<const CDailyRePattern&>(pattern);
            pages.daily.interval = p.GetInterval();
            break;
        }
        case kPatternWeekly: {
            const auto& p = static_cast<const CWeeklyRePattern&>(pattern);
            pages.weekly.interval = p.GetInterval();
            for (int d = 0; d < 7; ++d) pages.weekly.days[d] = (p.GetWeekdayMask() >> d) & 1;
            break;
        }
        case kPatternMonthly: {
            const auto& p = static_cast<const CMonthlyRePattern&>(pattern);
            MonthlyPage& m = pages.monthly;
            m.weekdayIndex = Clamp(p.GetWeekday() - 1, 0, 6);
            m.ordinalIndex = Clamp(p.GetOrdinal() - 1, 0, 4);
            m.dayInterval = m.theInterval = p.GetInterval();
            m.day = p.GetDay();
            m.dayMode = p.IsDayMode();
            break;
        }
        case kPatternYearly: {
            const auto& p = static_cast<const CYearlyRePattern&>(pattern);
            YearlyPage& y = pages.yearly;
            y.everyMonthIndex = y.theMonthIndex = Clamp(p.GetMonth() - 1, 0, 11);
            y.weekdayIndex = Clamp(p.GetWeekday() - 1, 0, 6);
            y.ordinalIndex = Clamp(p.GetOrdinal() - 1, 0, 4);
            y.day = p.GetDay();
            y.dayMode = p.IsDayMode();
            break;
        }
        case kPatternNone: break;
    }
}

void PatternFromPages(const RecurrencePages& pages, CRePattern& pattern) {
    switch (pattern.Type()) {
        case kPatternDaily:
            static_cast<CDailyRePattern&>(pattern).SetInterval(pages.daily.interval);
            break;
        case kPatternWeekly: {
            auto& p = static_cast<CWeeklyRePattern&>(pattern);
            p.SetInterval(pages.weekly.interval);
            int mask = 0;
            for (int d = 0; d < 7; ++d)
                if (pages.weekly.days[d]) mask |= 1 << d;
            p.SetWeekdayMask(mask);
            break;
        }
        case kPatternMonthly: {
            auto& p = static_cast<CMonthlyRePattern&>(pattern);
            const MonthlyPage& m = pages.monthly;
            p.SetWeekday(m.weekdayIndex + 1);
            p.SetDay(m.day);
            p.SetOrdinal(m.ordinalIndex + 1);
            p.SetDayMode(m.dayMode);
            // Each row has its own interval box; the chosen row's box is the one that counts.
            p.SetInterval(m.dayMode ? m.dayInterval : m.theInterval);
            break;
        }
        case kPatternYearly: {
            auto& p = static_cast<CYearlyRePattern&>(pattern);
            const YearlyPage& y = pages.yearly;
            p.SetWeekday(y.weekdayIndex + 1);
            p.SetOrdinal(y.ordinalIndex + 1);
            p.SetDay(y.day);
            p.SetDayMode(y.dayMode);
            p.SetMonth((y.dayMode ? y.everyMonthIndex : y.theMonthIndex) + 1);
            break;
        }
        case kPatternNone: break;
    }
}

bool IsMonthDayInEveryYear(int month, int day) {
    // Two years that are not leap years, as every year has at least their days.
    return DateTime::FromParts(2002, month, day).IsValid() && DateTime::FromParts(2003, month, day).IsValid();
}

RecurrenceOkCheck CheckRecurrencePage(const RecurrencePages& pages, int patternType) {
    RecurrenceOkCheck check;
    auto outOfRange = [&](int v, IntRange range) {
        if (range.Contains(v)) return false;
        check.outcome = RecurrenceOkCheck::Outcome::OutOfRange;
        check.message = RangeMessage(range);
        return true;
    };
    switch (patternType) {
        case kPatternDaily:
            outOfRange(pages.daily.interval, kDailyIntervalRange);
            break;
        case kPatternWeekly:
            outOfRange(pages.weekly.interval, kWeeklyIntervalRange);
            break;
        case kPatternMonthly: {
            const MonthlyPage& m = pages.monthly;
            if (outOfRange(m.day, kDayOfMonthRange) || outOfRange(m.dayInterval, kMonthlyIntervalRange) ||
                outOfRange(m.theInterval, kMonthlyIntervalRange))
                break;
            if (m.dayMode && m.day >= 29) check.notice = texts::TrPrintf(texts::kLastDayNotice, m.day);
            break;
        }
        case kPatternYearly: {
            const YearlyPage& y = pages.yearly;
            if (outOfRange(y.day, kDayOfMonthRange)) break;
            if (y.dayMode && !IsMonthDayInEveryYear(y.everyMonthIndex + 1, y.day)) {
                check.outcome = RecurrenceOkCheck::Outcome::InvalidTime;
                check.message = texts::Tr(texts::kInvalidTime);
            }
            break;
        }
        default: break;
    }
    return check;
}

void CRecurrenceModel::SwitchKind(int patternType) {
    if (patternType >= kPatternDaily && patternType <= kPatternYearly) m_patternType = patternType;
}

void CRecurrenceModel::LoadFromRule(const CReCurrence& rule) {
    duration = rule.GetDuration();
    end = rule.GetEnd();
    SetStart(rule.GetStart());
    endsOn = rule.IsEndEnabled();
    removeRequested = false;
    // A rule without a pattern opens on the daily page, the kind the editor would give it.
    SwitchKind(rule.HasPattern() ? rule.GetPatternType() : kPatternDaily);
    if (const CRePattern* pattern = rule.GetPattern()) PagesFromPattern(*pattern, pages);
}

void CRecurrenceModel::SetStart(const DateTime& newStart) {
    start = newStart;
    if (start.IsValid() && (!end.IsValid() || end.DayNumber() < start.DayNumber())) end = start.DateOnly();
}

RecurrenceOkCheck CRecurrenceModel::CheckOk() const {
    RecurrenceOkCheck check = CheckRecurrencePage(pages, m_patternType);
    if (check.outcome == RecurrenceOkCheck::Outcome::Accept && endsOn && end.IsValid() && start.IsValid() &&
        end.DayNumber() < start.DayNumber()) {
        check.outcome = RecurrenceOkCheck::Outcome::EndBeforeStart;
        check.message = texts::Tr(texts::kEndBeforeStart);
        check.notice.clear();
    }
    return check;
}

void CRecurrenceModel::ApplyToRule(CReCurrence& rule) const {
    rule.SetDuration(duration);
    rule.SetStart(start);
    rule.SetEnd(end);
    rule.SetEndEnabled(endsOn);
    if (removeRequested) {
        rule.RemovePattern();
        return;
    }
    // A fresh pattern, so nothing of the old one survives a change of kind or of mode.
    rule.SetPatternType(m_patternType);
    if (CRePattern* pattern = rule.GetPattern()) PatternFromPages(pages, *pattern);
}

}  // namespace tv
