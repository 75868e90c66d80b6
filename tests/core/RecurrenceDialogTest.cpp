// The recurrence dialog's pages, their checks and its steps on the rule.
#include <gtest/gtest.h>

#include "editing/RecurrenceModel.h"
#include "model/Archive.h"

using namespace tv;

namespace {

CReCurrence RuleOf(int type) {
    CReCurrence rule(DateTime::FromParts(2024, 5, 6, 10, 15, 0));
    rule.SetPatternType(type);
    return rule;
}

std::string DescriptionAfter(const CRecurrenceModel& m) {
    CReCurrence rule = RuleOf(kPatternDaily);
    m.ApplyToRule(rule);
    return rule.GetDescription();
}

}  // namespace

TEST(RecurrencePages, PagesStartAtThePatternDefaultsAndEveryKindRoundTrips) {
    for (int type = kPatternDaily; type <= kPatternYearly; ++type) {
        auto fromPages = CRePattern::Create(static_cast<PatternType>(type));
        PatternFromPages(RecurrencePages{}, *fromPages);
        EXPECT_TRUE(fromPages->Equals(*CRePattern::Create(static_cast<PatternType>(type)))) << type;
    }
    // Every field away from its default, in archive order: weekly on Monday and Thursday,
    // monthly in The mode, yearly in Every mode.
    const std::pair<PatternType, std::vector<int>> patterns[] = {{kPatternDaily, {365}},
                                                                 {kPatternWeekly, {51, 0x12}},
                                                                 {kPatternMonthly, {12, 31, 5, 6, 0}},
                                                                 {kPatternYearly, {12, 25, 4, 7, 1}}};
    RecurrencePages pages;
    for (const auto& [type, fields] : patterns) {
        ArchiveWriter w;
        w.WriteI32(1);
        w.WriteI32(1);
        for (int f : fields) w.WriteI32(f);
        auto p = CRePattern::Create(type);
        ArchiveReader r(w.Data());
        p->Serialize(r);
        PagesFromPattern(*p, pages);
        auto back = CRePattern::Create(type);
        PatternFromPages(pages, *back);
        EXPECT_TRUE(back->Equals(*p)) << p->ClassName();
    }
    // The combo boxes hold indices; both monthly rows show the interval.
    EXPECT_EQ(pages.weekly.days, (std::array<bool, 7>{false, true, false, false, true, false, false}));
    EXPECT_EQ(std::tuple(pages.monthly.ordinalIndex, pages.monthly.weekdayIndex, pages.monthly.dayInterval,
                         pages.monthly.theInterval, pages.yearly.everyMonthIndex, pages.yearly.theMonthIndex),
              std::tuple(4, 5, 12, 12, 11, 11));

    // Back from the pages, the chosen row gives the monthly interval and the yearly month.
    pages.monthly.dayInterval = 3;
    pages.monthly.theInterval = 5;
    pages.yearly.everyMonthIndex = 2;
    pages.yearly.theMonthIndex = 5;
    CMonthlyRePattern monthly;
    CYearlyRePattern yearly;
    for (bool dayMode : {false, true}) {
        pages.monthly.dayMode = pages.yearly.dayMode = dayMode;
        PatternFromPages(pages, monthly);
        PatternFromPages(pages, yearly);
        EXPECT_EQ(std::tuple(monthly.GetInterval(), yearly.GetMonth()), dayMode ? std::tuple(3, 3) : std::tuple(5, 6));
    }
}

TEST(RecurrencePages, RangeChecksOfEachPage) {
    struct Case {
        int type;
        void (*set)(RecurrencePages&);
        const char* message;  // empty = accepted
    } cases[] = {
        {kPatternDaily, [](RecurrencePages& p) { p.daily.interval = 365; }, ""},
        {kPatternDaily, [](RecurrencePages& p) { p.daily.interval = 366; },
         "Please enter an integer between 1 and 365."},
        {kPatternDaily, [](RecurrencePages& p) { p.daily.interval = 0; }, "Please enter an integer between 1 and 365."},
        {kPatternWeekly, [](RecurrencePages& p) { p.weekly.interval = 52; },
         "Please enter an integer between 1 and 51."},
        // Both rows' intervals are checked, whichever row is chosen.
        {kPatternMonthly, [](RecurrencePages& p) { p.monthly.theInterval = 13; },
         "Please enter an integer between 1 and 12."},
        {kPatternMonthly, [](RecurrencePages& p) { p.monthly.day = 32; }, "Please enter an integer between 1 and 31."},
        {kPatternYearly, [](RecurrencePages& p) { p.yearly.day = 0; }, "Please enter an integer between 1 and 31."},
        // Only the chosen kind's page is checked.
        {kPatternDaily, [](RecurrencePages& p) { p.weekly.interval = 0; }, ""},
    };
    for (const Case& c : cases) {
        RecurrencePages pages;
        c.set(pages);
        const RecurrenceOkCheck check = CheckRecurrencePage(pages, c.type);
        EXPECT_EQ(std::tuple(check.message, check.outcome == RecurrenceOkCheck::Outcome::Accept),
                  std::tuple(c.message, std::string(c.message).empty()));
    }
}

TEST(RecurrencePages, MonthDaysBeyond28GiveANoticeAndYearlyDaysMustExistEveryYear) {
    RecurrencePages pages;
    for (auto [day, notice] :
         {std::pair(28, ""), std::pair(29, "Some months has less than 29 days. The last day will be used"),
          std::pair(31, "Some months has less than 31 days. The last day will be used")}) {
        pages.monthly.day = day;
        const RecurrenceOkCheck check = CheckRecurrencePage(pages, kPatternMonthly);
        EXPECT_EQ(std::tuple(check.outcome, check.notice), std::tuple(RecurrenceOkCheck::Outcome::Accept, notice));
    }
    pages.monthly.dayMode = false;
    EXPECT_EQ(CheckRecurrencePage(pages, kPatternMonthly).notice, "");

    struct Case {
        int monthIndex, day;
        bool ok;
    } cases[] = {{1, 28, true}, {1, 29, false}, {1, 30, false}, {3, 30, true}, {3, 31, false}, {11, 31, true}};
    for (const Case& c : cases) {
        pages.yearly.everyMonthIndex = c.monthIndex;
        pages.yearly.day = c.day;
        EXPECT_EQ(CheckRecurrencePage(pages, kPatternYearly).message, c.ok ? "" : "Invalid time")
            << c.monthIndex << "/" << c.day;
    }
    // In The mode the Every row's day is not a date to check.
    pages.yearly.dayMode = false;
    EXPECT_EQ(CheckRecurrencePage(pages, kPatternYearly).outcome, RecurrenceOkCheck::Outcome::Accept);
}

TEST(RecurrencePages, IntegerFieldsReadLikeEditBoxes) {
    EXPECT_EQ(ParseIntField(" 12 ", kMonthlyIntervalRange).value, 12);
    EXPECT_TRUE(ParseIntField("+7", kMonthlyIntervalRange).ok);
    for (const char* text : {"", "1a", "-"})
        EXPECT_EQ(ParseIntField(text, kMonthlyIntervalRange).message, "Please enter an integer.") << text;
    EXPECT_EQ(ParseIntField("-1", kMonthlyIntervalRange).message, "Please enter an integer between 1 and 12.");
    EXPECT_EQ(ParseIntField("99999999999999999999", kDailyIntervalRange).message,
              "Please enter an integer between 1 and 365.");
}

TEST(RecurrenceDialog, LoadAndApplyNeverMoveTheAnchor) {
    CReCurrence rule = RuleOf(kPatternMonthly);
    const DateTime anchor = DateTime::FromParts(2024, 6, 3, 10, 15, 0);
    rule.SetAnchor(anchor);
    rule.SetDuration(3600);
    CRecurrenceModel m;
    m.LoadFromRule(rule);
    EXPECT_EQ(std::tuple(m.GetPatternType(), m.duration), std::tuple(int(kPatternMonthly), 3600));
    m.SwitchKind(kPatternYearly);
    m.start = DateTime::FromParts(2025, 1, 1, 9, 0, 0);
    m.end = DateTime::FromParts(2026, 1, 1);
    m.endsOn = true;
    m.ApplyToRule(rule);
    EXPECT_EQ(std::tuple(rule.GetPatternType(), rule.GetAnchor(), rule.GetStart(), rule.GetEnd(), rule.IsEndEnabled()),
              std::tuple(int(kPatternYearly), anchor, m.start, m.end, true));

    m.removeRequested = true;
    m.ApplyToRule(rule);
    // The dialog's times still reach the rule.
    EXPECT_EQ(std::tuple(rule.HasPattern(), rule.GetAnchor().Days(), rule.GetStart()), std::tuple(false, 0.0, m.start));
}

TEST(RecurrenceDialog, SwitchingKindsKeepsEveryPage) {
    CRecurrenceModel m;
    m.LoadFromRule(RuleOf(kPatternWeekly));
    m.pages.weekly.days = {false, true, false, false, true, false, false};
    m.SwitchKind(kPatternDaily);
    m.pages.daily.interval = 4;
    m.SwitchKind(kPatternWeekly);
    EXPECT_EQ(DescriptionAfter(m), "Every 1 week(s) on Monday,Thursday");
    m.SwitchKind(kPatternDaily);
    EXPECT_EQ(DescriptionAfter(m), "Every 4 Days");
    m.SwitchKind(kPatternNone);  // not a kind of the dialog
    EXPECT_EQ(m.GetPatternType(), kPatternDaily);

    // A rule without a pattern opens on the daily page with the page defaults.
    CRecurrenceModel fresh;
    fresh.LoadFromRule(CReCurrence());
    EXPECT_EQ(fresh.GetPatternType(), kPatternDaily);
    EXPECT_EQ(DescriptionAfter(fresh), "Every 1 Days");
}

TEST(RecurrenceDialog, TheEndFollowsTheStartAndOkRefusesAnEndBeforeIt) {
    const DateTime may6 = DateTime::FromParts(2024, 5, 6), may9 = DateTime::FromParts(2024, 5, 9);
    CReCurrence rule = RuleOf(kPatternDaily);  // starts 6 May 10:15
    rule.SetEnd(DateTime::FromParts(2024, 5, 1));
    CRecurrenceModel m;
    m.LoadFromRule(rule);
    EXPECT_EQ(m.end, may6);  // opening brings an earlier end up to the start's day
    m.SetStart(may9 + TimeSpan::FromParts(0, 8, 0, 0));
    EXPECT_EQ(m.end, may9);
    m.SetStart(may6);
    EXPECT_EQ(m.end, may9);  // a later end stays
    // OK refuses an end before the start's day only while Ends On is ticked.
    m.start = may6 + TimeSpan::FromParts(0, 23, 0, 0);
    m.endsOn = true;
    m.end = may6;
    EXPECT_EQ(m.CheckOk().outcome, RecurrenceOkCheck::Outcome::Accept);
    m.end = DateTime::FromParts(2024, 5, 5);
    EXPECT_EQ(
        std::tuple(m.CheckOk().outcome, m.CheckOk().message),
        std::tuple(RecurrenceOkCheck::Outcome::EndBeforeStart, "The series cannot end before the day it starts."));
    m.endsOn = false;
    EXPECT_EQ(m.CheckOk().outcome, RecurrenceOkCheck::Outcome::Accept);
}
