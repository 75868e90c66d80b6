// Saves survive a kill at any moment, and failing writes never replace or lose the old file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <random>

#include "CliRun.h"
#include "SaveLoopContent.h"
#include "TempDir.h"
#include "platform/DataFolderLock.h"
#include "platform/FileIo.h"

using namespace tv;
using tvtest::SaveKind;

namespace {

// Names in the folder other than the expected ones: temporary files a save left behind.
std::vector<std::string> StrayFiles(const tvtest::TempDir& dir, const std::vector<std::string>& expected) {
    std::vector<std::string> stray;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = e.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) stray.push_back(name);
    }
    return stray;
}

// Whether the bytes load completely as a file of that kind.
bool LoadsCompletely(SaveKind kind, const std::string& bytes) {
    CEventTypeTable types;
    CEventStore store;
    switch (kind) {
        case SaveKind::Events: return store.LoadFromBytes(bytes).status == LoadStatus::Ok;
        case SaveKind::Types: return types.LoadFromBytes(bytes, "Type.ptt").status == LoadStatus::Ok;
        case SaveKind::Backup: return RestoreBackupFromBytes(bytes, "x.bak", types, store).ok();
        case SaveKind::Export: return ImportExportBytes(bytes, "x.exp", ImportOptions{}, types, store).ok();
    }
    return false;
}

FileResult SaveContent(SaveKind kind, int which, const std::string& path) {
    CEventTypeTable types;
    CEventStore store(path);
    tvtest::FillSaveLoopContent(which, types, store);
    return tvtest::SaveAs(kind, path, types, store);
}

std::string KindName(const ::testing::TestParamInfo<SaveKind>& info) { return tvtest::SaveKindName(info.param); }

class KillDuringSave : public ::testing::TestWithParam<SaveKind> {};

}  // namespace

// The helper saves content 0 and 1 in turn as fast as it can; it is killed with SIGKILL a
// random few milliseconds in. Whatever the moment, the file must be one content or the other.
TEST_P(KillDuringSave, FileIsAlwaysTheOldOrTheNewContent) {
    const SaveKind kind = GetParam();
    constexpr int kKills = 200;
    tvtest::TempDir dir;
    const std::string name = "target.file", path = dir.File(name);
    const std::string contents[2] = {tvtest::SaveLoopBytes(kind, 0), tvtest::SaveLoopBytes(kind, 1)};
    ASSERT_TRUE(LoadsCompletely(kind, contents[0]) && LoadsCompletely(kind, contents[1]));
    dir.Write(name, contents[0]);

    std::mt19937 rng(1234 + static_cast<int>(kind));
    int seen[2] = {0, 0};
    size_t leftovers = 0;
    for (int i = 0; i < kKills; ++i) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::dup2(ready[1], STDOUT_FILENO);
            ::close(ready[0]);
            ::close(ready[1]);
            ::execl(TALLYVANE_SAVE_LOOP, TALLYVANE_SAVE_LOOP, tvtest::SaveKindName(kind), path.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        char c = 0;
        const ssize_t got = ::read(ready[0], &c, 1);
        ::close(ready[0]);
        ASSERT_EQ(got, 1) << "the save loop did not start";
        ::usleep(std::uniform_int_distribution<int>(0, 12000)(rng));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself: " << status;

        const std::string now = dir.Read(name);
        const int which = now == contents[0] ? 0 : now == contents[1] ? 1 : -1;
        ASSERT_NE(which, -1) << "kill " << i << " left " << now.size() << " bytes that are neither content";
        ++seen[which];
        // A kill between creating and renaming the temporary file leaves it; it never
        // replaces the real file, and the next save does not depend on it.
        for (const std::string& stray : StrayFiles(dir, {name})) {
            ++leftovers;
            std::filesystem::remove(dir.File(stray));
        }
    }
    // Both contents must have been met, or the kills did not land inside the saves.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    std::cout << "[ kills    ] " << tvtest::SaveKindName(kind) << ": " << kKills << " kills survived, old content "
              << seen[0] << ", new content " << seen[1] << ", temporary files left by a kill " << leftovers
              << "\n";
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, KillDuringSave, ::testing::ValuesIn(tvtest::kSaveKinds), KindName);

// ---- failing writes ---------------------------------------------------------------------

namespace {

class FailingWrites : public ::testing::TestWithParam<SaveKind> {
protected:
    void TearDown() override { SetWriteFunctionForTesting(nullptr); }
};

}  // namespace

// A full disk, an I/O error, a write that stops after part of the data: every save reports
// the failure, names the file, leaves the old file as it was and leaves no temporary file.
TEST_P(FailingWrites, KeepTheOldFileAndSaySo) {
    const SaveKind kind = GetParam();
    struct Fault {
        const char* what;
        std::function<long(int, const void*, size_t)> fn;
        const char* text;
    };
    const Fault faults[] = {
        {"disk full at once", [](int, const void*, size_t) { errno = ENOSPC; return -1L; }, "No space left on device"},
        {"I/O error", [](int, const void*, size_t) { errno = EIO; return -1L; }, "Input/output error"},
        {"disk full after 1 KiB",
         [written = size_t(0)](int fd, const void* p, size_t n) mutable -> long {
             if (written >= 1024) {
                 errno = ENOSPC;
                 return -1;
             }
             const size_t chunk = std::min<size_t>(n, 1024 - written);
             const long w = ::write(fd, p, chunk);
             if (w > 0) written += static_cast<size_t>(w);
             return w;
         },
         "No space left on device"},
        {"write makes no progress", [](int, const void*, size_t) { return 0L; }, "No space left on device"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        tvtest::TempDir dir;
        const std::string path = dir.File("target.file");
        ASSERT_TRUE(SaveContent(kind, 0, path).ok);
        const std::string before = dir.Read("target.file");
        SetWriteFunctionForTesting(fault.fn);
        const FileResult r = SaveContent(kind, 1, path);
        SetWriteFunctionForTesting(nullptr);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(fault.text), std::string::npos) << r.message;
        EXPECT_EQ(dir.Read("target.file"), before);
        EXPECT_EQ(StrayFiles(dir, {"target.file"}), std::vector<std::string>{});
    }
}

// The same through the kernel: a child process whose file-size limit is below the new
// content gets EFBIG from write(2), exactly as with a real quota.
TEST_P(FailingWrites, FileSizeLimitInAChildProcess) {
    const SaveKind kind = GetParam();
    tvtest::TempDir dir;
    const std::string path = dir.File("target.file");
    ASSERT_TRUE(SaveContent(kind, 0, path).ok);
    const std::string before = dir.Read("target.file");
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() / 2, before.size() / 2};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileResult r = SaveContent(kind, 1, path);
        const std::string text = (r.ok ? "ok:" : "failed:") + r.message;
        (void)!::write(report[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(report[1]);
    std::string text;
    char buf[512];
    for (ssize_t n; (n = ::read(report[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
    ::close(report[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(text.rfind("failed:", 0), 0u) << text;
    EXPECT_NE(text.find("File too large"), std::string::npos) << text;
    EXPECT_EQ(dir.Read("target.file"), before);
    EXPECT_EQ(StrayFiles(dir, {"target.file"}), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryFileKind, FailingWrites, ::testing::ValuesIn(tvtest::kSaveKinds), KindName);

// ---- through the command-line tool -------------------------------------------------------

namespace {

const char kNow[] = "2026-06-01 12:00:00";
const std::vector<std::string> kDataFolderFiles{"Evnt.est", "Type.ptt", ".tallyvane.lock", ".tallyvane-writer.lock"};

}  // namespace

// The kernel's own refusal (EFBIG) is met above for every kind; here the tool says so and exits 1.
TEST(FailingWritesThroughCli, AddReportsTheFailureAndExitsWithOne) {
    tvtest::TempDir dir;
    auto run = [&](std::vector<std::string> args) { return tvtest::RunCliOn(dir.Path(), kNow, std::move(args)); };
    ASSERT_EQ(run({"add", "--name", "First", "--start", "2026-06-02 09:00"}).status, 0);
    const std::string events = dir.Read("Evnt.est"), types = dir.Read("Type.ptt");

    SetWriteFunctionForTesting([](int, const void*, size_t) {
        errno = ENOSPC;
        return -1L;
    });
    const tvtest::CliRun add = run({"add", "--name", "Second", "--start", "2026-06-03 09:00"});
    const tvtest::CliRun backup = run({"backup", dir.File("b.bak")});
    const tvtest::CliRun del = run({"delete", "1"});
    SetWriteFunctionForTesting(nullptr);

    for (const tvtest::CliRun* r : {&add, &backup, &del}) {
        EXPECT_EQ(r->status, 1);
        EXPECT_NE(r->err.find("No space left on device"), std::string::npos) << r->err;
    }
    EXPECT_EQ(add.out, "") << "no id may be printed for an event that was not saved";
    EXPECT_EQ(dir.Read("Evnt.est"), events);
    EXPECT_EQ(dir.Read("Type.ptt"), types);
    EXPECT_FALSE(dir.Exists("b.bak"));
    EXPECT_EQ(StrayFiles(dir, kDataFolderFiles), std::vector<std::string>{});
}

// Writers started together queue for the data folder instead of refusing each other.
TEST(ParallelWritersThroughCli, EveryAddLands) {
    tvtest::TempDir dir;
    std::vector<pid_t> pids;
    for (int i = 0; i < 16; ++i) {
        const std::string name = "Event " + std::to_string(i), folder = dir.Path();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
            ::execl(TALLYVANE_CLI, TALLYVANE_CLI, "--data-dir", folder.c_str(), "--now", kNow, "add", "--name",
                    name.c_str(), "--start", "2026-06-02 09:00", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string events = tvtest::RunCli({"--data-dir", dir.Path(), "events"}).out;
    EXPECT_NE(events.find("\"Event 15\""), std::string::npos);
    EXPECT_EQ(std::count(events.begin(), events.end(), '\n'), 16 + 2);  // one line per event, and the brackets
}

// A killed save leaves its temporary file; the next save of the same file removes it once
// it is old enough not to belong to a save still under way, or at once when the save holds
// the data folder's lock, and touches nothing else.
TEST(KilledSaves, LeftoverTemporaryFilesAreRemovedByALaterSave) {
    tvtest::TempDir dir;
    const std::string path = dir.File("Evnt.est");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {".Evnt.est.saving-AbC123", ".Evnt.est.saving-recent", ".Type.ptt.saving-XyZ789",
                             ".Evnt.est.saving-toolong1", "Evnt.est.saving-noDot1"}) {
        dir.Write(name, "partial");
        if (std::string(name) != ".Evnt.est.saving-recent") std::filesystem::last_write_time(dir.File(name), old);
    }
    ASSERT_TRUE(WriteFileAtomically(path, "new content").ok);
    EXPECT_EQ(dir.Read("Evnt.est"), "new content");
    EXPECT_FALSE(dir.Exists(".Evnt.est.saving-AbC123"));
    EXPECT_TRUE(dir.Exists(".Evnt.est.saving-recent"));   // may be another save's, still running
    EXPECT_TRUE(dir.Exists(".Type.ptt.saving-XyZ789"));   // another file's
    EXPECT_TRUE(dir.Exists(".Evnt.est.saving-toolong1"));  // not a name a save makes
    EXPECT_TRUE(dir.Exists("Evnt.est.saving-noDot1"));

    DataFolderLock lock;
    std::string why;
    ASSERT_TRUE(lock.TryLock(dir.Path(), DataFolderLock::Mode::Exclusive, why)) << why;
    ASSERT_TRUE(WriteFileAtomically(path, "newer content").ok);
    EXPECT_FALSE(dir.Exists(".Evnt.est.saving-recent"));
    EXPECT_TRUE(dir.Exists(".Type.ptt.saving-XyZ789"));
}
