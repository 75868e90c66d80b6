// The "..." menu of half-hour start times shared by the event editor and the preferences.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/DateTime.h"

namespace tv {

constexpr int kHalfHourFirstId = 32871;
constexpr int kHalfHourCount = 48;
constexpr int kHalfHourLastId = kHalfHourFirstId + kHalfHourCount - 1;  // 32918

struct HalfHourItem {
    int commandId;
    std::string text;  // "00:00" ... "23:30"
};

// The 48 items in menu order.
std::vector<HalfHourItem> HalfHourMenuItems();

// The moment a choice stands for: the control's date at 00:00 plus 30 minutes per step.
// Nothing for a command outside the menu or a date the control cannot hold.
std::optional<DateTime> HalfHourTime(const DateTime& controlValue, int commandId);

}  // namespace tv
