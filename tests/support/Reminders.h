// Clocks, pop-up receivers and real-second helpers shared by the reminder tests.
#pragma once

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/ReminderScheduler.h"
#include "platform/LocalClock.h"

namespace tvtest {

// A clock the test moves; the scheduler thread may read it at any time.
class ManualClock final : public tv::IClock {
public:
    explicit ManualClock(const tv::DateTime& now) : m_days(now.Days()) {}
    tv::DateTime Now() const override { return tv::DateTime(m_days.load()); }
    void Set(const tv::DateTime& now) { m_days = now.Days(); }

private:
    std::atomic<double> m_days;
};

// Keeps every announced id; safe to read while the scheduler thread posts.
class RecordingSink final : public tv::IReminderSink {
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

// Waits (at most five seconds) until the scheduler thread has made more passes.
inline bool WaitForPasses(const tv::CReminderScheduler& s, uint64_t more = 2) {
    const uint64_t target = s.PassCount() + more;
    for (int i = 0; i < 5000 && s.PassCount() < target; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return s.PassCount() >= target;
}

// The wall-clock time the C library shows at a real second (the tests run in Europe/Berlin).
inline tv::DateTime WallClock(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tv::DateTime::FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

// The real second of a wall-clock time; isDst picks one of an hour shown twice (-1: either).
inline std::time_t RealSecond(const tv::DateTime& wall, int isDst = -1) {
    tv::DateParts p;
    wall.GetParts(p);
    return static_cast<std::time_t>(tv::UnixOfLocalWall({p.year, p.month, p.day, p.hour, p.minute, p.second}, isDst));
}

inline tv::CPtEvent Warned(tv::CPtEvent ev, int remindBeforeSeconds) {
    ev.SetRemindBefore(remindBeforeSeconds);
    return ev;
}

}  // namespace tvtest
