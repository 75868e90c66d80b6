// The recurrence dialog's state without its windows: the four pattern pages, how they are
// filled from a pattern and turned back into one, their range checks, and the dialog's
// load and apply steps on the rule.
#pragma once

#include <array>
#include <string>

#include "model/DateTime.h"
#include "model/ReCurrence.h"

namespace tv {

// Inclusive bounds of an integer edit box.
struct IntRange {
    int min, max;
    bool Contains(int v) const { return v >= min && v <= max; }
};
constexpr IntRange kDailyIntervalRange{1, 365};
constexpr IntRange kWeeklyIntervalRange{1, 51};
constexpr IntRange kMonthlyIntervalRange{1, 12};
constexpr IntRange kDayOfMonthRange{1, 31};

// Reading an integer edit box: the value, or the message the user is shown.
struct IntFieldResult {
    bool ok = false;
    int value = 0;
    std::string message;
};
// Leading and trailing blanks are allowed, a sign too; anything else is not an integer.
IntFieldResult ParseIntField(const std::string& text, IntRange range);
std::string RangeMessage(IntRange range);

// Combo boxes hold an index: ordinal index + 1 = 1..5 (5 = Last), weekday index + 1 =
// 1 (Sunday) .. 7, month index + 1 = 1..12.
struct DailyPage {
    int interval = 1;
};
struct WeeklyPage {
    int interval = 1;
    std::array<bool, 7> days{true, false, false, false, false, false, false};  // [0] = Sunday
};
struct MonthlyPage {
    bool dayMode = true;      // "Day" row chosen, else "The" row
    int day = 1;              // Day row
    int dayInterval = 1;      // Day row's "of every ... Month"
    int ordinalIndex = 0;     // The row
    int weekdayIndex = 0;     // The row
    int theInterval = 1;      // The row's "of every ... Month"
};
struct YearlyPage {
    bool dayMode = true;      // "Every" row chosen, else "The" row
    int everyMonthIndex = 0;  // Every row
    int day = 1;              // Every row
    int ordinalIndex = 0;     // The row
    int weekdayIndex = 0;     // The row
    int theMonthIndex = 0;    // The row
};
struct RecurrencePages {
    DailyPage daily;
    WeeklyPage weekly;
    MonthlyPage monthly;
    YearlyPage yearly;
};

// Fills the page of the pattern's kind; the other pages keep what they hold.
void PagesFromPattern(const CRePattern& pattern, RecurrencePages& pages);
// Writes the page of the pattern's kind onto the pattern.
void PatternFromPages(const RecurrencePages& pages, CRePattern& pattern);

// What OK finds on the page of the chosen kind.
struct RecurrenceOkCheck {
    enum class Outcome { Accept, OutOfRange, InvalidTime, EndBeforeStart };
    Outcome outcome = Outcome::Accept;
    std::string message;  // the refusal's text
    std::string notice;   // shown before closing, never blocking (the last-day notice)
};
RecurrenceOkCheck CheckRecurrencePage(const RecurrencePages& pages, int patternType);

// Whether a month and day exist in every year, leap or not (29 February does not).
bool IsMonthDayInEveryYear(int month, int day);

// The dialog's fields apart from its windows.
class CRecurrenceModel {
public:
    DateTime start;
    DateTime end;
    int duration = 1800;
    bool endsOn = false;
    bool removeRequested = false;
    RecurrencePages pages;

    int GetPatternType() const { return m_patternType; }
    // A radio button: the page of that kind shows; every page keeps its contents.
    void SwitchKind(int patternType);

    // Opening the dialog brings the end up to the start's day, as SetStart does.
    void LoadFromRule(const CReCurrence& rule);
    // A new start; an end on an earlier day moves to the start's day, so that a series whose
    // start is moved past its end does not end before it begins.
    void SetStart(const DateTime& newStart);
    // OK's checks: the chosen page's, then that a series with "Ends On" ticked does not end on
    // a day before its start's.
    RecurrenceOkCheck CheckOk() const;
    // Writes the dialog's result into the rule. The anchor is left alone unless the pattern
    // is removed, which clears it.
    void ApplyToRule(CReCurrence& rule) const;

private:
    int m_patternType = kPatternDaily;
};

}  // namespace tv
