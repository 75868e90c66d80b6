// Reminders when time misbehaves: sleep, a clock set back, daylight-saving changes, restarts.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <set>
#include <thread>

#include "TempDir.h"
#include "engine/ReminderScheduler.h"
#include "store/EventStore.h"

using namespace tv;

namespace {

DateTime At(int y, int mo, int d, int h, int mi, int s = 0) { return DateTime::FromParts(y, mo, d, h, mi, s); }

// The local wall-clock time the C library reports at that real second (TZ=Europe/Berlin).
DateTime WallClock(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return At(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::time_t RealSecond(int y, int mo, int d, int h, int mi, int isDst) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_isdst = isDst;
    return std::mktime(&tm);
}

CPtEvent OneOff(const std::string& name, const DateTime& start, int remindBefore = 0) {
    CPtEvent ev(start - TimeSpan(30.0));
    ev.SetName(name);
    ev.SetStart(start);
    ev.SetRemindBefore(remindBefore);
    return ev;
}

CPtEvent Daily(const std::string& name, const DateTime& start, int remindBefore = 0) {
    CPtEvent ev = OneOff(name, start, remindBefore);
    CReCurrence& rule = ev.GetRecurrence();
    rule.SetPatternType(kPatternDaily);
    rule.SetStart(start);
    rule.SetEnd(start);
    return ev;
}

// The pop-up as the user answers it: accept, snooze for a while, or leave it open.
class PopUp final : public IReminderSink {
public:
    enum class Answer { Accept, SnoozeOnceThenAccept, LeaveOpen };
    PopUp(CEventStore& store, Answer answer, int snoozeSeconds = 300)
        : m_store(store), m_answer(answer), m_snooze(snoozeSeconds) {}

    bool PostEventPop(uint32_t id) override {
        shown.push_back({id, m_now, m_real});
        m_pending.push_back(id);
        return true;
    }
    // Called after each pass with the moment the user answers.
    void Respond(const DateTime& now) {
        for (uint32_t id : m_pending) {
            if (m_answer == Answer::LeaveOpen) continue;
            CPtEvent ev;
            if (!m_store.GetById(id, ev)) continue;
            if (m_answer == Answer::SnoozeOnceThenAccept && !m_snoozed.count(id)) {
                m_snoozed.insert(id);
                ev.Snooze(m_snooze, now);
            } else {
                ev.Accept(now);
            }
            ev.ClearShowing();
            m_store.Modify(id, ev, ShowingMark::Replace);
        }
        m_pending.clear();
    }
    void SetMoment(const DateTime& now, double real) {
        m_now = now;
        m_real = real;
    }
    size_t CountFor(uint32_t id) const {
        size_t n = 0;
        for (const Shown& s : shown) n += s.id == id;
        return n;
    }
    struct Shown {
        uint32_t id;
        DateTime wall;
        double real;
    };
    std::vector<Shown> shown;

private:
    CEventStore& m_store;
    Answer m_answer;
    int m_snooze;
    std::set<uint32_t> m_snoozed;
    std::vector<uint32_t> m_pending;
    DateTime m_now;
    double m_real = 0;
};

// Passes every 5.5 real seconds from one real second to another, with "now" as the C
// library reports it; the pop-up answers right after each pass.
size_t RunPasses(CEventStore& store, PopUp& popUp, std::time_t from, std::time_t to) {
    size_t passes = 0;
    for (double real = static_cast<double>(from); real <= static_cast<double>(to); real += 5.5) {
        const DateTime now = WallClock(static_cast<std::time_t>(real));
        popUp.SetMoment(now, real);
        CReminderScheduler::CheckPass(store, now, popUp);
        popUp.Respond(now);
        ++passes;
    }
    return passes;
}

class ManualClock final : public IClock {
public:
    explicit ManualClock(DateTime now) : m_now(now) {}
    DateTime Now() const override {
        std::lock_guard g(m_lock);
        return m_now;
    }
    void Set(const DateTime& now) {
        std::lock_guard g(m_lock);
        m_now = now;
    }

private:
    mutable std::mutex m_lock;
    DateTime m_now;
};

class QueueSink final : public IReminderSink {
public:
    bool PostEventPop(uint32_t id) override {
        std::lock_guard g(lock);
        ids.push_back(id);
        return true;
    }
    std::vector<uint32_t> Ids() {
        std::lock_guard g(lock);
        return ids;
    }
    std::mutex lock;
    std::vector<uint32_t> ids;
};

// Waits until the scheduler thread has finished two more passes than when called.
void WaitForPasses(const CReminderScheduler& s) {
    const uint64_t target = s.PassCount() + 2;
    for (int i = 0; i < 5000 && s.PassCount() < target; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GE(s.PassCount(), target) << "the scheduler thread made no passes";
}

}  // namespace

TEST(TimeTrouble, TheTimeZoneIsBerlin) {
    // Every daylight-saving test below relies on it; ctest sets it.
    ASSERT_EQ(WallClock(RealSecond(2026, 3, 29, 3, 30, -1)).ToIsoText(), "2026-03-29 03:30:00");
    ASSERT_EQ(RealSecond(2026, 3, 29, 3, 0, -1) - RealSecond(2026, 3, 29, 1, 0, -1), 3600)
        << "TZ must be Europe/Berlin";
}

// The computer sleeps from 09:55 to 14:00 across reminders at 10:00 and 12:00: the real
// scheduler thread announces both at its first pass after waking, once each.
TEST(TimeTrouble, SleepingPastRemindersAnnouncesThemAtTheFirstPassAfterWaking) {
    CEventStore store;
    CPtEvent ten = OneOff("ten", At(2026, 5, 4, 10, 0)), noon = Daily("noon", At(2026, 5, 1, 12, 0));
    noon.GetRecurrence().SetAnchor(At(2026, 5, 4, 0, 0));  // answered up to yesterday
    store.Add(ten);
    store.Add(noon);
    ManualClock clock(At(2026, 5, 4, 9, 50));
    QueueSink sink;
    CReminderScheduler scheduler(store, sink, clock, {std::chrono::milliseconds(0), std::chrono::milliseconds(1), 1});
    ASSERT_TRUE(scheduler.Create());
    scheduler.Start();
    WaitForPasses(scheduler);
    clock.Set(At(2026, 5, 4, 9, 55));
    WaitForPasses(scheduler);
    EXPECT_TRUE(sink.Ids().empty());
    clock.Set(At(2026, 5, 4, 14, 0));  // woke up
    WaitForPasses(scheduler);
    EXPECT_EQ(sink.Ids(), (std::vector<uint32_t>{ten.GetId(), noon.GetId()}));
    WaitForPasses(scheduler);
    EXPECT_EQ(sink.Ids().size(), 2u) << "announced again while the pop-ups are open";
    scheduler.Stop();
    EXPECT_TRUE(scheduler.Wait(5000));
}

// The clock is set back an hour after a reminder was answered (or while its pop-up is open):
// the same occurrence is not announced twice, and a snooze does not grow by the hour.
TEST(TimeTrouble, ClockSetBackAnHourAnnouncesNothingTwice) {
    const DateTime tenAm = At(2026, 5, 4, 10, 0);
    for (PopUp::Answer answer : {PopUp::Answer::Accept, PopUp::Answer::LeaveOpen, PopUp::Answer::SnoozeOnceThenAccept}) {
        SCOPED_TRACE(static_cast<int>(answer));
        CEventStore store;
        CPtEvent once = OneOff("once", tenAm), daily = Daily("daily", At(2026, 5, 1, 10, 0));
        daily.GetRecurrence().SetAnchor(At(2026, 5, 4, 0, 0));  // answered up to yesterday
        store.Add(once);
        store.Add(daily);
        PopUp popUp(store, answer);
        // 09:59:00 to 10:00:30, then the clock goes back to 09:00:30 and runs to 11:30.
        double real = 0;
        auto pass = [&](const DateTime& now) {
            popUp.SetMoment(now, real);
            CReminderScheduler::CheckPass(store, now, popUp);
            popUp.Respond(now);
            real += 5.5;
        };
        for (DateTime now = tenAm - TimeSpan::FromSeconds(60); now < tenAm + TimeSpan::FromSeconds(30);
             now += TimeSpan::FromSeconds(5))
            pass(now);
        ASSERT_EQ(popUp.shown.size(), 2u);
        const double firstReal = popUp.shown[0].real;
        for (DateTime now = tenAm - TimeSpan::FromSeconds(3570); now < tenAm + TimeSpan::FromSeconds(5400);
             now += TimeSpan::FromSeconds(5))
            pass(now);
        if (answer == PopUp::Answer::SnoozeOnceThenAccept) {
            // Snoozed for five minutes once, then accepted: exactly two pop-ups each. The
            // scheduler only sees the jump, not how much of the snooze had passed before it,
            // so the snooze restarts there: at most twice its length, never an hour more.
            ASSERT_EQ(popUp.CountFor(once.GetId()), 2u);
            ASSERT_EQ(popUp.CountFor(daily.GetId()), 2u);
            for (const PopUp::Shown& s : popUp.shown) EXPECT_LT(s.real - firstReal, 2 * 300 + 60) << s.wall.ToIsoText();
        } else {
            EXPECT_EQ(popUp.CountFor(once.GetId()), 1u);
            EXPECT_EQ(popUp.CountFor(daily.GetId()), 1u);
        }
    }
}

// Spring forward in Berlin, 29 March 2026: 02:00 becomes 03:00, so 02:30 never shows on the
// clock. An event at 02:30 (one-off or daily) is announced once, at the first pass after
// the jump; one at 01:59 before it; one at 03:10 after it.
TEST(TimeTrouble, SpringForwardAnnouncesTheMissingHalfHourOnce) {
    for (PopUp::Answer answer : {PopUp::Answer::Accept, PopUp::Answer::LeaveOpen}) {
        CEventStore store;
        CPtEvent missing = OneOff("02:30", At(2026, 3, 29, 2, 30)), before = OneOff("01:59", At(2026, 3, 29, 1, 59)),
                 after = OneOff("03:10", At(2026, 3, 29, 3, 10)), daily = Daily("daily 02:30", At(2026, 3, 29, 2, 30));
        for (CPtEvent* ev : {&missing, &before, &after, &daily}) store.Add(*ev);
        PopUp popUp(store, answer);
        // 00:30 to 05:00 on the clock is three and a half real hours.
        EXPECT_EQ(RunPasses(store, popUp, RealSecond(2026, 3, 29, 0, 30, 0), RealSecond(2026, 3, 29, 5, 0, 1)),
                  static_cast<size_t>(3.5 * 3600 / 5.5) + 1);
        for (CPtEvent* ev : {&missing, &before, &after, &daily}) EXPECT_EQ(popUp.CountFor(ev->GetId()), 1u) << ev->GetName();
        for (const PopUp::Shown& s : popUp.shown) {
            if (s.id == missing.GetId() || s.id == daily.GetId()) {
                EXPECT_GE(s.wall, At(2026, 3, 29, 3, 0));
                EXPECT_LT(s.wall, At(2026, 3, 29, 3, 0, 6)) << "announced late";
            }
        }
    }
}

// Fall back in Berlin, 25 October 2026: 03:00 becomes 02:00, so 02:00 to 02:59 show twice.
// Events at 02:30 are announced once, in the first of the two half-past-twos.
TEST(TimeTrouble, FallBackAnnouncesTheRepeatedHalfHourOnce) {
    for (PopUp::Answer answer : {PopUp::Answer::Accept, PopUp::Answer::LeaveOpen}) {
        CEventStore store;
        CPtEvent once = OneOff("02:30", At(2026, 10, 25, 2, 30)), daily = Daily("daily 02:30", At(2026, 10, 20, 2, 30)),
                 early = OneOff("02:59 early", At(2026, 10, 25, 3, 0), 60);
        daily.GetRecurrence().SetAnchor(At(2026, 10, 25, 0, 0));  // answered up to yesterday
        for (CPtEvent* ev : {&once, &daily, &early}) store.Add(*ev);
        PopUp popUp(store, answer);
        const std::time_t from = RealSecond(2026, 10, 25, 1, 0, 1), to = RealSecond(2026, 10, 25, 5, 0, 0);
        EXPECT_EQ(RunPasses(store, popUp, from, to), static_cast<size_t>(5 * 3600 / 5.5) + 1);
        for (CPtEvent* ev : {&once, &daily, &early}) EXPECT_EQ(popUp.CountFor(ev->GetId()), 1u) << ev->GetName();
        const double secondRound = static_cast<double>(RealSecond(2026, 10, 25, 2, 0, 0));
        for (const PopUp::Shown& s : popUp.shown) EXPECT_LT(s.real, secondRound) << s.wall.ToIsoText();
    }
}

// A five-minute snooze taken at 02:58 in the first round of the fall-back night ends within
// ten real minutes (it restarts when the clock is seen to have gone back), not when 03:03
// comes round an hour later.
TEST(TimeTrouble, FallBackDoesNotStretchASnooze) {
    CEventStore store;
    CPtEvent ev = OneOff("02:58", At(2026, 10, 25, 2, 58));
    store.Add(ev);
    PopUp popUp(store, PopUp::Answer::SnoozeOnceThenAccept, 300);
    RunPasses(store, popUp, RealSecond(2026, 10, 25, 2, 50, 1), RealSecond(2026, 10, 25, 5, 0, 0));
    ASSERT_EQ(popUp.CountFor(ev.GetId()), 2u);
    const double gap = popUp.shown[1].real - popUp.shown[0].real;
    EXPECT_GE(gap, 300.0);
    EXPECT_LE(gap, 2 * 300.0 + 11.0) << "the snooze lasted " << gap << " real seconds";
}

// Events fall due while the program is off. After a restart (save, a new store, load) the
// first pass announces every one of them, once.
TEST(TimeTrouble, RestartAnnouncesWhatFellDueWhileTheProgramWasOff) {
    tvtest::TempDir dir;
    const std::string path = dir.File("Evnt.est");
    uint32_t ids[4];
    {
        CEventStore store(path);
        CPtEvent missed = OneOff("missed", At(2026, 5, 4, 8, 0));
        CPtEvent daily = Daily("daily", At(2026, 5, 1, 9, 0), 600);
        daily.Accept(At(2026, 5, 3, 9, 0));  // yesterday's was answered
        CPtEvent snoozed = OneOff("snoozed", At(2026, 5, 4, 7, 0));
        snoozed.Snooze(600, At(2026, 5, 4, 7, 5));
        CPtEvent open = OneOff("pop-up was open at the crash", At(2026, 5, 4, 6, 0));
        CPtEvent future = OneOff("future", At(2026, 5, 4, 18, 0));
        CPtEvent done = OneOff("done", At(2026, 5, 4, 5, 0));
        done.Accept(At(2026, 5, 4, 5, 1));
        CPtEvent* all[] = {&missed, &daily, &snoozed, &open, &future, &done};
        for (CPtEvent* ev : all) ASSERT_TRUE(store.Add(*ev));
        ids[0] = missed.GetId();
        ids[1] = snoozed.GetId();
        ids[2] = open.GetId();
        ids[3] = daily.GetId();
        CPtEvent shown;
        store.GetById(open.GetId(), shown);
        shown.SetShowing();
        store.Modify(open.GetId(), shown, ShowingMark::Replace);
        ASSERT_TRUE(store.Save().ok);
    }
    CEventStore restarted(path);
    ASSERT_EQ(restarted.Load().status, LoadStatus::Ok);
    QueueSink sink;
    EXPECT_EQ(CReminderScheduler::CheckPass(restarted, At(2026, 5, 4, 12, 0), sink), 4u);
    EXPECT_EQ(sink.Ids(), (std::vector<uint32_t>{ids[0], ids[1], ids[2], ids[3]}));
    EXPECT_EQ(CReminderScheduler::CheckPass(restarted, At(2026, 5, 4, 12, 0, 6), sink), 0u);
}

// Stopping a running scheduler during its first delay or between passes ends it promptly.
TEST(SchedulerShutdown, StopEndsTheThreadWithinATick) {
    CEventStore store;
    QueueSink sink;
    ManualClock clock(At(2026, 5, 4, 9, 0));
    for (int delayMs : {5000, 0}) {
        CReminderScheduler scheduler(store, sink, clock,
                                     {std::chrono::milliseconds(delayMs), std::chrono::milliseconds(500), 11});
        ASSERT_TRUE(scheduler.Create());
        scheduler.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        scheduler.Stop();
        EXPECT_TRUE(scheduler.Wait(2000));
    }
}
