// Requests to the running program: frames, damaged frames, and asking live, dead and silent programs.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "ProgramDouble.h"
#include "TempDir.h"
#include "platform/DataFolderLock.h"
#include "shell/ProgramRequests.h"

using namespace tv;
using namespace std::chrono_literals;

namespace {

std::string Length(uint32_t n) { return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)}; }
std::string Field(const std::string& bytes) { return Length(uint32_t(bytes.size())) + bytes; }

EnvLookup Env(const char* runtime, const char* display) {
    return [=](const char* name) -> std::optional<std::string> {
        const char* v = std::string(name) == "XDG_RUNTIME_DIR" ? runtime
                        : std::string(name) == "DISPLAY"       ? display
                                                               : nullptr;
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
}

}  // namespace

TEST(ProgramRequests, RequestsAndAnswersArriveUnchangedInAnyPieces) {
    const ProgramRequest request{ProgramRequest::kRun,
                                 "/data/",
                                 "/home/u",
                                 {"add", "--note", std::string("two\nlines\0zero", 14), "", "\xE2\x82\xAC"}};
    const std::string bytes = EncodeRequest(request);
    FrameReader reader(kMaxRequestBytes);
    for (char c : bytes) reader.Feed(std::string_view(&c, 1));
    ProgramRequest back;
    std::string why;
    ASSERT_TRUE(DecodeRequest(reader.Payload(), back, why)) << why;
    EXPECT_EQ(std::tie(back.verb, back.dataDir, back.workingDir, back.args),
              std::tie(request.verb, request.dataDir, request.workingDir, request.args));
    EXPECT_EQ(reader.Feed("x"), FrameReader::State::Bad) << "one message per connection";

    FrameReader answerReader(kMaxAnswerBytes);
    ASSERT_EQ(answerReader.Feed(EncodeAnswer({ProgramAnswer::Kind::OtherFolder, 1, "[]\n", "No event.\n"})),
              FrameReader::State::Complete);
    ProgramAnswer answer;
    ASSERT_TRUE(DecodeAnswer(answerReader.Payload(), answer, why)) << why;
    EXPECT_EQ(std::tuple(answer.kind, answer.status, answer.out, answer.err),
              std::tuple(ProgramAnswer::Kind::OtherFolder, 1, "[]\n", "No event.\n"));
}

TEST(ProgramRequests, DamagedMessagesAreRefusedWithAReason) {
    const std::pair<std::string, const char*> frames[] = {
        {"HTTP" + Length(0), "not a Tallyvane message"},
        {"TVF1" + Length(0xFFFFFFF0u), "more than the 1048576 allowed"},  // refused before any allocation
        {"TVF1" + Length(2) + "abc", "more bytes than the message announced"},
    };
    for (const auto& [bytes, reason] : frames) {
        FrameReader reader(kMaxRequestBytes);
        EXPECT_EQ(reader.Feed(bytes), FrameReader::State::Bad);
        EXPECT_NE(reader.Why().find(reason), std::string::npos) << reader.Why();
    }
    const std::pair<std::string, const char*> requests[] = {
        {Field("request").substr(0, 6), "runs past the end"},
        {Field("answer") + Field("run") + Field("") + Field(""), "not a request"},
        {Field("request") + Field("format-disk") + Field("") + Field(""), "an unknown request \"format-disk\""},
    };
    for (const auto& [payload, reason] : requests) {
        ProgramRequest r;
        std::string why;
        EXPECT_FALSE(DecodeRequest(payload, r, why));
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    }
    ProgramAnswer a;
    std::string why;
    EXPECT_FALSE(DecodeAnswer(Field("answer") + Field("done") + Field("256") + Field("") + Field(""), a, why));
}

TEST(ProgramRequests, AskingTellsALiveProgramFromADeadSilentOrBrokenOne) {
    tvtest::TempDir dir;
    const std::string path = dir.File("p.sock");
    const ProgramRequest request{ProgramRequest::kRun, dir.Path(), "/", {"events"}};
    EXPECT_EQ(AskProgram(path, request, 1s).kind, AskOutcome::Kind::NoProgram) << "no socket";
    // A socket file left by a program that ended without removing it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strcpy(a.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ::close(fd);
    EXPECT_EQ(AskProgram(path, request, 1s).kind, AskOutcome::Kind::NoProgram) << "stale socket";

    using Double = tvtest::ProgramDouble;
    const std::tuple<Double::Handler, AskOutcome::Kind, const char*> cases[] = {
        {[](const ProgramRequest& r) { return Double::Answer(0, r.args[0]); }, AskOutcome::Kind::Answered, ""},
        {[](const ProgramRequest&) { return std::string(); }, AskOutcome::Kind::NoAnswer, "ended before it answered"},
        {[](const ProgramRequest&) {
             std::this_thread::sleep_for(1500ms);
             return Double::Answer(0, "late");
         },
         AskOutcome::Kind::NoAnswer, "did not answer within 1 s"},
        {[](const ProgramRequest&) { return "TVF1" + Length(0xFFFFFFFFu); }, AskOutcome::Kind::BadAnswer, "allowed"},
    };
    for (const auto& [handler, kind, reason] : cases) {
        Double program(path, handler);  // replaces the stale socket, then each other's
        ASSERT_TRUE(program.Listening());
        const AskOutcome o = AskProgram(path, request, 1s);
        EXPECT_EQ(o.kind, kind) << reason;
        EXPECT_NE(o.why.find(reason), std::string::npos) << o.why;
        EXPECT_EQ(o.answer.out, kind == AskOutcome::Kind::Answered ? "events" : "");
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << "the socket file goes with its listener";
}

TEST(ProgramRequests, TwoAskersAtOnceEachGetTheirOwnAnswer) {
    tvtest::TempDir dir;
    tvtest::ProgramDouble program(dir.File("p.sock"), [](const ProgramRequest& r) {
        std::this_thread::sleep_for(100ms);
        return tvtest::ProgramDouble::Answer(0, r.args[0]);
    });
    AskOutcome first;
    std::thread other([&] { first = AskProgram(dir.File("p.sock"), {ProgramRequest::kRun, "", "", {"one"}}, 5s); });
    const AskOutcome second = AskProgram(dir.File("p.sock"), {ProgramRequest::kRun, "", "", {"two"}}, 5s);
    other.join();
    EXPECT_EQ(std::tie(first.answer.out, second.answer.out), std::tuple("one", "two"));
}

TEST(ProgramRequests, EachSessionHasAPrivateFolderOneOwnerAndARecordInTheDataFolder) {
    tvtest::TempDir dir;
    const std::string base = dir.File("x").substr(0, dir.Path().size() - 1);
    std::string why;
    const auto endpoint = FindSessionEndpoint(Env(base.c_str(), ":1.0"), why);
    ASSERT_TRUE(endpoint) << why;
    EXPECT_EQ(endpoint->socketPath, base + "/tallyvane/display_1.sock");
    EXPECT_EQ(SessionName(Env(nullptr, "host/x:10.0")), "displayhost_x_10");
    // No usable runtime folder: a private one in the temporary folder.
    const auto fallback = FindSessionEndpoint(Env("relative", nullptr), why, base);
    ASSERT_TRUE(fallback) << why;
    const std::string folder = dir.File("tallyvane-" + std::to_string(::getuid()));
    EXPECT_EQ(fallback->lockPath, folder + "/default.lock");
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(FindSessionEndpoint(Env(nullptr, nullptr), why, base)) << "others may enter it";

    FileLock first, second;
    EXPECT_EQ(first.TryLock(endpoint->lockPath, why), FileLock::Taken::Yes);
    EXPECT_EQ(second.TryLock(endpoint->lockPath, why), FileLock::Taken::Busy) << "one program per session";

    DataFolderLock program;
    ASSERT_TRUE(program.TryLock(dir.Path(), DataFolderLock::Mode::Exclusive, why)) << why;
    ASSERT_TRUE(program.Record(endpoint->socketPath));
    EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), endpoint->socketPath);
    program.Unlock();
    EXPECT_EQ(DataFolderLock::ReadRecord(dir.Path()), "") << "emptied with the lock";
}
