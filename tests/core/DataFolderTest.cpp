// The data folder: where it is, where shipped files are found, and that it stays private and
// safe (folder and file modes, other users' folders, planted links, the lock file).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "TempDir.h"
#include "editing/SoundList.h"
#include "platform/DataFolder.h"
#include "platform/DataFolderLock.h"
#include "platform/FileIo.h"
#include "shell/SoundFiles.h"

using namespace tv;
namespace fs = std::filesystem;

namespace {

EnvLookup Env(std::map<std::string, std::string> vars) {
    return [vars](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0xFFFF;
}

std::string Read(const std::string& path) {
    std::string bytes, why;
    ReadWholeFile(path, bytes, why);
    return bytes;
}

// Runs with the loosest umask, so that every mode checked is one the code chose itself.
struct OpenUmask {
    mode_t old = ::umask(0);
    ~OpenUmask() { ::umask(old); }
};

}  // namespace

TEST(DataFolder, DefaultFollowsTheBaseDirectoryRulesUnlessTheProgramFolderIsPortable) {
    tvtest::TempDir exe;
    const std::string home = "/home/u/.local/share/tallyvane/";
    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}}, "/data/tallyvane/"},
        {{{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}}, home},
        {{{"XDG_DATA_HOME", "data"}, {"HOME", "/home/u/"}}, home},
        {{{"HOME", "relative"}}, ""},
    };
    for (const auto& [vars, expected] : cases) EXPECT_EQ(DefaultDataFolder(Env(vars), exe.Path()), expected);
    exe.Write("Evnt.est", "");
    EXPECT_EQ(DefaultDataFolder(Env({{"HOME", "/home/u"}}), exe.Path()), exe.Path());
}

TEST(DataFolder, ShippedFilesAreFoundInTheDataFolderThenTheSystemThenBesideTheProgram) {
    EXPECT_EQ(ShippedDataFolders("/d/", Env({{"XDG_DATA_DIRS", "/a:rel::/b/:/a/"}}), "/p/bin/"),
              (std::vector<std::string>{"/d/", "/a/tallyvane/", "/b/tallyvane/", "/p/share/tallyvane/", "/p/bin/"}));
    EXPECT_EQ(ShippedDataFolders("/d/", Env({}), ""),
              (std::vector<std::string>{"/d/", "/usr/local/share/tallyvane/", "/usr/share/tallyvane/"}));

    tvtest::TempDir user, shipped;
    fs::create_directories(user.File("Sound"));
    fs::create_directories(shipped.File("Sound"));
    for (const char* name : {"Sound/alarm.wav", "Sound/Mine.wav"}) user.Write(name, "u");
    for (const char* name : {"Sound/Alarm.WAV", "Sound/Bell.wav", "help.html"}) shipped.Write(name, "s");
    const std::vector<std::string> folders{user.Path(), shipped.Path()};
    EXPECT_EQ(FindInFolders(folders, "help.html"), shipped.File("help.html"));
    EXPECT_EQ(FindInFolders(folders, "none.html"), "");
    const std::vector<std::string> sounds{user.File("Sound"), shipped.File("Sound")};
    EXPECT_EQ(FindSoundFile(sounds, "ALARM.wav"), user.File("Sound/alarm.wav"));
    EXPECT_EQ(FindSoundFile(sounds, "bell.wav"), shipped.File("Sound/Bell.wav"));
    std::vector<std::string> listed = ListSoundFiles(sounds);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Bell.wav", "Mine.wav", "alarm.wav"}));
}

TEST(DataFolder, OnlyAPrivateFolderOfTheUsersOwnIsUsedUnlessTrusted) {
    const OpenUmask umask;
    struct Case {
        const char* name;
        unsigned mode;  // 0: not there; 1: a file in its place
        bool create, trust;
        uid_t user;
        const char* refusal;  // empty: accepted
    };
    const uid_t me = ::getuid(), other = me + 1;
    const Case cases[] = {
        {"made", 0, true, false, me, ""},
        {"missing", 0, false, false, me, "does not exist"},
        {"file", 1, true, false, me, "is not a folder"},
        {"private", 0700, false, false, me, ""},
        {"readable", 0755, false, false, me, ""},
        {"group-writable", 0770, false, false, me, "Other users may change files"},
        {"world-writable", 01777, false, false, me, "Other users may change files"},
        {"world-writable-trusted", 0777, false, true, me, ""},
        {"foreign", 0700, false, false, other, "belongs to another user"},
        {"foreign-trusted", 0700, false, true, other, ""},
    };
    tvtest::TempDir dir;
    for (const Case& c : cases) {
        const std::string folder = dir.File(std::string(c.name) + "/data");
        if (c.mode == 1) {
            fs::create_directories(dir.File(c.name));
            dir.Write(std::string(c.name) + "/data", "");
        } else if (c.mode) {
            fs::create_directories(folder);
            ::chmod(folder.c_str(), c.mode);
        }
        const FileResult r = PrepareDataFolder(folder, c.create, c.trust, c.user);
        EXPECT_EQ(r.ok, !*c.refusal) << c.name << ": " << r.message;
        EXPECT_NE(r.message.find(c.refusal), std::string::npos) << c.name << ": " << r.message;
        if (*c.refusal && c.mode > 1) {
            EXPECT_NE(r.message.find(kTrustOption), std::string::npos) << c.name;
        }
    }
    // Every folder made on the way is private, whatever the umask.
    EXPECT_EQ(ModeOf(dir.File("made")), 0700u);
    EXPECT_EQ(ModeOf(dir.File("made/data")), 0700u);
}

TEST(DataFolder, FilesAndTheLockAreTheOwnersAloneAndNoLinkLeadsASaveOut) {
    const OpenUmask umask;
    tvtest::TempDir dir, elsewhere;
    const std::string events = dir.File("Evnt.est"), lock = dir.File(DataFolderLock::kFileName);
    elsewhere.Write("target", "theirs");
    dir.Write("inside", "old");
    dir.Write(DataFolderLock::kFileName, "");
    ::chmod(lock.c_str(), 0644);  // as builds before made it

    ASSERT_TRUE(WriteFileAtomically(dir.File("new"), "x", SaveScope::DataFolder).ok);
    EXPECT_EQ(ModeOf(dir.File("new")), 0600u);
    std::string copy;
    ASSERT_TRUE(KeepDamagedCopy(dir.File("new"), copy));
    EXPECT_EQ(ModeOf(copy), 0600u);
    DataFolderLock held;
    std::string why;
    ASSERT_EQ(held.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Yes);
    EXPECT_EQ(ModeOf(lock), 0600u);
    held.Unlock();

    // A link out of the folder is replaced by the file; one inside the folder is saved through.
    for (const auto& [target, followed] : {std::pair{elsewhere.File("target"), false}, {dir.File("inside"), true}}) {
        fs::remove(events);
        fs::create_symlink(target, events);
        const FileResult r = WriteFileAtomically(events, "mine", SaveScope::DataFolder);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(fs::is_symlink(events), followed) << target;
        EXPECT_EQ(r.note.empty(), followed) << target;
        EXPECT_EQ(Read(target), followed ? "mine" : "theirs");
    }

    // A lock file that is a link is refused, and nothing is made where it points.
    fs::remove(lock);
    fs::create_symlink(elsewhere.File("planted"), lock);
    EXPECT_EQ(held.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Failed);
    EXPECT_NE(why.find("symbolic link"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists(elsewhere.File("planted")));
}

TEST(DataFolder, ALockHeldReadOnlyKeepsTheProgramAndWritersOut) {
    tvtest::TempDir dir;
    DataFolderLock probe;
    std::string why;
    ASSERT_TRUE(probe.TryLock(dir.Path(), DataFolderLock::Mode::Exclusive, why)) << why;
    probe.Unlock();
    // Another open of the file stands for another process: flock locks belong to the open file.
    const int fd = ::open(dir.File(DataFolderLock::kFileName).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);
    EXPECT_EQ(probe.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Busy);
    EXPECT_EQ(probe.LockForWriter(dir.Path(), std::chrono::milliseconds(0), why),
              DataFolderLock::WriterLock::ProgramRunning);
    ::close(fd);
}
