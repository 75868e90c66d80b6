// IHttpClient over libcurl: TLS verified against the system's authorities, one connection kept
// open between requests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HttpClient.h"

namespace tv::sync {

class CurlHttpClient final : public IHttpClient {
public:
    // libcurl is opened by the first client made in the process, from the first of libraries
    // the system has (the OpenSSL build, then the GnuTLS one).
    explicit CurlHttpClient(const std::vector<std::string>& libraries = {"libcurl.so.4", "libcurl-gnutls.so.4"});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    void SetCredentials(const std::string& user, const std::string& password) override;
    void SetLimits(const HttpLimits& limits) override { m_limits = limits; }
    void SetCancelFlag(const std::atomic<bool>* cancel) override { m_cancel = cancel; }
    HttpResponse Send(const HttpRequest& request) override;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::string m_user, m_password;
    HttpLimits m_limits;
    const std::atomic<bool>* m_cancel = nullptr;
};

}  // namespace tv::sync
