// Reading a WebDAV multistatus answer (PROPFIND and REPORT) into the few properties the sync
// asks for, within fixed bounds whatever the server sends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tv::sync {

inline constexpr size_t kMaxXmlDepth = 32;
inline constexpr size_t kMaxResponses = 200000;
inline constexpr size_t kMaxCalendarDataBytes = size_t(4) << 20;
inline constexpr size_t kMaxShortTextBytes = 8192;

// One <response>: the properties of one resource that came with a 2xx status.
struct DavResponse {
    std::string href;  // as the server wrote it
    int status = 0;    // the response's own status (a removal in a sync report); 0: none
    std::string etag;
    std::string calendarData;
    bool hasCalendarData = false;
    bool isCalendar = false;
    bool isCollection = false;
    std::string principal;     // current-user-principal
    std::string calendarHome;  // calendar-home-set
    std::string syncToken;
    std::string displayName;
    bool hasComponentSet = false;
    bool takesEvents = false;  // VEVENT is among the supported components
    bool hasPrivileges = false;
    bool writable = false;  // the user may write events into it
};

struct Multistatus {
    std::vector<DavResponse> responses;
    std::string syncToken;  // a sync report's new token
};

// Empty on success; otherwise why the answer cannot be read (out is then empty).
std::string ParseMultistatus(std::string_view xml, Multistatus& out);

}  // namespace tv::sync
