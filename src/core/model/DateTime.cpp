// Calendar arithmetic of the date-time value and the time span.
#include "DateTime.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <vector>

#include "platform/LocalClock.h"

namespace tv {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// 1 January 100 and the last second of 31 December 9999, the range a stored date may take.
constexpr double kMinLinear = -657434.0;
constexpr double kMaxLinear = 2958465.0 + 86399.0 / kSecondsPerDay;
constexpr int64_t kMinDay = -657434;  // 1 January 100
constexpr int64_t kMaxDay = 2958465;  // 31 December 9999

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Rounds half away from zero like llround, without the library call: date conversions run
// hundreds of thousands of times when a calendar page is built.
inline int64_t RoundToInt(double x) { return static_cast<int64_t>(x >= 0.0 ? x + 0.5 : x - 0.5); }

// Clamps absurd values so that damaged files never push a conversion into undefined behaviour.
inline double ClampLinear(double linear) {
    if (!(linear >= -1e9)) return linear != linear ? 0.0 : -1e9;  // NaN and -inf
    return linear > 1e9 ? 1e9 : linear;
}

// Seconds since the epoch, rounded to the nearest second.
inline int64_t LinearSeconds(double linear) { return RoundToInt(ClampLinear(linear) * kSecondsPerDay); }

bool InRange(double linear) { return linear >= kMinLinear && linear <= kMaxLinear; }

}  // namespace

// ---- calendar helpers ---------------------------------------------------------------

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

// Howard Hinnant's days-from-civil, shifted so that 30 December 1899 is day 0.
int64_t DayNumberFromCivil(int year, int month, int day) {
    int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = (month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;
}

void CivilFromDayNumber(int64_t dayNumber, int& year, int& month, int& day) {
    // Every calendar page and recurrence search turns day numbers into dates, many per answer:
    // within a few thousand years of today the conversion runs in 32-bit multiplications
    // (Neri and Schneider's Euclidean affine form, shifted 82 eras so that it stays unsigned).
    constexpr int64_t kShiftedEras = 82;
    constexpr int64_t kShift = 719468 + 146097 * kShiftedEras;
    if (dayNumber > -2000000 && dayNumber < 20000000) {
        const uint32_t n = static_cast<uint32_t>(dayNumber - 25569 + kShift);
        const uint32_t n1 = 4 * n + 3;
        const uint32_t century = n1 / 146097;
        const uint32_t n2 = (n1 % 146097) | 3;
        const uint64_t p2 = uint64_t(2939745) * n2;
        const uint32_t yearOfCentury = static_cast<uint32_t>(p2 >> 32);
        const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;
        const uint32_t n3 = 2141 * dayOfYear + 197913;
        const uint32_t m = n3 >> 16;
        const bool january = dayOfYear >= 306;  // the year counted from March has its end
        year = static_cast<int>(int64_t(100 * century + yearOfCentury) - 400 * kShiftedEras + (january ? 1 : 0));
        month = static_cast<int>(january ? m - 12 : m);
        day = static_cast<int>((n3 & 0xFFFF) / 2141 + 1);
        return;
    }
    const int64_t z = dayNumber - 25569 + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// ---- TimeSpan -----------------------------------------------------------------------

TimeSpan TimeSpan::FromParts(long days, int hours, int minutes, int seconds) {
    return TimeSpan(static_cast<double>(days) + static_cast<double>(hours) / 24 +
                    static_cast<double>(minutes) / (24 * 60) + static_cast<double>(seconds) / (24 * 60 * 60));
}

TimeSpan TimeSpan::FromSeconds(int64_t seconds) {
    const int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    const int hours = static_cast<int>(rest / 3600);
    rest %= 3600;
    return FromParts(static_cast<long>(days), hours, static_cast<int>(rest / 60), static_cast<int>(rest % 60));
}

long TimeSpan::GetDays() const {
    if (std::isnan(m_span)) return 0;
    if (m_span >= 9.2e18) return std::numeric_limits<long>::max();
    if (m_span <= -9.2e18) return std::numeric_limits<long>::min();
    return static_cast<long>(m_span);
}

int64_t TimeSpan::GetTotalSeconds() const {
    const double seconds = m_span * kSecondsPerDay + 0.5 / kSecondsPerDay;
    if (!std::isfinite(seconds)) return 0;
    if (seconds >= 9.2e18) return INT64_MAX;
    if (seconds <= -9.2e18) return INT64_MIN;
    return static_cast<int64_t>(seconds);
}

// ---- DateTime -----------------------------------------------------------------------

int64_t DateTime::Millis() const { return RoundToInt(ClampLinear(Linear()) * (kSecondsPerDay * 1000.0)); }

DateTime DateTime::FromLinear(double linear, DateTimeStatus status) {
    if (linear >= 0.0) return DateTime(linear, status);
    const double datePart = std::floor(linear);
    return DateTime(datePart + (datePart - linear), status);
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return Invalid();
    const double date = static_cast<double>(DayNumberFromCivil(year, month, day));
    const double time = static_cast<double>(hour * 3600L + minute * 60L + second) / kSecondsPerDay;
    return DateTime(date >= 0.0 ? date + time : date - time);
}

DateTime DateTime::FromDayNumber(int64_t dayNumber) { return FromLinear(static_cast<double>(dayNumber)); }

bool DateTime::GetParts(DateParts& p) const {
    if (m_status != DateTimeStatus::Valid) return false;
    const double linear = Linear();
    if (!InRange(linear)) return false;
    const int64_t secs = LinearSeconds(linear);
    const int64_t days = FloorDiv(secs, 86400);
    const int secOfDay = static_cast<int>(secs - days * 86400);
    CivilFromDayNumber(days, p.year, p.month, p.day);
    p.hour = secOfDay / 3600;
    p.minute = (secOfDay / 60) % 60;
    p.second = secOfDay % 60;
    // Day 0 (30 Dec 1899) was a Saturday.
    p.dayOfWeek = static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
    static constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    p.dayOfYear = kDaysBefore[p.month - 1] + p.day + (p.month > 2 && IsLeapYear(p.year) ? 1 : 0);
    return true;
}

#define TV_PART_GETTER(Name, field)        \
    int DateTime::Name() const {           \
        DateParts p;                       \
        return GetParts(p) ? p.field : -1; \
    }
TV_PART_GETTER(GetYear, year)
TV_PART_GETTER(GetMonth, month)
TV_PART_GETTER(GetDay, day)
TV_PART_GETTER(GetHour, hour)
TV_PART_GETTER(GetMinute, minute)
TV_PART_GETTER(GetSecond, second)
TV_PART_GETTER(GetDayOfWeek, dayOfWeek)
TV_PART_GETTER(GetDayOfYear, dayOfYear)
#undef TV_PART_GETTER

int64_t DateTime::DayNumber() const { return FloorDiv(LinearSeconds(Linear()), 86400); }

int DateTime::SecondOfDay() const {
    const int64_t secs = LinearSeconds(Linear());
    return static_cast<int>(secs - FloorDiv(secs, 86400) * 86400);
}

DateTime DateTime::DateOnly() const {
    DateTime d = FromDayNumber(DayNumber());
    d.m_status = m_status;
    return d;
}

DateTime DateTime::WithTimeOf(const DateTime& time) const {
    // The same value FromParts builds from this date's and that time's parts, without the
    // calendar conversions.
    if (m_status != DateTimeStatus::Valid || time.m_status != DateTimeStatus::Valid) return Invalid();
    const double l = Linear(), t = time.Linear();
    if (!InRange(l) || !InRange(t)) return Invalid();
    const int64_t day = DayNumber();
    if (day < kMinDay || day > kMaxDay) return Invalid();
    const double date = static_cast<double>(day);
    const double seconds = static_cast<double>(time.SecondOfDay()) / kSecondsPerDay;
    return DateTime(date >= 0.0 ? date + seconds : date - seconds);
}

std::string DateTime::Format(const char* pattern) const {
    DateParts p;
    if (!pattern || !*pattern || !GetParts(p)) return {};
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_wday = p.dayOfWeek - 1;
    tm.tm_yday = p.dayOfYear - 1;
    tm.tm_isdst = -1;
    // strftime answers 0 both for "too small" and for an empty result; grow a few times only.
    for (size_t size = 256; size <= 16384; size *= 4) {
        std::vector<char> buf(size);
        const size_t n = std::strftime(buf.data(), buf.size(), pattern, &tm);
        if (n > 0) return std::string(buf.data(), n);
    }
    return {};
}

std::string DateTime::ToIsoText() const {
    if (m_status == DateTimeStatus::Null) return "null";
    DateParts p;
    if (!GetParts(p)) return "invalid";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return buf;
}

DateTime DateTime::ParseIso(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char sep = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &mo, &d, &consumed) != 3) return Invalid();
    const char* rest = text.c_str() + consumed;
    if (*rest == '\0') return FromParts(y, mo, d);
    int n = 0;
    const int got = std::sscanf(rest, "%c%2d:%2d%n:%2d%n", &sep, &h, &mi, &n, &s, &n);
    if (got < 3 || (sep != ' ' && sep != 'T') || rest[n] != '\0') return Invalid();
    return FromParts(y, mo, d, h, mi, got >= 4 ? s : 0);
}

DateTime DateTime::operator+(const TimeSpan& span) const {
    if (m_status == DateTimeStatus::Invalid || span.Status() == DateTimeStatus::Invalid) return Invalid();
    if (m_status == DateTimeStatus::Null || span.Status() == DateTimeStatus::Null) return Null();
    const double linear = Linear() + span.Days();
    if (!InRange(linear)) return Invalid();
    return FromLinear(linear);
}

DateTime DateTime::operator-(const TimeSpan& span) const { return *this + (-span); }

TimeSpan DateTime::operator-(const DateTime& other) const {
    if (m_status == DateTimeStatus::Invalid || other.m_status == DateTimeStatus::Invalid)
        return TimeSpan(0.0, DateTimeStatus::Invalid);
    if (m_status == DateTimeStatus::Null || other.m_status == DateTimeStatus::Null)
        return TimeSpan(0.0, DateTimeStatus::Null);
    return TimeSpan(Linear() - other.Linear());
}

namespace {

DateTime WholeSecondOf(const LocalClockReading& r) {
    return DateTime::FromParts(r.year, r.month, r.day, r.hour, r.minute, r.second > 59 ? 59 : r.second);
}

}  // namespace

DateTime LocalNowPrecise() {
    const LocalClockReading r = ReadLocalClock();
    return WholeSecondOf(r) + TimeSpan(static_cast<double>(r.millisecond) / 86400000.0);
}

DateTime LocalNow() { return WholeSecondOf(ReadLocalClock()); }

}  // namespace tv
