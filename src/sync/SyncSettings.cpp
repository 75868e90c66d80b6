// Section "Sync" and the INI reader.
#include "SyncSettings.h"

#include <algorithm>
#include <cstdlib>

#include "platform/FileIo.h"

namespace tv::sync {

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// A value as written: quotes around text with separators in it, backslash escapes.
std::string Unquote(const std::string& raw) {
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < raw.size()) {
            const char n = raw[++i];
            out += n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n;
        } else if (c == ';' && !quoted) {
            break;  // a comment
        } else {
            out += c;
        }
    }
    return quoted ? raw : Trim(out);
}

}  // namespace

void SyncSettings::Load(const IKeyValueStore& store) {
    url = store.ReadString(kSection, "Url").value_or("");
    user = store.ReadString(kSection, "User").value_or("");
    minutes = static_cast<int>(std::clamp<int64_t>(store.ReadNumber(kSection, "Minutes").value_or(0), 0, kMaxMinutes));
}

void SyncSettings::Save(IKeyValueStore& store) const {
    store.WriteString(kSection, "Url", url);
    store.WriteString(kSection, "User", user);
    store.WriteNumber(kSection, "Minutes", minutes);
}

std::string ProgramSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder = config && *config ? config : "";
    if (folder.empty()) {
        const char* home = std::getenv("HOME");
        folder = std::string(home ? home : "") + "/.config";
    }
    return folder + "/Tallyvane/tallyvane.ini";
}

IniFileStore::IniFileStore(const std::string& path) {
    std::string text, why;
    if (ReadWholeFile(path, text, why) != ReadStatus::Ok) return;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        m_values[{section, Trim(line.substr(0, eq))}] = Unquote(Trim(line.substr(eq + 1)));
    }
}

std::optional<int64_t> IniFileStore::ReadNumber(const std::string& section, const std::string& name) const {
    const auto s = ReadString(section, name);
    if (!s) return std::nullopt;
    char* end = nullptr;
    const long long v = std::strtoll(s->c_str(), &end, 0);
    if (end == s->c_str() || *end) return std::nullopt;
    return v;
}

std::optional<std::string> IniFileStore::ReadString(const std::string& section, const std::string& name) const {
    const auto it = m_values.find({section, name});
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void IniFileStore::WriteNumber(const std::string& section, const std::string& name, int64_t value) {
    m_values[{section, name}] = std::to_string(value);
}

void IniFileStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    m_values[{section, name}] = value;
}

}  // namespace tv::sync
