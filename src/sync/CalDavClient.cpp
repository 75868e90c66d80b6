// CalDAV over IHttpClient: the XML of each request, redirects, and the user's messages.
#include "CalDavClient.h"

#include <cstdio>

#include "DavUrl.h"
#include "Multistatus.h"
#include "texts/UserTexts.h"

namespace tv::sync {

namespace {

constexpr int kMaxRedirects = 5;
// Events per multiget: a few hundred kilobytes of answer, well inside every bound.
constexpr size_t kFetchBatch = 100;

constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr char kNamespaces[] = " xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\"";

template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[1024];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string WithSlash(std::string url) {
    if (url.empty() || url.back() != '/') url += '/';
    return url;
}

// A weak ETag cannot be asked for with If-Match; the resource is then listed again instead.
std::string StrongEtag(const std::string& etag) { return etag.rfind("W/", 0) == 0 ? std::string() : etag; }

HttpRequest Xml(const char* method, const std::string& url, int depth, std::string body) {
    HttpRequest r;
    r.method = method;
    r.url = url;
    if (depth >= 0) r.headers.emplace_back("Depth", std::to_string(depth));
    r.headers.emplace_back("Content-Type", "application/xml; charset=utf-8");
    r.body = kXmlHead + std::move(body);
    return r;
}

}  // namespace

CalDavClient::CalDavClient(IHttpClient& http, std::string givenUrl) : m_http(http), m_given(std::move(givenUrl)) {
    UrlParts p;
    if (!SplitUrl(m_given, p) || HasUserInfo(m_given)) throw SyncError(Format(texts::kSyncBadUrl, m_given.c_str()));
    m_host = p.authority;
}

std::string CalDavClient::Host() const { return m_host; }

CalDavClient::Answer CalDavClient::Exchange(HttpRequest request) {
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        UrlParts p;
        SplitUrl(request.url, p);
        request.sendCredentials = p.authority == m_host;
        HttpResponse r = m_http.Send(request);
        if (!IsRedirect(r.status) || r.location.empty()) return {std::move(r), request.url};
        const std::string next = Resolve(request.url, r.location);
        UrlParts n;
        if (!SplitUrl(next, n)) return {std::move(r), request.url};
        if (p.scheme == "https" && n.scheme == "http")
            throw SyncError(Format(texts::kSyncInsecureRedirect, m_host.c_str()));
        request.url = next;
    }
    throw SyncError(Format(texts::kSyncRedirectLoop, m_host.c_str()));
}

void CalDavClient::Fail(const Answer& a, const char* what) const {
    const HttpResponse& r = a.response;
    if (r.status == 0) throw SyncError(Format(texts::kSyncUnreachable, m_host.c_str(), r.error.c_str()));
    if (r.status == 401) throw SyncError(Format(texts::kSyncRefusedLogin, m_host.c_str()));
    if (r.status == 403) throw SyncError(Format(texts::kSyncForbidden, m_host.c_str(), what));
    throw SyncError(Format(texts::kSyncHttpError, m_host.c_str(), r.status, what));
}

CalDavClient::Answer CalDavClient::Propfind(const std::string& url, int depth, const std::string& props) {
    return Exchange(Xml("PROPFIND", url, depth,
                        std::string("<D:propfind") + kNamespaces + "><D:prop>" + props + "</D:prop></D:propfind>"));
}

std::string CalDavClient::ReadMultistatusOf(const Answer& a, const char* what, Multistatus& out) {
    if (a.response.status != 207) Fail(a, what);
    const std::string why = ParseMultistatus(a.response.body, out);
    if (!why.empty()) throw SyncError(Format(texts::kSyncUnreadable, m_host.c_str(), what, why.c_str()));
    return a.url;
}

std::string CalDavClient::FindCalendar() {
    const char* kWhat = "looking for the calendar";
    const Answer a = Propfind(m_given, 0,
                              "<D:resourcetype/><D:current-user-principal/><C:calendar-home-set/>"
                              "<C:supported-calendar-component-set/>");
    // Only an address that is no calendar's leads on to the well-known one.
    if (a.response.status == 0 || a.response.status == 401 || a.response.status >= 500) Fail(a, kWhat);
    if (a.response.status == 207) {
        Multistatus ms;
        ReadMultistatusOf(a, kWhat, ms);
        for (const DavResponse& r : ms.responses) {
            if (r.isCalendar) return WithSlash(Resolve(a.url, r.href));
            if (!r.calendarHome.empty()) return CalendarIn(Resolve(a.url, r.calendarHome));
            if (!r.principal.empty()) return CalendarIn(HomeOf(Resolve(a.url, r.principal)));
        }
    }
    // A server's root often answers nothing useful; its well-known address leads to the user.
    const Answer w = Propfind(OriginOf(m_given) + "/.well-known/caldav", 0, "<D:current-user-principal/>");
    if (w.response.status == 0 || w.response.status == 401) Fail(w, kWhat);
    if (w.response.status == 207) {
        Multistatus ms;
        ReadMultistatusOf(w, kWhat, ms);
        for (const DavResponse& r : ms.responses)
            if (!r.principal.empty()) return CalendarIn(HomeOf(Resolve(w.url, r.principal)));
    }
    throw SyncError(Format(texts::kSyncNoCalendar, m_given.c_str()));
}

std::string CalDavClient::HomeOf(const std::string& principalUrl) {
    Multistatus ms;
    const std::string url =
        ReadMultistatusOf(Propfind(principalUrl, 0, "<C:calendar-home-set/>"), "looking for the calendar", ms);
    for (const DavResponse& r : ms.responses)
        if (!r.calendarHome.empty()) return Resolve(url, r.calendarHome);
    throw SyncError(Format(texts::kSyncNoCalendar, m_given.c_str()));
}

std::string CalDavClient::CalendarIn(const std::string& homeUrl) {
    Multistatus ms;
    const std::string url = ReadMultistatusOf(
        Propfind(
            homeUrl, 1,
            "<D:resourcetype/><D:displayname/><D:current-user-privilege-set/><C:supported-calendar-component-set/>"),
        "looking for the calendar", ms);
    // A calendar the user may write to, before one the server fills by itself (birthdays).
    for (bool needWrite : {true, false})
        for (const DavResponse& r : ms.responses)
            if (r.isCalendar && (!r.hasComponentSet || r.takesEvents) && (!needWrite || !r.hasPrivileges || r.writable))
                return WithSlash(Resolve(url, r.href));
    throw SyncError(Format(texts::kSyncNoCalendar, m_given.c_str()));
}

std::optional<Listing> CalDavClient::ChangesSince(const std::string& token) {
    const char* kWhat = "listing the changes";
    const Answer a =
        Exchange(Xml("REPORT", m_collection, 0,
                     std::string("<D:sync-collection") + kNamespaces + "><D:sync-token>" + XmlEscape(token) +
                         "</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop>"
                         "</D:sync-collection>"));
    const int status = a.response.status;
    // A server without sync reports, or one that no longer knows the token, is listed whole.
    if (status != 207 && ((status >= 400 && status < 500 && status != 401) || status == 501)) return std::nullopt;
    Multistatus ms;
    ReadMultistatusOf(a, kWhat, ms);
    Listing out;
    out.incremental = true;
    out.token = ms.syncToken;
    for (const DavResponse& r : ms.responses) {
        const std::string key = PathKey(r.href);
        if (!IsMember(key)) continue;
        if (r.status == 404) out.removed.insert(key);
        else if (!r.etag.empty()) out.etags[key] = StrongEtag(r.etag);
    }
    // A server that gives no new token cannot be asked this way next time.
    if (out.token.empty()) return std::nullopt;
    return out;
}

Listing CalDavClient::ListAll() {
    const char* kWhat = "listing the calendar";
    Listing out;
    Multistatus head;
    ReadMultistatusOf(Propfind(m_collection, 0, "<D:sync-token/>"), kWhat, head);
    for (const DavResponse& r : head.responses)
        if (!r.syncToken.empty()) out.token = r.syncToken;
    Multistatus ms;
    ReadMultistatusOf(
        Exchange(Xml("REPORT", m_collection, 1,
                     std::string("<C:calendar-query") + kNamespaces +
                         "><D:prop><D:getetag/></D:prop><C:filter><C:comp-filter name=\"VCALENDAR\">"
                         "<C:comp-filter name=\"VEVENT\"/></C:comp-filter></C:filter></C:calendar-query>")),
        kWhat, ms);
    for (const DavResponse& r : ms.responses) {
        const std::string key = PathKey(r.href);
        if (IsMember(key) && r.status != 404) out.etags[key] = StrongEtag(r.etag);
    }
    return out;
}

std::map<std::string, Fetched> CalDavClient::Fetch(const std::vector<std::string>& hrefs, bool etagsOnly) {
    std::map<std::string, Fetched> out;
    for (size_t first = 0; first < hrefs.size(); first += kFetchBatch) {
        std::string body = std::string("<C:calendar-multiget") + kNamespaces + "><D:prop><D:getetag/>" +
                           (etagsOnly ? "" : "<C:calendar-data/>") + "</D:prop>";
        for (size_t i = first; i < hrefs.size() && i < first + kFetchBatch; ++i)
            body += "<D:href>" + XmlEscape(hrefs[i]) + "</D:href>";
        body += "</C:calendar-multiget>";
        Multistatus ms;
        ReadMultistatusOf(Exchange(Xml("REPORT", m_collection, 1, std::move(body))), "reading events", ms);
        for (DavResponse& r : ms.responses) {
            if (r.status == 404 || (!etagsOnly && !r.hasCalendarData) || !IsMember(PathKey(r.href))) continue;
            out[PathKey(r.href)] = Fetched{StrongEtag(r.etag), std::move(r.calendarData)};
        }
    }
    return out;
}

CalDavClient::Stored CalDavClient::Put(const std::string& href, const std::string& body, const std::string& ifMatch) {
    HttpRequest r;
    r.method = "PUT";
    r.url = UrlOf(href);
    r.body = body;
    r.headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
    if (ifMatch.empty()) r.headers.emplace_back("If-None-Match", "*");
    else r.headers.emplace_back("If-Match", ifMatch);
    const Answer a = Exchange(std::move(r));
    const int status = a.response.status;
    if (status == 0 || status == 401) Fail(a, "sending an event");
    Stored out{status, StrongEtag(a.response.etag), {}};
    if ((status < 200 || status >= 300) && status != 412) out.why = "HTTP " + std::to_string(status);
    return out;
}

CalDavClient::Stored CalDavClient::Delete(const std::string& href, const std::string& ifMatch) {
    HttpRequest r;
    r.method = "DELETE";
    r.url = UrlOf(href);
    if (!ifMatch.empty()) r.headers.emplace_back("If-Match", ifMatch);
    const Answer a = Exchange(std::move(r));
    int status = a.response.status;
    if (status == 0 || status == 401) Fail(a, "deleting an event");
    if (status == 404) status = 204;  // gone already: what was asked for
    Stored out{status, {}, {}};
    if ((status < 200 || status >= 300) && status != 412) out.why = "HTTP " + std::to_string(status);
    return out;
}

// Only the calendar's own resources are synced: a server that names others is not followed there.
bool CalDavClient::IsMember(const std::string& key) const {
    const std::string self = WithSlash(PathKey(m_collection));
    return key.size() > self.size() && key.compare(0, self.size(), self) == 0 &&
           key.find('/', self.size()) == std::string::npos;
}

std::string CalDavClient::NewHref(const std::string& resourceName) const {
    return WithSlash(PathKey(m_collection)) + resourceName;
}

std::string CalDavClient::UrlOf(const std::string& href) const { return OriginOf(m_collection) + href; }

}  // namespace tv::sync
