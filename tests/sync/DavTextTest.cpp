// The sync's own text handling: how paths are compared, where references point, which
// properties of an answer count, and the state file across damage.
#include <gtest/gtest.h>

#include "DavUrl.h"
#include "Multistatus.h"
#include "SyncState.h"
#include "TempDir.h"

using namespace tv::sync;

TEST(DavText, PathsCompareHoweverTheyAreEscaped) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/cal/a%40b%2Ex.ics", "/cal/a@b.x.ics"},                  // needless escapes undone
        {"https://H:8443/cal/%2f%e2%82%ac", "/cal/%2F%E2%82%AC"},  // needed ones kept, in upper case
        {"/cal/%zz%4", "/cal/%zz%4"},                              // broken escapes kept as they are
    };
    for (const auto& [given, key] : cases) EXPECT_EQ(PathKey(given), key) << given;
    EXPECT_EQ(Resolve("https://h/dav/cal/", "/x/"), "https://h/x/");
    EXPECT_EQ(Resolve("https://h/dav/cal/?q", "e.ics"), "https://h/dav/cal/e.ics");
    EXPECT_EQ(Resolve("https://h/dav/", "http://other:81/p"), "http://other:81/p");
    EXPECT_TRUE(HasUserInfo("https://me:pw@h/"));
    EXPECT_EQ(OriginOf("ftp://h/"), "");
    EXPECT_EQ(ResourceNameFor("abc-1.x"), "abc-1.x.ics");
    for (const char* odd : {"a@b", "../x", "", ".hidden"}) EXPECT_EQ(ResourceNameFor(odd).size(), 20u) << odd;
}

TEST(DavText, OnlyPropertiesThatCameWithASuccessCount) {
    Multistatus ms;
    ASSERT_EQ(
        ParseMultistatus(R"(<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">
        <d:response><d:href> /cal/a&amp;b.ics </d:href>
          <d:propstat><d:prop><d:getetag>"2"</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
          <d:propstat><d:prop><c:calendar-data>not here</c:calendar-data></d:prop><d:status>HTTP/1.1 404 Not Found</d:status></d:propstat>
        </d:response>
        <d:response><d:href>/cal/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>
        <d:sync-token>t2</d:sync-token></d:multistatus>)",
                         ms),
        "");
    ASSERT_EQ(ms.responses.size(), 2u);
    EXPECT_EQ(ms.responses[0].href, "/cal/a&b.ics");
    EXPECT_EQ(ms.responses[0].etag, "\"2\"");
    EXPECT_FALSE(ms.responses[0].hasCalendarData);
    EXPECT_EQ(ms.responses[1].status, 404);
    EXPECT_EQ(ms.syncToken, "t2");
    EXPECT_NE(ParseMultistatus("<html>login</html>", ms), "");
    // A calendar the server fills by itself lets the user read only.
    ASSERT_EQ(ParseMultistatus(R"(<multistatus xmlns="DAV:"><response><href>/b/</href><propstat><prop>
        <current-user-privilege-set><privilege><read/></privilege></current-user-privilege-set></prop>
        <status>HTTP/1.1 200 OK</status></propstat></response><response><href>/p/</href><propstat><prop>
        <current-user-privilege-set><privilege><read/></privilege><privilege><all/></privilege>
        </current-user-privilege-set></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)",
                               ms),
              "");
    EXPECT_EQ(std::tuple(ms.responses[0].hasPrivileges, ms.responses[0].writable, ms.responses[1].writable),
              std::tuple(true, false, true));
}

TEST(DavText, StateSurvivesOddTextsAndADamagedLine) {
    tvtest::TempDir dir;
    SyncState state(SyncState::PathBeside(dir.File("Evnt.est")));
    state.url = "https://h/cal/";
    state.token = "t\t1";
    state.entries["/cal/a.ics"] = SyncEntry{7, "u\n1\\", "\"e 1\"", 0xABCDEF};
    state.entries["/cal/task.ics"] = SyncEntry{0, "", "\"t\"", 0};
    ASSERT_TRUE(state.Save().ok);
    dir.Write("Evnt.sync", dir.Read("Evnt.sync") + "e\tx\tnonsense\n");
    SyncState again(SyncState::PathBeside(dir.File("Evnt.est")));
    EXPECT_NE(again.Load(), "");
    EXPECT_EQ(again.token, "t\t1");
    ASSERT_EQ(again.entries.size(), 2u);
    const SyncEntry& e = again.entries["/cal/a.ics"];
    EXPECT_EQ(std::tuple(e.id, e.uid, e.etag, e.digest),
              std::tuple(7u, std::string("u\n1\\"), std::string("\"e 1\""), uint64_t(0xABCDEF)));
}
