// The clock's time pattern, its translation to time-format codes, and the chime rule.
#pragma once

#include <array>
#include <string>

#include "model/DateTime.h"

namespace tv {

// "hh:nn:ss - m dd,yyyy" -> "%H:%M:%S - %b %d,%Y". Tokens are replaced in a fixed order, each
// everywhere, so "mm" is taken before "m" and "M" never touches the codes already made. Other
// characters pass unchanged, so a pattern may hold codes itself ("%p").
std::string PatternToFormat(const std::string& pattern);
// The inverse: each code back to its token, in the same order.
std::string FormatToPattern(const std::string& format);

// The present moment as the clock shows it, in the C library's current LC_TIME locale. An
// empty format shows the default pattern.
std::string ClockText(const std::string& format, const DateTime& now);

// Which chime a tick at that moment plays: sharp on second 0 of minute 0, half on second 0 of
// minute 30, otherwise (or when that name is empty) none, answered as the empty name. A late
// tick skips its chime.
std::string ChimeFor(const DateTime& tick, const std::string& half, const std::string& sharp);

// How long from that moment until the next whole second begins, in milliseconds (1 to 1000).
// The clock ticks just after each second starts, so no second (and no chime) is skipped.
int MillisecondsToNextSecond(const DateTime& now);

// The patterns the Preferences offer, with their fixed sample labels.
struct ClockPatternChoice {
    const char* pattern;
    const char* sample;
};
extern const std::array<ClockPatternChoice, 11> kClockPatternChoices;

}  // namespace tv
