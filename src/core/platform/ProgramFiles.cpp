// The executable's folder from /proc/self/exe.
#include "ProgramFiles.h"

#include <unistd.h>

#include <climits>

namespace tv {

std::string ExecutableFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string ExecutableNameOf(const std::string& path) {
    std::string p = path;
    static const std::string kDeleted = " (deleted)";
    if (p.size() > kDeleted.size() && p.compare(p.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
        p.resize(p.size() - kDeleted.size());
    const auto slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

}  // namespace tv
