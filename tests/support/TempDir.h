// A scratch folder that removes itself.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tvtest {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() / ("tallyvane-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
        // A data folder must be the user's alone, whatever the umask of the run.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path() const { return m_path.string() + "/"; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream f(File(name), std::ios::binary);
        f << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream f(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_path / name); }

private:
    std::filesystem::path m_path;
};

}  // namespace tvtest
