// An advisory lock on a data folder, so that the command-line tool never writes files that a
// running Tallyvane program holds in memory and would save over.
#pragma once

#include <string>

namespace tv {

class DataFolderLock {
public:
    enum class Mode { Shared, Exclusive };
    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock without waiting. False when another process holds it in a conflicting
    // mode (or the lock file cannot be made, with why saying so).
    bool TryLock(const std::string& folder, Mode mode, std::string& why);
    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }

    static constexpr const char* kFileName = ".tallyvane.lock";

private:
    int m_fd = -1;
};

}  // namespace tv
