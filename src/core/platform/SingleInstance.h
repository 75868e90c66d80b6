// Finding another running copy of the program: processes of this user with the same file name.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tv {

struct ProcessEntry {
    pid_t pid = 0;
    std::string exeName;  // the executable's file name, without its folder
};

// The processes of one user with the file names of their executables, read from a proc
// file system. Processes whose executable cannot be read (kernel threads, other users) are
// left out. Nothing when the process list itself cannot be read.
std::optional<std::vector<ProcessEntry>> ListUserProcesses(uid_t user, const std::string& procRoot = "/proc");

// True when a process other than self runs an executable of exactly that file name (letter
// case counts). A list that could not be read means no other copy.
bool IsAnotherCopyRunning(const std::optional<std::vector<ProcessEntry>>& processes, const std::string& exeName,
                          pid_t self);

// The file name part of a path; "/usr/bin/tallyvane (deleted)" gives "tallyvane", because a
// program rebuilt while it runs is still the same program.
std::string ExecutableNameOf(const std::string& path);

}  // namespace tv
