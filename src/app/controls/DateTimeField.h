// CDateTimeField: the date and time picker of the dialogs.
#pragma once

#include <QDateTimeEdit>

#include "model/DateTime.h"

namespace tv {

// A date-time edit over the program's own date-time value.
//
//   CDateTimeField start(CDateTimeField::Display::DateAndTime);
//   start.setValue(event.GetStart());
//   connect(&start, &CDateTimeField::valueChanged, this, [&] { m_start = start.value(); });
//
// value() answers exactly what setValue() was given until the user changes the field. A
// change replaces only the shown part: a Date field keeps the time of day of its value, a
// Time field keeps the date. valueChanged() fires whenever value() changes, by the user or by
// setValue(). Enable and disable it like any widget. Null and invalid values show "None".
class CDateTimeField : public QDateTimeEdit {
    Q_OBJECT
public:
    enum class Display { Date, Time, DateAndTime };

    explicit CDateTimeField(Display display = Display::DateAndTime, QWidget* parent = nullptr);
    explicit CDateTimeField(QWidget* parent) : CDateTimeField(Display::DateAndTime, parent) {}

    DateTime value() const { return m_value; }
    void setValue(const DateTime& value);

    Display display() const { return m_display; }
    void setDisplay(Display display);

    // The display format used for a kind of field in the user's locale (years always in four
    // digits, since the field spans years 100 to 9999).
    static QString FormatFor(Display display);

Q_SIGNALS:
    void valueChanged();

private:
    void onEdited(const QDateTime& shown);
    void showValue();

    Display m_display;
    DateTime m_value;
    bool m_updating = false;
};

}  // namespace tv
