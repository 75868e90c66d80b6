// The XDG base folder rules for the data folder and the shipped files, and the checks a data
// folder passes before anything is read from it or saved into it.
#include "DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tv {

namespace {

namespace fs = std::filesystem;

bool IsAbsolute(const std::optional<std::string>& path) { return path && !path->empty() && (*path)[0] == '/'; }

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// A folder as one spelling, so that "/usr/share/" and "/usr//share" count as the same folder.
std::string Normal(const std::string& folder) { return WithSlash(fs::path(folder).lexically_normal().string()); }

bool IsPortableFolder(const std::string& exeFolder) {
    struct stat st {};
    return !exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0 &&
           ::stat((WithSlash(exeFolder) + "Evnt.est").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// mkdir -p with every folder it makes private; umask cannot take the owner's own rights away.
FileResult MakePrivateFolders(const std::string& folder) {
    std::string made;
    for (const fs::path& part : fs::path(folder)) {
        made = (fs::path(made) / part).string();
        if (part == "/" || part.empty()) continue;
        if (::mkdir(made.c_str(), 0700) == 0) {
            ::chmod(made.c_str(), 0700);
        } else if (errno != EEXIST) {
            return FileResult::Failed("The data folder \"" + folder + "\" could not be made: " + std::strerror(errno) +
                                      ".");
        }
    }
    return FileResult::Ok();
}

}  // namespace

std::string DefaultDataFolder(const EnvLookup& env, const std::string& exeFolder) {
    if (IsPortableFolder(exeFolder)) return WithSlash(exeFolder);
    if (const auto data = env("XDG_DATA_HOME"); IsAbsolute(data)) return WithSlash(*data) + kXdgFolderName + "/";
    if (const auto home = env("HOME"); IsAbsolute(home))
        return WithSlash(*home) + ".local/share/" + kXdgFolderName + "/";
    return {};
}

std::vector<std::string> ShippedDataFolders(const std::string& dataFolder, const EnvLookup& env,
                                            const std::string& exeFolder) {
    std::vector<std::string> folders;
    auto add = [&](const std::string& folder) {
        if (folder.empty()) return;
        const std::string normal = Normal(folder);
        for (const std::string& f : folders)
            if (f == normal) return;
        folders.push_back(normal);
    };
    add(dataFolder);
    auto dirs = env("XDG_DATA_DIRS");
    if (!dirs || dirs->empty()) dirs = "/usr/local/share/:/usr/share/";
    for (size_t at = 0; at <= dirs->size();) {
        const size_t colon = std::min(dirs->find(':', at), dirs->size());
        const std::string dir = dirs->substr(at, colon - at);
        if (!dir.empty() && dir[0] == '/') add(WithSlash(dir) + kXdgFolderName);
        at = colon + 1;
    }
    if (!exeFolder.empty()) {
        add(WithSlash(exeFolder) + "../share/" + kXdgFolderName);
        add(exeFolder);
    }
    return folders;
}

std::string FindInFolders(const std::vector<std::string>& folders, const std::string& relative) {
    std::error_code ec;
    for (const std::string& folder : folders) {
        const std::string path = WithSlash(folder) + relative;
        if (fs::exists(path, ec)) return path;
    }
    return {};
}

FileResult PrepareDataFolder(const std::string& folder, bool create, bool trust, uid_t user) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        const int err = errno;
        if (err != ENOENT || !create)
            return FileResult::Failed(err == ENOENT ? "The data folder \"" + folder + "\" does not exist."
                                                    : "The data folder \"" + folder +
                                                          "\" cannot be used: " + std::strerror(err) + ".");
        if (FileResult made = MakePrivateFolders(folder); !made) return made;
        if (::stat(folder.c_str(), &st) != 0)
            return FileResult::Failed("The data folder \"" + folder + "\" could not be made: " + std::strerror(errno) +
                                      ".");
    }
    if (!S_ISDIR(st.st_mode)) return FileResult::Failed("The data folder \"" + folder + "\" is not a folder.");
    if (trust) return FileResult::Ok();
    const std::string insist = " Start with " + std::string(kTrustOption) + " to use it all the same.";
    if (st.st_uid != user)
        return FileResult::Failed("The data folder \"" + folder +
                                  "\" belongs to another user, who could read and change your events." + insist);
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return FileResult::Failed("Other users may change files in the data folder \"" + folder +
                                  "\"; make it yours alone with \"chmod go-w\"." + insist);
    return FileResult::Ok();
}

}  // namespace tv
