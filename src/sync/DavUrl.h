// The URL arithmetic of WebDAV: origins, hrefs resolved against the URL they came from, and
// one spelling per path so that the same resource is recognised however a server escapes it.
#pragma once

#include <string>
#include <string_view>

namespace tv::sync {

struct UrlParts {
    std::string scheme;     // "http" or "https", lower case
    std::string authority;  // host[:port], lower case
    std::string path;       // from the first "/" on, query included; "/" at least
};

// False for anything but an absolute http or https URL.
bool SplitUrl(std::string_view url, UrlParts& out);
// Whether the URL carries a user or password before its host.
bool HasUserInfo(std::string_view url);
// "scheme://authority" of an absolute URL; empty when it is none.
std::string OriginOf(std::string_view url);
// Where a reference (an absolute URL, an absolute path or a relative path) points from base.
std::string Resolve(std::string_view base, std::string_view reference);
// The path of an href or URL with every escape that did not need to be one undone and the
// rest in upper case: the key the sync compares resources by.
std::string PathKey(std::string_view hrefOrUrl);
// A resource name made of the UID's letters, digits, '-', '_' and '.' only; other UIDs are
// named by a hash of themselves.
std::string ResourceNameFor(std::string_view uid);
// Text safe between XML tags.
std::string XmlEscape(std::string_view text);

}  // namespace tv::sync
