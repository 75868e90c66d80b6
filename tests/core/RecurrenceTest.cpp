// Recurrence rules: occurrence searches, descriptions and the archive form.
#include <gtest/gtest.h>

#include <random>

#include "ByteBuilder.h"
#include "Events.h"
#include "model/ReCurrence.h"

using namespace tv;
using tvtest::At;

namespace {

CReCurrence Rule(PatternType type, const DateTime& start) {
    CReCurrence r;
    r.SetStart(start);
    r.SetEnd(start);
    r.SetPatternType(type);
    return r;
}

template <class P>
P* Pattern(CReCurrence& r) {
    return static_cast<P*>(r.GetPattern());
}

// The plain day-by-day walk every search must agree with.
DateTime ReferenceSearch(const CRePattern& p, const DateTime& reference, const DateTime& from) {
    DateTime candidate = from.DateOnly();
    if (candidate < reference) candidate = reference;
    if (p.IsOccurrenceDay(candidate, reference)) return candidate;
    int window = 0;
    if (auto* d = dynamic_cast<const CDailyRePattern*>(&p)) window = d->GetInterval();
    if (auto* w = dynamic_cast<const CWeeklyRePattern*>(&p)) window = 7 * w->GetInterval();
    for (int i = 1; i <= window; ++i) {
        const DateTime day = candidate + TimeSpan(i);
        if (p.IsOccurrenceDay(day, reference)) return day;
    }
    return reference;
}

}  // namespace

TEST(Recurrence, SearchesOfEveryKind) {
    // The pattern's fields in archive order: daily interval; weekly interval, weekday mask;
    // monthly interval, day, ordinal, weekday, day mode; yearly month, day, ordinal, weekday,
    // day mode.
    struct Case {
        PatternType type;
        DateTime start;
        std::vector<int> fields;
        DateTime from, expected;
        const char* description;
        // clang-format off
    } const cases[] = {
        {kPatternDaily, At(2026, 5, 1, 10, 0), {3}, At(2026, 5, 2, 8, 0), At(2026, 5, 4, 10, 0), "Every 3 Days"},
        // The day matches; whether 10:00 is already over is the caller's business.
        {kPatternDaily, At(2026, 5, 1, 10, 0), {3}, At(2026, 5, 4, 11, 0), At(2026, 5, 4, 10, 0), ""},
        {kPatternDaily, At(2026, 5, 1, 10, 0), {3}, At(2026, 4, 1), At(2026, 5, 1, 10, 0), ""},
        // Windows are counted from the reference day, a Monday.
        {kPatternWeekly, At(2024, 1, 1, 9, 0), {2, 1 << 1}, At(2024, 1, 1), At(2024, 1, 8, 9, 0), ""},
        {kPatternWeekly, At(2024, 1, 1, 9, 0), {2, 1 << 1}, At(2024, 1, 9), At(2024, 1, 22, 9, 0), ""},
        {kPatternWeekly, At(2024, 1, 1, 9, 0), {1, 9}, At(2024, 1, 1), At(2024, 1, 3, 9, 0),
         "Every 1 week(s) on Sunday,Wednesday"},
        // Nothing ever matches: no occurrence at all, not the start either.
        {kPatternWeekly, At(2024, 1, 1, 9, 0), {1, 0}, At(2024, 3, 1), DateTime::Null(), ""},
        // Day 31 falls on the last day of shorter months.
        {kPatternMonthly, At(2024, 1, 31, 8, 0), {1, 31, 1, 1, 1}, At(2024, 2, 1), At(2024, 2, 29, 8, 0),
         "Day 31 of  every 1 Months"},
        {kPatternMonthly, At(2024, 1, 31, 8, 0), {1, 31, 1, 1, 1}, At(2024, 4, 1), At(2024, 4, 30, 8, 0), ""},
        {kPatternMonthly, At(2024, 1, 31, 8, 0), {1, 31, 1, 1, 1}, At(2025, 2, 1), At(2025, 2, 28, 8, 0), ""},
        {kPatternMonthly, At(2024, 1, 15), {2, 15, 1, 1, 1}, At(2024, 3, 16), At(2024, 5, 15), ""},
        {kPatternMonthly, At(2024, 1, 15), {2, 15, 1, 1, 1}, At(2024, 11, 16), At(2025, 1, 15), ""},
        // March 2024 ends on a Sunday; its last Friday is the 29th.
        {kPatternMonthly, At(2024, 1, 1, 12, 0), {1, 1, 5, 6, 0}, At(2024, 3, 1), At(2024, 3, 29, 12, 0),
         "The Last Friday of Every 1 Months"},
        {kPatternMonthly, At(2024, 1, 1, 12, 0), {1, 1, 5, 6, 0}, At(2024, 3, 30), At(2024, 4, 26, 12, 0), ""},
        {kPatternMonthly, At(2024, 1, 1, 12, 0), {1, 1, 2, 3, 0}, At(2024, 3, 1), At(2024, 3, 12, 12, 0),
         "The Second Tuesday of Every 1 Months"},
        {kPatternMonthly, At(2024, 1, 1, 12, 0), {1, 1, 4, 5, 0}, At(2024, 2, 1), At(2024, 2, 22, 12, 0),
         "The Fouth Thursday of Every 1 Months"},
        {kPatternYearly, At(2020, 1, 1, 7, 0), {3, 5, 1, 1, 1}, At(2024, 3, 5), At(2024, 3, 5, 7, 0), "Every Mar 5"},
        {kPatternYearly, At(2020, 1, 1, 7, 0), {3, 5, 1, 1, 1}, At(2024, 3, 6), At(2025, 3, 5, 7, 0), ""},
        // The first Monday of September 2025 was the 1st; from the 10th the next is in 2026.
        {kPatternYearly, At(2020, 1, 1, 7, 0), {9, 1, 1, 2, 0}, At(2025, 9, 10), At(2026, 9, 7, 7, 0),
         "The First Monday of Sep"},
        {kPatternYearly, At(2020, 1, 1, 7, 0), {9, 1, 1, 2, 0}, At(2025, 8, 10), At(2025, 9, 1, 7, 0), ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        CReCurrence r = Rule(c.type, c.start);
        ArchiveWriter fields;
        fields.WriteI32(1);
        fields.WriteI32(1);
        for (int f : c.fields) fields.WriteI32(f);
        ArchiveReader ar(fields.Data());
        r.GetPattern()->Serialize(ar);
        EXPECT_EQ(r.GetNextOccurrence(c.from), c.expected) << r.GetDescription() << " from " << c.from.ToIsoText();
        if (*c.description) {
            EXPECT_EQ(r.GetDescription(), c.description);
        }
        // The fields are written back in the order they were read.
        ArchiveWriter back;
        r.GetPattern()->Serialize(back);
        EXPECT_EQ(back.Data(), fields.Data()) << r.GetDescription();
    }
    // An acceptance's anchor bounds the search by its day; the count stays with the start, and
    // the calendar's search ignores the anchor.
    CReCurrence r = Rule(kPatternDaily, At(2026, 5, 1, 10, 0));
    Pattern<CDailyRePattern>(r)->SetInterval(3);
    r.SetAnchor(At(2026, 5, 2, 10, 5));
    EXPECT_EQ(r.GetNextOccurrence(At(2026, 5, 1)), At(2026, 5, 4, 10, 0));
    EXPECT_EQ(r.GetOccurrenceOnOrAfter(At(2026, 5, 1)), At(2026, 5, 1, 10, 0));
    r.SetAnchor(At(2026, 5, 4, 23, 59));  // its time of day never counts
    EXPECT_EQ(r.GetNextOccurrence(At(2026, 5, 1)), At(2026, 5, 4, 10, 0));
    // A weekly rule with no day ticked has no occurrence at all, not even its start.
    CReCurrence none = Rule(kPatternWeekly, At(2026, 5, 1, 10, 0));
    Pattern<CWeeklyRePattern>(none)->SetWeekdayMask(0);
    EXPECT_EQ(none.GetOccurrenceOnOrAfter(At(2026, 5, 1)).Status(), DateTimeStatus::Null);
    EXPECT_EQ(none.GetNextOccurrence(At(2026, 5, 1)).Status(), DateTimeStatus::Null);
}

TEST(Recurrence, EndsOnAndNoPattern) {
    CReCurrence r = Rule(kPatternDaily, At(2026, 6, 1, 9, 30));
    r.SetEndEnabled(true);
    r.SetEnd(At(2026, 6, 10));
    EXPECT_EQ(r.GetNextOccurrence(At(2026, 6, 11)), At(2026, 6, 10, 9, 30));
    EXPECT_EQ(r.GetNextOccurrence(At(2026, 6, 10, 23, 0)), At(2026, 6, 10, 9, 30));
    EXPECT_EQ(r.GetOccurrenceOnOrAfter(At(2026, 6, 11)).Status(), DateTimeStatus::Null);
    CReCurrence none;
    none.SetEnd(At(2030, 1, 1));
    EXPECT_FALSE(none.HasPattern());
    EXPECT_EQ(none.GetNextOccurrence(At(2026, 1, 1)), At(2030, 1, 1));
    EXPECT_EQ(none.GetDescription(), "");
}

// Setters keep values in range, whatever a caller hands them.
TEST(Recurrence, SettersKeepValuesInRange) {
    CMonthlyRePattern m;
    m.SetInterval(13);
    m.SetDay(32);
    m.SetWeekday(8);
    CDailyRePattern d;
    d.SetInterval(366);
    EXPECT_EQ(std::tuple(m.GetInterval(), m.GetDay(), m.GetWeekday(), d.GetInterval()), std::tuple(1, 1, 1, 1));
    EXPECT_EQ(NthWeekdayOfMonth(2024, 2, 1, 0), 0);
    EXPECT_EQ(GetOrdinalName(6), "");
}

TEST(Recurrence, FastSearchesAgreeWithTheDayByDayWalk) {
    std::mt19937 rng(20261206);
    for (int trial = 0; trial < 20000; ++trial) {
        const DateTime reference = At(2020, 1, 1) + TimeSpan(double(rng() % 2000) + (rng() % 1440) / 1440.0);
        const DateTime from = reference + TimeSpan(double(int(rng() % 900) - 100));
        if (trial % 2) {
            CDailyRePattern p;
            p.SetInterval(1 + int(rng() % 365));
            ASSERT_EQ(p.GetNextDate(reference, from), ReferenceSearch(p, reference, from)) << trial;
        } else {
            CWeeklyRePattern p;
            p.SetInterval(1 + int(rng() % 51));
            p.SetWeekdayMask(int(rng() % 128));
            ASSERT_EQ(p.GetNextDate(reference, from), ReferenceSearch(p, reference, from)) << trial;
        }
    }
}

TEST(Recurrence, ArchiveFormMatchesTheLayoutAndCopiesAreDeep) {
    CReCurrence r = Rule(kPatternDaily, At(2024, 1, 2, 3, 4));
    r.SetEndEnabled(true);
    r.SetEnd(At(2025, 1, 1));
    r.SetDuration(600);
    r.SetAnchor(At(2024, 5, 5));
    Pattern<CDailyRePattern>(r)->SetInterval(3);
    // version, endEnabled, duration, end, start, anchor, has pattern, class name, the pattern
    // clang-format off
    const std::string expected = tvtest::Bytes()
                                     .i32(1).i32(1).i32(600).date(At(2025, 1, 1).Days())
                                     .date(At(2024, 1, 2, 3, 4).Days()).date(At(2024, 5, 5).Days()).i32(1)
                                     .text("CDailyRePattern").i32(1).i32(1).i32(3)
                                     .str();
    // clang-format on
    ArchiveWriter w;
    r.Serialize(w);
    EXPECT_EQ(w.Data(), expected);
    CReCurrence back;
    ArchiveReader ar(expected);
    back.Serialize(ar);
    EXPECT_TRUE(back == r && ar.AtEnd());

    CReCurrence copy = r;
    Pattern<CDailyRePattern>(copy)->SetInterval(9);
    EXPECT_EQ(Pattern<CDailyRePattern>(r)->GetInterval(), 3);
    copy = r;
    EXPECT_TRUE(copy == r);
    copy.RemovePattern();
    EXPECT_TRUE(r.HasPattern());
}
