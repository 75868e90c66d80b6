// Finding another running copy of the program through the proc file system.
#include "SingleInstance.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>

namespace tv {

std::string ExecutableNameOf(const std::string& path) {
    std::string p = path;
    static const std::string kDeleted = " (deleted)";
    if (p.size() > kDeleted.size() && p.compare(p.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
        p.resize(p.size() - kDeleted.size());
    const auto slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::optional<std::vector<ProcessEntry>> ListUserProcesses(uid_t user, const std::string& procRoot) {
    DIR* dir = ::opendir(procRoot.c_str());
    if (!dir) return std::nullopt;
    std::vector<ProcessEntry> out;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.empty() || name.size() > 10) continue;
        bool digits = true;
        for (char c : name) digits = digits && std::isdigit(static_cast<unsigned char>(c));
        if (!digits) continue;
        const std::string base = procRoot + "/" + name;
        struct stat st {};
        if (::lstat(base.c_str(), &st) != 0 || st.st_uid != user) continue;
        char target[PATH_MAX];
        const ssize_t n = ::readlink((base + "/exe").c_str(), target, sizeof target - 1);
        if (n <= 0) continue;
        out.push_back({static_cast<pid_t>(std::stol(name)), ExecutableNameOf(std::string(target, static_cast<size_t>(n)))});
    }
    ::closedir(dir);
    return out;
}

bool IsAnotherCopyRunning(const std::optional<std::vector<ProcessEntry>>& processes, const std::string& exeName,
                          pid_t self) {
    if (!processes || exeName.empty()) return false;
    for (const ProcessEntry& p : *processes)
        if (p.pid != self && p.exeName == exeName) return true;
    return false;
}

}  // namespace tv
