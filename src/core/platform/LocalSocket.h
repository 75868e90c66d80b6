// Local stream sockets between tallyvane-cli, a second launch and the running program, with the
// private folder and the lock file that let exactly one program of a session own its socket.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

using Deadline = std::chrono::steady_clock::time_point;

// The folder of the program's lock and socket: "tallyvane" in the runtime folder, which is this
// user's alone by its definition; without one (or with one that is not absolute, so set
// wrongly), "tallyvane-UID" in tmpBase.
std::string SessionFolderPath(const std::optional<std::string>& runtimeDir, const std::string& tmpBase);

// Makes the folder (mode 0700) when it is missing and checks it: a folder, not a link, this
// user's, and closed to everyone else, because whoever can enter it can talk to the program
// or take its place. False with why set otherwise.
bool MakePrivateFolder(const std::string& path, std::string& why);

// An exclusive lock on a small file, held until Unlock or the end of the process.
class FileLock {
public:
    enum class Taken { Yes, Busy, Failed };
    FileLock() = default;
    ~FileLock() { Unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    Taken TryLock(const std::string& path, std::string& why);
    void Unlock();

private:
    int m_fd = -1;
};

// A listening socket at a path. Listen replaces whatever socket file is there, so it is only
// called while holding the lock that makes the path this process's; the file goes again with
// the listener, unless another listener has replaced it meanwhile.
class LocalListener {
public:
    LocalListener() = default;
    ~LocalListener() { Close(); }
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;

    bool Listen(const std::string& path, std::string& why);
    void Close();
    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    // The next waiting connection of this user (others are turned away), non-blocking and
    // closed on exec; -1 when none waits.
    int Accept();

private:
    int m_fd = -1;
    std::string m_path;
    unsigned long long m_inode = 0;
};

// Connects to the socket at path. -1 with error set to the errno value otherwise: ENOENT or
// ECONNREFUSED mean that nobody listens there.
int ConnectLocal(const std::string& path, int& error);
// Whether the process at the other end runs as this user.
bool IsPeerThisUser(int fd);

enum class IoResult { Ok, Closed, TimedOut, Failed };
// Writes every byte before the deadline. A peer that went away is Closed, never a signal.
IoResult SendAll(int fd, std::string_view bytes, Deadline deadline);
// Appends what arrives first (up to 64 KiB) to into.
IoResult ReceiveSome(int fd, std::string& into, Deadline deadline);
void CloseSocket(int fd);

}  // namespace tv
