// Finding another copy: the counting rule on a made-up process list, and one real scan.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "platform/SingleInstance.h"

using namespace tv;

extern char** environ;

TEST(SingleInstance, CountsOtherProcessesWithExactlyTheSameFileName) {
    const std::vector<ProcessEntry> list = {
        {100, "tallyvane"}, {200, "bash"}, {300, "Tallyvane"}, {400, "tallyvane-cli"}, {500, "tallyvane2"}};
    EXPECT_FALSE(IsAnotherCopyRunning(list, "tallyvane", 100)) << "only itself";
    EXPECT_TRUE(IsAnotherCopyRunning(list, "tallyvane", 999)) << "process 100 is another copy";
    EXPECT_FALSE(IsAnotherCopyRunning(list, "Tallyvane", 300)) << "letter case counts";
    EXPECT_FALSE(IsAnotherCopyRunning(list, "tallyvane2", 500)) << "a copy under another name is alone";
    EXPECT_FALSE(IsAnotherCopyRunning(std::nullopt, "tallyvane", 1)) << "no process list: no other copy";
    EXPECT_EQ(ExecutableNameOf("/home/u/build/bin/tallyvane (deleted)"), "tallyvane");
    EXPECT_EQ(ExecutableNameOf("tallyvane"), "tallyvane");
}

TEST(SingleInstance, ReadsAMadeUpProcFolder) {
    tvtest::TempDir proc;
    namespace fs = std::filesystem;
    auto addProcess = [&](const std::string& pid, const std::string& exe) {
        fs::create_directories(proc.Path() + pid);
        if (!exe.empty()) fs::create_symlink(exe, proc.Path() + pid + "/exe");
    };
    addProcess("17", "/opt/tv/tallyvane");
    addProcess("18", "/opt/tv/tallyvane (deleted)");
    addProcess("19", "");  // a kernel thread: no executable
    addProcess("self", "/opt/tv/tallyvane");
    fs::create_directories(proc.Path() + "sys");
    const auto list = ListUserProcesses(::getuid(), proc.Path());
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), 2u);
    EXPECT_TRUE(IsAnotherCopyRunning(list, "tallyvane", 17));
    EXPECT_FALSE(ListUserProcesses(::getuid(), proc.Path() + "missing").has_value());
    EXPECT_TRUE(ListUserProcesses(::getuid() + 1, proc.Path())->empty()) << "other users' processes are not counted";
}

TEST(SingleInstance, RealScanSeesACopyOfAProgramRunning) {
    tvtest::TempDir dir;
    const std::string name = "tv-probe-" + std::to_string(::getpid());
    const std::string exe = dir.Path() + name;
    std::filesystem::copy_file("/bin/sleep", exe);
    std::filesystem::permissions(exe, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    char arg0[] = "probe";
    char arg1[] = "30";
    char* argv[] = {arg0, arg1, nullptr};
    pid_t first = 0, second = 0;
    ASSERT_EQ(::posix_spawn(&first, exe.c_str(), nullptr, nullptr, argv, environ), 0);

    auto list = ListUserProcesses(::getuid());
    ASSERT_TRUE(list.has_value());
    EXPECT_FALSE(IsAnotherCopyRunning(list, name, first)) << "the first copy is alone";
    EXPECT_TRUE(IsAnotherCopyRunning(list, name, ::getpid())) << "a new copy would find the first";

    ASSERT_EQ(::posix_spawn(&second, exe.c_str(), nullptr, nullptr, argv, environ), 0);
    list = ListUserProcesses(::getuid());
    EXPECT_TRUE(IsAnotherCopyRunning(list, name, second));
    EXPECT_FALSE(IsAnotherCopyRunning(list, name + "x", second));
    for (pid_t p : {first, second}) {
        ::kill(p, SIGKILL);
        ::waitpid(p, nullptr, 0);
    }
}
