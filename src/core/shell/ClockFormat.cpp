// The clock's time pattern, its translation to time-format codes, and the chime rule.
#include "ClockFormat.h"

#include <cmath>
#include <utility>

namespace tv {

namespace {

struct TokenCode {
    const char* token;
    const char* code;
};

constexpr TokenCode kTokens[] = {
    {"yyyy", "%Y"}, {"yy", "%y"}, {"mm", "%B"}, {"m", "%b"},  {"M", "%m"},  {"dd", "%d"}, {"ww", "%A"},
    {"w", "%a"},    {"hh", "%H"}, {"h", "%I"},  {"nn", "%M"}, {"ss", "%S"}, {"pp", "%p"},
};

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

}  // namespace

const std::array<ClockPatternChoice, 11> kClockPatternChoices = {{
    {"hh:nn:ss - dd,m,yyyy", "15:31:23 - 21,Jan,2008"},
    {"hh:nn:ss - dd,M,yyyy", "15:31:23 - 21,1,2008"},
    {"hh:nn:ss - dd,mm,yyyy", "15:31:23 - 21,January,2008"},
    {"hh:nn - dd,m,yyyy", "15:31 - 21,Jan,2008"},
    {"hh:nn:ss - m,dd,yyyy", "15:31:23 - Jan,21,2008"},
    {"hh:nn:ss - m,dd", "15:31:23 - Jan,21"},
    {"hh:nn:ss - M,dd", "15:31:23 - 1,21"},
    {"hh:nn:ss -ww- dd,M,yyyy", "15:31:23 -Monday- 21,1,2008"},
    {"hh:nn:ss -w- dd,M,yyyy", "15:31:23 -Mon- 21,1,2008"},
    {"h:nn:ss -w- dd,M,yyyy", "05:31:23 -Mon- 21,1,2008"},
    {"h:nn:ss %p dd,M,yyyy", "04:31:23 PM 21,1,2008"},
}};

std::string PatternToFormat(const std::string& pattern) {
    std::string s = pattern;
    for (const TokenCode& t : kTokens) s = ReplaceAll(std::move(s), t.token, t.code);
    return s;
}

std::string FormatToPattern(const std::string& format) {
    std::string s = format;
    for (const TokenCode& t : kTokens) s = ReplaceAll(std::move(s), t.code, t.token);
    return s;
}

std::string ClockText(const std::string& format, const DateTime& now) {
    // An emptied pattern would shrink the clock to a sliver nobody can find again.
    if (format.empty()) return now.Format(PatternToFormat("hh:nn:ss - m dd,yyyy").c_str());
    return now.Format(format.c_str());
}

std::string ChimeFor(const DateTime& tick, const std::string& half, const std::string& sharp) {
    DateParts p;
    if (!tick.GetParts(p) || p.second != 0) return {};
    if (p.minute == 0) return sharp;
    if (p.minute == 30) return half;
    return {};
}

}  // namespace tv

namespace tv {

int MillisecondsToNextSecond(const DateTime& now) {
    if (!now.IsValid()) return 1000;
    const double seconds = now.Linear() * 86400.0;
    const double into = seconds - std::floor(seconds);
    const int ms = static_cast<int>(std::ceil((1.0 - into) * 1000.0));
    return ms < 1 ? 1 : (ms > 1000 ? 1000 : ms);
}

}  // namespace tv
