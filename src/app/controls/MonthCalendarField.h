// CMonthCalendarField: the month calendar the desktop clock shows.
#pragma once

#include <QCalendarWidget>

#include "model/DateTime.h"

namespace tv {

// A month calendar whose selection is the program's date-time value (the date at 00:00).
// valueChanged() fires when the selected day changes, by the user or by setValue(); today is
// drawn in bold.
class CMonthCalendarField : public QCalendarWidget {
    Q_OBJECT
public:
    explicit CMonthCalendarField(QWidget* parent = nullptr);

    DateTime value() const;
    // Selects the value's day and shows its month; an invalid value changes nothing.
    void setValue(const DateTime& value);
    // Marks that day as today (the caller passes its own "now").
    void setToday(const DateTime& today);

Q_SIGNALS:
    void valueChanged();

private:
    QDate m_today;
};

}  // namespace tv
