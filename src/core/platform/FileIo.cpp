// POSIX file access: whole-file reads and write-then-rename saves.
#include "FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <vector>

#include "DataFolderLock.h"

namespace tv {

namespace {

std::mutex g_writeFnLock;
WriteFunction g_writeFn;

long CallWrite(int fd, const void* data, size_t size) {
    {
        std::lock_guard g(g_writeFnLock);
        if (g_writeFn) return g_writeFn(fd, data, size);
    }
    return ::write(fd, data, size);
}

std::string ErrnoText(int err) { return std::strerror(err); }

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RealPath(const std::string& path) {
    char buf[PATH_MAX];
    return ::realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

// Where a save of path lands. Saving through a symbolic link replaces the file it points to,
// not the link; a data folder's file is followed only while the link stays inside the folder,
// and otherwise the link itself is replaced (leftLink set).
std::string ResolveTarget(const std::string& path, SaveScope scope, bool& leftLink) {
    leftLink = false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    const std::string target = RealPath(path);
    if (scope == SaveScope::UserFile) return target.empty() ? path : target;
    const std::string folder = RealPath(DirectoryOf(path));
    if (!target.empty() && !folder.empty() && target.compare(0, folder.size() + 1, folder + "/") == 0) return target;
    leftLink = true;
    return path;
}

constexpr char kSavingInfix[] = ".saving-";

// A save killed between creating its temporary file and renaming it (power loss, kill -9)
// leaves ".NAME.saving-XXXXXX" beside the file. Nothing ever reads those; they are removed by
// a later save of the same file once they are clearly not another save still under way: at
// once when this process holds the data folder's lock (no other writer can be saving there),
// otherwise when they are old.
void RemoveStaleTemporaryFiles(const std::string& dir, const std::string& base) {
    namespace fs = std::filesystem;
    const std::string prefix = "." + base + kSavingInfix;
    std::error_code ec;
    const auto limit = DataFolderLock::IsHeldHere(dir) ? fs::file_time_type::max()
                                                       : fs::file_time_type::clock::now() - kStaleTemporaryFileAge;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || it->is_symlink(fileEc)) continue;
        const auto written = fs::last_write_time(it->path(), fileEc);
        if (!fileEc && written < limit) fs::remove(it->path(), fileEc);
    }
}

}  // namespace

void SetWriteFunctionForTesting(WriteFunction fn) {
    std::lock_guard g(g_writeFnLock);
    g_writeFn = std::move(fn);
}

FileReader::~FileReader() {
    if (m_fd >= 0) ::close(m_fd);
}

ReadStatus FileReader::Open(const std::string& path, std::string& why) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_path = path;
    m_remaining = 0;
    // Non-blocking open: a named pipe in the file's place would otherwise wait for a writer
    // for ever, and start-up with it. Only regular files are read, after the check below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) return ReadStatus::Missing;
        why = "Could not open \"" + path + "\": " + ErrnoText(err) + ".";
        return ReadStatus::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = "\"" + path + "\" is not a file that can be read.";
        return ReadStatus::Failed;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        why = "\"" + path + "\" is far too large to be one of this program's files.";
        return ReadStatus::Failed;
    }
    m_fd = fd;
    m_remaining = static_cast<size_t>(st.st_size);
    return ReadStatus::Ok;
}

bool FileReader::Read(char* to, size_t n, size_t& got, std::string& why) {
    got = 0;
    n = std::min(n, m_remaining);
    while (got < n) {
        const ssize_t r = ::read(m_fd, to + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {
            const int err = errno;
            why = "Could not read \"" + m_path + "\": " + ErrnoText(err) + ".";
            m_remaining = 0;
            return false;
        }
        if (r == 0) {  // the file shrank meanwhile; take what is there
            m_remaining = 0;
            break;
        }
        got += static_cast<size_t>(r);
        m_remaining -= static_cast<size_t>(r);
    }
    return true;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& out, std::string& why) {
    out.clear();
    FileReader file;
    const ReadStatus status = file.Open(path, why);
    if (status != ReadStatus::Ok) return status;
    out.resize(file.Remaining());
    size_t got = 0;
    if (!file.Read(out.data(), out.size(), got, why)) {
        out.clear();
        return ReadStatus::Failed;
    }
    out.resize(got);
    return ReadStatus::Ok;
}

FileResult WriteFileAtomically(const std::string& requestedPath, const ContentProducer& produce, SaveScope scope) {
    bool leftLink = false;
    const std::string path = ResolveTarget(requestedPath, scope, leftLink);
    const std::string dir = DirectoryOf(path);
    std::string tmpl = dir + "/." + BaseName(path) + kSavingInfix + "XXXXXX";
    std::vector<char> tmpName(tmpl.begin(), tmpl.end());
    tmpName.push_back('\0');
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        const int err = errno;
        return FileResult::Failed("Could not save \"" + requestedPath + "\": " + ErrnoText(err) + ".");
    }
    const std::string tmpPath(tmpName.data());
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpPath.c_str());
        return FileResult::Failed("Could not save \"" + requestedPath + "\": " + ErrnoText(err) +
                                  ". The file on disk was left as it was.");
    };

    // Keep the permissions an existing file had; a new file gets the usual ones. The data
    // folder's files hold personal reminders and are the owner's alone.
    struct stat st {};
    if (scope == SaveScope::DataFolder) {
        ::fchmod(fd, 0600);
    } else if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    int writeError = 0;
    const ChunkWrite write = [&](std::string_view data) {
        size_t done = 0;
        while (writeError == 0 && done < data.size()) {
            const long n = CallWrite(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) writeError = errno;
            else if (n == 0) writeError = ENOSPC;
            else done += static_cast<size_t>(n);
        }
        return writeError == 0;
    };
    produce(write);
    if (writeError != 0) return fail(writeError);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpPath.c_str());
        return FileResult::Failed("Could not save \"" + requestedPath + "\": " + ErrnoText(err) + ".");
    }
    if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpPath.c_str());
        return FileResult::Failed("Could not save \"" + requestedPath + "\": " + ErrnoText(err) + ".");
    }
    // Make the rename itself durable.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    RemoveStaleTemporaryFiles(dir, BaseName(path));
    FileResult saved = FileResult::Ok();
    if (leftLink)
        saved.note = "\"" + requestedPath +
                     "\" was a link to a file outside the data folder; it was saved as a file "
                     "of its own, and the file the link pointed to was left as it was.";
    return saved;
}

bool KeepDamagedCopy(const std::string& path, std::string& copyPath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    copyPath.clear();
    if (!fs::exists(path, ec)) return true;
    // Only a file name: the wall clock decides nothing here.
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    std::string target = path + ".damaged-" + stamp;
    for (int i = 1; fs::exists(target, ec) && i < 100; ++i)
        target = path + ".damaged-" + stamp + "-" + std::to_string(i);
    if (!fs::copy_file(path, target, fs::copy_options::none, ec)) return false;
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
    copyPath = target;
    return true;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view data, SaveScope scope) {
    return WriteFileAtomically(path, [data](const ChunkWrite& write) { write(data); }, scope);
}

}  // namespace tv
