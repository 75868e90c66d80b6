// The date-time, duration and month-calendar fields give back what they were given.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "controls/DateTimeField.h"
#include "controls/DurationField.h"
#include "controls/MonthCalendarField.h"

using namespace tv;

class ControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void durationGivesBackWhatItWasGiven();
    void durationTextStepsAndTyping();
    void dateTimeFieldsKeepWhatTheyDoNotShow();
    void monthCalendarSelection();
};

void ControlsTest::durationGivesBackWhatItWasGiven() {
    // Leaving the field without typing must not round, clamp or reparse anything, even a
    // value outside the range.
    for (int seconds : {300, 0, 93907, INT_MAX, -600}) {
        CDurationField field;
        field.show();
        field.setSeconds(seconds);
        field.setFocus();
        Q_EMIT field.editingFinished();
        QCOMPARE(field.seconds(), seconds);
    }
}

void ControlsTest::durationTextStepsAndTyping() {
    QCOMPARE(CDurationField::TextFor(93900), QStringLiteral("1d 02h 05m 00s"));
    QCOMPARE(CDurationField::TextFor(-65), QStringLiteral("-0d 00h 01m 05s"));
    long long s = 0;
    QVERIFY(CDurationField::ParseText(QStringLiteral("  2d 1h 90m 3s "), s));
    QCOMPARE(s, 2 * 86400LL + 3600 + 5400 + 3);
    QVERIFY(!CDurationField::ParseText(QStringLiteral("5 minutes"), s));

    CDurationField field;
    field.show();
    QSignalSpy changed(&field, &CDurationField::valueChanged);
    field.setSeconds(300);
    QCOMPARE(field.currentPart(), CDurationField::Part::Minutes);
    field.stepBy(1);
    QCOMPARE(field.seconds(), 360);
    // The cursor in the hours part makes the arrows step hours, carrying into days.
    QLineEdit* edit = field.findChild<QLineEdit*>();
    edit->setCursorPosition(edit->text().indexOf(QLatin1Char('h')));
    QCOMPARE(field.currentPart(), CDurationField::Part::Hours);
    field.stepBy(24);
    QCOMPARE(edit->text(), QStringLiteral("1d 00h 06m 00s"));
    QCOMPARE(changed.count(), 3);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("0d 01h 00m 00s"));
    QCOMPARE(field.seconds(), 3600);
    QCOMPARE(changed.last().at(0).toInt(), 3600);
    // Steps stay in the range.
    field.setRange(0, 3600);
    field.setCurrentPart(CDurationField::Part::Days);
    field.stepBy(1);
    QCOMPARE(field.seconds(), 3600);
    field.setCurrentPart(CDurationField::Part::Hours);
    field.stepBy(-2);
    QCOMPARE(field.seconds(), 0);
}

void ControlsTest::dateTimeFieldsKeepWhatTheyDoNotShow() {
    CDateTimeField field(CDateTimeField::Display::DateAndTime);
    // A third of a second past 09:30 cannot be shown, but must come back unchanged.
    const DateTime value(DateTime::FromParts(2024, 3, 31, 9, 30).Days() + 1.0 / 259200.0);
    field.setValue(value);
    QCOMPARE(field.value().Days(), value.Days());
    QSignalSpy changed(&field, &CDateTimeField::valueChanged);
    field.setDateTime(QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::UTC));  // as the user would
    QCOMPARE(changed.count(), 1);
    // 02:30 on the night the clocks go forward in Berlin is kept as typed.
    QCOMPARE(field.value().ToIsoText(), std::string("2024-03-31 02:30:00"));
    field.setValue(DateTime::Null());
    QCOMPARE(field.text(), QStringLiteral("None"));
    QCOMPARE(field.value().Status(), DateTimeStatus::Null);

    // A date field's edit keeps the time, a time field's edit keeps the date.
    CDateTimeField date(CDateTimeField::Display::Date);
    date.setValue(DateTime::FromParts(2008, 1, 21, 15, 31, 23));
    date.setDate(QDate(2008, 2, 1));
    QCOMPARE(date.value().ToIsoText(), std::string("2008-02-01 15:31:23"));
    CDateTimeField time(CDateTimeField::Display::Time);
    time.setValue(DateTime::FromParts(1899, 12, 30, 9, 0));
    time.setTime(QTime(9, 30));
    QCOMPARE(time.value().ToIsoText(), std::string("1899-12-30 09:30:00"));
    QVERIFY(!time.calendarPopup());
}

void ControlsTest::monthCalendarSelection() {
    CMonthCalendarField cal;
    QSignalSpy changed(&cal, &CMonthCalendarField::valueChanged);
    cal.setValue(DateTime::FromParts(2008, 1, 21, 15, 31));
    QCOMPARE(cal.value().ToIsoText(), std::string("2008-01-21 00:00:00"));
    QCOMPARE(cal.monthShown(), 1);
    QCOMPARE(changed.count(), 1);
    cal.setValue(DateTime::Invalid());
    QCOMPARE(cal.value().ToIsoText(), std::string("2008-01-21 00:00:00"));
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
