// The one HTTP exchange the sync needs, behind an interface the engine is written against, so
// that the engine names no HTTP library.
#pragma once

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace tv::sync {

struct HttpRequest {
    std::string method;  // GET, PUT, DELETE, PROPFIND, REPORT
    std::string url;     // absolute
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    bool sendCredentials = false;  // only to the server the user named
};

struct HttpResponse {
    int status = 0;     // 0: no answer came (error says why)
    std::string error;  // the transport's failure, in words
    std::string body;
    std::string etag;
    std::string location;
};

struct HttpLimits {
    int connectSeconds = 15;
    // An answer that takes longer, or stalls this long, fails: a slow server never hangs a sync.
    int totalSeconds = 120;
    int stallSeconds = 30;
    // Larger answers are cut off and fail; a calendar of thousands of events is a few MB.
    size_t maxBodyBytes = size_t(64) << 20;
};

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // Credentials are used only for requests that ask for them; redirects are not followed here.
    virtual void SetCredentials(const std::string& user, const std::string& password) = 0;
    virtual void SetLimits(const HttpLimits& limits) = 0;
    // A set flag ends the exchange under way and every later one at once.
    virtual void SetCancelFlag(const std::atomic<bool>* cancel) = 0;
    virtual HttpResponse Send(const HttpRequest& request) = 0;
};

}  // namespace tv::sync
