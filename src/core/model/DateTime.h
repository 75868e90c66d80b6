// The date-time value and the time span shared by every stored record.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

enum class DateTimeStatus : int32_t { Valid = 0, Invalid = 1, Null = 2 };

// A length of time in days, the fraction being part of a day.
class TimeSpan {
public:
    TimeSpan() = default;
    explicit TimeSpan(double days, DateTimeStatus status = DateTimeStatus::Valid)
        : m_span(days), m_status(status) {}

    // Summed the same way the files' original writer summed them, so that a span built
    // from the same parts is the same double, bit for bit.
    static TimeSpan FromParts(long days, int hours, int minutes, int seconds);
    static TimeSpan FromSeconds(int64_t seconds);

    double Days() const { return m_span; }
    DateTimeStatus Status() const { return m_status; }
    bool IsValid() const { return m_status == DateTimeStatus::Valid; }

    // Whole days, truncated toward zero; a span read from a damaged file that no long can
    // hold answers the nearest long (and NaN 0).
    long GetDays() const;
    // The stored files' own rounding: days x 86400 plus half a second *in days*, truncated.
    // Kept as it is because every stored remind-before was read back through it.
    int64_t GetTotalSeconds() const;

    TimeSpan operator-() const { return TimeSpan(-m_span, m_status); }
    bool operator==(const TimeSpan& o) const { return m_status == o.m_status && m_span == o.m_span; }

private:
    double m_span = 0.0;
    DateTimeStatus m_status = DateTimeStatus::Valid;
};

// Broken-down parts of a valid date-time (rounded to the nearest second).
struct DateParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 0;  // 1 = Sunday .. 7 = Saturday
    int dayOfYear = 0;  // 1 .. 366
};

// A day count since 30 December 1899 00:00 with the time of day as fraction, plus a status.
// Negative counts keep the classic convention: the integer part is the date and the
// fraction, whatever its sign, is the time of day counted forward (-1.25 is 29 Dec 1899 06:00).
class DateTime {
public:
    DateTime() = default;
    explicit DateTime(double days, DateTimeStatus status = DateTimeStatus::Valid)
        : m_dt(days), m_status(status) {}

    // An impossible date or time gives an invalid value (years 100 to 9999 are possible).
    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime Null() { return DateTime(0.0, DateTimeStatus::Null); }
    static DateTime Invalid() { return DateTime(0.0, DateTimeStatus::Invalid); }
    // Whole days since the epoch at 00:00.
    static DateTime FromDayNumber(int64_t dayNumber);

    double Days() const { return m_dt; }
    DateTimeStatus Status() const { return m_status; }
    bool IsValid() const { return m_status == DateTimeStatus::Valid; }

    bool GetParts(DateParts& parts) const;  // false unless valid and in range
    // Each answers -1 unless the value is valid and in range.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;

    // Whole days since the epoch of this value's date (rounded to the nearest second first).
    int64_t DayNumber() const;
    // Seconds since midnight of this value's time of day (rounded to the nearest second).
    int SecondOfDay() const;
    // This value's date at 00:00, keeping the status.
    DateTime DateOnly() const;
    // This value's date with the time of day of another value.
    DateTime WithTimeOf(const DateTime& time) const;

    // C-library time formatting ("%H:%M", "%b" ...) in the current LC_TIME locale.
    // Answers the empty text unless the value is valid.
    std::string Format(const char* pattern) const;
    // "YYYY-MM-DD HH:MM:SS", or "invalid" / "null" for those statuses.
    std::string ToIsoText() const;
    // Reads "YYYY-MM-DD" or "YYYY-MM-DD HH:MM[:SS]"; an unreadable text gives an invalid value.
    static DateTime ParseIso(const std::string& text);

    DateTime operator+(const TimeSpan& span) const;
    DateTime operator-(const TimeSpan& span) const;
    TimeSpan operator-(const DateTime& other) const;
    DateTime& operator+=(const TimeSpan& span) { return *this = *this + span; }
    DateTime& operator-=(const TimeSpan& span) { return *this = *this - span; }

    // Same status and same stored day count.
    bool operator==(const DateTime& o) const { return m_status == o.m_status && m_dt == o.m_dt; }
    bool operator!=(const DateTime& o) const { return !(*this == o); }
    // Same status and the same moment to the millisecond (see operator<).
    bool SameMoment(const DateTime& o) const { return m_status == o.m_status && Millis() == o.Millis(); }
    // Order by the moment the values stand for, whatever the sign convention, to the nearest
    // millisecond: a moment built as "now + 300 seconds" and the same moment built from its
    // parts differ in the last bit of the double, and must not count as earlier or later.
    bool operator<(const DateTime& o) const { return Millis() < o.Millis(); }
    bool operator>(const DateTime& o) const { return o < *this; }
    bool operator<=(const DateTime& o) const { return !(o < *this); }
    bool operator>=(const DateTime& o) const { return !(*this < o); }

    // Days since the epoch on a continuous line (-1.25 becomes -0.75).
    double Linear() const {
        if (m_dt >= 0.0) return m_dt;
        if (!(m_dt > -4e15)) return m_dt;  // NaN, -inf and absurd values from damaged files
        const double datePart = static_cast<double>(static_cast<int64_t>(m_dt));  // toward zero
        return datePart + (datePart - m_dt);
    }
    // Milliseconds since the epoch on that line, rounded (clamped for absurd values).
    int64_t Millis() const;
    static DateTime FromLinear(double linear, DateTimeStatus status = DateTimeStatus::Valid);

private:
    double m_dt = 0.0;
    DateTimeStatus m_status = DateTimeStatus::Valid;
};

// Days of a civil date since 30 December 1899 (proleptic Gregorian calendar).
int64_t DayNumberFromCivil(int year, int month, int day);
void CivilFromDayNumber(int64_t dayNumber, int& year, int& month, int& day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// The present local date and time, from the C library, to the whole second.
DateTime LocalNow();
// The same with the milliseconds of the present second.
DateTime LocalNowPrecise();

}  // namespace tv
