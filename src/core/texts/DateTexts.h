// How the pages, lists, balloon and pop-up write dates and times: one form per purpose, so that
// the desktop program can put its user's forms (order, month names, 12 or 24 hours) in place of
// the program's English ones in one step.
#pragma once

#include <string>

#include "model/DateTime.h"

namespace tv {

// The English forms, written with the C library in the current locale as they always were.
// The desktop program installs its own forms for a language other than English.
class DateTexts {
public:
    virtual ~DateTexts() = default;
    // An occurrence in the lists and the reminder pop-up: "14:30 - Jan 21,2008".
    virtual std::string EventTime(const DateTime& t) const { return t.Format("%H:%M - %b %d,%Y"); }
    // A time of today in the coming-events balloon: "14:30".
    virtual std::string TimeOfDay(const DateTime& t) const { return t.Format("%H:%M"); }
    // The Week Day page's column headers: "Jan 21".
    virtual std::string ColumnDay(const DateTime& day) const { return day.Format("%b %d"); }
    // The Weekly page's day headers: "Mon, Jan 21".
    virtual std::string WeeklyDay(const DateTime& day) const { return day.Format("%a, %b %d"); }
    // The Monthly page's cell labels: "January 21" on the first cell and on the first of a
    // month, else "21".
    virtual std::string MonthCell(const DateTime& day, bool withMonth) const {
        return day.Format(withMonth ? "%B %d" : "%d");
    }
    // A weekday's full name, 1 = Sunday .. 7 = Saturday: "Monday".
    virtual std::string WeekdayName(int dayOfWeek) const;
    // A month's short name, 1 .. 12: "Jan".
    virtual std::string MonthShortName(int month) const;
};

// The forms in use: the English ones unless the program installed others.
const DateTexts& GetDateTexts();
// Installed once at start-up; null restores the English forms. The object must outlive its use.
void SetDateTexts(const DateTexts* texts);

}  // namespace tv
