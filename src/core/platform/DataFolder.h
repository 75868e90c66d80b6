// Where the data folder and the shipped files are, and whether a folder is fit to hold a user's
// reminders.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

#include "Environment.h"
#include "FileResult.h"

namespace tv {

// The program's folder under the XDG base folders ($XDG_DATA_HOME, $XDG_DATA_DIRS).
constexpr const char* kXdgFolderName = "tallyvane";

// The data folder when none is given, ending with '/'. The executable's folder when it is
// writable and already holds Evnt.est (a portable copy, run from a build or a stick);
// otherwise $XDG_DATA_HOME/tallyvane, or ~/.local/share/tallyvane when that variable is
// unset, empty or relative. Empty when neither names an absolute folder. The program and
// tallyvane-cli both start from this answer, so that they always meet on the same files.
std::string DefaultDataFolder(const EnvLookup& env, const std::string& exeFolder);

// The folders where files shipped with the program (Sound/, help/) are looked for, in this
// order, each ending with '/': the data folder (the user's own files win), tallyvane/ in every
// absolute $XDG_DATA_DIRS entry (by default /usr/local/share and /usr/share), share/tallyvane/
// of the prefix the executable is installed in (an install into any prefix), and the
// executable's own folder (a build tree). A folder named twice is listed once.
std::vector<std::string> ShippedDataFolders(const std::string& dataFolder, const EnvLookup& env,
                                            const std::string& exeFolder);

// folders[i] + relative for the first folder that has it; empty when none does.
std::string FindInFolders(const std::vector<std::string>& folders, const std::string& relative);

// Makes a data folder ready for use. With create, a missing folder (and any missing folder
// above it) is made readable by its owner only, whatever the umask. Then a path that is not a
// folder is refused, and so, unless trust is set, is a folder that another user than user
// owns or that its group or others may write to: anyone who can change files there could
// plant links or files that the program would then read or save through.
FileResult PrepareDataFolder(const std::string& folder, bool create, bool trust, uid_t user);

// The option that makes PrepareDataFolder trust a shared folder, as the messages name it.
constexpr const char* kTrustOption = "--trust-data-dir";

}  // namespace tv
