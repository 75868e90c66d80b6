// The wall clock in local time, as the C library's time zone rules give it.
#pragma once

namespace tv {

struct LocalClockReading {
    int year = 1970, month = 1, day = 1;   // month and day from 1
    int hour = 0, minute = 0, second = 0;  // second may be 60 in a leap second
    int millisecond = 0;
};

LocalClockReading ReadLocalClock();

}  // namespace tv
