// The six pages of the main window, the date commands' rules and the tab bar's logic.
#include "ViewSwitching.h"

#include "texts/UserTexts.h"

namespace tv {

std::string ViewTitle(int index) {
    if (index < 0 || index >= kViewCount) return {};
    return texts::kViewTitles[index];
}

DateTime TakeSharedDate(DateTime& processCopy, const DateTime& now) {
    if (processCopy.IsValid() && processCopy.Days() == 0.0) processCopy = now;
    return processCopy;
}

DateTime TodayAtMidnight(const DateTime& now) { return now.DateOnly(); }

TabBarLayout LayoutTabBar(int index, int clientWidth, int clientHeight, int titleWidth, int dateTextWidth) {
    TabBarLayout l;
    l.title = {10, 6, titleWidth + 25, clientHeight - 5};
    l.hasDateButton = index != kViewFind;
    if (l.hasDateButton) {
        const int right = clientWidth - 10;
        l.dateButton = {right - dateTextWidth - 6, 6, right + 6, clientHeight - 5};
    }
    return l;
}

DateButtonState::Edge DateButtonState::MouseMove(int x, int y) {
    if (!Hit(x, y)) return Edge::None;
    m_timer = true;
    return m_pressed ? Edge::Sunken : Edge::Raised;
}

DateButtonState::Edge DateButtonState::Press(int x, int y) {
    if (!Hit(x, y)) return Edge::None;
    m_timer = true;
    m_pressed = true;
    return Edge::Sunken;
}

bool DateButtonState::Release(int x, int y) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    return wasPressed && Hit(x, y);
}

bool DateButtonState::TimerTick(int cursorX, int cursorY) {
    if (!m_timer) return false;
    if (Hit(cursorX, cursorY)) return false;
    m_timer = false;
    return true;
}

}  // namespace tv
