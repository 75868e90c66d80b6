// Dates and times written the way the user's locale writes them, for a language other than
// English: order, month and weekday names, and 12 or 24 hours.
#pragma once

#include <QLocale>
#include <QString>

#include "texts/DateTexts.h"

namespace tv {

// The locale's long date format without the weekday and with the month shortened ("d. MMM
// yyyy" in German), and that again without the year ("d. MMM"), or with the full month.
QString MediumDateFormat(const QLocale& locale);
QString DayMonthFormat(const QLocale& locale, bool fullMonth);

class CLocaleDateTexts final : public DateTexts {
public:
    explicit CLocaleDateTexts(const QLocale& locale = QLocale());

    std::string EventTime(const DateTime& t) const override;
    std::string TimeOfDay(const DateTime& t) const override;
    std::string ColumnDay(const DateTime& day) const override;
    std::string WeeklyDay(const DateTime& day) const override;
    std::string MonthCell(const DateTime& day, bool withMonth) const override;
    std::string WeekdayName(int dayOfWeek) const override;
    std::string MonthShortName(int month) const override;

private:
    QLocale m_locale;
    QString m_medium, m_dayMonth, m_dayFullMonth;
};

}  // namespace tv
