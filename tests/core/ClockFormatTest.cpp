// The clock's pattern translation, its text at a fixed moment and the chime rule.
#include <gtest/gtest.h>

#include "shell/ClockFormat.h"

using namespace tv;

TEST(ClockFormat, PatternTokensBecomeCodesInOrder) {
    struct Case {
        const char* pattern;
        const char* format;
    } cases[] = {
        {"hh:nn:ss - m dd,yyyy", "%H:%M:%S - %b %d,%Y"},
        {"hh:nn:ss - dd,mm,yyyy", "%H:%M:%S - %d,%B,%Y"},
        {"hh:nn:ss - M,dd", "%H:%M:%S - %m,%d"},
        {"hh:nn:ss -ww- dd,M,yyyy", "%H:%M:%S -%A- %d,%m,%Y"},
        {"h:nn:ss -w- dd,M,yyyy", "%I:%M:%S -%a- %d,%m,%Y"},
        {"h:nn:ss %p dd,M,yyyy", "%I:%M:%S %p %d,%m,%Y"},
        {"yy pp", "%y %p"},
        // "mmm" is one "mm" and one "m"; letters that are no token pass unchanged.
        {"mmm", "%B%b"},
        {"Day x", "Day x"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(PatternToFormat(c.pattern), c.format) << c.pattern;
}

TEST(ClockFormat, InverseTranslationRestoresThePatterns) {
    for (const ClockPatternChoice& c : kClockPatternChoices) {
        const std::string pattern = c.pattern;
        if (pattern.find('%') != std::string::npos) continue;  // codes typed into a pattern come back as tokens
        EXPECT_EQ(FormatToPattern(PatternToFormat(pattern)), pattern);
    }
    EXPECT_EQ(FormatToPattern("%I:%M:%S %p"), "h:nn:ss pp");
}

// (The clock window's tests show the default and the weekday patterns.)
TEST(ClockFormat, ClockTextAtAFixedMoment) {
    const DateTime monday = DateTime::FromParts(2008, 1, 21, 15, 31, 23);
    EXPECT_EQ(ClockText(PatternToFormat("h:nn:ss %p dd,M,yyyy"), monday), "03:31:23 PM 21,01,2008");
    EXPECT_EQ(ClockText("", monday), "15:31:23 - Jan 21,2008") << "an emptied pattern still shows the time";
}

TEST(ClockFormat, ChimesOnlyOnSecondZeroOfTheFullAndHalfHour) {
    auto at = [](int h, int m, int s) { return DateTime::FromParts(2024, 5, 6, h, m, s); };
    const std::tuple<DateTime, const char*, const char*, const char*> cases[] = {
        {at(0, 0, 0), "Chime.WAV", "Sen.WAV", "Sen.WAV"},  {at(12, 0, 1), "Chime.WAV", "Sen.WAV", ""},  // a late tick
        {at(12, 15, 0), "Chime.WAV", "Sen.WAV", ""},       {at(12, 59, 59), "Chime.WAV", "Sen.WAV", ""},
        {at(12, 30, 0), "", "Sen.WAV", ""},                {DateTime::Invalid(), "Chime.WAV", "Sen.WAV", ""},
    };
    for (const auto& [t, half, sharp, chime] : cases) EXPECT_EQ(ChimeFor(t, half, sharp), chime) << t.ToIsoText();
}

TEST(ClockFormat, NextTickWaitsForTheNextWholeSecond) {
    const DateTime whole = DateTime::FromParts(2024, 5, 6, 12, 0, 0);
    EXPECT_EQ(MillisecondsToNextSecond(whole + TimeSpan(0.25 / 86400.0)), 750);
    EXPECT_EQ(MillisecondsToNextSecond(whole + TimeSpan(0.9995 / 86400.0)), 1);
    const int atWhole = MillisecondsToNextSecond(whole);
    EXPECT_TRUE(atWhole == 1000 || atWhole == 1) << atWhole;
    EXPECT_EQ(MillisecondsToNextSecond(DateTime::Invalid()), 1000);
}
