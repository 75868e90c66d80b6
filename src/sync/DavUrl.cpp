// URL splitting, resolution and the comparable spelling of paths.
#include "DavUrl.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>

namespace tv::sync {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Characters a path holds as they are, escaped or not.
bool IsPathChar(unsigned char c) {
    return std::isalnum(c) ||
           std::string_view("-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

bool SplitUrl(std::string_view url, UrlParts& out) {
    const size_t colon = url.find("://");
    if (colon == std::string_view::npos) return false;
    out.scheme = Lower(url.substr(0, colon));
    if (out.scheme != "http" && out.scheme != "https") return false;
    const std::string_view rest = url.substr(colon + 3);
    const size_t slash = rest.find_first_of("/?#");
    out.authority = Lower(rest.substr(0, slash));
    if (out.authority.empty()) return false;
    out.path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
    if (const size_t hash = out.path.find('#'); hash != std::string::npos) out.path.erase(hash);
    if (out.path.empty() || out.path[0] != '/') out.path.insert(0, "/");
    return true;
}

bool HasUserInfo(std::string_view url) {
    UrlParts p;
    return SplitUrl(url, p) && p.authority.find('@') != std::string::npos;
}

std::string OriginOf(std::string_view url) {
    UrlParts p;
    return SplitUrl(url, p) ? p.scheme + "://" + p.authority : std::string();
}

std::string Resolve(std::string_view base, std::string_view reference) {
    UrlParts p;
    if (SplitUrl(reference, p)) return p.scheme + "://" + p.authority + p.path;
    if (!SplitUrl(base, p)) return std::string(reference);
    const std::string origin = p.scheme + "://" + p.authority;
    if (!reference.empty() && reference[0] == '/') return origin + std::string(reference);
    std::string dir = p.path.substr(0, p.path.find('?'));
    dir.erase(dir.rfind('/') + 1);
    return origin + dir + std::string(reference);
}

std::string PathKey(std::string_view hrefOrUrl) {
    UrlParts p;
    std::string_view path = hrefOrUrl;
    std::string owned;
    if (SplitUrl(hrefOrUrl, p)) {
        owned = p.path;
        path = owned;
    }
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '%' && i + 2 < path.size() && HexValue(path[i + 1]) >= 0 && HexValue(path[i + 2]) >= 0) {
            const auto decoded = static_cast<unsigned char>(HexValue(path[i + 1]) * 16 + HexValue(path[i + 2]));
            if (IsPathChar(decoded)) {
                out += static_cast<char>(decoded);
            } else {
                out += '%';
                out += static_cast<char>(std::toupper(static_cast<unsigned char>(path[i + 1])));
                out += static_cast<char>(std::toupper(static_cast<unsigned char>(path[i + 2])));
            }
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ResourceNameFor(std::string_view uid) {
    bool plain = !uid.empty() && uid.size() <= 200 && uid[0] != '.';
    for (unsigned char c : uid) plain = plain && (std::isalnum(c) || c == '-' || c == '_' || c == '.');
    if (plain) return std::string(uid) + ".ics";
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : uid) h = (h ^ c) * 0x100000001b3ull;
    char text[32];
    std::snprintf(text, sizeof text, "%016" PRIx64 ".ics", h);
    return text;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace tv::sync
