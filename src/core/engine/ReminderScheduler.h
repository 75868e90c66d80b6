// The scheduler thread that finds due reminders and hands their ids to the user interface.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "Clock.h"
#include "WorkerThread.h"
#include "store/EventStore.h"

namespace tv {

// Receives the id of each due event. Called on the scheduler thread: it must queue the id for
// the user-interface thread and return at once.
class IReminderSink {
public:
    virtual ~IReminderSink() = default;
    // False when the id could not be delivered (the receiver is gone).
    virtual bool PostEventPop(uint32_t eventId) = 0;
};

struct SchedulerTiming {
    std::chrono::milliseconds initialDelay{5000};
    std::chrono::milliseconds tick{500};
    int ticksPerPass = 11;  // a pass on every eleventh tick
};

class CReminderScheduler final : public CWorkerThread {
public:
    CReminderScheduler(CEventStore& store, IReminderSink& sink, const IClock& clock, SchedulerTiming timing = {})
        : m_store(store), m_sink(sink), m_clock(clock), m_timing(timing) {}
    ~CReminderScheduler() override;

    // One check pass: marks every due event as showing and posts its id, one-off events first,
    // each list in its order. Answers how many were announced.
    static size_t CheckPass(CEventStore& store, const DateTime& now, IReminderSink& sink);

    uint64_t PassCount() const { return m_passes; }

protected:
    uint32_t Run() override;

private:
    CEventStore& m_store;
    IReminderSink& m_sink;
    const IClock& m_clock;
    SchedulerTiming m_timing;
    std::atomic<uint64_t> m_passes{0};
};

}  // namespace tv
