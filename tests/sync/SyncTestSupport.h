// The servers of the sync tests, each started by the test on a free local port: a real Radicale
// with its own storage folder and password file, and a Python stub that misbehaves on purpose.
// Each machine is a data folder of its own driven through tallyvane-cli.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "CliRun.h"
#include "TempDir.h"
#include "store/EventStore.h"

namespace tvtest {

inline constexpr char kSyncNow[] = "2026-12-06 10:00:00";

inline int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

inline bool Answers(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// Starts argv with its output in logPath; answers the child's pid.
inline pid_t Spawn(const std::vector<std::string>& args, const std::string& logPath, int* stdoutPipe = nullptr) {
    int fds[2] = {-1, -1};
    if (stdoutPipe && ::pipe(fds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A test that dies takes its servers with it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(stdoutPipe ? fds[1] : log, 1);
        ::dup2(log, 2);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (stdoutPipe) {
        ::close(fds[1]);
        *stdoutPipe = fds[0];
    }
    return pid;
}

inline void KillAndWait(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

// Radicale serving user "alice" (password "secret"); each test makes its own calendar.
class Radicale {
public:
    Radicale() : m_port(FreePort()) {
        m_dir.Write("htpasswd", "alice:secret\n");
        Start();
    }
    ~Radicale() { Kill(); }

    void Start() {
        m_pid = Spawn({"radicale", "--config", "", "--server-hosts", "127.0.0.1:" + std::to_string(m_port),
                       "--storage-filesystem-folder", m_dir.Path() + "storage", "--auth-type", "htpasswd",
                       "--auth-htpasswd-filename", m_dir.File("htpasswd"), "--auth-htpasswd-encryption", "plain",
                       "--rights-type", "owner_only", "--logging-level", "warning"},
                      m_dir.File("radicale.log"));
        for (int i = 0; i < 200 && !Answers(m_port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(Answers(m_port)) << "radicale did not start: " << m_dir.Read("radicale.log");
    }
    void Kill() { KillAndWait(m_pid); }

    // A new calendar collection, answered as its URL.
    std::string Calendar(const std::string& name) {
        const std::string folder = m_dir.Path() + "storage/collection-root/alice/" + name;
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "/.Radicale.props") << "{\"tag\": \"VCALENDAR\"}";
        return Root() + "alice/" + name + "/";
    }
    // The events a calendar holds, as files in the server's folder.
    size_t Stored(const std::string& name) const {
        size_t n = 0;
        std::error_code ec;
        for (const auto& f :
             std::filesystem::directory_iterator(m_dir.Path() + "storage/collection-root/alice/" + name, ec))
            n += f.path().extension() == ".ics";
        return n;
    }
    std::string Root() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }

private:
    TempDir m_dir;
    int m_port;
    pid_t m_pid = -1;
};

// stub_server.py: the first segment of a path chooses how it misbehaves.
class StubServer {
public:
    StubServer() {
        int out = -1;
        m_pid = Spawn({"python3", TALLYVANE_SYNC_TEST_DIR "/stub_server.py"}, m_log.File("stub.log"), &out);
        char buf[32] = {};
        ssize_t n = ::read(out, buf, sizeof buf - 1);
        ::close(out);
        m_port = n > 0 ? std::atoi(buf) : 0;
        EXPECT_GT(m_port, 0) << "the stub server did not start";
    }
    ~StubServer() { KillAndWait(m_pid); }
    std::string Url(const std::string& mode) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/" + mode + "/";
    }

private:
    TempDir m_log;
    pid_t m_pid = -1;
    int m_port = 0;
};

using CliResult = CliRun;

// A data folder standing for one computer.
class Machine {
public:
    Machine() {
        dir.Write("password", "secret\n");
        // The saved settings of whoever runs the tests stay out of it.
        ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
        ::unsetenv("TALLYVANE_SYNC_PASSWORD");
    }
    CliResult Cli(std::vector<std::string> args) const { return RunCliOn(dir.Path(), kSyncNow, std::move(args)); }
    CliResult Sync(const std::string& url, std::vector<std::string> more = {}) const {
        more.insert(more.begin(), {"sync", "--url", url, "--user", "alice", "--password-file", dir.File("password")});
        return Cli(std::move(more));
    }
    std::string Add(std::vector<std::string> options) const {
        options.insert(options.begin(), "add");
        const CliResult r = Cli(std::move(options));
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.substr(0, r.out.find('\n'));
    }
    // Changes the event of that name as an editor would, and saves.
    template <class Fn>
    void Change(const std::string& name, Fn&& change) const {
        tv::CEventStore store(dir.File("Evnt.est"));
        store.Load();
        for (uint32_t id : store.GetAllIds()) {
            tv::CPtEvent ev;
            if (store.GetById(id, ev) && ev.GetName() == name) {
                change(ev);
                store.Modify(id, ev);
            }
        }
        ASSERT_TRUE(store.Save().ok);
    }
    // "name|start|rule|remind-before|enabled|note" per event, sorted: what two machines share.
    std::vector<std::string> Events() const {
        std::vector<std::string> out;
        ForEachStored([&](const tv::CPtEvent& ev) {
            out.push_back(std::string(ev.GetName()) + "|" + ev.GetStart().ToIsoText() + "|" + ev.GetRecurrence().GetDescription() +
                          "|" + std::to_string(ev.GetRemindBefore()) + "|" + (ev.IsEnabled() ? "on" : "off") + "|" +
                          std::string(ev.GetNote()));
        });
        std::sort(out.begin(), out.end());
        return out;
    }
    // The event of that name as this machine's file holds it (a default event when none is).
    tv::CPtEvent Find(const std::string& name) const {
        tv::CPtEvent found;
        ForEachStored([&](const tv::CPtEvent& ev) {
            if (ev.GetName() == name) found = ev;
        });
        return found;
    }
    // The id as the command line takes it.
    std::string Id(const std::string& name) const { return std::to_string(Find(name).GetId()); }
    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const std::string& e : Events()) out.push_back(e.substr(0, e.find('|')));
        return out;
    }

    TempDir dir;

private:
    template <class Fn>
    void ForEachStored(Fn&& fn) const {
        tv::CEventStore store(dir.File("Evnt.est"));
        store.Load();
        store.ForEachEvent(fn);
    }
};

}  // namespace tvtest
