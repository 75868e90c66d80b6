// The settings store of the running program: an INI file per user through QSettings.
#pragma once

#include <QSettings>
#include <memory>

#include "shell/KeyValueStore.h"

namespace tv {

// ~/.config/Tallyvane/<program name>.ini with the sections "Var" and "Settings" (on Windows
// the registry key Software\Tallyvane\<program name>).
class CQSettingsStore final : public IKeyValueStore {
public:
    explicit CQSettingsStore(const QString& applicationName);
    // A given file, for tests and for a settings file beside a portable copy.
    static std::unique_ptr<CQSettingsStore> ForFile(const QString& iniPath);

    std::optional<int64_t> ReadNumber(const std::string& section, const std::string& name) const override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    void WriteNumber(const std::string& section, const std::string& name, int64_t value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    FileResult Flush() override;

private:
    explicit CQSettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}
    static QString Key(const std::string& section, const std::string& name);

    std::unique_ptr<QSettings> m_settings;
};

}  // namespace tv
