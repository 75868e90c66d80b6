// CDateTimeField: the date and time picker of the dialogs.
#include "DateTimeField.h"

#include <QCalendarWidget>
#include <QLocale>

#include "QtDateTime.h"

namespace tv {

namespace {

QString FourDigitYears(QString format) {
    if (format.contains(QLatin1String("yyyy"))) return format;
    return format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
}

// The earliest moment stands for "no value"; the field shows "None" there.
const QDateTime kNoValue(QDate(100, 1, 1), QTime(0, 0), Qt::UTC);

}  // namespace

CDateTimeField::CDateTimeField(Display display, QWidget* parent) : QDateTimeEdit(parent), m_display(display) {
    setTimeSpec(Qt::UTC);
    setDateTimeRange(kNoValue, QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    setSpecialValueText(tr("None"));
    setDisplay(display);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &CDateTimeField::onEdited);
    setValue(DateTime::FromParts(2000, 1, 1));
}

QString CDateTimeField::FormatFor(Display display) {
    const QLocale locale;
    const QString date = FourDigitYears(locale.dateFormat(QLocale::ShortFormat));
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    switch (display) {
        case Display::Date: return date;
        case Display::Time: return time;
        case Display::DateAndTime: break;
    }
    return date + QLatin1Char(' ') + time;
}

void CDateTimeField::setDisplay(Display display) {
    m_display = display;
    m_updating = true;
    setDisplayFormat(FormatFor(display));
    setCalendarPopup(display != Display::Time);
    if (calendarWidget()) calendarWidget()->setGridVisible(true);
    showValue();
    m_updating = false;
}

void CDateTimeField::setValue(const DateTime& value) {
    const bool changed = !(value == m_value);
    m_value = value;
    m_updating = true;
    showValue();
    m_updating = false;
    if (changed) Q_EMIT valueChanged();
}

void CDateTimeField::showValue() {
    const QDateTime shown = ToQDateTime(m_value);
    setDateTime(shown.isValid() && shown > kNoValue ? shown : kNoValue);
}

void CDateTimeField::onEdited(const QDateTime& shown) {
    if (m_updating) return;
    DateTime edited = shown == kNoValue ? DateTime::Null() : FromQDateTime(shown);
    if (edited.IsValid() && m_value.IsValid()) {
        // Only the part the field shows was edited; the rest of the value stays as it was,
        // to the fraction of a second.
        if (m_display == Display::Date) edited = edited.WithTimeOf(m_value);
        else if (m_display == Display::Time) edited = m_value.WithTimeOf(edited);
    }
    if (edited == m_value) return;
    m_value = edited;
    Q_EMIT valueChanged();
}

}  // namespace tv
