// The multistatus reader over expat: a stack of element names and a handful of captured texts.
// Document type declarations are refused, so no entity can expand; depth, counts and text
// lengths are bounded.
#include "Multistatus.h"

#include <expat.h>

#include <cstdlib>
#include <cstring>

namespace tv::sync {

namespace {

constexpr char kDav[] = "DAV:";
constexpr char kCalDav[] = "urn:ietf:params:xml:ns:caldav";

// An expat name "namespace|local" split; a name without a namespace has an empty one.
struct Name {
    std::string ns, local;
    bool Is(const char* n, const char* l) const { return ns == n && local == l; }
};

Name Split(const XML_Char* raw) {
    const char* bar = std::strchr(raw, '|');
    if (!bar) return {{}, raw};
    return {std::string(raw, static_cast<size_t>(bar - raw)), bar + 1};
}

// "HTTP/1.1 404 Not Found" -> 404.
int StatusCode(const std::string& line) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) return 0;
    return std::atoi(line.c_str() + space + 1);
}

enum class Capture {
    None,
    Href,
    ResponseStatus,
    PropstatStatus,
    Etag,
    CalendarData,
    SyncToken,
    TopSyncToken,
    PrincipalHref,
    HomeHref,
    DisplayName
};

class Reader {
public:
    explicit Reader(Multistatus& out) : m_out(out) {}

    std::string Run(std::string_view xml) {
        XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
        if (!parser) return "the XML reader could not be started";
        m_parser = parser;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Reader::OnStart, &Reader::OnEnd);
        XML_SetCharacterDataHandler(parser, &Reader::OnText);
        XML_SetStartDoctypeDeclHandler(parser, &Reader::OnDoctype);
        const bool parsed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
        if (!parsed && m_error.empty()) {
            m_error = std::string("its XML is broken (") + XML_ErrorString(XML_GetErrorCode(parser)) + " at line " +
                      std::to_string(XML_GetCurrentLineNumber(parser)) + ")";
        }
        XML_ParserFree(parser);
        if (m_error.empty() && !m_sawMultistatus) m_error = "it is not a WebDAV multistatus answer";
        return m_error;
    }

private:
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Reader*>(self)->Start(Split(name), attributes);
    }
    static void OnEnd(void* self, const XML_Char* name) { static_cast<Reader*>(self)->End(Split(name)); }
    static void OnText(void* self, const XML_Char* text, int length) {
        static_cast<Reader*>(self)->Text(text, static_cast<size_t>(length));
    }
    static void OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        static_cast<Reader*>(self)->Stop("it declares a document type, which no WebDAV answer does");
    }

    void Stop(std::string why) {
        if (m_error.empty()) m_error = std::move(why);
        XML_StopParser(m_parser, XML_FALSE);
    }

    const Name* Parent(size_t up = 1) const { return m_stack.size() >= up ? &m_stack[m_stack.size() - up] : nullptr; }
    bool ParentIs(const char* ns, const char* local, size_t up = 1) const {
        const Name* p = Parent(up);
        return p && p->Is(ns, local);
    }

    void Start(Name name, const XML_Char** attributes) {
        if (m_stack.size() >= kMaxXmlDepth)
            return Stop("its XML is nested more than " + std::to_string(kMaxXmlDepth) + " deep");
        if (m_stack.empty() && name.Is(kDav, "multistatus")) m_sawMultistatus = true;
        m_capture = Capture::None;
        if (name.Is(kDav, "response") && ParentIs(kDav, "multistatus")) {
            if (m_out.responses.size() >= kMaxResponses)
                return Stop("it lists more than " + std::to_string(kMaxResponses) + " resources");
            m_response = DavResponse();
            m_inResponse = true;
        } else if (name.Is(kDav, "propstat") && m_inResponse) {
            m_props = DavResponse();
            m_propstatStatus = 200;
        } else if (name.Is(kDav, "href") && ParentIs(kDav, "response")) {
            m_capture = Capture::Href;
        } else if (name.Is(kDav, "status") && ParentIs(kDav, "response")) {
            m_capture = Capture::ResponseStatus;
        } else if (name.Is(kDav, "status") && ParentIs(kDav, "propstat")) {
            m_capture = Capture::PropstatStatus;
        } else if (name.Is(kDav, "sync-token") && ParentIs(kDav, "multistatus")) {
            m_capture = Capture::TopSyncToken;
        } else if (ParentIs(kDav, "prop") && ParentIs(kDav, "propstat", 2)) {
            if (name.Is(kDav, "getetag")) m_capture = Capture::Etag;
            else if (name.Is(kDav, "sync-token")) m_capture = Capture::SyncToken;
            else if (name.Is(kDav, "displayname")) m_capture = Capture::DisplayName;
            else if (name.Is(kCalDav, "calendar-data")) {
                m_capture = Capture::CalendarData;
                m_props.hasCalendarData = true;
            } else if (name.Is(kCalDav, "supported-calendar-component-set")) {
                m_props.hasComponentSet = true;
            } else if (name.Is(kDav, "current-user-privilege-set")) {
                m_props.hasPrivileges = true;
            }
        } else if (name.Is(kDav, "href") && ParentIs(kDav, "current-user-principal")) {
            m_capture = Capture::PrincipalHref;
        } else if (name.Is(kDav, "href") && ParentIs(kCalDav, "calendar-home-set")) {
            m_capture = Capture::HomeHref;
        } else if (ParentIs(kDav, "resourcetype")) {
            if (name.Is(kCalDav, "calendar")) m_props.isCalendar = true;
            else if (name.Is(kDav, "collection")) m_props.isCollection = true;
        } else if (ParentIs(kDav, "privilege") && ParentIs(kDav, "current-user-privilege-set", 2)) {
            if (name.Is(kDav, "all") || name.Is(kDav, "write") || name.Is(kDav, "write-content") ||
                name.Is(kDav, "bind"))
                m_props.writable = true;
        } else if (name.Is(kCalDav, "comp") && ParentIs(kCalDav, "supported-calendar-component-set")) {
            for (const XML_Char** a = attributes; a && a[0]; a += 2)
                if (std::strcmp(a[0], "name") == 0 && std::strcmp(a[1], "VEVENT") == 0) m_props.takesEvents = true;
        }
        m_stack.push_back(std::move(name));
    }

    std::string* Target() {
        switch (m_capture) {
            case Capture::Href: return &m_response.href;
            case Capture::ResponseStatus:
            case Capture::PropstatStatus: return &m_statusText;
            case Capture::Etag: return &m_props.etag;
            case Capture::CalendarData: return &m_props.calendarData;
            case Capture::SyncToken: return &m_props.syncToken;
            case Capture::TopSyncToken: return &m_out.syncToken;
            case Capture::PrincipalHref: return &m_props.principal;
            case Capture::HomeHref: return &m_props.calendarHome;
            case Capture::DisplayName: return &m_props.displayName;
            case Capture::None: break;
        }
        return nullptr;
    }

    void Text(const char* text, size_t length) {
        std::string* target = Target();
        if (!target) return;
        const size_t limit = m_capture == Capture::CalendarData ? kMaxCalendarDataBytes : kMaxShortTextBytes;
        if (target->size() + length > limit)
            return Stop("it holds a value longer than " + std::to_string(limit) + " bytes");
        target->append(text, length);
    }

    void End(const Name& name) {
        m_stack.pop_back();
        if (m_capture == Capture::ResponseStatus) m_response.status = StatusCode(m_statusText);
        if (m_capture == Capture::PropstatStatus) m_propstatStatus = StatusCode(m_statusText);
        if (m_capture != Capture::None) m_statusText.clear();
        m_capture = Capture::None;
        if (name.Is(kDav, "propstat") && m_inResponse) {
            // Properties the server reports as missing (404 in their propstat) are not there.
            if (m_propstatStatus >= 200 && m_propstatStatus < 300) Merge(m_props);
        } else if (name.Is(kDav, "response") && m_inResponse && m_stack.size() == 1) {
            m_inResponse = false;
            m_response.href = Trimmed(m_response.href);
            if (!m_response.href.empty()) m_out.responses.push_back(std::move(m_response));
        }
    }

    void Merge(DavResponse& p) {
        DavResponse& r = m_response;
        if (!p.etag.empty()) r.etag = Trimmed(p.etag);
        if (p.hasCalendarData) {
            r.hasCalendarData = true;
            r.calendarData = std::move(p.calendarData);
        }
        r.isCalendar |= p.isCalendar;
        r.isCollection |= p.isCollection;
        if (!p.principal.empty()) r.principal = Trimmed(p.principal);
        if (!p.calendarHome.empty()) r.calendarHome = Trimmed(p.calendarHome);
        if (!p.syncToken.empty()) r.syncToken = Trimmed(p.syncToken);
        if (!p.displayName.empty()) r.displayName = p.displayName;
        r.hasComponentSet |= p.hasComponentSet;
        r.takesEvents |= p.takesEvents;
        r.hasPrivileges |= p.hasPrivileges;
        r.writable |= p.writable;
    }

    static std::string Trimmed(const std::string& s) {
        const size_t first = s.find_first_not_of(" \t\r\n");
        if (first == std::string::npos) return {};
        return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
    }

    Multistatus& m_out;
    XML_Parser m_parser = nullptr;
    std::vector<Name> m_stack;
    Capture m_capture = Capture::None;
    DavResponse m_response, m_props;
    std::string m_statusText;
    int m_propstatStatus = 200;
    bool m_inResponse = false;
    bool m_sawMultistatus = false;
    std::string m_error;
};

}  // namespace

std::string ParseMultistatus(std::string_view xml, Multistatus& out) {
    out = Multistatus();
    Reader reader(out);
    std::string error = reader.Run(xml);
    if (!error.empty()) out = Multistatus();
    return error;
}

}  // namespace tv::sync
