// System zone lookup and wall-clock conversions through the C library's local time.
#include "IcsTime.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>

#include "platform/LocalClock.h"

namespace tv::ics {

namespace {

// "Europe/Berlin" from "/usr/share/zoneinfo/Europe/Berlin" and the like.
std::string AfterZoneinfo(const std::string& path) {
    const size_t at = path.find("zoneinfo/");
    return at == std::string::npos ? std::string() : path.substr(at + 9);
}

std::string SystemZoneName(const char* tz) {
    if (tz && *tz) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        return name.empty() || name[0] != '/' ? name : AfterZoneinfo(name);
    }
    char link[512];
    const ssize_t n = ::readlink("/etc/localtime", link, sizeof link - 1);
    if (n > 0) return AfterZoneinfo(std::string(link, static_cast<size_t>(n)));
    std::ifstream in("/etc/timezone");
    std::string name;
    std::getline(in, name);
    return name;
}

SystemZone LookUp(const char* tz) {
    SystemZone z;
    const std::string name = SystemZoneName(tz);
    if (name.empty()) return z;
    icaltimezone* zone = icaltimezone_get_builtin_timezone(name.c_str());
    // A POSIX rule such as "CET-1CEST" names no zone a peer knows: times are then written as
    // they are shown, without a zone, which every peer shows at the same hour.
    if (!zone) return z;
    z.zone = zone;
    z.name = name;
    z.utc = zone == icaltimezone_get_utc_timezone() || name == "UTC" || name == "Etc/UTC" || name == "Zulu";
    return z;
}

// The last hours of the year 9999 can be formed but not taken apart again, and libical's
// calendar ends earlier.
DateTime Checked(const DateTime& dt) {
    DateParts parts;
    return dt.GetParts(parts) && parts.year <= kLastIcalYear ? dt : DateTime::Invalid();
}

}  // namespace

SystemZone GetSystemZone() {
    static std::mutex lock;
    static std::string lastTz = "\x01";
    static SystemZone cached;
    std::lock_guard g(lock);
    const char* tz = std::getenv("TZ");
    const std::string key = tz ? std::string("=") + tz : std::string();
    if (key != lastTz) {
        cached = LookUp(tz);
        lastTz = key;
    }
    return cached;
}

icaltimetype WallToIcal(const DateTime& dt, bool dateOnly) {
    icaltimetype t = icaltime_null_time();
    DateParts p;
    if (!dt.GetParts(p) || p.year > kLastIcalYear) return t;
    t.year = p.year;
    t.month = p.month;
    t.day = p.day;
    if (dateOnly) {
        t.is_date = 1;
    } else {
        t.hour = p.hour;
        t.minute = p.minute;
        t.second = p.second;
    }
    return t;
}

DateTime IcalFieldsToDateTime(const icaltimetype& t) {
    if (icaltime_is_null_time(t) || t.year > kLastIcalYear) return DateTime::Invalid();
    // A leap second, which the model has no room for, is the second before.
    const DateTime dt = t.is_date ? DateTime::FromParts(t.year, t.month, t.day)
                                  : DateTime::FromParts(t.year, t.month, t.day, t.hour, t.minute, std::min(t.second, 59));
    return Checked(dt);
}

int64_t UnixOfWall(const DateTime& dt) {
    DateParts p;
    if (!dt.GetParts(p)) return 0;
    return UnixOfLocalWall({p.year, p.month, p.day, p.hour, p.minute, p.second});
}

DateTime WallOfUnix(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return DateTime::Invalid();
    return Checked(DateTime::FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec));
}

int64_t UnixOfIcal(const icaltimetype& t) {
    if (icaltime_is_utc(t) || !t.zone) return static_cast<int64_t>(icaltime_as_timet(t));
    return static_cast<int64_t>(icaltime_as_timet_with_zone(t, t.zone));
}

DateTime ToLocalWall(const icaltimetype& t) {
    const DateTime fields = IcalFieldsToDateTime(t);
    if (!fields.IsValid() || t.is_date || (!t.zone && !icaltime_is_utc(t))) return fields;
    return WallOfUnix(UnixOfIcal(t));
}

icaltimetype UtcOfWall(const DateTime& dt) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(UnixOfWall(dt)), 0, icaltimezone_get_utc_timezone());
}

}  // namespace tv::ics
