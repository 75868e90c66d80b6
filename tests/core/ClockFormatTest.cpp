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

TEST(ClockFormat, ClockTextAtAFixedMoment) {
    const DateTime monday = DateTime::FromParts(2008, 1, 21, 15, 31, 23);
    // The month code gives two digits, unlike the menu's sample.
    EXPECT_EQ(ClockText(PatternToFormat("hh:nn:ss -ww- dd,M,yyyy"), monday), "15:31:23 -Monday- 21,01,2008");
    EXPECT_EQ(ClockText(PatternToFormat("hh:nn:ss - m dd,yyyy"), monday), "15:31:23 - Jan 21,2008");
    EXPECT_EQ(ClockText(PatternToFormat("h:nn:ss %p dd,M,yyyy"), monday), "03:31:23 PM 21,01,2008");
    // An emptied pattern still shows the time.
    EXPECT_EQ(ClockText("", monday), "15:31:23 - Jan 21,2008");
}

TEST(ClockFormat, ChimesOnlyOnSecondZeroOfTheFullAndHalfHour) {
    auto at = [](int h, int m, int s) { return DateTime::FromParts(2024, 5, 6, h, m, s); };
    EXPECT_EQ(ChimeFor(at(12, 0, 0), "Chime.WAV", "Sen.WAV"), "Sen.WAV");
    EXPECT_EQ(ChimeFor(at(12, 30, 0), "Chime.WAV", "Sen.WAV"), "Chime.WAV");
    EXPECT_EQ(ChimeFor(at(0, 0, 0), "Chime.WAV", "Sen.WAV"), "Sen.WAV");
    EXPECT_EQ(ChimeFor(at(12, 0, 1), "Chime.WAV", "Sen.WAV"), "") << "a late tick skips the chime";
    EXPECT_EQ(ChimeFor(at(12, 15, 0), "Chime.WAV", "Sen.WAV"), "");
    EXPECT_EQ(ChimeFor(at(12, 59, 59), "Chime.WAV", "Sen.WAV"), "");
    EXPECT_EQ(ChimeFor(at(12, 0, 0), "Chime.WAV", ""), "") << "an empty name is no chime";
    EXPECT_EQ(ChimeFor(at(12, 30, 0), "", "Sen.WAV"), "");
    EXPECT_EQ(ChimeFor(DateTime::Invalid(), "Chime.WAV", "Sen.WAV"), "");
}

TEST(ClockFormat, NextTickWaitsForTheNextWholeSecond) {
    const DateTime whole = DateTime::FromParts(2024, 5, 6, 12, 0, 0);
    EXPECT_EQ(MillisecondsToNextSecond(whole + TimeSpan(0.25 / 86400.0)), 750);
    EXPECT_EQ(MillisecondsToNextSecond(whole + TimeSpan(0.9995 / 86400.0)), 1);
    const int atWhole = MillisecondsToNextSecond(whole);
    EXPECT_TRUE(atWhole == 1000 || atWhole == 1) << atWhole;
    EXPECT_EQ(MillisecondsToNextSecond(DateTime::Invalid()), 1000);
}
