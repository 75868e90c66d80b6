// Window positions kept in section "Settings".
#include "WindowSettings.h"

#include "views/ViewSwitching.h"

namespace tv {

namespace {

int32_t ReadInt(const IKeyValueStore& s, const char* name, int32_t fallback) {
    auto v = s.ReadNumber(kWindowSection, name);
    return v ? static_cast<int32_t>(static_cast<uint32_t>(*v)) : fallback;
}

bool Contains(const ScreenRect& r, const ScreenPoint& p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

ScreenRect ReadClockRect(const IKeyValueStore& s) {
    return {ReadInt(s, "ClockLeft", 0), ReadInt(s, "ClockTop", 0), ReadInt(s, "ClockRight", 0),
            ReadInt(s, "ClockBottom", 0)};
}

void WriteClockRect(IKeyValueStore& s, const ScreenRect& r) {
    s.WriteNumber(kWindowSection, "ClockLeft", r.left);
    s.WriteNumber(kWindowSection, "ClockRight", r.right);
    s.WriteNumber(kWindowSection, "ClockTop", r.top);
    s.WriteNumber(kWindowSection, "ClockBottom", r.bottom);
}

ScreenPoint ClockStartPosition(const ScreenRect& stored, const ScreenRect& primary,
                               const std::vector<ScreenRect>& screens) {
    ScreenPoint p{stored.left == 0 ? primary.left + primary.Width() / 2 : stored.left, stored.top};
    if (screens.empty()) return p;
    for (const ScreenRect& s : screens)
        if (Contains(s, p)) return p;
    return {primary.left + primary.Width() / 2, primary.top};
}

MainPlacement ReadMainPlacement(const IKeyValueStore& s) {
    MainPlacement p;
    p.normal = {ReadInt(s, "InfoLeft", 0), ReadInt(s, "InfoTop", 0), ReadInt(s, "InfoRight", 0),
                ReadInt(s, "InfoBottom", 0)};
    p.flags = ReadInt(s, "InfoFlag", 1);
    p.maxPosition = {ReadInt(s, "InfoMaxx", -1), ReadInt(s, "InfoMaxy", -1)};
    p.minPosition = {ReadInt(s, "InfoMinx", -3200), ReadInt(s, "InfoMiny", -3200)};
    p.showCmd = ReadInt(s, "InfoShow", 1);
    return p;
}

void WriteMainPlacement(IKeyValueStore& s, const MainPlacement& p) {
    s.WriteNumber(kWindowSection, "InfoLeft", p.normal.left);
    s.WriteNumber(kWindowSection, "InfoRight", p.normal.right);
    s.WriteNumber(kWindowSection, "InfoTop", p.normal.top);
    s.WriteNumber(kWindowSection, "InfoBottom", p.normal.bottom);
    s.WriteNumber(kWindowSection, "InfoFlag", p.flags);
    s.WriteNumber(kWindowSection, "InfoMaxx", p.maxPosition.x);
    s.WriteNumber(kWindowSection, "InfoMaxy", p.maxPosition.y);
    s.WriteNumber(kWindowSection, "InfoMinx", p.minPosition.x);
    s.WriteNumber(kWindowSection, "InfoMiny", p.minPosition.y);
    s.WriteNumber(kWindowSection, "InfoShow", p.showCmd);
}

int ReadViewType(const IKeyValueStore& s) {
    const int32_t v = ReadInt(s, "ViewType", 0);
    return v >= 0 && v < kViewCount ? v : 0;
}

void WriteViewType(IKeyValueStore& s, int viewType) { s.WriteNumber(kWindowSection, "ViewType", viewType); }

bool ReadDesktopNotifications(const IKeyValueStore& s) { return ReadInt(s, "DesktopNotifications", 1) != 0; }
void WriteDesktopNotifications(IKeyValueStore& s, bool on) {
    s.WriteNumber(kWindowSection, "DesktopNotifications", on ? 1 : 0);
}

bool ReadKeepRunningHidden(const IKeyValueStore& s) { return ReadInt(s, "KeepRunningHidden", 0) != 0; }
void WriteKeepRunningHidden(IKeyValueStore& s, bool keep) {
    s.WriteNumber(kWindowSection, "KeepRunningHidden", keep ? 1 : 0);
}

}  // namespace tv
