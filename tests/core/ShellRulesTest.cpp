// Small shell rules: fonts, dialog units, the pop-up's restore rule, commands, the platform.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/DialogLayout.h"
#include "shell/FontMapping.h"
#include "shell/Platform.h"

using namespace tv;

TEST(FontMapping, HeightsWeightsAndFaces) {
    LogFont f;
    f.height = -20;
    f.weight = 700;
    f.italic = 1;
    f.SetFaceName("Arial");
    FontRequest r = MapLogFont(f);
    EXPECT_EQ(r.pixelSize, 20) << "a negative height is the character height";
    EXPECT_EQ(r.weight, 700);
    EXPECT_TRUE(r.italic);
    EXPECT_EQ(r.family, "Arial");

    f.height = 14;  // cell height, as the clock's default
    f.weight = 20;  // stored where "normal" was meant
    r = MapLogFont(f);
    EXPECT_EQ(r.pixelSize, 12);
    EXPECT_EQ(r.weight, 400);

    f.height = 0;
    EXPECT_EQ(MapLogFont(f, {9, 200, 13}).pixelSize, 13) << "0 asks for the default size";
}

TEST(FontMapping, TinyHugeAndOddFontsStayReadable) {
    LogFont f = CEventType::DefaultFont();  // height 6, "MS Sans Serif"
    FontRequest r = MapLogFont(f, {11, 72, 13});
    EXPECT_EQ(r.pixelSize, 11);
    EXPECT_EQ(r.family, "") << "the old dialog face maps to the desktop's font";
    f.height = INT32_MIN;
    EXPECT_EQ(MapLogFont(f, {11, 72, 13}).pixelSize, 72);
    f.height = INT32_MAX;
    EXPECT_EQ(MapLogFont(f, {11, 72, 13}).pixelSize, 72);
    f.weight = -5;
    EXPECT_EQ(MapLogFont(f).weight, 400);
    f.weight = 100000;
    EXPECT_EQ(MapLogFont(f).weight, 900);
    f.SetFaceName("Caf\xE9");  // Windows-1252 bytes
    EXPECT_EQ(MapLogFont(f).family, "Caf\xC3\xA9");
}

TEST(DialogLayout, UnitsScaleByAverageWidthAndHeight) {
    const DialogBaseUnits base{6, 13};
    EXPECT_EQ(ToPixels(reminder_popup::kClient, base), (PixelRect{0, 0, 414, 179}));
    EXPECT_EQ(ToPixels(reminder_popup::kSnooze, base), (PixelRect{11, 146, 75, 23}));
    // Controls that touch in dialog units touch in pixels.
    const PixelRect snooze = ToPixels({7, 90, 50, 14}, {7, 15});
    const PixelRect next = ToPixels({57, 90, 10, 14}, {7, 15});
    EXPECT_EQ(snooze.x + snooze.width, next.x);
}

TEST(DialogLayout, FirstRestoreAfterFirstMinimiseHappensOnce) {
    CFirstRestoreRule rule;
    EXPECT_FALSE(rule.OnRestored()) << "a restore without a minimise is ordinary";
    rule.OnMinimised();
    EXPECT_TRUE(rule.OnRestored());
    rule.OnMinimised();
    EXPECT_FALSE(rule.OnRestored()) << "only the first cycle moves the window back";
}

TEST(Commands, AcceleratorsAreUniqueAndAltMIsNotOne) {
    std::map<std::string, int> keys;
    for (const Accelerator& a : kMainAccelerators)
        EXPECT_TRUE(keys.emplace(a.key, a.command).second) << "duplicate key " << a.key;
    EXPECT_EQ(keys.size(), 19u);
    EXPECT_EQ(keys.count("Alt+M"), 0u);
    EXPECT_EQ(keys["Enter"], cmd::kModify);
    EXPECT_EQ(keys["Ctrl+M"], cmd::kModify);
    EXPECT_EQ(keys["Ctrl+V"], cmd::kPrintPreview);
}

TEST(Commands, PromptsSplitIntoStatusAndTip) {
    EXPECT_EQ(PromptStatus(cmd::kMonthly), "Monthly View");
    EXPECT_EQ(PromptTip(cmd::kMonthly), "Monthly");
    EXPECT_EQ(PromptTip(kTypeMenuFirstId + 3), "New");
    EXPECT_EQ(PromptStatus(12345), "");
}

TEST(Commands, ViewCommandsMapToPages) {
    const int expected[] = {cmd::kDaily, cmd::kWeekDay, cmd::kWeekly, cmd::kMonthly, cmd::kFind, cmd::kAllEvents};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(CommandOfViewIndex(i), expected[i]);
        EXPECT_EQ(ViewIndexOfCommand(expected[i]), i);
    }
    EXPECT_EQ(ViewIndexOfCommand(cmd::kGotoToday), -1);
    EXPECT_EQ(CommandOfViewIndex(6), 0);
}

TEST(Platform, WaylandWithXWaylandRunsThroughX11UnlessTheUserChose) {
    auto envOf = [](std::map<std::string, std::string> vars) {
        return [vars](const char* name) -> std::optional<std::string> {
            auto it = vars.find(name);
            if (it == vars.end()) return std::nullopt;
            return it->second;
        };
    };
    EXPECT_EQ(ChoosePlatformPlugin(envOf({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}})), "xcb");
    EXPECT_EQ(ChoosePlatformPlugin(envOf({{"WAYLAND_DISPLAY", "wayland-0"}})), std::nullopt)
        << "no XWayland: stay on Wayland";
    EXPECT_EQ(ChoosePlatformPlugin(envOf({{"DISPLAY", ":0"}})), std::nullopt);
    EXPECT_EQ(ChoosePlatformPlugin(
                  envOf({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}})),
              std::nullopt);
    EXPECT_EQ(ChoosePlatformPlugin(envOf({{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}})), std::nullopt);
}

#include "TempDir.h"
#include "shell/SoundFiles.h"

TEST(SoundFiles, ExactThenAnyLetterCaseButNeverOutsideTheFolder) {
    tvtest::TempDir dir;
    dir.Write("Alarm.WAV", "RIFF");
    dir.Write("ring.wav", "RIFF");
    EXPECT_EQ(FindSoundFile(dir.Path(), "ring.wav"), dir.File("ring.wav"));
    EXPECT_EQ(FindSoundFile(dir.Path(), "alarm.wav"), dir.File("Alarm.WAV"));
    EXPECT_EQ(FindSoundFile(dir.Path(), "missing.wav"), "");
    EXPECT_EQ(FindSoundFile(dir.Path(), ""), "");
    EXPECT_EQ(FindSoundFile(dir.Path(), "../ring.wav"), "");
    EXPECT_EQ(FindSoundFile(dir.Path(), "/etc/passwd"), "");
    EXPECT_EQ(FindSoundFile(dir.Path() + "nowhere/", "ring.wav"), "");
}
