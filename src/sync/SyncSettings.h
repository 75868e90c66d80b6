// The sync's settings in section "Sync" of the preferences, and a reader of the program's
// preferences file for the command-line tool, which has no Qt. The password is no setting: the
// program keeps it in the desktop's secret store, the command-line tool takes it from a file or
// the environment.
#pragma once

#include <map>
#include <string>

#include "shell/KeyValueStore.h"

namespace tv::sync {

struct SyncSettings {
    static constexpr const char* kSection = "Sync";
    static constexpr int kMaxMinutes = 24 * 60;

    std::string url;
    std::string user;
    int minutes = 0;  // every this many minutes while the program runs; 0: only when asked

    void Load(const IKeyValueStore& store);
    void Save(IKeyValueStore& store) const;
};

// $XDG_CONFIG_HOME/Tallyvane/tallyvane.ini (~/.config when unset), where the program keeps its
// preferences.
std::string ProgramSettingsPath();

// An INI file as the program's settings library writes it, read once; writes are kept in memory.
class IniFileStore final : public IKeyValueStore {
public:
    explicit IniFileStore(const std::string& path);
    std::optional<int64_t> ReadNumber(const std::string& section, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    void WriteNumber(const std::string& section, const std::string& name, int64_t value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace tv::sync
