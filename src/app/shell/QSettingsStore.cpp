// The settings store of the running program: an INI file per user through QSettings.
#include "QSettingsStore.h"

namespace tv {

CQSettingsStore::CQSettingsStore(const QString& applicationName)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tallyvane"),
                                             applicationName)) {}

std::unique_ptr<CQSettingsStore> CQSettingsStore::ForFile(const QString& iniPath) {
    return std::unique_ptr<CQSettingsStore>(
        new CQSettingsStore(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)));
}

QString CQSettingsStore::Key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

std::optional<int64_t> CQSettingsStore::ReadNumber(const std::string& section, const std::string& name) const {
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok, 0);
    if (!ok) return std::nullopt;
    return static_cast<int64_t>(n);
}

std::optional<std::string> CQSettingsStore::ReadString(const std::string& section, const std::string& name) const {
    const QVariant v = m_settings->value(Key(section, name));
    // A value written as a list ("a, b" unquoted) reads back as a list; join it again.
    if (!v.isValid()) return std::nullopt;
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(',')).toStdString();
    return v.toString().toStdString();
}

void CQSettingsStore::WriteNumber(const std::string& section, const std::string& name, int64_t value) {
    m_settings->setValue(Key(section, name), static_cast<qlonglong>(value));
}

void CQSettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    m_settings->setValue(Key(section, name), QString::fromStdString(value));
}

FileResult CQSettingsStore::Flush() {
    m_settings->sync();
    switch (m_settings->status()) {
        case QSettings::NoError: return FileResult::Ok();
        case QSettings::AccessError:
            return FileResult::Failed("Could not write the settings file \"" + m_settings->fileName().toStdString() +
                                      "\".");
        case QSettings::FormatError:
            return FileResult::Failed("The settings file \"" + m_settings->fileName().toStdString() +
                                      "\" is damaged; the settings could not be written to it.");
    }
    return FileResult::Ok();
}

}  // namespace tv
