// A stand-in for the running program: listens at a socket and answers each request with what a
// handler returns, one connection at a time, on a thread of its own.
#pragma once

#include <poll.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/LocalSocket.h"
#include "shell/ProgramRequests.h"

namespace tvtest {

class ProgramDouble {
public:
    // The bytes to send back; empty closes the connection without an answer.
    using Handler = std::function<std::string(const tv::ProgramRequest&)>;

    ProgramDouble(const std::string& socketPath, Handler handler) : m_handler(std::move(handler)) {
        std::string why;
        m_listening = m_listener.Listen(socketPath, why);
        m_thread = std::thread([this] { Serve(); });
    }
    ~ProgramDouble() {
        m_stop = true;
        m_thread.join();
    }
    bool Listening() const { return m_listening; }

    static std::string Answer(int status, const std::string& out, const std::string& err = {}) {
        return tv::EncodeAnswer({tv::ProgramAnswer::Kind::Done, status, out, err});
    }

private:
    void Serve() {
        while (!m_stop) {
            pollfd p{m_listener.Fd(), POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int fd = m_listener.Accept();
            if (fd < 0) continue;
            tv::FrameReader reader(tv::kMaxRequestBytes);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            std::string chunk;
            while (reader.GetState() == tv::FrameReader::State::NeedMore && !m_stop) {
                chunk.clear();
                if (tv::ReceiveSome(fd, chunk, deadline) != tv::IoResult::Ok) break;
                reader.Feed(chunk);
            }
            tv::ProgramRequest request;
            std::string why;
            if (reader.GetState() == tv::FrameReader::State::Complete &&
                tv::DecodeRequest(reader.Payload(), request, why)) {
                const std::string answer = m_handler(request);
                if (!answer.empty()) tv::SendAll(fd, answer, deadline);
            }
            tv::CloseSocket(fd);
        }
    }

    Handler m_handler;
    tv::LocalListener m_listener;
    bool m_listening = false;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace tvtest
