// An advisory lock on a data folder, so that the command-line tool never writes files that a
// running Tallyvane program holds in memory and would save over, and two writers never save
// over each other.
#pragma once

#include <chrono>
#include <string>
#include <utility>

namespace tv {

class DataFolderLock {
public:
    enum class Mode { Shared, Exclusive };
    DataFolderLock() = default;
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock without waiting, as the program does for its whole run. Busy when another
    // process holds it in a conflicting mode, Failed when the lock file cannot be made or opened
    // (why says so). The lock file is the owner's alone (0600) and never a symbolic link.
    enum class Taken { Yes, Busy, Failed };
    Taken TryLockFolder(const std::string& folder, Mode mode, std::string& why);
    bool TryLock(const std::string& folder, Mode mode, std::string& why);

    // How a command-line writer's attempt ended.
    enum class WriterLock { Locked, ProgramRunning, OtherWriter, Failed };
    // Takes the folder for one command-line writer. Writers queue on a lock of their own first,
    // waiting up to patience for the one before them, so that the folder lock itself is only
    // ever held by the program while a writer waits: finding it taken means the program runs.
    WriterLock LockForWriter(const std::string& folder, std::chrono::milliseconds patience, std::string& why);

    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }

    // The program writes where it listens into the lock file it holds, so that tallyvane-cli
    // reaches the program of this very folder; the note is emptied again with the lock.
    bool Record(const std::string& note);
    // What the lock file of the folder says (its first line, at most 4 KiB); empty when
    // nothing is recorded. The note of a program that ended without unlocking stays behind, so
    // only an answer from the place it names proves a program.
    static std::string ReadRecord(const std::string& folder);

    // Whether this process holds the lock of the folder (compared as the same folder on disk,
    // whatever the path): a save made there can be sure no other save of its files runs.
    static bool IsHeldHere(const std::string& folder);

    static constexpr const char* kFileName = ".tallyvane.lock";
    static constexpr const char* kWriterFileName = ".tallyvane-writer.lock";

private:
    Taken TakeFolderLock(const std::string& folder, Mode mode, std::string& why);

    int m_fd = -1;
    int m_writerFd = -1;
    std::pair<unsigned long long, unsigned long long> m_folderId{};  // device and inode
    bool m_registered = false;
    bool m_recorded = false;
};

}  // namespace tv
