// flock(2) on small files in the data folder; the kernel drops them when the process ends.
#include "DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace tv {

namespace {

using FolderId = std::pair<unsigned long long, unsigned long long>;  // device, inode

std::mutex g_heldLock;
std::multiset<FolderId> g_held;  // the folders this process holds locked

bool IdOf(const std::string& folder, FolderId& id) {
    struct stat st {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

std::string InFolder(const std::string& folder, const char* name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}

// Opens (creating) a lock file; -1 with why set when it cannot be. Anyone who can open the
// file can take its flock and so keep the program from starting, which is why it is the
// owner's alone and never reached through a symbolic link planted in its place.
int OpenLockFile(const std::string& path, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        const int err = errno;
        why = err == ELOOP ? "The lock file \"" + path + "\" is a symbolic link; remove it and try again."
                           : "Could not open the lock file \"" + path + "\": " + std::strerror(err) + ".";
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = "The lock file \"" + path + "\" is not a plain file; remove it and try again.";
        return -1;
    }
    // Lock files made by earlier builds were readable by everyone.
    if (st.st_uid == ::geteuid() && (st.st_mode & 07777) != 0600) ::fchmod(fd, 0600);
    return fd;
}

std::string LockFailure(int err) { return std::string("Could not lock the data folder: ") + std::strerror(err) + "."; }

}  // namespace

DataFolderLock::~DataFolderLock() { Unlock(); }

bool DataFolderLock::TryLock(const std::string& folder, Mode mode, std::string& why) {
    return TryLockFolder(folder, mode, why) == Taken::Yes;
}

DataFolderLock::Taken DataFolderLock::TryLockFolder(const std::string& folder, Mode mode, std::string& why) {
    Unlock();
    return TakeFolderLock(folder, mode, why);
}

DataFolderLock::Taken DataFolderLock::TakeFolderLock(const std::string& folder, Mode mode, std::string& why) {
    const int fd = OpenLockFile(InFolder(folder, kFileName), why);
    if (fd < 0) return Taken::Failed;
    if (::flock(fd, (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err != EWOULDBLOCK) {
            why = LockFailure(err);
            return Taken::Failed;
        }
        why = "Tallyvane is running on the data folder \"" + folder +
              "\"; close it before changing its files from the command line.";
        return Taken::Busy;
    }
    m_fd = fd;
    if (IdOf(folder, m_folderId)) {
        std::lock_guard g(g_heldLock);
        g_held.insert(m_folderId);
        m_registered = true;
    }
    return Taken::Yes;
}

DataFolderLock::WriterLock DataFolderLock::LockForWriter(const std::string& folder,
                                                         std::chrono::milliseconds patience, std::string& why) {
    Unlock();
    const int writerFd = OpenLockFile(InFolder(folder, kWriterFileName), why);
    if (writerFd < 0) return WriterLock::Failed;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::flock(writerFd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
            ::close(writerFd);
            why = err != EWOULDBLOCK ? LockFailure(err)
                                     : "another tallyvane-cli is writing to the data folder \"" + folder +
                                           "\"; try again later.";
            return err != EWOULDBLOCK ? WriterLock::Failed : WriterLock::OtherWriter;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    switch (TakeFolderLock(folder, Mode::Exclusive, why)) {
        case Taken::Yes:
            m_writerFd = writerFd;
            return WriterLock::Locked;
        case Taken::Busy:
            ::close(writerFd);
            return WriterLock::ProgramRunning;
        case Taken::Failed: break;
    }
    ::close(writerFd);
    return WriterLock::Failed;
}

bool DataFolderLock::Record(const std::string& note) {
    if (m_fd < 0) return false;
    const std::string line = note + "\n";
    m_recorded = ::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, line.data(), line.size(), 0) == ssize_t(line.size());
    return m_recorded;
}

std::string DataFolderLock::ReadRecord(const std::string& folder) {
    const int fd = ::open(InFolder(folder, kFileName).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return {};
    char buffer[4096];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    ::close(fd);
    if (n <= 0) return {};
    const std::string text(buffer, static_cast<size_t>(n));
    const size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(0, end);
}

void DataFolderLock::Unlock() {
    if (m_fd >= 0) {
        if (m_recorded) {
            [[maybe_unused]] const int emptied = ::ftruncate(m_fd, 0);
            m_recorded = false;
        }
        if (m_registered) {
            std::lock_guard g(g_heldLock);
            g_held.erase(g_held.find(m_folderId));
            m_registered = false;
        }
        // The folder lock goes first: a writer next in the queue then finds it free.
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_writerFd >= 0) {
        ::flock(m_writerFd, LOCK_UN);
        ::close(m_writerFd);
        m_writerFd = -1;
    }
}

bool DataFolderLock::IsHeldHere(const std::string& folder) {
    FolderId id;
    if (!IdOf(folder, id)) return false;
    std::lock_guard g(g_heldLock);
    return g_held.count(id) != 0;
}

}  // namespace tv
