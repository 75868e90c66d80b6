// flock(2) on a small file in the data folder; the kernel drops it when the process ends.
#include "DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tv {

DataFolderLock::~DataFolderLock() { Unlock(); }

bool DataFolderLock::TryLock(const std::string& folder, Mode mode, std::string& why) {
    Unlock();
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += kFileName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        // A folder we cannot even create a file in cannot be written by anyone here either;
        // a read-only command may go on without the lock.
        why = "Could not open the lock file \"" + path + "\": " + std::strerror(errno) + ".";
        return false;
    }
    if (::flock(fd, (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        why = err == EWOULDBLOCK ? "Tallyvane is running on the data folder \"" + folder +
                                       "\"; close it before changing its files from the command line."
                                 : std::string("Could not lock the data folder: ") + std::strerror(err) + ".";
        return false;
    }
    m_fd = fd;
    return true;
}

void DataFolderLock::Unlock() {
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace tv
