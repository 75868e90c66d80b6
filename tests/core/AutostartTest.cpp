// The log-on start entry, the platform plug-in choice and the default extension of file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "Env.h"
#include "TempDir.h"
#include "shell/Autostart.h"
#include "shell/FileNames.h"
#include "shell/Platform.h"
#include "platform/FileIo.h"

using namespace tv;

namespace {

using tvtest::Env;

std::string Read(const std::string& path) {
    std::string out, why;
    ReadWholeFile(path, out, why);
    return out;
}

}  // namespace

TEST(AutostartTest, PathFollowsTheBaseDirectoryRules) {
    const std::string home = "/home/u/.config/autostart/Tallyvane.desktop";
    const std::pair<std::map<std::string, std::string>, std::optional<std::string>> cases[] = {
        {{{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/cfg/autostart/Tallyvane.desktop"},
        {{{"XDG_CONFIG_HOME", "/cfg/"}}, "/cfg/autostart/Tallyvane.desktop"},
        // Unset, empty and relative values are ignored in favour of ~/.config.
        {{{"HOME", "/home/u"}}, home},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u/"}}, home},
        {{{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, home},
        {{}, std::nullopt},
        {{{"HOME", "relative"}}, std::nullopt},
    };
    for (const auto& [vars, path] : cases) EXPECT_EQ(AutostartFilePath(Env(vars)), path);
}

TEST(AutostartTest, ExecArgumentsAreQuotedAndEscapedTwice) {
    EXPECT_EQ(DesktopExecArgument("/opt/tally vane/tallyvane"), "\"/opt/tally vane/tallyvane\"");
    // Inside quotes '"', '`', '$' and '\' take a backslash; the string level then doubles every
    // backslash, so one literal backslash is four in the file.
    EXPECT_EQ(DesktopExecArgument("a\"b"), "\"a\\\\\"b\"");
    EXPECT_EQ(DesktopExecArgument("$HOME`x`"), "\"\\\\$HOME\\\\`x\\\\`\"");
    EXPECT_EQ(DesktopExecArgument("c:\\d"), "\"c:\\\\\\\\d\"");
    // '%' would start a field code.
    EXPECT_EQ(DesktopExecArgument("/x/100%/p"), "\"/x/100%%/p\"");
    // A line break cannot stand in a value.
    EXPECT_EQ(DesktopExecArgument("a\nb"), "\"a\\nb\"");
}

TEST(AutostartTest, EntryStartsTheProgramOnItsDataFolder) {
    const std::string plain = AutostartEntryText({"/usr/bin/tallyvane", ""});
    EXPECT_EQ(plain.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nType=Application\n", "\nName=Tallyvane\n", "\nExec=\"/usr/bin/tallyvane\"\n",
                             "\nIcon=io.github.tallyvane.Tallyvane\n"})
        EXPECT_NE(plain.find(line), std::string::npos) << line;

    const std::string withData = AutostartEntryText({"/opt/t/tallyvane", "/home/u/My Events"});
    EXPECT_NE(withData.find("\nExec=\"/opt/t/tallyvane\" --data-dir \"/home/u/My Events\"\n"), std::string::npos);
}

TEST(AutostartTest, CheckingWritesTheEntryAndClearingRemovesIt) {
    tvtest::TempDir dir;
    const EnvLookup env = Env({{"XDG_CONFIG_HOME", dir.Path() + "config"}, {"HOME", "/nonexistent"}});
    const std::string file = dir.Path() + "config/autostart/Tallyvane.desktop";
    const AutostartTarget target{"/opt/t/tallyvane", ""};

    // Clearing with nothing there is no failure.
    EXPECT_TRUE(UpdateAutostartEntry(false, target, env).ok);
    // The autostart folder is made on the way.
    ASSERT_TRUE(UpdateAutostartEntry(true, target, env).ok);
    EXPECT_EQ(Read(file), AutostartEntryText(target));
    // Checking again replaces the entry (a moved program is started from its new place).
    ASSERT_TRUE(UpdateAutostartEntry(true, {"/new/tallyvane", "/data"}, env).ok);
    EXPECT_EQ(Read(file), AutostartEntryText({"/new/tallyvane", "/data"}));
    ASSERT_TRUE(UpdateAutostartEntry(false, target, env).ok);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(AutostartTest, FailuresNameTheFile) {
    tvtest::TempDir dir;
    // A file where the autostart folder should be.
    ASSERT_TRUE(WriteFileAtomically(dir.Path() + "autostart", "x").ok);
    const EnvLookup env = Env({{"XDG_CONFIG_HOME", dir.Path()}});
    const FileResult r = UpdateAutostartEntry(true, {"/opt/t/tallyvane", ""}, env);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(dir.Path() + "autostart"), std::string::npos) << r.message;

    const FileResult noHome = UpdateAutostartEntry(true, {"/opt/t/tallyvane", ""}, Env({}));
    EXPECT_FALSE(noHome.ok);
    EXPECT_FALSE(noHome.message.empty());
}

TEST(Platform, WaylandWithXWaylandRunsThroughX11UnlessTheUserChose) {
    EXPECT_EQ(ChoosePlatformPlugin(Env({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}})), "xcb");
    // No XWayland, no Wayland, a choice of the user's or an empty Wayland name: left alone.
    for (const auto& vars : std::vector<std::map<std::string, std::string>>{
             {{"WAYLAND_DISPLAY", "wayland-0"}},
             {{"DISPLAY", ":0"}},
             {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
             {{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}}})
        EXPECT_EQ(ChoosePlatformPlugin(Env(vars)), std::nullopt);
}

TEST(FileNamesTest, DefaultExtensionOnlyWhenNoneWasTyped) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/backup", "/home/u/backup.bak"},   {"/home/u/backup.bak", "/home/u/backup.bak"},
        {"/home/u/backup.old", "/home/u/backup.old"}, {"/home/u/backup.", "/home/u/backup.bak"},
        // A dot in a folder name is not the file's extension.
        {"/home/u.v/events", "/home/u.v/events.bak"}, {"holidays", "holidays.bak"},
        {"/home/u/", "/home/u/"},                   {"", ""},
    };
    for (const auto& [typed, full] : cases) EXPECT_EQ(WithDefaultExtension(typed, "bak"), full) << typed;
}
