// Two data folders kept in step through a real Radicale, and a sync that meets a broken server.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "CurlHttpClient.h"
#include "Events.h"
#include "SyncTestSupport.h"
#include "texts/UserTexts.h"

using tvtest::CliResult;
using tvtest::Machine;

namespace {

class SyncTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new tvtest::Radicale; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override { url = server->Calendar(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    static void Synced(const Machine& m, const std::string& at) {
        const CliResult r = m.Sync(at);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    // A syncs, then B, then A again: afterwards both hold the same.
    void Round(const Machine& a, const Machine& b) {
        Synced(a, url);
        Synced(b, url);
        Synced(a, url);
        EXPECT_EQ(a.Events(), b.Events());
    }

    // Many one-off events written straight into the machine's file, for syncs long enough to interrupt.
    static void Fill(const Machine& m, const std::string& prefix, int count, int month) {
        tv::CEventStore store(m.dir.File("Evnt.est"));
        for (int i = 0; i < count; ++i)
            tvtest::AddTo(store, tvtest::OneOff(prefix + std::to_string(i), tvtest::At(2027, month, 1 + i % 28, 9)));
        ASSERT_TRUE(store.Save().ok);
    }

    static tvtest::Radicale* server;
    std::string url;
};

tvtest::Radicale* SyncTest::server = nullptr;

TEST_F(SyncTest, AddChangeAndDeleteTravelBothWays) {
    Machine a, b;
    a.Add({"--name", "Team \xE2\x9C\x93", "--type", "Meeting", "--start", "2027-01-04 09:30", "--weekly", "2", "--on",
           "mon,thu", "--until", "2027-06-30", "--remind-before", "900"});
    a.Add({"--name", "Dentist", "--start", "2027-02-01 10:00", "--remind-before", "3600"});
    // A finds the calendar from the server's root, B through the well-known address.
    Synced(a, server->Root());
    Synced(b, server->Root() + "nothing/here/");
    Synced(a, url);
    EXPECT_EQ(b.Events(), (std::vector<std::string>{
                              "Dentist|2027-02-01 10:00:00||3600|on|",
                              "Team \xE2\x9C\x93|2027-01-04 09:30:00|Every 2 week(s) on Monday,Thursday|900|on|"}));
    EXPECT_EQ(a.Events(), b.Events());

    // Accepting stays on A; a change of the name keeps that, a change of the time re-arms it.
    ASSERT_EQ(a.Cli({"accept", a.Id("Dentist")}).status, 0);
    b.Change("Dentist", [](tv::CPtEvent& ev) { ev.SetNote("bring the card"); });
    b.Change("Team \xE2\x9C\x93", [](tv::CPtEvent& ev) { ev.SetEnabled(false); });
    Round(b, a);
    EXPECT_EQ(a.Find("Dentist").GetReminderState(), tv::kReminderDone);
    b.Change("Dentist", [](tv::CPtEvent& ev) { ev.SetStart(ev.GetStart() + tv::TimeSpan(1.0)); });
    Round(b, a);
    EXPECT_EQ(a.Find("Dentist").GetReminderState(), tv::kReminderArmed);
    EXPECT_NE(a.Events()[0].find("2027-02-02 10:00:00"), std::string::npos);

    ASSERT_EQ(a.Cli({"delete", a.Id("Dentist")}).status, 0);
    Round(a, b);
    EXPECT_EQ(b.Names(), std::vector<std::string>{"Team \xE2\x9C\x93"});
    // Nothing changed: nothing is sent or received.
    EXPECT_EQ(a.Sync(url).out,
              "Synced: 0 sent, 0 received, 0 deleted here, 0 deleted there, 0 conflict(s) kept as copies.\n");
}

TEST_F(SyncTest, ChangesOnBothSidesAreBothKept) {
    Machine a, b;
    a.Add({"--name", "Rent", "--start", "2027-01-01 08:00"});
    a.Add({"--name", "Gym", "--start", "2027-01-02 08:00"});
    Round(a, b);
    a.Change("Rent", [](tv::CPtEvent& ev) { ev.SetNote("from A"); });
    b.Change("Rent", [](tv::CPtEvent& ev) { ev.SetNote("from B"); });
    // A change on one side and a delete on the other: the change is kept.
    a.Change("Gym", [](tv::CPtEvent& ev) { ev.SetDuration(7200); });
    ASSERT_EQ(b.Cli({"delete", b.Id("Gym")}).status, 0);
    Round(a, b);
    EXPECT_EQ(b.Names(), (std::vector<std::string>{"Gym", "Rent (conflict from server)", "Rent"}));
    EXPECT_NE(b.Events()[1].find("|from A"), std::string::npos);
    EXPECT_NE(b.Events()[2].find("|from B"), std::string::npos);
}

// Events an event file lost to damage are not deleted on the server: they come back from it.
TEST_F(SyncTest, EventsLostToADamagedFileComeBack) {
    Machine a, b;
    a.Add({"--name", "First", "--start", "2027-01-01 08:00"});
    a.Add({"--name", "Second", "--start", "2027-01-02 08:00"});
    Round(a, b);
    const std::string file = a.dir.Read("Evnt.est");
    a.dir.Write("Evnt.est", file.substr(0, file.size() - 40));
    const CliResult r = a.Sync(url);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("warning"), std::string::npos);
    EXPECT_EQ(a.Events(), b.Events());
    EXPECT_EQ(b.Names(), (std::vector<std::string>{"First", "Second"}));
}

// The server dies halfway through sending 100 events; nothing is lost, and once it is back
// the next sync completes without doubling anything.
TEST_F(SyncTest, ServerStoppedMidSyncLosesNothing) {
    Machine a, b;
    Fill(a, "E", 100, 1);
    const std::vector<std::string> before = a.Events();
    CliResult r;
    std::thread syncing([&] { r = a.Sync(url); });
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (int i = 0; i < 1000 && server->Stored(name) < 10; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server->Kill();
    syncing.join();
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("could not be reached"), std::string::npos) << r.err;
    EXPECT_EQ(a.Events(), before);
    server->Start();
    Round(a, b);
    EXPECT_EQ(b.Events(), before);
}

// tallyvane-cli killed at a random moment of its sync: the next sync completes it.
TEST_F(SyncTest, KilledSyncIsCompletedByTheNext) {
    Machine a, b;
    Fill(a, "K", 80, 2);
    const std::vector<std::string> before = a.Events();
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 3; ++round) {
        pid_t pid = tvtest::Spawn({TALLYVANE_CLI, "--data-dir", a.dir.Path(), "sync", "--url", url, "--user", "alice",
                                   "--password-file", a.dir.File("password")},
                                  a.dir.File("cli.log"));
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<>(30, 1000)(random)));
        tvtest::KillAndWait(pid);
    }
    EXPECT_EQ(a.Events(), before);
    Round(a, b);
    EXPECT_EQ(b.Events(), before);
}

struct Fault {
    const char* mode;
    const char* message;
};
void PrintTo(const Fault& f, std::ostream* out) { *out << f.mode; }

class SyncFaultTest : public ::testing::TestWithParam<Fault> {};

// A broken or hostile server fails the sync with one message and changes nothing here.
TEST_P(SyncFaultTest, FailsWithOneMessageAndKeepsEverything) {
    static tvtest::StubServer stub;
    Machine m;
    m.Add({"--name", "Keep me", "--start", "2027-01-01 08:00"});
    const std::string file = m.dir.Read("Evnt.est");
    const CliResult r = m.Sync(stub.Url(GetParam().mode), {"--timeout", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.find("secret"), std::string::npos);
    EXPECT_EQ(m.dir.Read("Evnt.est"), file);
}

INSTANTIATE_TEST_SUITE_P(
    BrokenServers, SyncFaultTest,
    ::testing::Values(Fault{"unauthorized", "refused the user name or password"}, Fault{"failing", "answered HTTP 500"},
                      Fault{"slow", "did not answer in time"}, Fault{"malformed", "its XML is broken"},
                      Fault{"deep", "nested more than 32 deep"}, Fault{"entities", "declares a document type"},
                      Fault{"conflicting", "did not store 1 event(s) (HTTP 412)"},
                      Fault{"looping", "redirected more than five times"}, Fault{"gone", "no calendar was found"}),
    [](const auto& info) { return std::string(info.param.mode); });

TEST(SyncUsage, RedirectsAreFollowedAndCredentialsStayOffTheCommandLine) {
    tvtest::StubServer stub;
    Machine m;
    m.Add({"--name", "Moved", "--start", "2027-01-01 08:00"});
    EXPECT_EQ(m.Sync(stub.Url("moved")).status, 0);
    EXPECT_NE(m.dir.Read("Evnt.sync").find("/calendar/"), std::string::npos);
    // No URL and none saved; a user without a password; the saved URL and user from the
    // program's settings file.
    EXPECT_EQ(m.Cli({"sync"}).err, std::string(tv::texts::kCliSyncNoUrl) + "\n");
    std::filesystem::create_directories(m.dir.Path() + "Tallyvane");
    m.dir.Write("Tallyvane/tallyvane.ini", "[Sync]\nUrl=" + stub.Url("calendar") + "\nUser=alice\nMinutes=15\n");
    EXPECT_NE(m.Cli({"sync"}).err.find("TALLYVANE_SYNC_PASSWORD"), std::string::npos);
    ::setenv("TALLYVANE_SYNC_PASSWORD", "secret", 1);
    const CliResult r = m.Cli({"sync"});
    ::unsetenv("TALLYVANE_SYNC_PASSWORD");
    EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace

// A system without libcurl fails the sync with a sentence, not a crash. Run in a fresh process:
// the first client a process makes opens the library for all that follow.
TEST(SyncWithoutLibcurlDeathTest, TheSyncSaysTheHttpLibraryIsMissing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            tv::sync::CurlHttpClient client({"libtallyvane-no-such-curl.so.4"});
            const tv::sync::HttpResponse r = client.Send({"GET", "http://127.0.0.1:9/", {}, {}, false});
            std::fputs(r.error.c_str(), stderr);
            std::exit(r.status == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "the HTTP library \\(libcurl\\) could not be loaded: .*no-such-curl");
}
