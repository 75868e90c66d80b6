// Local stream sockets over AF_UNIX, non-blocking, every wait bounded by poll(2).
#include "LocalSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tv {

namespace {

std::string Why(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err) + ".";
}

bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Waits until fd is ready for events; false when the deadline passed first or poll failed.
bool WaitFor(int fd, short events, Deadline deadline, IoResult& failure) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            failure = IoResult::TimedOut;
            return false;
        }
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 1000 * 60)));
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) {
            failure = IoResult::Failed;
            return false;
        }
    }
}

}  // namespace

std::string SessionFolderPath(const std::optional<std::string>& runtimeDir, const std::string& tmpBase) {
    if (runtimeDir && !runtimeDir->empty() && runtimeDir->front() == '/') return *runtimeDir + "/tallyvane";
    return tmpBase + "/tallyvane-" + std::to_string(::getuid());
}

bool MakePrivateFolder(const std::string& path, std::string& why) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        why = Why("Could not make the folder", path, errno);
        return false;
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        why = Why("Could not read the folder", path, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
        why = "The folder \"" + path + "\" is not a private folder of this user.";
        return false;
    }
    return true;
}

FileLock::Taken FileLock::TryLock(const std::string& path, std::string& why) {
    Unlock();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        why = Why("Could not open the lock file", path, errno);
        return Taken::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) return Taken::Busy;
        why = Why("Could not lock", path, err);
        return Taken::Failed;
    }
    m_fd = fd;
    return Taken::Yes;
}

void FileLock::Unlock() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing drops the lock
    m_fd = -1;
}

bool LocalListener::Listen(const std::string& path, std::string& why) {
    Close();
    sockaddr_un address;
    if (!AddressOf(path, address)) {
        why = "The socket path \"" + path + "\" is too long.";
        return false;
    }
    struct stat st {};
    // A socket left by a copy that crashed is replaced; anything else there is not ours to remove.
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode)) {
            why = "\"" + path + "\" is in the way of the program's socket.";
            return false;
        }
        ::unlink(path.c_str());
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        why = Why("Could not make the socket", path, errno);
        return false;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
        ::lstat(path.c_str(), &st) != 0) {
        why = Why("Could not listen on", path, errno);
        ::close(fd);
        return false;
    }
    ::chmod(path.c_str(), 0600);
    m_fd = fd;
    m_path = path;
    m_inode = st.st_ino;
    return true;
}

void LocalListener::Close() {
    if (m_fd < 0) return;
    struct stat st {};
    if (::lstat(m_path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_ino == m_inode) ::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
}

int LocalListener::Accept() {
    while (m_fd >= 0) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return -1;
        }
        if (IsPeerThisUser(fd)) return fd;
        ::close(fd);
    }
    return -1;
}

int ConnectLocal(const std::string& path, int& error) {
    sockaddr_un address;
    if (!AddressOf(path, address)) {
        error = ENAMETOOLONG;
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    // A local connect either succeeds at once or is refused; only the transfers need to wait.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    error = 0;
    return fd;
}

bool IsPeerThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

IoResult SendAll(int fd, std::string_view bytes, Deadline deadline) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            IoResult failure = IoResult::Failed;
            if (!WaitFor(fd, POLLOUT, deadline, failure)) return failure;
            continue;
        }
        return errno == EPIPE || errno == ECONNRESET ? IoResult::Closed : IoResult::Failed;
    }
    return IoResult::Ok;
}

IoResult ReceiveSome(int fd, std::string& into, Deadline deadline) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            into.append(buffer, static_cast<size_t>(n));
            return IoResult::Ok;
        }
        if (n == 0) return IoResult::Closed;
        if (errno == EINTR) continue;
        if (errno == ECONNRESET) return IoResult::Closed;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return IoResult::Failed;
        IoResult failure = IoResult::Failed;
        if (!WaitFor(fd, POLLIN, deadline, failure)) return failure;
    }
}

void CloseSocket(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace tv
