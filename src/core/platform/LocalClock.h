// The wall clock in local time, as the C library's time zone rules give it.
#pragma once

#include <cstdint>

namespace tv {

struct LocalClockReading {
    int year = 1970, month = 1, day = 1;   // month and day from 1
    int hour = 0, minute = 0, second = 0;  // second may be 60 in a leap second
    int millisecond = 0;
};

LocalClockReading ReadLocalClock();

// The real second (Unix time) of a local wall-clock time; isDst picks one of an hour the clocks
// show twice (-1: whichever the C library takes). The milliseconds do not count.
int64_t UnixOfLocalWall(const LocalClockReading& wall, int isDst = -1);

}  // namespace tv
