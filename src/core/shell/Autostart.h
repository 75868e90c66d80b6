// The log-on start entry: an XDG autostart file named "Tallyvane" that starts this program.
#pragma once

#include <optional>
#include <string>

#include "Platform.h"
#include "platform/FileResult.h"

namespace tv {

// What the entry starts: the program file and, when the program runs on a data folder of its
// own (--data-dir), that folder. Both are absolute paths.
struct AutostartTarget {
    std::string program;
    std::string dataDir;  // empty: the program's own folder
};

// Where the entry lives: $XDG_CONFIG_HOME/autostart/Tallyvane.desktop, or ~/.config/... when
// that variable is unset, empty or relative (as the base directory rules say). Nothing when
// neither it nor $HOME gives an absolute folder.
std::optional<std::string> AutostartFilePath(const EnvLookup& env);

// One argument of an Exec line as it stands in the file: in double quotes with '"', '`', '$'
// and '\' escaped, '%' doubled, then escaped again as a string value (so a backslash becomes
// four). Any path survives the round trip through a desktop's launcher.
std::string DesktopExecArgument(const std::string& arg);

// The whole file.
std::string AutostartEntryText(const AutostartTarget& target);

// Writes the entry (enabled) or removes it (disabled; an entry that is not there is fine).
// On failure the message names the file and why.
FileResult UpdateAutostartEntry(bool enabled, const AutostartTarget& target, const EnvLookup& env);

}  // namespace tv
