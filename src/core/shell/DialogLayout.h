// Dialog-unit layouts and their conversion to pixels, with the reminder pop-up's layout.
#pragma once

#include <cstdint>

namespace tv {

// A rectangle in dialog units: a horizontal unit is a quarter of the dialog font's average
// character width, a vertical unit an eighth of its height.
struct DialogRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The dialog font's average character width and height in pixels.
struct DialogBaseUnits {
    int x = 6;
    int y = 13;
};

// Each edge is mapped on its own and rounded to the nearest pixel, so neighbouring controls
// that touch in dialog units touch in pixels too.
PixelRect ToPixels(const DialogRect& r, const DialogBaseUnits& base);

// The reminder pop-up: 276 x 110 units with a time line, the name, the note, two etched
// lines, the type icon and a row of Snooze, its length, Delete and Accept.
namespace reminder_popup {
constexpr DialogRect kClient{0, 0, 276, 110};
constexpr DialogRect kTimeLine{38, 7, 231, 9};
constexpr DialogRect kName{38, 20, 231, 16};
constexpr DialogRect kNote{38, 45, 231, 34};
constexpr DialogRect kSnooze{7, 90, 50, 14};
constexpr DialogRect kSnoozeLength{60, 90, 88, 14};
constexpr DialogRect kDelete{164, 90, 50, 14};
constexpr DialogRect kAccept{219, 90, 50, 14};
constexpr DialogRect kLowerLine{7, 85, 262, 1};
constexpr DialogRect kUpperLine{7, 41, 262, 1};
constexpr DialogRect kIcon{7, 7, 21, 20};
}  // namespace reminder_popup

// The first minimise and the first restore after it of a reminder pop-up: that restore puts
// the window back where and as large as it was made, once in its life.
class CFirstRestoreRule {
public:
    void OnMinimised() {
        if (!m_restoredOnce) m_minimisedOnce = true;
    }
    // True when this restore is the one that moves the window back.
    bool OnRestored() {
        if (!m_minimisedOnce || m_restoredOnce) return false;
        m_minimisedOnce = false;
        m_restoredOnce = true;
        return true;
    }

private:
    bool m_minimisedOnce = false;
    bool m_restoredOnce = false;
};

}  // namespace tv
