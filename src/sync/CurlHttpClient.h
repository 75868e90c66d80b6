// IHttpClient over libcurl: TLS verified against the system's authorities, one connection kept
// open between requests.
#pragma once

#include <memory>

#include "HttpClient.h"

namespace tv::sync {

class CurlHttpClient final : public IHttpClient {
public:
    CurlHttpClient();
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
