// CMonthCalendarField: the month calendar the desktop clock shows.
#include "MonthCalendarField.h"

#include <QTextCharFormat>

#include "QtDateTime.h"

namespace tv {

CMonthCalendarField::CMonthCalendarField(QWidget* parent) : QCalendarWidget(parent) {
    setGridVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setMinimumDate(QDate(100, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
    connect(this, &QCalendarWidget::selectionChanged, this, &CMonthCalendarField::valueChanged);
}

DateTime CMonthCalendarField::value() const { return FromQDate(selectedDate()); }

void CMonthCalendarField::setValue(const DateTime& value) {
    const QDate d = ToQDate(value);
    if (!d.isValid()) return;
    setSelectedDate(d);
    setCurrentPage(d.year(), d.month());
}

void CMonthCalendarField::setToday(const DateTime& today) {
    if (m_today.isValid()) setDateTextFormat(m_today, QTextCharFormat());
    m_today = ToQDate(today);
    if (!m_today.isValid()) return;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontUnderline(true);
    setDateTextFormat(m_today, bold);
}

}  // namespace tv
