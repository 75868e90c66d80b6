// The one-walk collection of a run of days answers exactly what GetEventsOfDay answers day by day.
#include <gtest/gtest.h>

#include <random>

#include "ViewTestSupport.h"
#include "views/DayEvents.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;

namespace {

// Rules of every kind, including the odd ones: anchors, ends before the start, empty weekly
// masks, day 31, yearly days that do not exist in every year, invalid dates.
CPtEvent RandomEvent(std::mt19937& rng, int i) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const DateTime base = At(2008, 1, 1);
    const DateTime start = base + TimeSpan(pick(-800, 800)) + TimeSpan::FromParts(0, pick(0, 23), pick(0, 59), 0);
    CPtEvent ev = tvtest::OneOff("e" + std::to_string(i), start);
    if (pick(0, 4) == 0) return ev;  // some one-off events among them
    CReCurrence& rule = ev.GetRecurrence();
    rule.SetStart(pick(0, 60) == 0 ? DateTime::Invalid() : start);
    rule.SetPatternType(pick(0, 3));
    if (auto* d = dynamic_cast<CDailyRePattern*>(rule.GetPattern())) d->SetInterval(pick(1, 40));
    if (auto* w = dynamic_cast<CWeeklyRePattern*>(rule.GetPattern())) {
        w->SetInterval(pick(1, 6));
        w->SetWeekdayMask(pick(0, 127));
    }
    if (auto* m = dynamic_cast<CMonthlyRePattern*>(rule.GetPattern())) {
        m->SetInterval(pick(1, 12));
        m->SetDay(pick(1, 31));
        m->SetOrdinal(pick(1, 5));
        m->SetWeekday(pick(1, 7));
        m->SetDayMode(pick(0, 1));
    }
    if (auto* y = dynamic_cast<CYearlyRePattern*>(rule.GetPattern())) {
        y->SetMonth(pick(1, 12));
        y->SetDay(pick(1, 31));
        y->SetOrdinal(pick(1, 5));
        y->SetWeekday(pick(1, 7));
        y->SetDayMode(pick(0, 1));
    }
    rule.SetEndEnabled(pick(0, 2) == 0);
    rule.SetEnd((start + TimeSpan(pick(-30, 400))).DateOnly());
    if (pick(0, 2) == 0) rule.SetAnchor(start + TimeSpan(pick(0, 500)) + TimeSpan(pick(0, 1439) / 1440.0));
    return ev;
}

void ExpectSameLists(const DayEventLists& fast, const DayEventLists& slow, const DateTime& first) {
    ASSERT_EQ(fast.size(), slow.size());
    for (size_t d = 0; d < fast.size(); ++d) {
        ASSERT_EQ(fast[d].size(), slow[d].size()) << "day " << d << " from " << first.ToIsoText();
        for (size_t k = 0; k < fast[d].size(); ++k) {
            EXPECT_EQ(fast[d][k].event, slow[d][k].event) << "day " << d << " entry " << k;
            EXPECT_EQ(fast[d][k].occurrence, slow[d][k].occurrence) << "day " << d << " entry " << k;
        }
    }
}

}  // namespace

TEST(DayEvents, OneWalkEqualsDayByDayOverRandomRules) {
    std::mt19937 rng(4711);
    CEventStore store;
    for (int i = 0; i < 1500; ++i) AddTo(store, RandomEvent(rng, i));
    size_t total = 0;
    for (int run = 0; run < 60; ++run) {
        const int count = std::uniform_int_distribution<int>(1, 70)(rng);
        const DateTime first = At(2008, 1, 1) + TimeSpan(std::uniform_int_distribution<int>(-900, 900)(rng)) +
                               TimeSpan(run % 3 == 0 ? 0.6 : 0.0);  // the Daily view passes a time of day too
        const DayEventLists fast = CollectEventsOfDays(store, first, count);
        const DayEventLists slow = CollectEventsOfDaysOneByOne(store, first, count);
        ExpectSameLists(fast, slow, first);
        for (const auto& day : fast) total += day.size();
    }
    EXPECT_GT(total, 10000u);  // the runs really met events
}

TEST(DayEvents, EmptyRunsAndTheOrderWithinADay) {
    CEventStore store;
    const uint32_t r = AddTo(store, tvtest::Daily("daily", At(2008, 1, 1, 8, 0)));
    const uint32_t a = AddTo(store, tvtest::OneOff("a", At(2008, 1, 3, 9, 0)));
    const uint32_t b = AddTo(store, tvtest::OneOff("b", At(2008, 1, 3, 7, 0)));
    EXPECT_TRUE(CollectEventsOfDays(store, At(2008, 1, 1), 0).empty());
    const DayEventLists lists = CollectEventsOfDays(store, At(2008, 1, 2), 2);
    ASSERT_EQ(lists[1].size(), 3u);
    EXPECT_EQ(lists[1][0].event->GetId(), a);
    EXPECT_EQ(lists[1][1].event->GetId(), b);
    EXPECT_EQ(lists[1][2].event->GetId(), r);
    EXPECT_EQ(lists[1][2].occurrence, At(2008, 1, 3, 8, 0));
}
