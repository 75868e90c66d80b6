// Held start, stop request and timed wait of a worker thread.
#include "WorkerThread.h"

#include <system_error>

namespace tv {

CWorkerThread::~CWorkerThread() { StopAndJoin(); }

void CWorkerThread::StopAndJoin() {
    {
        std::lock_guard g(m_mutex);
        m_stop = true;
        if (!m_started) {
            m_abandoned = true;  // a thread that was never started ends without running
            m_started = true;
        }
        m_cv.notify_all();
    }
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

bool CWorkerThread::Create() {
    if (m_thread.joinable()) return false;
    try {
        m_thread = std::thread(&CWorkerThread::ThreadMain, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CWorkerThread::Start() {
    std::lock_guard g(m_mutex);
    m_stop = false;
    m_started = true;
    m_cv.notify_all();
}

void CWorkerThread::Stop() {
    std::lock_guard g(m_mutex);
    m_stop = true;
    m_cv.notify_all();
}

bool CWorkerThread::Wait(int milliseconds) {
    std::unique_lock lock(m_mutex);
    if (!m_thread.joinable()) return true;
    auto done = [this] { return m_finished; };
    if (milliseconds < 0) m_cv.wait(lock, done);
    else if (!m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds), done)) return false;
    lock.unlock();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
    return true;
}

bool CWorkerThread::WaitForStop(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (m_cv.wait_for(lock, timeout, [this] { return m_stop; })) {
        m_stop = false;
        return true;
    }
    return false;
}

bool CWorkerThread::StopRequested() {
    std::lock_guard g(m_mutex);
    if (!m_stop) return false;
    m_stop = false;
    return true;
}

void CWorkerThread::ThreadMain() {
    bool run = false;
    {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_started; });
        run = !m_abandoned;
    }
    const uint32_t code = run ? Run() : 0;
    std::lock_guard g(m_mutex);
    m_exitCode = code;
    m_finished = true;
    m_cv.notify_all();
}

}  // namespace tv
