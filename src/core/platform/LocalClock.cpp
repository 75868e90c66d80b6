// The wall clock through clock_gettime and localtime_r, the thread-safe POSIX calls.
#include "LocalClock.h"

#include <ctime>

namespace tv {

LocalClockReading ReadLocalClock() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    LocalClockReading r;
    r.year = tm.tm_year + 1900;
    r.month = tm.tm_mon + 1;
    r.day = tm.tm_mday;
    r.hour = tm.tm_hour;
    r.minute = tm.tm_min;
    r.second = tm.tm_sec;
    r.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
    return r;
}

int64_t UnixOfLocalWall(const LocalClockReading& wall, int isDst) {
    std::tm tm{};
    tm.tm_year = wall.year - 1900;
    tm.tm_mon = wall.month - 1;
    tm.tm_mday = wall.day;
    tm.tm_hour = wall.hour;
    tm.tm_min = wall.minute;
    tm.tm_sec = wall.second;
    tm.tm_isdst = isDst;
    return static_cast<int64_t>(std::mktime(&tm));
}

}  // namespace tv
