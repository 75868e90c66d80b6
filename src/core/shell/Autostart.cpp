// The XDG autostart entry that starts the program at log-on.
#include "Autostart.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/FileIo.h"

namespace tv {

namespace {

constexpr char kEntryName[] = "Tallyvane.desktop";

bool IsAbsolute(const std::optional<std::string>& path) { return path && !path->empty() && (*path)[0] == '/'; }

// A string value: backslash and the control characters a line cannot hold are escaped.
std::string EscapeStringValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> AutostartFilePath(const EnvLookup& env) {
    std::string base;
    if (const auto config = env("XDG_CONFIG_HOME"); IsAbsolute(config)) {
        base = *config;
    } else if (const auto home = env("HOME"); IsAbsolute(home)) {
        base = *home;
        if (base.back() != '/') base += '/';
        base += ".config";
    } else {
        return std::nullopt;
    }
    if (base.back() != '/') base += '/';
    return base + "autostart/" + kEntryName;
}

std::string DesktopExecArgument(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';  // a field code marker otherwise
        quoted += c;
    }
    quoted += '"';
    return EscapeStringValue(quoted);
}

std::string AutostartEntryText(const AutostartTarget& target) {
    std::string exec = DesktopExecArgument(target.program);
    if (!target.dataDir.empty()) exec += " --data-dir " + DesktopExecArgument(target.dataDir);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tallyvane\n"
           "Comment=Reminder calendar with a desktop clock\n"
           "Exec=" + exec + "\n"
           "Icon=" + kDesktopId + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

FileResult UpdateAutostartEntry(bool enabled, const AutostartTarget& target, const EnvLookup& env) {
    const std::optional<std::string> path = AutostartFilePath(env);
    if (!path)
        return FileResult::Failed(
            "The log-on start entry could not be placed: neither XDG_CONFIG_HOME nor HOME names a folder.");
    namespace fs = std::filesystem;
    const fs::path file(*path);
    std::error_code ec;
    if (!enabled) {
        fs::remove(file, ec);
        if (ec)
            return FileResult::Failed("The log-on start entry \"" + *path + "\" could not be removed (" +
                                      ec.message() + ").");
        return FileResult::Ok();
    }
    if (target.program.empty())
        return FileResult::Failed("The log-on start entry could not be written: the program's path is unknown.");
    fs::create_directories(file.parent_path(), ec);
    if (ec)
        return FileResult::Failed("The folder \"" + file.parent_path().string() + "\" for the log-on start entry "
                                  "could not be made (" + ec.message() + ").");
    FileResult written = WriteFileAtomically(*path, AutostartEntryText(target));
    if (!written)
        written.message = "The log-on start entry \"" + *path + "\" could not be written. " + written.message;
    return written;
}

}  // namespace tv
