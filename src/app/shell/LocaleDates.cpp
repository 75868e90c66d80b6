// Dates and times in the user's locale.
#include "LocaleDates.h"

#include <QRegularExpression>

#include "controls/QtDateTime.h"

namespace tv {

namespace {

// Separators and quoted words that only join a part to its neighbours.
QString TrimJoins(QString format) {
    static const QRegularExpression ends(QStringLiteral("^[\\s,./-]+|[\\s,./-]+$"));
    return format.replace(ends, QString());
}

QString WithoutWeekday(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::LongFormat);
    static const QRegularExpression weekday(QStringLiteral("dddd?[,.]?\\s*"));
    return TrimJoins(format.replace(weekday, QString()));
}

std::string Utf8(const QString& s) { return s.toStdString(); }

// Qt counts weekdays from Monday (1) to Sunday (7), the program from Sunday (1).
Qt::DayOfWeek QtWeekday(int dayOfWeek) { return static_cast<Qt::DayOfWeek>(dayOfWeek == 1 ? 7 : dayOfWeek - 1); }

}  // namespace

QString MediumDateFormat(const QLocale& locale) {
    return WithoutWeekday(locale).replace(QLatin1String("MMMM"), QLatin1String("MMM"));
}

QString DayMonthFormat(const QLocale& locale, bool fullMonth) {
    QString format = WithoutWeekday(locale);
    if (!fullMonth) format.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
    // The year with the separator and any joining word before it ("'de' yyyy", ", yyyy"),
    // and the year sign some scripts write after it.
    static const QRegularExpression year(QStringLiteral("(\\s*'[^']*')?[\\s,./-]*y+[\\x{5E74}\\x{B144}]?"));
    return TrimJoins(format.replace(year, QString()));
}

CLocaleDateTexts::CLocaleDateTexts(const QLocale& locale)
    : m_locale(locale),
      m_medium(MediumDateFormat(locale)),
      m_dayMonth(DayMonthFormat(locale, false)),
      m_dayFullMonth(DayMonthFormat(locale, true)) {}

std::string CLocaleDateTexts::EventTime(const DateTime& t) const {
    const QDateTime qt = ToQDateTime(t);
    if (!qt.isValid()) return {};
    return Utf8(m_locale.toString(qt.time(), QLocale::ShortFormat) + QStringLiteral(" - ") +
                m_locale.toString(qt.date(), m_medium));
}

std::string CLocaleDateTexts::TimeOfDay(const DateTime& t) const {
    const QDateTime qt = ToQDateTime(t);
    return qt.isValid() ? Utf8(m_locale.toString(qt.time(), QLocale::ShortFormat)) : std::string();
}

std::string CLocaleDateTexts::ColumnDay(const DateTime& day) const {
    return Utf8(m_locale.toString(ToQDate(day), m_dayMonth));
}

std::string CLocaleDateTexts::WeeklyDay(const DateTime& day) const {
    const QDate date = ToQDate(day);
    if (!date.isValid()) return {};
    return Utf8(m_locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) + QStringLiteral(", ") +
                m_locale.toString(date, m_dayMonth));
}

std::string CLocaleDateTexts::MonthCell(const DateTime& day, bool withMonth) const {
    const QDate date = ToQDate(day);
    if (!date.isValid()) return {};
    return Utf8(withMonth ? m_locale.toString(date, m_dayFullMonth) : m_locale.toString(date.day()));
}

std::string CLocaleDateTexts::WeekdayName(int dayOfWeek) const {
    if (dayOfWeek < 1 || dayOfWeek > 7) return {};
    return Utf8(m_locale.standaloneDayName(QtWeekday(dayOfWeek), QLocale::LongFormat));
}

std::string CLocaleDateTexts::MonthShortName(int month) const {
    if (month < 1 || month > 12) return {};
    return Utf8(m_locale.monthName(month, QLocale::ShortFormat));
}

}  // namespace tv
