// Where the preferences and window positions are kept: sections of named numbers and texts.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/FileResult.h"

namespace tv {

// A per-user store of values grouped in sections ("Var", "Settings"). Numbers are 32-bit
// words as the preferences always had them; texts are UTF-8. A value that is missing or
// cannot be read as the asked type reads as nothing, and the caller takes its default.
class IKeyValueStore {
public:
    virtual ~IKeyValueStore() = default;
    virtual std::optional<int64_t> ReadNumber(const std::string& section, const std::string& name) const = 0;
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& name) const = 0;
    virtual void WriteNumber(const std::string& section, const std::string& name, int64_t value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    // Makes the writes so far durable; answers why not when that failed.
    virtual FileResult Flush() { return FileResult::Ok(); }
};

// The store of tests and of a program that has nowhere to keep its settings.
class MemoryKeyValueStore final : public IKeyValueStore {
public:
    std::optional<int64_t> ReadNumber(const std::string& section, const std::string& name) const override {
        auto it = m_numbers.find({section, name});
        if (it == m_numbers.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override {
        auto it = m_strings.find({section, name});
        if (it == m_strings.end()) return std::nullopt;
        return it->second;
    }
    void WriteNumber(const std::string& section, const std::string& name, int64_t value) override {
        m_numbers[{section, name}] = value;
    }
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        m_strings[{section, name}] = value;
    }
    size_t Size() const { return m_numbers.size() + m_strings.size(); }

private:
    std::map<std::pair<std::string, std::string>, int64_t> m_numbers;
    std::map<std::pair<std::string, std::string>, std::string> m_strings;
};

// The process-wide store the preferences and window positions use. Not owned; the program
// installs its own at start-up. Until then (and in tests that install none) a memory store
// serves, so every value reads as its default.
void SetSettingsStore(IKeyValueStore* store);
IKeyValueStore& GetSettingsStore();

}  // namespace tv
