// The CalDAV requests of a sync: finding the calendar behind the URL a user gives, listing what
// changed, fetching events, storing and deleting them. Redirects are followed here, the user's
// credentials go only to the host the user named, and every failure becomes one SyncError
// whose text a user can act on.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "HttpClient.h"

namespace tv::sync {

// A failure that ends the sync; what() is the message for the user.
class SyncError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Listing {
    bool incremental = false;                  // only what changed since the token
    std::map<std::string, std::string> etags;  // path key -> ETag of every listed resource
    std::set<std::string> removed;             // path keys gone since the token
    std::string token;                         // the server's token for the next listing
};

struct Fetched {
    std::string etag;
    std::string data;  // the calendar resource
};

class CalDavClient {
public:
    CalDavClient(IHttpClient& http, std::string givenUrl);

    // The calendar collection at or behind the given URL: the URL itself, or through the
    // user's principal, its calendar home or /.well-known/caldav, the first calendar that
    // holds events.
    std::string FindCalendar();
    void SetCollection(const std::string& url) { m_collection = url; }
    const std::string& Collection() const { return m_collection; }

    // What changed since token; nothing when the server keeps no such list or no longer
    // knows the token.
    std::optional<Listing> ChangesSince(const std::string& token);
    // Every event of the calendar, with the token as of just before the listing.
    Listing ListAll();
    // The resources by path key; a resource missing from the answer is gone.
    std::map<std::string, Fetched> Fetch(const std::vector<std::string>& hrefs, bool etagsOnly = false);

    struct Stored {
        int status = 0;  // 2xx stored; 412 the server's copy is not the one assumed
        std::string etag;
        std::string why;  // for other statuses
    };
    // ifMatch empty: only when no resource is there yet.
    Stored Put(const std::string& href, const std::string& body, const std::string& ifMatch);
    Stored Delete(const std::string& href, const std::string& ifMatch);

    // The resource path for a new resource of the calendar.
    std::string NewHref(const std::string& resourceName) const;
    // The absolute URL of a path on the calendar's server.
    std::string UrlOf(const std::string& href) const;

private:
    struct Answer {
        HttpResponse response;
        std::string url;  // where it finally came from, after redirects
    };
    Answer Exchange(HttpRequest request);
    Answer Propfind(const std::string& url, int depth, const std::string& props);
    std::string ReadMultistatusOf(const Answer& a, const char* what, struct Multistatus& out);
    std::string CalendarIn(const std::string& homeUrl);
    std::string HomeOf(const std::string& principalUrl);
    [[noreturn]] void Fail(const Answer& a, const char* what) const;
    std::string Host() const;
    bool IsMember(const std::string& key) const;

    IHttpClient& m_http;
    std::string m_given;
    std::string m_host;  // the credentials go to this host only
    std::string m_collection;
};

}  // namespace tv::sync
