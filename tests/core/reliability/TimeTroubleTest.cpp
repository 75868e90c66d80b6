// Reminders when time misbehaves: sleep, a clock set back, daylight-saving changes, restarts.
#include <gtest/gtest.h>

#include <set>

#include "Events.h"
#include "Reminders.h"
#include "TempDir.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;
using tvtest::RealSecond;

namespace {

// The pop-up as the user answers it: accept, snooze five minutes once then accept, or leave it
// open. Remembers the wall-clock time and real second of every announcement.
class PopUp final : public IReminderSink {
public:
    enum class Answer { Accept, SnoozeOnceThenAccept, LeaveOpen };
    PopUp(CEventStore& store, Answer answer) : m_store(store), m_answer(answer) {}

    struct Shown {
        uint32_t id;
        DateTime wall;
        double real;
    };
    std::vector<Shown> shown;

    bool PostEventPop(uint32_t id) override {
        shown.push_back({id, m_wall, m_real});
        return true;
    }
    // One check pass, answered right after it.
    void Pass(const DateTime& wall, double real) {
        m_wall = wall;
        m_real = real;
        const size_t before = shown.size();
        CReminderScheduler::CheckPass(m_store, wall, *this);
        for (size_t i = before; i < shown.size() && m_answer != Answer::LeaveOpen; ++i) {
            CPtEvent ev;
            if (!m_store.GetById(shown[i].id, ev)) continue;
            if (m_answer == Answer::SnoozeOnceThenAccept && m_snoozed.insert(shown[i].id).second) ev.Snooze(300, wall);
            else ev.Accept(wall);
            ev.ClearShowing();
            m_store.Modify(shown[i].id, ev, ShowingMark::Replace);
        }
    }
    // A pass every 5.5 real seconds, with the time the C library shows.
    void Run(std::time_t from, std::time_t to) {
        for (double real = double(from); real <= double(to); real += 5.5)
            Pass(tvtest::WallClock(std::time_t(real)), real);
    }
    size_t CountFor(uint32_t id) const {
        return std::count_if(shown.begin(), shown.end(), [id](const Shown& s) { return s.id == id; });
    }

private:
    CEventStore& m_store;
    Answer m_answer;
    std::set<uint32_t> m_snoozed;
    DateTime m_wall;
    double m_real = 0;
};

// A daily event answered up to the day before day.
CPtEvent DailyFrom(const DateTime& start, const DateTime& day) {
    CPtEvent ev = tvtest::Daily("daily", start);
    ev.GetRecurrence().SetAnchor(day);
    return ev;
}

}  // namespace

TEST(TimeTrouble, TheTimeZoneIsBerlin) {
    // Every daylight-saving test below relies on it; ctest sets it.
    ASSERT_EQ(RealSecond(At(2026, 3, 29, 3, 0)) - RealSecond(At(2026, 3, 29, 1, 0)), 3600)
        << "TZ must be Europe/Berlin";
}

// The real scheduler thread: nothing before it is started; after a sleep from 09:55 to 14:00
// across reminders at 10:00 and 12:00 it announces both at its first pass, once each.
TEST(TimeTrouble, SleepingPastRemindersAnnouncesThemAtTheFirstPassAfterWaking) {
    CEventStore store;
    const uint32_t ten = AddTo(store, tvtest::OneOff("ten", At(2026, 5, 4, 10, 0)));
    const uint32_t noon = AddTo(store, DailyFrom(At(2026, 5, 1, 12, 0), At(2026, 5, 4)));
    tvtest::ManualClock clock(At(2026, 5, 4, 9, 50));
    tvtest::RecordingSink sink;
    CReminderScheduler scheduler(store, sink, clock, {std::chrono::milliseconds(0), std::chrono::milliseconds(1), 1});
    ASSERT_TRUE(scheduler.Create());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(scheduler.PassCount(), 0u) << "passes before Start";
    scheduler.Start();
    ASSERT_TRUE(tvtest::WaitForPasses(scheduler));
    clock.Set(At(2026, 5, 4, 9, 55));
    ASSERT_TRUE(tvtest::WaitForPasses(scheduler));
    EXPECT_TRUE(sink.Ids().empty());
    clock.Set(At(2026, 5, 4, 14, 0));  // woke up
    ASSERT_TRUE(tvtest::WaitForPasses(scheduler));
    EXPECT_EQ(sink.Ids(), (std::vector<uint32_t>{ten, noon}));
    ASSERT_TRUE(tvtest::WaitForPasses(scheduler));
    EXPECT_EQ(sink.Ids().size(), 2u) << "announced again while the pop-ups are open";
    scheduler.Stop();
    EXPECT_TRUE(scheduler.Wait(5000));
}

// The clock is set back an hour after a reminder was answered (or while its pop-up is open):
// the same occurrence is not announced twice, and a snooze does not grow by the hour.
TEST(TimeTrouble, ClockSetBackAnHourAnnouncesNothingTwice) {
    const DateTime tenAm = At(2026, 5, 4, 10, 0);
    for (PopUp::Answer answer :
         {PopUp::Answer::Accept, PopUp::Answer::LeaveOpen, PopUp::Answer::SnoozeOnceThenAccept}) {
        SCOPED_TRACE(static_cast<int>(answer));
        CEventStore store;
        const uint32_t once = AddTo(store, tvtest::OneOff("once", tenAm));
        const uint32_t daily = AddTo(store, DailyFrom(At(2026, 5, 1, 10, 0), At(2026, 5, 4)));
        PopUp popUp(store, answer);
        // 09:59:00 to 10:00:30, then the clock goes back to 09:00:30 and runs to 11:30.
        double real = 0;
        auto run = [&](int from, int to) {
            for (int s = from; s < to; s += 5, real += 5.5) popUp.Pass(tenAm + TimeSpan::FromSeconds(s), real);
        };
        run(-60, 30);
        ASSERT_EQ(popUp.shown.size(), 2u);
        run(-3570, 5400);
        // Snoozed once, then accepted: two pop-ups each. The scheduler only sees the jump, not
        // how much of the snooze had passed before it, so the snooze restarts there: at most
        // twice its length, never an hour more.
        const size_t times = answer == PopUp::Answer::SnoozeOnceThenAccept ? 2 : 1;
        EXPECT_EQ(std::tuple(popUp.CountFor(once), popUp.CountFor(daily)), std::tuple(times, times));
        for (const PopUp::Shown& s : popUp.shown)
            EXPECT_LT(s.real - popUp.shown[0].real, 2 * 300 + 60) << s.wall.ToIsoText();
    }
}

// Berlin's two changes of 2026. On 29 March 02:00 becomes 03:00, so 02:30 never shows; on
// 25 October 03:00 becomes 02:00, so 02:00 to 02:59 show twice. Every reminder is announced
// once, at the first pass after the clock first passes its moment: a 02:30 one in spring right
// after the jump, in autumn in the first of the two half-past-twos.
TEST(TimeTrouble, DaylightSavingChangesAnnounceEachReminderOnceAtItsFirstMoment) {
    struct Night {
        DateTime from, to;
        std::vector<std::pair<CPtEvent, DateTime>> events;  // with the moment it reminds at
        // clang-format off
    } const nights[] = {
        {At(2026, 3, 29, 0, 30), At(2026, 3, 29, 5, 0),
         {{tvtest::OneOff("02:30", At(2026, 3, 29, 2, 30)), At(2026, 3, 29, 2, 30)},
          {tvtest::OneOff("01:59", At(2026, 3, 29, 1, 59)), At(2026, 3, 29, 1, 59)},
          {tvtest::OneOff("03:10", At(2026, 3, 29, 3, 10)), At(2026, 3, 29, 3, 10)},
          {tvtest::Daily("daily 02:30", At(2026, 3, 29, 2, 30)), At(2026, 3, 29, 2, 30)}}},
        {At(2026, 10, 25, 1, 0), At(2026, 10, 25, 5, 0),
         {{tvtest::OneOff("02:30", At(2026, 10, 25, 2, 30)), At(2026, 10, 25, 2, 30)},
          {DailyFrom(At(2026, 10, 20, 2, 30), At(2026, 10, 25)), At(2026, 10, 25, 2, 30)},
          {tvtest::Warned(tvtest::OneOff("03:00 warned 02:59", At(2026, 10, 25, 3, 0)), 60), At(2026, 10, 25, 2, 59)}}},
    };
    // clang-format on
    for (const Night& night : nights) {
        const std::time_t from = RealSecond(night.from), to = RealSecond(night.to);
        auto firstPassAfter = [&](const DateTime& moment) {
            double real = double(from);
            while (!(tvtest::WallClock(std::time_t(real)) > moment)) real += 5.5;
            return real;
        };
        for (PopUp::Answer answer : {PopUp::Answer::Accept, PopUp::Answer::LeaveOpen}) {
            CEventStore store;
            std::vector<uint32_t> ids;
            for (const auto& [ev, moment] : night.events) ids.push_back(AddTo(store, ev));
            PopUp popUp(store, answer);
            popUp.Run(from, to);
            for (size_t i = 0; i < ids.size(); ++i) {
                const std::string what(night.events[i].first.GetName());
                ASSERT_EQ(popUp.CountFor(ids[i]), 1u) << what;
                const auto s =
                    std::find_if(popUp.shown.begin(), popUp.shown.end(), [&](auto& s) { return s.id == ids[i]; });
                EXPECT_EQ(s->real, firstPassAfter(night.events[i].second)) << what << " at " << s->wall.ToIsoText();
            }
        }
    }
}

// Events fall due while the program is off. After a restart (save, a new store, load) the
// first pass announces every one of them, once, even one whose pop-up was open at the crash;
// what was answered stays answered.
TEST(TimeTrouble, RestartAnnouncesWhatFellDueWhileTheProgramWasOff) {
    tvtest::TempDir dir;
    std::vector<uint32_t> due;
    {
        CEventStore store(dir.File("Evnt.est"));
        due.push_back(AddTo(store, tvtest::OneOff("missed", At(2026, 5, 4, 8, 0))));
        CPtEvent open = tvtest::OneOff("pop-up was open at the crash", At(2026, 5, 4, 6, 0));
        open.SetShowing();
        due.push_back(AddTo(store, open));
        CPtEvent daily = tvtest::Warned(tvtest::Daily("daily", At(2026, 5, 1, 9, 0)), 600);
        daily.Accept(At(2026, 5, 3, 9, 0));  // yesterday's was answered
        due.push_back(AddTo(store, daily));
        CPtEvent done = tvtest::OneOff("done", At(2026, 5, 4, 5, 0));
        done.Accept(At(2026, 5, 4, 5, 1));
        AddTo(store, done);
        ASSERT_TRUE(store.Save().ok);
    }
    CEventStore restarted(dir.File("Evnt.est"));
    ASSERT_EQ(restarted.Load().status, LoadStatus::Ok);
    tvtest::RecordingSink sink;
    EXPECT_EQ(CReminderScheduler::CheckPass(restarted, At(2026, 5, 4, 12, 0), sink), 3u);
    EXPECT_EQ(sink.Ids(), due);
    EXPECT_EQ(CReminderScheduler::CheckPass(restarted, At(2026, 5, 4, 12, 0, 6), sink), 0u);
}
