// The names of the program's cross-window messages, kept as their identifiers.
#pragma once

namespace tv::msg {

// Scheduler -> clock window: the event with this id is due (wParam = id).
constexpr const char* kEventPop = "KORVATE-EVENT-POP";
// Clock window -> main window: an event was added from the tray (wParam = 1).
constexpr const char* kRefresh = "KORVATE-REFRESH";
// Pop-up -> main window: the event with this id was deleted.
constexpr const char* kEventDel = "KORVATE-EVENT_DEL";
// Pop-up -> main window: the event with this id changed (Snooze, Accept).
constexpr const char* kInvalidate = "KORVATE-INVALIDATE";

}  // namespace tv::msg
