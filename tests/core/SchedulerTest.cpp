// The scheduler: check passes, the thread's loop and two threads on one store.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "Events.h"
#include "engine/ReminderScheduler.h"

using namespace tv;
using tvtest::At;

namespace {

class RecordingSink : public IReminderSink {
public:
    bool PostEventPop(uint32_t id) override {
        std::lock_guard g(m_lock);
        m_ids.push_back(id);
        return true;
    }
    std::vector<uint32_t> Ids() const {
        std::lock_guard g(m_lock);
        return m_ids;
    }

private:
    mutable std::mutex m_lock;
    std::vector<uint32_t> m_ids;
};

class FixedClock : public IClock {
public:
    explicit FixedClock(DateTime t) : m_t(t.Days()) {}
    DateTime Now() const override { return DateTime(m_t.load()); }
    void Set(DateTime t) { m_t = t.Days(); }

private:
    std::atomic<double> m_t;
};

uint32_t AddOneOff(CEventStore& store, const DateTime& start, bool enabled = true) {
    CPtEvent ev = tvtest::OneOff("", start);
    ev.SetEnabled(enabled);
    return tvtest::AddTo(store, ev);
}

uint32_t AddDaily(CEventStore& store, const DateTime& start) { return tvtest::AddTo(store, tvtest::Daily("", start)); }

}  // namespace

TEST(Scheduler, APassAnnouncesEachDueEventOnceOneOffFirst) {
    CEventStore store;
    const uint32_t daily = AddDaily(store, At(2026, 5, 1, 10, 0));
    const uint32_t a = AddOneOff(store, At(2026, 5, 3, 10, 0));
    AddOneOff(store, At(2026, 5, 3, 10, 0), false);       // disabled
    AddOneOff(store, At(2026, 5, 3, 10, 0, 1));            // not yet
    const uint32_t b = AddOneOff(store, At(2026, 5, 2, 8, 0));  // missed yesterday
    RecordingSink sink;
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 0, 1), sink), 3u);
    EXPECT_EQ(sink.Ids(), (std::vector<uint32_t>{a, b, daily}));
    // While the pop-ups are open nothing is announced again, however long they stay.
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 6, 3), sink), 1u);  // only the not-yet one
    CPtEvent ev;
    ASSERT_TRUE(store.GetById(a, ev));
    EXPECT_TRUE(ev.IsShowing());
    EXPECT_EQ(ev.GetReminderState(), kReminderArmed);  // only the user's answer changes it
}

TEST(Scheduler, AnEditMadeMeanwhileKeepsThePopUpMark) {
    CEventStore store;
    const uint32_t id = AddOneOff(store, At(2026, 5, 3, 10, 0));
    CPtEvent editorCopy;
    store.GetById(id, editorCopy);  // an editor opens before the reminder falls due
    RecordingSink sink;
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 1), sink), 1u);
    editorCopy.SetNote("edited");
    store.Modify(id, editorCopy);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 2), sink), 0u);
    // The pop-up's answer does clear it.
    CPtEvent answered;
    store.GetById(id, answered);
    answered.Snooze(60, At(2026, 5, 3, 10, 2));
    answered.ClearShowing();
    store.Modify(id, answered, ShowingMark::Replace);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 3, 10, 3, 1), sink), 1u);

    // Enabling a disabled event makes it due at the next pass.
    const uint32_t off = AddOneOff(store, At(2026, 5, 3, 10, 0), false);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 4), sink), 0u);
    CPtEvent ev;
    store.GetById(off, ev);
    ev.SetEnabled(true);
    store.Modify(off, ev);
    EXPECT_EQ(CReminderScheduler::CheckPass(store, At(2026, 5, 4), sink), 1u);
}

TEST(Scheduler, TheThreadWaitsThenPassesUntilStopped) {
    CEventStore store;
    const uint32_t id = AddOneOff(store, At(2026, 5, 3, 10, 0));
    FixedClock clock(At(2026, 5, 3, 9, 0));
    RecordingSink sink;
    SchedulerTiming fast{std::chrono::milliseconds(20), std::chrono::milliseconds(1), 11};
    CReminderScheduler scheduler(store, sink, clock, fast);
    ASSERT_TRUE(scheduler.Create());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(scheduler.PassCount(), 0u);  // held until started
    scheduler.Start();
    while (scheduler.PassCount() < 3) std::this_thread::yield();
    EXPECT_TRUE(sink.Ids().empty());
    clock.Set(At(2026, 5, 3, 10, 0, 1));
    const uint64_t seen = scheduler.PassCount();
    while (scheduler.PassCount() < seen + 2) std::this_thread::yield();
    EXPECT_EQ(sink.Ids(), std::vector<uint32_t>{id});
    scheduler.Stop();
    EXPECT_TRUE(scheduler.Wait(2000));
}

TEST(Scheduler, StopDuringTheFirstDelayEndsAtOnceAndAnUnstartedOneNeverRuns) {
    CEventStore store;
    AddOneOff(store, At(2025, 1, 1));
    FixedClock clock(At(2026, 1, 1));
    RecordingSink sink;
    {
        CReminderScheduler unstarted(store, sink, clock, {std::chrono::milliseconds(0), std::chrono::milliseconds(0), 1});
        ASSERT_TRUE(unstarted.Create());
    }
    EXPECT_TRUE(sink.Ids().empty());
    CReminderScheduler scheduler(store, sink, clock);  // the real five-second first delay
    ASSERT_TRUE(scheduler.Create());
    scheduler.Start();
    const auto t0 = std::chrono::steady_clock::now();
    scheduler.Stop();
    EXPECT_TRUE(scheduler.Wait(-1));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    EXPECT_EQ(scheduler.PassCount(), 0u);
}

TEST(Scheduler, TwoThreadsHammeringTheStoreLoseNothing) {
    CEventStore store;
    FixedClock clock(At(2026, 5, 3, 12, 0));
    RecordingSink sink;
    SchedulerTiming fast{std::chrono::milliseconds(0), std::chrono::milliseconds(0), 1};
    CReminderScheduler scheduler(store, sink, clock, fast);
    ASSERT_TRUE(scheduler.Create());
    scheduler.Start();

    // The user-interface side: adds due and future events, changes and deletes some of them.
    std::vector<uint32_t> kept;
    for (int i = 0; i < 3000; ++i) {
        const bool due = i % 2 == 0;
        const uint32_t id = (i % 5 == 0) ? AddDaily(store, At(2026, 5, 1, 9, 0))
                                         : AddOneOff(store, due ? At(2026, 5, 3, 11, 0) : At(2026, 6, 1));
        if (i % 7 == 3) {
            store.Delete(id);
            continue;
        }
        if (i % 3 == 0) {
            CPtEvent ev;
            if (store.GetById(id, ev)) {
                ev.SetNote("changed");
                store.Modify(id, ev);
            }
        }
        kept.push_back(id);
        std::vector<const CPtEvent*> day;
        CEventStore::AllLock lock(store);
        store.GetEventsOfDay(At(2026, 5, 3), day);
    }
    const uint64_t seen = scheduler.PassCount();
    while (scheduler.PassCount() < seen + 2) std::this_thread::yield();
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
        const bool wasAnnounced = std::binary_search(announced.begin(), announced.end(), id);
        EXPECT_EQ(wasAnnounced, ev.IsShowing()) << id;
        // Edits made while a pass ran never cleared a mark, so nothing due was missed either.
        EXPECT_FALSE(ev.IsDue(clock.Now())) << id;
    }
}
