// IHttpClient over libcurl, opened on first use: a program that never syncs starts without it
// and the libraries it brings (OpenSSL, GnuTLS, LDAP, SSH and more), some 5 MB of its memory.
#include "CurlHttpClient.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <cctype>
#include <mutex>

namespace tv::sync {

namespace {

// The libcurl calls this client makes, with the library's own signatures.
struct CurlApi {
    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_reset) easy_reset = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_perform) easy_perform = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_slist_append) slist_append = nullptr;
    decltype(&::curl_slist_free_all) slist_free_all = nullptr;
    std::string error;  // why it could not be opened; empty when every call is there
};

template <typename F>
bool Bind(void* library, const char* name, F& fn, std::string& error) {
    fn = reinterpret_cast<F>(::dlsym(library, name));
    if (!fn) error = std::string("libcurl lacks ") + name;
    return fn != nullptr;
}

// Opened once per process and never closed: TLS libraries do not take unloading well. Either
// build of libcurl 7/8 will do; both keep this interface.
CurlApi OpenCurl(const std::vector<std::string>& names) {
    CurlApi api;
    void* library = nullptr;
    for (const std::string& name : names)
        if ((library = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL))) break;
    if (!library) {
        const char* why = ::dlerror();
        api.error = "the HTTP library (libcurl) could not be loaded: " + std::string(why ? why : "not found");
        return api;
    }
    const bool all = Bind(library, "curl_global_init", api.global_init, api.error) &&
                     Bind(library, "curl_easy_init", api.easy_init, api.error) &&
                     Bind(library, "curl_easy_cleanup", api.easy_cleanup, api.error) &&
                     Bind(library, "curl_easy_reset", api.easy_reset, api.error) &&
                     Bind(library, "curl_easy_setopt", api.easy_setopt, api.error) &&
                     Bind(library, "curl_easy_perform", api.easy_perform, api.error) &&
                     Bind(library, "curl_easy_getinfo", api.easy_getinfo, api.error) &&
                     Bind(library, "curl_easy_strerror", api.easy_strerror, api.error) &&
                     Bind(library, "curl_slist_append", api.slist_append, api.error) &&
                     Bind(library, "curl_slist_free_all", api.slist_free_all, api.error);
    if (all && api.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) api.error = "the HTTP library could not be started";
    return api;
}

struct Transfer {
    HttpResponse* response;
    size_t maxBody;
    bool tooLarge = false;
    const std::atomic<bool>* cancel;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->response->body.size() + n > t->maxBody) {
        t->tooLarge = true;
        return 0;  // ends the transfer
    }
    t->response->body.append(data, n);
    return n;
}

std::string Trim(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    return s.substr(i);
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    const std::string line(data, n);
    // Each response of the exchange (an interim 100 among them) starts its headers afresh.
    if (line.rfind("HTTP/", 0) == 0) {
        t->response->etag.clear();
        t->response->location.clear();
        return n;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos) return n;
    std::string name = line.substr(0, colon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "etag") t->response->etag = Trim(line.substr(colon + 1));
    else if (name == "location") t->response->location = Trim(line.substr(colon + 1));
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* t = static_cast<Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}

}  // namespace

struct CurlHttpClient::Handle {
    const CurlApi* api = nullptr;
    CURL* curl = nullptr;
    ~Handle() {
        if (curl) api->easy_cleanup(curl);
    }
};

CurlHttpClient::CurlHttpClient(const std::vector<std::string>& libraries) : m_handle(std::make_unique<Handle>()) {
    // The first client's libraries are the ones; curl_global_init is not thread-safe, and the
    // command line and the program's sync thread may both get here.
    static std::once_flag once;
    static CurlApi api;
    std::call_once(once, [&] { api = OpenCurl(libraries); });
    m_handle->api = &api;
    if (api.error.empty()) m_handle->curl = api.easy_init();
}

CurlHttpClient::~CurlHttpClient() = default;

void CurlHttpClient::SetCredentials(const std::string& user, const std::string& password) {
    m_user = user;
    m_password = password;
}

HttpResponse CurlHttpClient::Send(const HttpRequest& request) {
    HttpResponse response;
    CURL* curl = m_handle->curl;
    if (!curl) {
        response.error = m_handle->api->error.empty() ? "the HTTP library could not be started" : m_handle->api->error;
        return response;
    }
    const CurlApi& api = *m_handle->api;
    if (m_cancel && m_cancel->load()) {
        response.error = "the sync was stopped";
        return response;
    }
    // A reset handle keeps its open connection for the next request to the same server.
    api.easy_reset(curl);
    Transfer transfer{&response, m_limits.maxBodyBytes, false, m_cancel};
    char errorText[CURL_ERROR_SIZE] = {};
    api.easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    api.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    api.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api.easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    api.easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    api.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    api.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_limits.connectSeconds));
    api.easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(m_limits.totalSeconds));
    api.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    api.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_limits.stallSeconds));
    api.easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    api.easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    api.easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    api.easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    api.easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    api.easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    api.easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    api.easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    api.easy_setopt(curl, CURLOPT_USERAGENT, "Tallyvane/1.0");
    if (request.method == "GET") {
        api.easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else {
        api.easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        if (!request.body.empty() || request.method == "PUT") {
            api.easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
            api.easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        }
    }
    if (request.sendCredentials && !m_user.empty()) {
        // Sent with the first request rather than after a refusal: half the round trips.
        api.easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        api.easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
        api.easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    }
    curl_slist* headers = api.slist_append(nullptr, "Expect:");
    for (const auto& [name, value] : request.headers)
        headers = api.slist_append(headers, (name + ": " + value).c_str());
    api.easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    const CURLcode code = api.easy_perform(curl);
    api.slist_free_all(headers);
    // The password is not left in the handle between requests.
    api.easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
    if (code != CURLE_OK) {
        if (transfer.tooLarge)
            response.error = "its answer was larger than " + std::to_string(m_limits.maxBodyBytes >> 20) + " MB";
        else if (code == CURLE_ABORTED_BY_CALLBACK) response.error = "the sync was stopped";
        else if (code == CURLE_OPERATION_TIMEDOUT) response.error = "it did not answer in time";
        else response.error = errorText[0] ? errorText : api.easy_strerror(code);
        response.status = 0;
        response.body.clear();
        return response;
    }
    long status = 0;
    api.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    return response;
}

}  // namespace tv::sync
