// The core's texts in the user's language, and the check that keeps a translated format safe.
#include "Translate.h"

#include <cstdarg>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

namespace tv::texts {

namespace {

Translator g_translator = nullptr;

// The arguments a printf format reads: argument number (1-based) -> its length modifier and
// conversion. Nothing for a format that cannot be read, or that mixes numbered and plain
// conversions, which printf does not allow.
std::optional<std::map<int, std::string>> FormatArguments(std::string_view f) {
    std::map<int, std::string> args;
    int next = 1;
    bool numbered = false, plain = false;
    auto number = [&](size_t& i) {
        int n = 0;
        while (i < f.size() && f[i] >= '0' && f[i] <= '9' && n < 1000) n = n * 10 + (f[i++] - '0');
        return n;
    };
    // A '*' width or precision reads an int of its own, numbered "*m$" or in turn.
    auto star = [&](size_t& i) -> bool {
        if (i >= f.size() || f[i] != '*') return true;
        ++i;
        const size_t at = i;
        const int n = number(i);
        if (n > 0 && i < f.size() && f[i] == '$') {
            ++i;
            numbered = true;
            return args.emplace(n, "int").first->second == "int";
        }
        i = at;
        plain = true;
        return args.emplace(next++, "int").first->second == "int";
    };
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') continue;
        if (++i >= f.size()) return std::nullopt;
        if (f[i] == '%') continue;
        const size_t at = i;
        int position = number(i);
        if (position > 0 && i < f.size() && f[i] == '$') {
            ++i;
            numbered = true;
        } else {
            i = at;
            position = 0;
        }
        while (i < f.size() && std::string_view("-+ #0'").find(f[i]) != std::string_view::npos) ++i;
        if (!star(i)) return std::nullopt;
        number(i);
        if (i < f.size() && f[i] == '.') {
            ++i;
            if (!star(i)) return std::nullopt;
            number(i);
        }
        std::string type;
        while (i < f.size() && std::string_view("hlLqjzt").find(f[i]) != std::string_view::npos) type += f[i++];
        if (i >= f.size()) return std::nullopt;
        char conversion = f[i];
        if (std::string_view("diouxXeEfFgGaAcspn").find(conversion) == std::string_view::npos) return std::nullopt;
        // The signed and unsigned forms of an integer read the same argument.
        if (std::string_view("iouxX").find(conversion) != std::string_view::npos) conversion = 'd';
        if (std::string_view("eEfFgGaA").find(conversion) != std::string_view::npos) conversion = 'f';
        type += conversion;
        if (position == 0) {
            plain = true;
            position = next++;
        }
        if (!args.emplace(position, type).second && args[position] != type) return std::nullopt;
    }
    if (numbered && plain) return std::nullopt;
    return args;
}

}  // namespace

void SetTranslator(Translator translator) { g_translator = translator; }

std::string Tr(const char* english) {
    if (!english) return {};
    if (g_translator) {
        std::string translated = g_translator(english);
        if (!translated.empty()) return translated;
    }
    return english;
}

std::string TrFormat(const char* englishFormat) {
    std::string translated = Tr(englishFormat);
    if (englishFormat && !SameFormatArguments(translated, englishFormat)) return englishFormat;
    return translated;
}

bool SameFormatArguments(std::string_view a, std::string_view b) {
    const auto fa = FormatArguments(a), fb = FormatArguments(b);
    return fa && fb && *fa == *fb;
}

namespace {

std::string VPrintf(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, again);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

}  // namespace

std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = VPrintf(format, args);
    va_end(args);
    return out;
}

std::string TrPrintf(const char* englishFormat, ...) {
    const std::string format = TrFormat(englishFormat);
    va_list args;
    va_start(args, englishFormat);
    std::string out = VPrintf(format.c_str(), args);
    va_end(args);
    return out;
}

}  // namespace tv::texts
