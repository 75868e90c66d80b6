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

}  // namespace tv
