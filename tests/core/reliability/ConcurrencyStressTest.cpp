// The store under load from several threads at once, with the real scheduler thread running.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "Reminders.h"
#include "TempDir.h"
#include "engine/ReminderScheduler.h"
#include "store/EventStore.h"

using namespace tv;

namespace {

const DateTime kNow = DateTime::FromParts(2026, 5, 4, 12, 0, 0);
constexpr int kWriters = 3;
constexpr int kOpsPerWriter = 2500;

// Hands every announced id to the writer that owns the event, as the clock window hands it
// to its pop-up. Runs on the scheduler thread inside the pass, like the real receiver.
class RoutingSink final : public IReminderSink {
public:
    explicit RoutingSink(CEventStore& store) : m_store(store) {}
    bool PostEventPop(uint32_t id) override {
        CPtEvent ev;
        if (!m_store.GetById(id, ev) || ev.GetName().size() < 2) return false;
        const int owner = ev.GetName()[1] - '0';
        if (owner < 0 || owner >= kWriters) return false;
        std::lock_guard g(m_lock);
        m_queues[owner].push_back(id);
        ++posted;
        return true;
    }
    std::vector<uint32_t> Take(int owner) {
        std::lock_guard g(m_lock);
        std::vector<uint32_t> out(m_queues[owner].begin(), m_queues[owner].end());
        m_queues[owner].clear();
        return out;
    }
    std::atomic<size_t> posted{0};

private:
    CEventStore& m_store;
    std::mutex m_lock;
    std::deque<uint32_t> m_queues[kWriters];
};

CPtEvent MakeEvent(int writer, int serial, std::mt19937& rng) {
    CPtEvent ev(kNow - TimeSpan(1.0));
    ev.SetName("w" + std::to_string(writer) + "-" + std::to_string(serial));
    ev.SetStart(kNow + TimeSpan::FromSeconds(std::uniform_int_distribution<int>(-7200, 7200)(rng)));
    if (rng() % 3 == 0) {
        ev.GetRecurrence().SetPatternType(static_cast<int>(rng() % 4));
        ev.GetRecurrence().SetStart(ev.GetStart());
    }
    return ev;
}

}  // namespace

// Thousands of adds, modifies (some moving events between the one-off and the recurring
// list), deletes, day queries, iterations and saves from several threads, while the real
// scheduler thread runs a pass every millisecond and the writers answer its pop-ups. At the
// end every event that should exist exists, with its last name, and nothing else does.
TEST(ConcurrencyStress, NoRaceNoDeadlockNoLostEvent) {
    tvtest::TempDir dir;
    CEventStore store(dir.File("Evnt.est"));
    // A deadlock ends the whole binary with SIGALRM instead of hanging the run.
    ::alarm(240);
    RoutingSink sink(store);
    tvtest::ManualClock clock(kNow);
    CReminderScheduler scheduler(store, sink, clock,
                                 {std::chrono::milliseconds(0), std::chrono::milliseconds(1), 1});
    ASSERT_TRUE(scheduler.Create());
    scheduler.Start();

    std::atomic<bool> writersDone{false};
    std::atomic<size_t> saves{0}, dayQueries{0}, walks{0};
    std::map<uint32_t, std::string> expected[kWriters];
    std::atomic<int> failures{0};

    auto writer = [&](int w) {
        std::mt19937 rng(100 + w);
        std::map<uint32_t, std::string>& mine = expected[w];
        for (int op = 0; op < kOpsPerWriter; ++op) {
            // Spread the operations over a second or two, so that every other thread's work
            // (passes, saves, queries) falls between them many times.
            std::this_thread::sleep_for(std::chrono::microseconds(400));
            const unsigned choice = rng() % 10;
            if (choice < 4 || mine.empty()) {
                CPtEvent ev = MakeEvent(w, op, rng);
                if (!store.Add(ev)) ++failures;
                else mine[ev.GetId()] = ev.GetName();
            } else if (choice < 7) {
                auto it = std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
                CPtEvent ev;
                if (!store.GetById(it->first, ev)) {
                    ++failures;
                    continue;
                }
                ev.SetName("w" + std::to_string(w) + "-m" + std::to_string(op));
                if (rng() % 2) ev.GetRecurrence().SetPatternType(ev.IsRecurrent() ? kPatternNone : kPatternWeekly);
                if (!store.Modify(it->first, ev)) ++failures;
                else it->second = ev.GetName();
            } else if (choice < 9) {
                auto it = std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
                if (!store.Delete(it->first)) ++failures;
                mine.erase(it);
            } else {
                for (uint32_t id : sink.Take(w)) {
                    CPtEvent ev;
                    if (!store.GetById(id, ev)) continue;  // deleted meanwhile
                    if (rng() % 2) ev.Accept(kNow);
                    else ev.Snooze(60, kNow);
                    ev.ClearShowing();
                    store.Modify(id, ev, ShowingMark::Replace);
                }
            }
        }
    };
    auto reader = [&] {
        std::mt19937 rng(7);
        while (!writersDone) {
            std::vector<const CPtEvent*> day;
            CEventStore::AllLock lock(store);
            store.GetEventsOfDay(kNow + TimeSpan(static_cast<double>(rng() % 3) - 1.0), day);
            for (const CPtEvent* ev : day)
                if (ev->GetName().empty()) ++failures;
            ++dayQueries;
        }
    };
    auto walker = [&] {
        while (!writersDone) {
            size_t n = 0;
            {
                CEventIterator it = store.CreateIterator(EventListKind::OneOff);
                while (const CPtEvent* ev = it.Next()) n += ev->IsRecurrent() ? 1000000 : 1;
            }
            {
                CEventIterator it = store.CreateIterator(EventListKind::Recurring);
                while (const CPtEvent* ev = it.Next()) n += ev->IsRecurrent() ? 1 : 1000000;
            }
            if (n >= 1000000) ++failures;  // an event in the wrong list
            ++walks;
        }
    };
    auto saver = [&] {
        while (!writersDone) {
            const FileResult r = store.Save();
            if (!r.ok) ++failures;
            CEventStore check;
            const LoadReport report = check.LoadFromBytes(dir.Read("Evnt.est"));
            if (report.status != LoadStatus::Ok || report.renumbered != 0) ++failures;
            ++saves;
        }
    };

    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) threads.emplace_back(writer, w);
    std::thread readerThread(reader), walkerThread(walker), saverThread(saver);
    for (std::thread& t : threads) t.join();
    writersDone = true;
    readerThread.join();
    walkerThread.join();
    saverThread.join();
    scheduler.Stop();
    ::alarm(0);
    ASSERT_TRUE(scheduler.Wait(5000));

    EXPECT_EQ(failures.load(), 0);
    std::map<uint32_t, std::string> all;
    for (const auto& m : expected) all.insert(m.begin(), m.end());
    const std::vector<uint32_t> ids = store.GetAllIds();
    EXPECT_EQ(std::set<uint32_t>(ids.begin(), ids.end()).size(), ids.size()) << "an id names two events";
    EXPECT_EQ(ids.size(), all.size());
    for (const auto& [id, name] : all) {
        CPtEvent ev;
        ASSERT_TRUE(store.GetById(id, ev)) << "event " << id << " (" << name << ") was lost";
        EXPECT_EQ(ev.GetName(), name);
    }
    // And the file on disk holds exactly the same after one last save.
    ASSERT_TRUE(store.Save().ok);
    CEventStore reread(dir.File("Evnt.est"));
    ASSERT_EQ(reread.Load().status, LoadStatus::Ok);
    EXPECT_EQ(reread.GetCount(), all.size());
    EXPECT_GT(scheduler.PassCount(), 0u);
    std::cout << "[ stress   ] " << kWriters * kOpsPerWriter << " writer operations, " << scheduler.PassCount()
              << " scheduler passes, " << sink.posted << " reminders announced, " << saves << " saves, "
              << dayQueries << " day queries, " << walks << " list walks; " << all.size() << " events at the end\n";
}
