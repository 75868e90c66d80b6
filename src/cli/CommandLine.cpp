// GNU-style option parsing against a table of options.
#include "CommandLine.h"

#include <algorithm>

#include "texts/UserTexts.h"

namespace tv::cli {

std::optional<std::string> ParsedArgs::Get(const std::string& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? std::nullopt : std::optional(it->second);
}

size_t ParseArgs(const std::vector<std::string>& tokens, size_t first, const std::vector<OptionSpec>& options,
                 bool stopAtArgument, ParsedArgs& parsed) {
    for (size_t i = first; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token == "--") {
            if (stopAtArgument) return i + 1 < tokens.size() ? i + 1 : tokens.size();
            for (++i; i < tokens.size(); ++i) parsed.AddPositional(tokens[i]);
            break;
        }
        // "-h" is the one short option; any other single dash (a negative number, "-" for
        // a name) is an argument.
        const bool isOption = token == "-h" || (token.size() > 2 && token.compare(0, 2, "--") == 0);
        if (!isOption) {
            if (stopAtArgument) return i;
            parsed.AddPositional(token);
            continue;
        }
        const size_t equals = token.find('=');
        const std::string name = token == "-h" ? "--help" : token.substr(0, equals);
        const auto spec =
            std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) { return name == o.name; });
        if (spec == options.end()) throw UsageError(Format(texts::kCliUnknownOption, name.c_str()));
        if (!spec->value) {
            if (equals != std::string::npos) throw UsageError(Format(texts::kCliOptionTakesNoValue, name.c_str()));
            parsed.Set(name, "");
        } else if (equals != std::string::npos) {
            parsed.Set(name, token.substr(equals + 1));
        } else {
            if (i + 1 >= tokens.size()) throw UsageError(Format(texts::kCliOptionNeedsValue, name.c_str()));
            parsed.Set(name, tokens[++i]);
        }
    }
    return tokens.size();
}

}  // namespace tv::cli
