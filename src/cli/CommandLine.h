// Reading a command line the GNU way: "--opt=value" or "--opt value", flags, "--" before
// arguments that would look like options, and a table of the options a command takes.
#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tv::cli {

struct OptionSpec {
    const char* name;   // "--name"
    const char* value;  // what the value is, "TEXT"; nullptr for a flag
    const char* help;
};

// A command line the user got wrong; its text says what to change.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options and arguments found on a command line.
class ParsedArgs {
public:
    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    std::optional<std::string> Get(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

    void Set(const std::string& name, std::string value) { m_values[name] = std::move(value); }
    void AddPositional(std::string arg) { m_positional.push_back(std::move(arg)); }

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_positional;
};

// Reads tokens from first on against the options. With stopAtArgument the reading ends at the
// first argument that is no option (the command's name), and the answer is its index; else
// every token is read and the answer is tokens.size(). Throws UsageError for an unknown
// option, a missing value or a value given to a flag.
size_t ParseArgs(const std::vector<std::string>& tokens, size_t first, const std::vector<OptionSpec>& options,
                 bool stopAtArgument, ParsedArgs& parsed);

// printf for the formats of the table of user texts.
template <class... Args>
std::string Format(const char* format, Args... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

}  // namespace tv::cli
