// The scheduler: check passes, stopping its thread and two threads on one store.
#include <gtest/gtest.h>

#include <algorithm>

#include "Events.h"
#include "Reminders.h"

using namespace tv;
using tvtest::At;

namespace {

uint32_t AddOneOff(CEventStore& store, const DateTime& start, bool enabled = true) {
    CPtEvent ev = tvtest::OneOff("", start);
    ev.SetEnabled(enabled);
    return tvtest::AddTo(store, ev);
}

uint32_t AddDaily(CEventStore& store, const DateTime& start) { return tvtest::AddTo(store, tvtest::Daily("", start)); }

}  // namespace

// A pass marks what it announces as showing and changes nothing else: only the user's answer
// does. (The order of a pass and the not-yet-due edges are the time-trouble and event tests'.)
TEST(Scheduler, APassMarksTheEventAndAnEditMadeMeanwhileKeepsTheMark) {
    CEventStore store;
    const uint32_t id = AddOneOff(store, At(2026, 5, 3, 10, 0));
    AddOneOff(store, At(2026, 5, 3, 10, 0), false);  // disabled
    CPtEvent editorCopy;
    store.GetById(id, editorCopy);  // an editor opens before the reminder falls due
    tvtest::RecordingSink sink;
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 1), sink), 1u);
    CPtEvent shown;
    ASSERT_TRUE(store.GetById(id, shown));
    EXPECT_EQ(std::tuple(shown.IsShowing(), shown.GetReminderState()), std::tuple(true, int(kReminderArmed)));
    editorCopy.SetNote("edited");
    store.Modify(id, editorCopy);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 6, 3), sink), 0u);
    // The pop-up's answer does clear it.
    CPtEvent answered;
    store.GetById(id, answered);
    answered.Snooze(60, At(2026, 5, 3, 10, 2));
    answered.ClearShowing();
    store.Modify(id, answered, ShowingMark::Replace);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 3, 1), sink), 1u);
}

// Stopped during the real five-second first delay, or during a five-second tick after a pass,
// the thread ends at once; one never started never runs.
TEST(Scheduler, StopEndsTheThreadAtOnceAndAnUnstartedOneNeverRuns) {
    CEventStore store;
    AddOneOff(store, At(2025, 1, 1));
    tvtest::ManualClock clock(At(2026, 1, 1));
    tvtest::RecordingSink sink;
    {
        CReminderScheduler unstarted(store, sink, clock,
                                     {std::chrono::milliseconds(0), std::chrono::milliseconds(0), 1});
        ASSERT_TRUE(unstarted.Create());
    }
    EXPECT_TRUE(sink.Ids().empty());
    for (SchedulerTiming timing :
         {SchedulerTiming{}, SchedulerTiming{std::chrono::milliseconds(0), std::chrono::seconds(5), 1}}) {
        CReminderScheduler scheduler(store, sink, clock, timing);
        ASSERT_TRUE(scheduler.Create());
        scheduler.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto t0 = std::chrono::steady_clock::now();
        scheduler.Stop();
        EXPECT_TRUE(scheduler.Wait(-1));
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    }
}

TEST(Scheduler, TwoThreadsHammeringTheStoreLoseNothing) {
    CEventStore store;
    tvtest::ManualClock clock(At(2026, 5, 3, 12, 0));
    tvtest::RecordingSink sink;
    CReminderScheduler scheduler(store, sink, clock, {std::chrono::milliseconds(0), std::chrono::milliseconds(0), 1});
    ASSERT_TRUE(scheduler.Create());
    scheduler.Start();

    // The user-interface side: adds due and future events, changes and deletes some of them.
    std::vector<uint32_t> kept;
    for (int i = 0; i < 3000; ++i) {
        const uint32_t id = (i % 5 == 0) ? AddDaily(store, At(2026, 5, 1, 9, 0))
                                         : AddOneOff(store, i % 2 ? At(2026, 6, 1) : At(2026, 5, 3, 11, 0));
        if (i % 7 == 3) {
            store.Delete(id);
            continue;
        }
        CPtEvent ev;
        if (i % 3 == 0 && store.GetById(id, ev)) {
            ev.SetNote("changed");
            store.Modify(id, ev);
        }
        kept.push_back(id);
        std::vector<const CPtEvent*> day;
        CEventStore::AllLock lock(store);
        store.GetEventsOfDay(At(2026, 5, 3), day);
    }
    ASSERT_TRUE(tvtest::WaitForPasses(scheduler));
    scheduler.Stop();
    ASSERT_TRUE(scheduler.Wait(5000));

    EXPECT_EQ(store.GetCount(), kept.size());
    // Every announced event was announced once, and every due event that was kept was announced.
    std::vector<uint32_t> announced = sink.Ids();
    std::sort(announced.begin(), announced.end());
    EXPECT_EQ(std::adjacent_find(announced.begin(), announced.end()), announced.end());
    for (uint32_t id : kept) {
        CPtEvent ev;
        ASSERT_TRUE(store.GetById(id, ev));
        EXPECT_EQ(std::binary_search(announced.begin(), announced.end(), id), ev.IsShowing()) << id;
        // Edits made while a pass ran never cleared a mark, so nothing due was missed either.
        EXPECT_FALSE(ev.IsDue(clock.Now())) << id;
    }
}
