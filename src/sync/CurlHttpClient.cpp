// IHttpClient over libcurl.
#include "CurlHttpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <mutex>

namespace tv::sync {

namespace {

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
    CURL* curl = nullptr;
    ~Handle() {
        if (curl) curl_easy_cleanup(curl);
    }
};

CurlHttpClient::CurlHttpClient() : m_handle(std::make_unique<Handle>()) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_handle->curl = curl_easy_init();
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
        response.error = "the HTTP library could not be started";
        return response;
    }
    if (m_cancel && m_cancel->load()) {
        response.error = "the sync was stopped";
        return response;
    }
    // A reset handle keeps its open connection for the next request to the same server.
    curl_easy_reset(curl);
    Transfer transfer{&response, m_limits.maxBodyBytes, false, m_cancel};
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_limits.connectSeconds));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(m_limits.totalSeconds));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_limits.stallSeconds));
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Tallyvane/1.0");
    if (request.method == "GET") {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        if (!request.body.empty() || request.method == "PUT") {
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        }
    }
    if (request.sendCredentials && !m_user.empty()) {
        // Sent with the first request rather than after a refusal: half the round trips.
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    }
    curl_slist* headers = curl_slist_append(nullptr, "Expect:");
    for (const auto& [name, value] : request.headers)
        headers = curl_slist_append(headers, (name + ": " + value).c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    // The password is not left in the handle between requests.
    curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
    if (code != CURLE_OK) {
        if (transfer.tooLarge)
            response.error = "its answer was larger than " + std::to_string(m_limits.maxBodyBytes >> 20) + " MB";
        else if (code == CURLE_ABORTED_BY_CALLBACK) response.error = "the sync was stopped";
        else if (code == CURLE_OPERATION_TIMEDOUT) response.error = "it did not answer in time";
        else response.error = errorText[0] ? errorText : curl_easy_strerror(code);
        response.status = 0;
        response.body.clear();
        return response;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    return response;
}

}  // namespace tv::sync
