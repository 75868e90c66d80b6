// Conversions between the program's date-time value and Qt's.
#include "QtDateTime.h"

#include <QTimeZone>

namespace tv {

QDateTime ToQDateTime(const DateTime& value) {
    DateParts p;
    if (!value.GetParts(p)) return {};
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second), Qt::UTC);
}

DateTime FromQDateTime(const QDateTime& value) {
    if (!value.isValid()) return DateTime::Invalid();
    const QDate d = value.date();
    const QTime t = value.time();
    return DateTime::FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

QDate ToQDate(const DateTime& value) {
    DateParts p;
    if (!value.GetParts(p)) return {};
    return QDate(p.year, p.month, p.day);
}

DateTime FromQDate(const QDate& date) {
    if (!date.isValid()) return DateTime::Invalid();
    return DateTime::FromParts(date.year(), date.month(), date.day());
}

}  // namespace tv
