// The names of the properties that carry what only this program keeps of an event.
#pragma once

namespace tv::ics {

inline constexpr char kStateProperty[] = "X-TALLYVANE-STATE";             // "armed" or "done"
inline constexpr char kEnabledProperty[] = "X-TALLYVANE-ENABLED";         // "1" or "0"
inline constexpr char kAnchorProperty[] = "X-TALLYVANE-ANCHOR";           // local date-time
inline constexpr char kSoundProperty[] = "X-TALLYVANE-SOUND";             // the sound's file name
inline constexpr char kRemindBeforeProperty[] = "X-TALLYVANE-REMIND-BEFORE";  // seconds, when no VALARM says it

}  // namespace tv::ics
