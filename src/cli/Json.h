// A small JSON writer for the command-line tool's fixed output.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "model/TextCodec.h"

namespace tv::cli {

// Always valid UTF-8, whatever the text holds: malformed bytes (a locale's day name that is
// not UTF-8, say) become U+FFFD.
inline std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char ch : ToValidUtf8(text)) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

// Builds one object with its keys in the order they are added.
class JsonObject {
public:
    JsonObject& Add(std::string_view key, std::string_view utf8) { return Raw(key, JsonString(utf8)); }
    JsonObject& Add(std::string_view key, const char* utf8) { return Raw(key, JsonString(utf8)); }
    JsonObject& Add(std::string_view key, bool v) { return Raw(key, v ? "true" : "false"); }
    JsonObject& Add(std::string_view key, int64_t v) { return Raw(key, std::to_string(v)); }
    JsonObject& Add(std::string_view key, uint32_t v) { return Raw(key, std::to_string(v)); }
    JsonObject& Add(std::string_view key, int v) { return Raw(key, std::to_string(v)); }
    std::string Text() const { return "{" + m_body + "}"; }

private:
    JsonObject& Raw(std::string_view key, const std::string& value) {
        if (!m_body.empty()) m_body += ", ";
        m_body += JsonString(key) + ": " + value;
        return *this;
    }
    std::string m_body;
};

}  // namespace tv::cli
