// Window positions kept in section "Settings": the clock, the main window and its page; and
// the program's choices about reaching the user there too.
#pragma once

#include <cstdint>
#include <vector>

#include "KeyValueStore.h"

namespace tv {

// A screen rectangle as stored: right and bottom are one past the last pixel.
struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const ScreenRect&) const = default;
};

constexpr const char* kWindowSection = "Settings";

// "ClockLeft", "ClockTop", "ClockRight", "ClockBottom" (0 each when missing).
ScreenRect ReadClockRect(const IKeyValueStore& store);
void WriteClockRect(IKeyValueStore& store, const ScreenRect& rect);

struct ScreenPoint {
    int32_t x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where the clock goes at start: the stored corner, a stored left edge of 0 meaning half the
// width of the screen. A corner that no screen shows any more (a monitor was unplugged) is
// given the same treatment as a first start, on the primary screen, so the clock is never lost.
ScreenPoint ClockStartPosition(const ScreenRect& stored, const ScreenRect& primaryScreen,
                               const std::vector<ScreenRect>& screens);

// The calendar main window's placement, "InfoFlag" .. "InfoShow". The normal rectangle is
// applied when any of its edges is non-zero; the other values are kept and written back.
struct MainPlacement {
    int32_t flags = 1;
    int32_t showCmd = 1;
    ScreenPoint minPosition{-3200, -3200};
    ScreenPoint maxPosition{-1, -1};
    ScreenRect normal;
    bool HasNormalRect() const { return !normal.IsZero(); }
    bool operator==(const MainPlacement&) const = default;
};
// Show commands of the placement record.
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMinimized = 2;
constexpr int32_t kShowMaximized = 3;

MainPlacement ReadMainPlacement(const IKeyValueStore& store);
void WriteMainPlacement(IKeyValueStore& store, const MainPlacement& placement);

// "ViewType": the main window's page, 0 to 5. Anything else reads as 0 (the Daily view), so a
// damaged value never leaves the window without a page.
int ReadViewType(const IKeyValueStore& store);
void WriteViewType(IKeyValueStore& store, int viewType);

// "DesktopNotifications": whether a reminder also appears as a desktop notification. On unless
// the user switched it off.
bool ReadDesktopNotifications(const IKeyValueStore& store);
void WriteDesktopNotifications(IKeyValueStore& store, bool on);

// "KeepRunningHidden": the user, asked once, chose that closing the calendar window leaves the
// program running with nothing on screen (no clock, no tray). Off until then.
bool ReadKeepRunningHidden(const IKeyValueStore& store);
void WriteKeepRunningHidden(IKeyValueStore& store, bool keep);

}  // namespace tv
