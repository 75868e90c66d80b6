// A series reminds each occurrence once, in order, and keeps every occurrence on the calendar.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "Events.h"
#include "Reminders.h"
#include "shell/EventAnswers.h"

using namespace tv;
using tvtest::At;

namespace {

template <class P>
P* PatternOf(CPtEvent& ev) {
    return static_cast<P*>(ev.GetRecurrence().GetPattern());
}

CPtEvent Series(PatternType kind, const DateTime& start, int remindBefore = 0) {
    return tvtest::Warned(tvtest::Recurring("", start, kind), remindBefore);
}

CPtEvent EveryNDays(int n, const DateTime& start, int remindBefore = 0) {
    CPtEvent ev = Series(kPatternDaily, start, remindBefore);
    PatternOf<CDailyRePattern>(ev)->SetInterval(n);
    return ev;
}

CPtEvent Ending(CPtEvent ev, const DateTime& end) {
    ev.GetRecurrence().SetEndEnabled(true);
    ev.GetRecurrence().SetEnd(end);
    return ev;
}

// What the user does and sees, in order: Accept at a moment, due or not at a moment, listed
// on a day or not, or the occurrence the next reminder is for.
enum class Op { Accept, Due, NotDue, Listed, NotListed, Pending };
struct Step {
    Op op;
    DateTime at;
};

struct Example {
    const char* what;
    CPtEvent event;
    std::vector<Step> steps;
};

bool ListedOn(const CEventStore& store, uint32_t id, const DateTime& day) {
    std::vector<const CPtEvent*> found;
    store.GetEventsOfDay(day, found);
    for (const CPtEvent* ev : found)
        if (ev->GetId() == id) return true;
    return false;
}

}  // namespace

TEST(ReminderSeries, ExamplesThroughTheStore) {
    CPtEvent weekly = Series(kPatternWeekly, At(2027, 5, 3, 9, 0));  // a Monday
    PatternOf<CWeeklyRePattern>(weekly)->SetInterval(2);
    PatternOf<CWeeklyRePattern>(weekly)->SetWeekdayMask(1 << 1 | 1 << 4);
    CPtEvent monthly31 = Series(kPatternMonthly, At(2027, 1, 31, 9, 0));
    PatternOf<CMonthlyRePattern>(monthly31)->SetInterval(2);
    PatternOf<CMonthlyRePattern>(monthly31)->SetDay(31);
    CPtEvent monthly10 = Series(kPatternMonthly, At(2026, 4, 10, 9, 0), 2 * 86400);
    PatternOf<CMonthlyRePattern>(monthly10)->SetDay(10);
    CPtEvent noDay = Series(kPatternWeekly, At(2027, 6, 1, 9, 0));
    PatternOf<CWeeklyRePattern>(noDay)->SetWeekdayMask(0);
    const DateTime none = DateTime::Null();

    // clang-format off
    const Example examples[] = {
        {"every 7 days stays every 7 days",
         EveryNDays(7, At(2027, 5, 10, 9, 0)),
         {{Op::Accept, At(2027, 5, 10, 9, 1)}, {Op::Pending, At(2027, 5, 17, 9, 0)},
          {Op::NotDue, At(2027, 5, 11, 9, 0, 1)}, {Op::Due, At(2027, 5, 17, 9, 0, 1)},
          {Op::Listed, At(2027, 5, 10)}, {Op::NotListed, At(2027, 5, 11)}, {Op::Listed, At(2027, 5, 17)}}},
        {"every 2 months on day 31 keeps its months",
         monthly31,
         {{Op::Accept, At(2027, 1, 31, 9, 1)}, {Op::Pending, At(2027, 3, 31, 9, 0)},
          {Op::NotListed, At(2027, 2, 28)}, {Op::Listed, At(2027, 3, 31)}, {Op::Listed, At(2027, 1, 31)}}},
        {"every 2 weeks on Monday and Thursday keeps Thursday and its weeks",
         weekly,
         {{Op::Pending, At(2027, 5, 10, 9, 0)}, {Op::Accept, At(2027, 5, 10, 9, 1)},
          {Op::Pending, At(2027, 5, 13, 9, 0)}, {Op::Accept, At(2027, 5, 13, 9, 1)},
          {Op::Pending, At(2027, 5, 24, 9, 0)}, {Op::NotListed, At(2027, 5, 17)}, {Op::Listed, At(2027, 5, 27)}}},
        {"a warning across midnight is answered once",
         EveryNDays(1, At(2027, 5, 2, 0, 10), 1800),
         {{Op::Due, At(2027, 5, 1, 23, 41)}, {Op::Accept, At(2027, 5, 1, 23, 45)},
          {Op::NotDue, At(2027, 5, 1, 23, 46)}, {Op::NotDue, At(2027, 5, 2, 0, 5)},
          {Op::Pending, At(2027, 5, 3, 0, 10)}, {Op::Due, At(2027, 5, 2, 23, 40, 1)}}},
        {"a late answer keeps the day's own later occurrence",
         EveryNDays(1, At(2027, 5, 1, 23, 0)),
         {{Op::Accept, At(2027, 5, 2, 0, 30)}, {Op::Pending, At(2027, 5, 2, 23, 0)},
          {Op::NotDue, At(2027, 5, 2, 23, 0)}, {Op::Due, At(2027, 5, 2, 23, 0, 1)}}},
        {"accepted at 08:55, reminded next for tomorrow's 09:00",
         EveryNDays(1, At(2026, 5, 1, 9, 0), 600),
         {{Op::Due, At(2026, 5, 3, 8, 55)}, {Op::Accept, At(2026, 5, 3, 8, 55)},
          {Op::NotDue, At(2026, 5, 4, 8, 50)}, {Op::Due, At(2026, 5, 4, 8, 50, 1)},
          {Op::Pending, At(2026, 5, 4, 9, 0)}, {Op::Listed, At(2026, 5, 3)}}},
        {"an open two-day window is answered as a whole",
         monthly10,
         {{Op::Accept, At(2026, 5, 9, 12, 0)}, {Op::NotDue, At(2026, 5, 10, 10, 0)},
          {Op::Pending, At(2026, 6, 10, 9, 0)}, {Op::Listed, At(2026, 5, 10)}}},
        {"accepted ahead of time, the next occurrence is done",
         EveryNDays(1, At(2027, 5, 1, 9, 0)),
         {{Op::Accept, At(2027, 4, 30, 12, 0)}, {Op::Pending, At(2027, 5, 2, 9, 0)}, {Op::Listed, At(2027, 5, 1)}}},
        {"the end day reminds, nothing after it",
         Ending(EveryNDays(1, At(2027, 1, 1, 9, 0)), At(2027, 2, 1)),
         {{Op::Due, At(2027, 1, 15)}, {Op::NotDue, At(2031, 1, 1)}, {Op::NotDue, At(2027, 2, 2, 0, 0, 1)},
          {Op::Accept, At(2027, 1, 31, 9, 1)}, {Op::Due, At(2027, 2, 1, 9, 0, 1)},
          {Op::Accept, At(2027, 2, 1, 9, 1)}, {Op::NotDue, At(2027, 2, 1, 23, 0)}, {Op::Pending, none}}},
        {"a window that opens before the end for a day after it",
         Ending(EveryNDays(1, At(2027, 6, 1, 9, 0), 2 * 86400), At(2027, 6, 10)),
         {{Op::Accept, At(2027, 6, 8, 12, 0)}, {Op::NotDue, At(2027, 6, 9, 10, 0)},
          {Op::NotDue, At(2027, 6, 10, 12, 0)}, {Op::Listed, At(2027, 6, 10)}, {Op::NotListed, At(2027, 6, 11)}}},
        {"a weekly rule with no day never falls",
         noDay,
         {{Op::NotDue, At(2027, 6, 2)}, {Op::NotListed, At(2027, 6, 1)}, {Op::Pending, none}}},
    };
    // clang-format on
    for (const Example& e : examples) {
        CEventStore store;
        const uint32_t id = tvtest::AddTo(store, e.event);
        for (const Step& s : e.steps) {
            CPtEvent ev;
            ASSERT_TRUE(store.GetById(id, ev));
            const std::string where = std::string(e.what) + " at " + s.at.ToIsoText();
            switch (s.op) {
                case Op::Accept: ApplyEventChange(store, id, EventChange::Accept, s.at); break;
                case Op::Due: EXPECT_TRUE(ev.IsDue(s.at)) << where; break;
                case Op::NotDue: EXPECT_FALSE(ev.IsDue(s.at)) << where; break;
                case Op::Listed: EXPECT_TRUE(ListedOn(store, id, s.at)) << where; break;
                case Op::NotListed: EXPECT_FALSE(ListedOn(store, id, s.at)) << where; break;
                case Op::Pending: EXPECT_EQ(ev.GetPendingOccurrence(), s.at) << where; break;
            }
        }
    }
}

TEST(ReminderSeries, APopUpAnsweredElsewhereOnlyCloses) {
    CEventStore store;
    const uint32_t id = tvtest::AddTo(store, EveryNDays(1, At(2027, 5, 1, 9, 0)));
    const DateTime announced = At(2027, 5, 1, 9, 0);
    ApplyEventChange(store, id, EventChange::Accept, At(2027, 5, 1, 9, 2));  // from the main window
    AcceptEvent(store, id, At(2027, 5, 1, 9, 3), announced);                 // the pop-up's answer
    CPtEvent ev;
    store.GetById(id, ev);
    EXPECT_EQ(ev.GetPendingOccurrence(), At(2027, 5, 2, 9, 0));
    EXPECT_FALSE(ev.IsShowing());
}

// A simulated user starts before a random series' first reminder and answers each pop-up,
// at once or a few passes later, while the real check pass runs on a clock that moves in real
// seconds through Berlin's daylight-saving changes. Every occurrence the calendar shows is
// answered exactly once: announced in order, or (answered late) covered by an Accept given
// after its own reminder moment. None is ever announced twice or swallowed early.
namespace {

CPtEvent RandomSeries(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    // Small intervals mostly, so that a few months hold many occurrences.
    auto interval = [&](int most) { return pick(0, 4) == 0 ? pick(1, most) : pick(1, 3); };
    const DateTime start = At(pick(2026, 2028), pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 3) * 15);
    const int warnings[] = {0, 60, 900, 3600, 6 * 3600, 86400, 86400 + 1800, 3 * 86400};
    CPtEvent ev = Series(static_cast<PatternType>(pick(0, 3)), start, warnings[pick(0, 7)]);
    const int ordinal = pick(1, 5), weekday = pick(1, 7), dayMode = pick(0, 1);
    if (auto* p = dynamic_cast<CDailyRePattern*>(ev.GetRecurrence().GetPattern())) {
        p->SetInterval(interval(30));
    } else if (auto* p = dynamic_cast<CWeeklyRePattern*>(ev.GetRecurrence().GetPattern())) {
        p->SetInterval(interval(6));
        p->SetWeekdayMask(pick(1, 0x7F));
    } else if (auto* p = dynamic_cast<CMonthlyRePattern*>(ev.GetRecurrence().GetPattern())) {
        p->SetInterval(interval(4));
        p->SetDay(pick(0, 1) ? pick(28, 31) : pick(1, 31));
        p->SetOrdinal(ordinal);
        p->SetWeekday(weekday);
        p->SetDayMode(dayMode);
    } else if (auto* p = dynamic_cast<CYearlyRePattern*>(ev.GetRecurrence().GetPattern())) {
        p->SetMonth(pick(1, 12));
        p->SetDay(pick(1, 28));
        p->SetOrdinal(ordinal);
        p->SetWeekday(weekday);
        p->SetDayMode(dayMode);
    }
    if (pick(0, 2) == 0) ev = Ending(ev, start + TimeSpan(pick(0, 200)));
    return ev;
}

}  // namespace

TEST(ReminderSeries, EveryOccurrenceIsAnsweredExactlyOnceInOrder) {
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int checked = 0;
    for (int round = 0; round < 120; ++round) {
        const CPtEvent series = RandomSeries(rng);
        const CReCurrence& rule = series.GetRecurrence();
        const TimeSpan warning = series.GetRemindBeforeSpan();
        const int days = rule.GetPatternType() == kPatternYearly ? 400 : 150;

        // The occurrences, straight from the pattern's own day test.
        const int64_t firstDay = rule.GetStart().DayNumber();
        std::vector<DateTime> occurrences;
        for (int64_t d = firstDay; d < firstDay + days; ++d) {
            const DateTime day = DateTime::FromDayNumber(d);
            if (rule.GetPattern()->IsOccurrenceDay(day, rule.GetStart()) &&
                (!rule.IsEndEnabled() || d <= rule.GetEnd().DayNumber()))
                occurrences.push_back(day.WithTimeOf(rule.GetStart()));
        }
        CEventStore store;
        const uint32_t id = tvtest::AddTo(store, series);

        // The calendar lists each of them on its day, and nothing else.
        std::vector<std::vector<CEventStore::DayEvent>> listed;
        store.GetEventsOfDays(DateTime::FromDayNumber(firstDay), days, listed);
        std::vector<DateTime> shown;
        for (const auto& day : listed)
            for (const auto& e : day) shown.push_back(e.occurrence);
        ASSERT_EQ(shown, occurrences) << rule.GetDescription();

        // No reminder moment of a later occurrence is reached: warnings are under four days.
        const std::time_t end = tvtest::RealSecond(DateTime::FromDayNumber(firstDay + days - 4));
        const bool late = pick(0, 1) == 1;
        std::vector<int> answers(occurrences.size(), 0);
        std::vector<DateTime> announced;
        tvtest::RecordingSink popUps;
        std::optional<DateTime> open;  // the occurrence an open pop-up announced
        int passesOpen = 0;
        for (std::time_t t = tvtest::RealSecond(rule.GetStart() - warning) - pick(60, 3 * 86400); t < end;
             t += pick(60, 90 * 60)) {
            const DateTime now = tvtest::WallClock(t);
            CPtEvent ev;
            if (CReminderScheduler::CheckPass(store, now, popUps) > 0) {
                ASSERT_FALSE(open) << "announced while its pop-up is open";
                store.GetById(id, ev);
                open = ev.GetPendingOccurrence();
                ASSERT_TRUE(now > *open - warning) << "announced early: " << open->ToIsoText();
                ASSERT_NE(std::find(occurrences.begin(), occurrences.end(), *open), occurrences.end())
                    << "not an occurrence: " << open->ToIsoText();
                announced.push_back(*open);
                passesOpen = 0;
            }
            if (!open || (late && passesOpen++ < pick(0, 3))) continue;
            store.GetById(id, ev);
            const DateTime before = ev.GetPendingOccurrence();
            AcceptEvent(store, id, now, *open);
            store.GetById(id, ev);
            const DateTime after = ev.GetPendingOccurrence();
            for (size_t i = 0; i < occurrences.size(); ++i) {
                if (occurrences[i] < before || (after.IsValid() && !(occurrences[i] < after))) continue;
                ++answers[i];
                EXPECT_FALSE(now < occurrences[i] - warning)
                    << "swallowed before its window opened: " << occurrences[i].ToIsoText();
            }
            open.reset();
        }
        for (size_t i = 1; i < announced.size(); ++i) EXPECT_LT(announced[i - 1], announced[i]);
        // Every occurrence whose window had opened well before the end was answered, once.
        const DateTime last = tvtest::WallClock(end) - TimeSpan(1.0);
        for (size_t i = 0; i < occurrences.size() && !(occurrences[i] - warning > last); ++i, ++checked)
            EXPECT_EQ(answers[i], 1) << rule.GetDescription() << ": " << occurrences[i].ToIsoText();
        if (HasFailure()) return;
    }
    EXPECT_GT(checked, 1000);
}
