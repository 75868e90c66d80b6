// Conversions between the program's date-time value and Qt's, at the widget edge.
#pragma once

#include <QDate>
#include <QDateTime>

#include "model/DateTime.h"

namespace tv {

// The wall-clock reading of a valid value, carried in a UTC QDateTime so that no time-zone
// rule can shift or refuse it (02:30 on a spring-forward night is still 02:30). An invalid or
// null value, or one outside Qt's range, gives an invalid QDateTime.
QDateTime ToQDateTime(const DateTime& value);
// The same wall-clock reading back; an invalid QDateTime gives an invalid value.
DateTime FromQDateTime(const QDateTime& value);

QDate ToQDate(const DateTime& value);
// The date at 00:00.
DateTime FromQDate(const QDate& date);

}  // namespace tv
