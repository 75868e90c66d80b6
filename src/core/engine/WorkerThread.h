// A worker thread that is created held, started, asked to stop and waited for.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace tv {

class CWorkerThread {
public:
    CWorkerThread() = default;
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;
    // Asks the thread to stop and waits for it; a thread is never left running on a dead object.
    virtual ~CWorkerThread();
    // Stops the thread (or releases a held one without running it) and waits until it ends.
    // Classes whose Run uses their own members call this in their destructor.
    void StopAndJoin();

    // Creates the thread held before its work; false when it could not be created.
    bool Create();
    // Clears a pending stop request and lets the held thread run.
    void Start();
    // Asks the thread to end; does not wait.
    void Stop();
    // Waits until the thread has ended or the time has passed; a negative time waits for ever.
    // True when the thread has ended (or there is none).
    bool Wait(int milliseconds);
    uint32_t ExitCode() const { return m_exitCode; }

protected:
    virtual uint32_t Run() = 0;
    // Sleeps up to the given time; answers true as soon as a stop is requested (and consumes
    // the request, as an auto-reset event would).
    bool WaitForStop(std::chrono::milliseconds timeout);
    bool StopRequested();

private:
    void ThreadMain();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_started = false;
    bool m_stop = false;
    bool m_finished = false;
    bool m_abandoned = false;
    uint32_t m_exitCode = 0;
};

}  // namespace tv
