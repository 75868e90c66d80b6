// Requests to the running program: frames, damaged frames, and asking live, dead and silent programs.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <thread>

#include "ProgramDouble.h"
#include "TempDir.h"
#include "platform/DataFolderLock.h"
#include "platform/LocalSocket.h"
#include "platform/ProgramFiles.h"
#include "shell/ProgramRequests.h"

using namespace tv;
using namespace std::chrono_literals;

namespace {

std::string Header(const char* magic, uint32_t length) {
    std::string h(magic, 4);
    for (int shift = 24; shift >= 0; shift -= 8) h += static_cast<char>((length >> shift) & 0xFF);
    return h;
}

std::string Field(const std::string& bytes) { return Header("", uint32_t(bytes.size())).substr(4) + bytes; }

std::string FrameOf(const std::vector<std::string>& fields) {
    std::string payload;
    for (const std::string& f : fields) payload += Field(f);
    return Header("TVF1", uint32_t(payload.size())) + payload;
}

EnvLookup Env(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    };
}

}  // namespace

TEST(ProgramRequests, RequestsAndAnswersArriveUnchangedInAnyPieces) {
    const ProgramRequest request{ProgramRequest::kRun,
                                 "/data/",
                                 "/home/u",
                                 {"add", "--note", std::string("two\nlines\0and a zero", 20), "", "\xE2\x82\xAC"}};
    for (size_t piece : {size_t(1), size_t(7), size_t(100000)}) {
        const std::string bytes = EncodeRequest(request);
        FrameReader reader(kMaxRequestBytes);
        for (size_t at = 0; at < bytes.size(); at += piece) reader.Feed(std::string_view(bytes).substr(at, piece));
        ASSERT_EQ(reader.GetState(), FrameReader::State::Complete) << piece;
        ProgramRequest back;
        std::string why;
        ASSERT_TRUE(DecodeRequest(reader.Payload(), back, why)) << why;
        EXPECT_EQ(back.verb, request.verb);
        EXPECT_EQ(back.dataDir, request.dataDir);
        EXPECT_EQ(back.workingDir, request.workingDir);
        EXPECT_EQ(back.args, request.args);
    }
    const ProgramAnswer answer{ProgramAnswer::Kind::OtherFolder, 1, "[]\n", "No event has the id 7.\n"};
    FrameReader reader(kMaxAnswerBytes);
    ASSERT_EQ(reader.Feed(EncodeAnswer(answer)), FrameReader::State::Complete);
    ProgramAnswer back;
    std::string why;
    ASSERT_TRUE(DecodeAnswer(reader.Payload(), back, why)) << why;
    EXPECT_EQ(back.kind, answer.kind);
    EXPECT_EQ(back.status, 1);
    EXPECT_EQ(back.out, answer.out);
    EXPECT_EQ(back.err, answer.err);
}

TEST(ProgramRequests, DamagedMessagesAreRefusedWithAReason) {
    struct Case {
        std::string bytes;
        const char* why;
    };
    const Case frames[] = {
        {Header("HTTP", 0), "not a Tallyvane message"},
        {Header("TVF1", 0xFFFFFFF0u), "more than the 1048576 allowed"},  // refused before any allocation
        {Header("TVF1", 2) + "abc", "more bytes than the message announced"},
    };
    for (const Case& c : frames) {
        FrameReader reader(kMaxRequestBytes);
        reader.Feed(c.bytes);
        EXPECT_EQ(reader.GetState(), FrameReader::State::Bad) << c.why;
        EXPECT_NE(reader.Why().find(c.why), std::string::npos) << reader.Why();
    }
    FrameReader reader(kMaxRequestBytes);
    ASSERT_EQ(reader.Feed(FrameOf({"request"})), FrameReader::State::Complete);
    EXPECT_EQ(reader.Feed("x"), FrameReader::State::Bad) << "one message per connection";
    const Case requests[] = {
        {Field("request").substr(0, 6), "runs past the end"},
        {Header("", 0xFFFFFFFFu).substr(4) + "request", "runs past the end"},
        {Field("answer") + Field("run") + Field("") + Field(""), "not a request"},
        {Field("request") + Field("run") + Field("/d/"), "not a request"},
        {Field("request") + Field("format-disk") + Field("") + Field(""), "an unknown request \"format-disk\""},
    };
    for (const Case& c : requests) {
        ProgramRequest r;
        std::string why;
        EXPECT_FALSE(DecodeRequest(c.bytes, r, why)) << c.why;
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
    }
    for (const char* status : {"256", "-1", "1x", ""}) {
        ProgramAnswer a;
        std::string why;
        const std::string payload = Field("answer") + Field("done") + Field(status) + Field("") + Field("");
        EXPECT_FALSE(DecodeAnswer(payload, a, why)) << status;
    }
}

TEST(ProgramRequests, AskingTellsALiveProgramFromADeadSilentOrBrokenOne) {
    tvtest::TempDir dir;
    const std::string path = dir.File("p.sock");
    const ProgramRequest request{ProgramRequest::kRun, dir.Path(), "/", {"events"}};
    EXPECT_EQ(AskProgram(path, request, 1s).kind, AskOutcome::Kind::NoProgram) << "no socket";

    {  // A socket file left by a program that ended without removing it.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strcpy(a.sun_path, path.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        ::close(fd);
        EXPECT_EQ(AskProgram(path, request, 1s).kind, AskOutcome::Kind::NoProgram) << "stale socket";
    }
    struct Case {
        const char* what;
        tvtest::ProgramDouble::Handler handler;
        AskOutcome::Kind kind;
        const char* why;
    };
    const Case cases[] = {
        {"answers", [](const ProgramRequest& r) { return tvtest::ProgramDouble::Answer(0, r.args[0]); },
         AskOutcome::Kind::Answered, ""},
        {"ends mid-request", [](const ProgramRequest&) { return std::string(); }, AskOutcome::Kind::NoAnswer,
         "ended before it answered"},
        {"stays silent",
         [](const ProgramRequest&) {
             std::this_thread::sleep_for(1500ms);
             return tvtest::ProgramDouble::Answer(0, "late");
         },
         AskOutcome::Kind::NoAnswer, "did not answer within 1 s"},
        {"announces a huge answer", [](const ProgramRequest&) { return Header("TVF1", 0xFFFFFFFFu); },
         AskOutcome::Kind::BadAnswer, "allowed"},
    };
    for (const Case& c : cases) {
        tvtest::ProgramDouble program(path, c.handler);  // replaces the stale socket, then each other's
        ASSERT_TRUE(program.Listening()) << c.what;
        const AskOutcome o = AskProgram(path, request, 1s);
        EXPECT_EQ(o.kind, c.kind) << c.what;
        EXPECT_NE(o.why.find(c.why), std::string::npos) << c.what << ": " << o.why;
        if (o.kind == AskOutcome::Kind::Answered) {
            EXPECT_EQ(o.answer.out, "events");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << "the socket file goes with its listener";
}

TEST(ProgramRequests, TwoAskersAtOnceEachGetTheirOwnAnswer) {
    tvtest::TempDir dir;
    tvtest::ProgramDouble program(dir.File("p.sock"), [](const ProgramRequest& r) {
        std::this_thread::sleep_for(100ms);
        return tvtest::ProgramDouble::Answer(0, r.args[0]);
    });
    AskOutcome first, second;
    std::thread other([&] { first = AskProgram(dir.File("p.sock"), {ProgramRequest::kRun, "", "", {"one"}}, 5s); });
    second = AskProgram(dir.File("p.sock"), {ProgramRequest::kRun, "", "", {"two"}}, 5s);
    other.join();
    EXPECT_EQ(first.answer.out, "one");
    EXPECT_EQ(second.answer.out, "two");
    EXPECT_EQ(program.Served(), 2);
}

TEST(ProgramRequests, EachSessionHasAPrivateFolderAndOneOwner) {
    tvtest::TempDir dir;
    std::string why;
    const auto runtime = FindSessionEndpoint(Env({{"XDG_RUNTIME_DIR", dir.File("run")}, {"DISPLAY", ":1.0"}}), why);
    ASSERT_FALSE(runtime) << "a runtime folder that is not there is not made up";
    std::filesystem::create_directory(dir.File("run"));
    const auto endpoint = FindSessionEndpoint(Env({{"XDG_RUNTIME_DIR", dir.File("run")}, {"DISPLAY", ":1.0"}}), why);
    ASSERT_TRUE(endpoint) << why;
    EXPECT_EQ(endpoint->socketPath, dir.File("run") + "/tallyvane/display_1.sock");
    std::filesystem::create_directory(dir.File("tmp"));
    const auto made = FindSessionEndpoint(Env({{"XDG_RUNTIME_DIR", "relative"}}), why, dir.File("tmp"));
    ASSERT_TRUE(made) << why;
    const std::string folder = dir.File("tmp") + "/tallyvane-" + std::to_string(::getuid());
    EXPECT_EQ(made->lockPath, folder + "/default.lock");
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(FindSessionEndpoint(Env({}), why, dir.File("tmp"))) << "a folder others may enter is refused";
    EXPECT_NE(why.find("not a private folder"), std::string::npos);

    EXPECT_EQ(SessionName(Env({{"WAYLAND_DISPLAY", "wayland-1"}})), "wayland-1");
    EXPECT_EQ(SessionName(Env({{"DISPLAY", "host/x:10.0"}, {"WAYLAND_DISPLAY", "w"}})), "displayhost_x_10");

    FileLock first, second;
    EXPECT_EQ(first.TryLock(endpoint->lockPath, why), FileLock::Taken::Yes);
    EXPECT_EQ(second.TryLock(endpoint->lockPath, why), FileLock::Taken::Busy) << "one program per session";
    first.Unlock();
    EXPECT_EQ(second.TryLock(endpoint->lockPath, why), FileLock::Taken::Yes);
}

TEST(ProgramRequests, TheDataFolderLockSaysWhereItsProgramListensWhileHeld) {
    tvtest::TempDir dir;
    EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), "");
    std::string why;
    {
        DataFolderLock program;
        ASSERT_TRUE(program.TryLock(dir.Path(), DataFolderLock::Mode::Exclusive, why)) << why;
        ASSERT_TRUE(program.Record("/run/user/1/tallyvane/display_0.sock"));
        EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), "/run/user/1/tallyvane/display_0.sock");
    }
    EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), "") << "emptied with the lock";
    dir.Write(DataFolderLock::kFileName, "/cut/short/without/its/line/end");
    EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), "");
}

TEST(ProgramRequests, AProgramRebuiltWhileItRunsKeepsItsName) {
    EXPECT_EQ(ExecutableNameOf("/home/u/build/bin/tallyvane (deleted)"), "tallyvane");
    EXPECT_EQ(ExecutableNameOf("tallyvane"), "tallyvane");
}
