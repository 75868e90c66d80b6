// The system's time zone as calendar files name it, and the program's local wall-clock times
// as iCalendar times.
#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <string>

#include "model/DateTime.h"

namespace tv::ics {

struct SystemZone {
    std::string name;              // the TZID written; empty when times are written floating
    icaltimezone* zone = nullptr;  // libical's built-in zone of that name (owned by libical)
    bool utc = false;              // the system runs on UTC: times are written with Z
};
// From TZ when it is set, otherwise from /etc/localtime; found again whenever TZ changes.
SystemZone GetSystemZone();

// libical writes no later year.
inline constexpr int kLastIcalYear = 3000;

// The fields of a wall-clock value as an iCalendar time without a zone; the null time for a
// value past kLastIcalYear.
icaltimetype WallToIcal(const DateTime& dt, bool dateOnly = false);
// The fields of an iCalendar time as a wall-clock value, without conversion; invalid for a
// date past kLastIcalYear or one the model cannot hold.
DateTime IcalFieldsToDateTime(const icaltimetype& t);
// Seconds since 1970 of a local wall-clock time as the C library reads it, and back.
int64_t UnixOfWall(const DateTime& dt);
DateTime WallOfUnix(int64_t seconds);
// Seconds since 1970 of a zoned or UTC iCalendar time.
int64_t UnixOfIcal(const icaltimetype& t);
// The local wall-clock time an iCalendar time stands for: zoned and UTC times are converted,
// floating times and dates taken as they are.
DateTime ToLocalWall(const icaltimetype& t);
// The UTC moment of a local wall-clock time.
icaltimetype UtcOfWall(const DateTime& dt);

}  // namespace tv::ics
