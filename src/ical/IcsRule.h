// A recurrence rule as an RRULE and back: the four patterns mapped exactly, and by name what
// a peer's rule says that the patterns cannot.
#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ReCurrence.h"

namespace tv::ics {

// The first day the rule falls on, counted from its start (never from the anchor) and within
// its end; invalid when it falls on none.
DateTime FirstOccurrenceDay(const CReCurrence& rule);
// The day of the count-th occurrence (1 = the first); invalid when it lies past year 9999.
DateTime NthOccurrenceDay(const CReCurrence& rule, int64_t count);

struct RuleExport {
    DateTime firstDay;   // DTSTART's day; invalid when the rule falls on no day
    std::string rrule;   // the value after "RRULE:"
};
// until: how the end day is written, "UNTIL=..." (empty when the series has no end).
RuleExport ExportRule(const CReCurrence& rule, const std::string& until);

struct RuleImport {
    std::unique_ptr<CRePattern> pattern;  // null: the event stays a one-off
    DateTime start;                       // the rule's start, local wall-clock time
    bool hasEnd = false;
    DateTime end;                         // the last day of the series
    std::vector<std::string> problems;    // what the pattern does not say as the rule did
};
// localStart is DTSTART as local wall-clock time; sourceStart the same moment in the zone the
// file wrote it in (the rule's days are that zone's days). until is UNTIL as local wall-clock
// time (invalid: none), untilIsDate whether it was a date.
RuleImport ImportRule(const icalrecurrencetype& r, const DateTime& localStart, const DateTime& sourceStart,
                      const DateTime& until, bool untilIsDate);

}  // namespace tv::ics
