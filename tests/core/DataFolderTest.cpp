// The data folder: where it is, where shipped files are found, and that it stays private and
// safe (folder and file modes, other users' folders, planted links, the lock file).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <filesystem>

#include "Env.h"
#include "TempDir.h"
#include "editing/SoundList.h"
#include "platform/DataFolder.h"
#include "platform/DataFolderLock.h"
#include "platform/FileIo.h"
#include "shell/SoundFiles.h"

using namespace tv;
using tvtest::Env;
namespace fs = std::filesystem;

namespace {

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The loosest umask, so that every mode checked is one the code chose itself.
struct OpenUmask {
    mode_t old = ::umask(0);
    ~OpenUmask() { ::umask(old); }
};

}  // namespace

TEST(DataFolder, DefaultAndShippedFoldersFollowTheBaseDirectoryRules) {
    tvtest::TempDir exe, shipped;
    EXPECT_EQ(DefaultDataFolder(Env({{"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}}), exe.Path()), "/d/tallyvane/");
    EXPECT_EQ(DefaultDataFolder(Env({{"XDG_DATA_HOME", "d"}, {"HOME", "/h/"}}), exe.Path()),
              "/h/.local/share/tallyvane/");
    EXPECT_EQ(DefaultDataFolder(Env({{"HOME", "h"}}), exe.Path()), "");
    EXPECT_EQ(ShippedDataFolders("/d/", Env({{"XDG_DATA_DIRS", "/a:rel::/b/:/a/"}}), "/p/bin/"),
              (std::vector<std::string>{"/d/", "/a/tallyvane/", "/b/tallyvane/", "/p/share/tallyvane/", "/p/bin/"}));
    // A portable copy keeps its data beside it, and the user's own sounds come first.
    for (const char* name : {"Evnt.est", "alarm.wav", "Mine.wav"}) exe.Write(name, "");
    for (const char* name : {"Alarm.WAV", "Bell.wav"}) shipped.Write(name, "");
    EXPECT_EQ(DefaultDataFolder(Env({{"HOME", "/h"}}), exe.Path()), exe.Path());
    EXPECT_EQ(FindSoundFile({exe.Path(), shipped.Path()}, "ALARM.wav"), exe.File("alarm.wav"));
    EXPECT_EQ(FindInFolders({exe.Path(), shipped.Path()}, "Bell.wav"), shipped.File("Bell.wav"));
    EXPECT_EQ(ListSoundFiles({exe.Path(), shipped.Path()}).size(), 3u);
}

TEST(DataFolder, OnlyAPrivateFolderOfTheUsersOwnIsUsedUnlessTrusted) {
    const OpenUmask umask;
    tvtest::TempDir dir;
    struct Case {
        unsigned mode;  // 0: not there
        bool create, trust, foreign;
        const char* refusal;  // empty: the folder is used
    };
    // clang-format off
    const Case cases[] = {{0, true, false, false, ""}, {0, false, false, false, "does not exist"},
        {0755, false, false, false, ""}, {01777, false, false, false, "Other users may"},
        {0777, false, true, false, ""}, {0700, false, false, true, "another user"}, {0700, false, true, true, ""}};
    // clang-format on
    for (const Case& c : cases) {
        const std::string folder = dir.File(std::to_string(&c - cases) + "/data");
        if (c.mode && fs::create_directories(folder)) ::chmod(folder.c_str(), c.mode);
        const FileResult r = PrepareDataFolder(folder, c.create, c.trust, ::getuid() + c.foreign);
        EXPECT_TRUE(r.ok == !*c.refusal && r.message.find(c.refusal) != std::string::npos) << folder << r.message;
    }
    // The folder made, and the one made above it on the way, are private whatever the umask.
    EXPECT_EQ(std::pair(ModeOf(dir.File("0")), ModeOf(dir.File("0/data"))), std::pair(0700u, 0700u));
}

TEST(DataFolder, FilesAndTheLockAreTheOwnersAloneAndNoLinkLeadsASaveOut) {
    const OpenUmask umask;
    tvtest::TempDir dir, elsewhere;
    const std::string events = dir.File("Evnt.est"), lock = dir.File(DataFolderLock::kFileName);
    std::string copy, why;
    dir.Write(DataFolderLock::kFileName, "");  // as builds before made it: readable by all
    ASSERT_TRUE(WriteFileAtomically(events, "x", SaveScope::DataFolder).ok && KeepDamagedCopy(events, copy));
    DataFolderLock held;
    ASSERT_EQ(held.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Yes);
    for (const std::string& path : {events, copy, lock}) EXPECT_EQ(ModeOf(path), 0600u) << path;
    held.Unlock();

    // A link out of the folder is replaced by the file; one inside the folder is saved through.
    elsewhere.Write("target", "theirs");
    for (const auto& [target, inside] : {std::pair{elsewhere.File("target"), false}, {copy, true}}) {
        fs::remove(events);
        fs::create_symlink(target, events);
        const FileResult r = WriteFileAtomically(events, "mine", SaveScope::DataFolder);
        EXPECT_TRUE(r.ok && fs::is_symlink(events) == inside && r.note.empty() == inside) << target << r.note;
    }
    EXPECT_EQ(elsewhere.Read("target") + dir.Read(fs::path(copy).filename()), "theirsmine");

    // A lock file that is a link is refused, and nothing is made where it points.
    fs::remove(lock);
    fs::create_symlink(elsewhere.File("planted"), lock);
    EXPECT_EQ(held.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Failed);
    EXPECT_TRUE(why.find("symbolic link") != std::string::npos && !fs::exists(elsewhere.File("planted"))) << why;
}

TEST(DataFolder, ALockHeldReadOnlyKeepsTheProgramAndWritersOut) {
    tvtest::TempDir dir;
    DataFolderLock program;
    std::string why;
    dir.Write(DataFolderLock::kFileName, "");
    // Another open of the file stands for another process: flock locks belong to the open file.
    const int fd = ::open(dir.File(DataFolderLock::kFileName).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);
    EXPECT_EQ(program.TryLockFolder(dir.Path(), DataFolderLock::Mode::Exclusive, why), DataFolderLock::Taken::Busy);
    EXPECT_EQ(program.LockForWriter(dir.Path(), {}, why), DataFolderLock::WriterLock::ProgramRunning);
    ::close(fd);
}
