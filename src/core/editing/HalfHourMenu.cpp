// The half-hour menu's items and what a choice means.
#include "HalfHourMenu.h"

#include <cstdio>

namespace tv {

std::vector<HalfHourItem> HalfHourMenuItems() {
    std::vector<HalfHourItem> items;
    items.reserve(kHalfHourCount);
    for (int k = 0; k < kHalfHourCount; ++k) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", k / 2, (k % 2) * 30);
        items.push_back({kHalfHourFirstId + k, text});
    }
    return items;
}

std::optional<DateTime> HalfHourTime(const DateTime& controlValue, int commandId) {
    if (commandId < kHalfHourFirstId || commandId > kHalfHourLastId) return std::nullopt;
    DateParts p;
    if (!controlValue.GetParts(p)) return std::nullopt;
    const int k = commandId - kHalfHourFirstId;
    // Built from parts rather than by adding spans so that 13:30 is exactly the value a
    // date-time field holding 13:30 gives back.
    return DateTime::FromParts(p.year, p.month, p.day, k / 2, (k % 2) * 30, 0);
}

}  // namespace tv
