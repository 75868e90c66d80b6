// Small shell rules: fonts, dialog units, the pop-up's restore rule, commands, sound files.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "shell/Commands.h"
#include "shell/DialogLayout.h"
#include "shell/FontMapping.h"
#include "shell/SoundFiles.h"
#include "views/ViewSwitching.h"

using namespace tv;

TEST(FontMapping, HeightsWeightsAndFacesStayReadable) {
    struct Case {
        int32_t height, weight;
        const char* face;
        int pixelSize, mappedWeight;
        const char* family;
    } const cases[] = {
        {-20, 700, "Arial", 20, 700, "Arial"},   // a negative height is the character height
        {14, 20, "Arial", 12, 400, "Arial"},     // the clock's default: a cell height, "normal" weight
        {0, 400, "Arial", 13, 400, "Arial"},     // 0 asks for the default size
        {6, 400, "MS Sans Serif", 11, 400, ""},  // the old dialog face maps to the desktop's font
        {INT32_MIN, -5, "Arial", 72, 400, "Arial"},
        {INT32_MAX, 100000, "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91", 72, 900,
         "\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91"},
    };
    for (const Case& c : cases) {
        LogFont f;
        f.height = c.height;
        f.weight = c.weight;
        f.italic = 1;
        f.SetFaceName(c.face);
        const FontRequest r = MapLogFont(f, {11, 72, 13});
        EXPECT_EQ(std::tuple(r.pixelSize, r.weight, r.italic, r.family),
                  std::tuple(c.pixelSize, c.mappedWeight, true, c.family))
            << c.height;
    }
}

TEST(DialogLayout, UnitsScaleByAverageWidthAndHeightAndTheFirstRestoreHappensOnce) {
    EXPECT_EQ(ToPixels(reminder_popup::kSnooze, {6, 13}), (PixelRect{11, 146, 75, 23}));
    // Controls that touch in dialog units touch in pixels.
    const PixelRect snooze = ToPixels({7, 90, 50, 14}, {7, 15}), next = ToPixels({57, 90, 10, 14}, {7, 15});
    EXPECT_EQ(snooze.x + snooze.width, next.x);

    CFirstRestoreRule rule;
    EXPECT_FALSE(rule.OnRestored()) << "a restore without a minimise is ordinary";
    rule.OnMinimised();
    EXPECT_TRUE(rule.OnRestored());
    rule.OnMinimised();
    EXPECT_FALSE(rule.OnRestored()) << "only the first cycle moves the window back";
}

TEST(Commands, RulesFollowThePageAndTheSelection) {
    struct Case {
        CommandRule rule;
        int view;
        bool selection, allowed;
    } const cases[] = {
        {CommandRule::Always, kViewFind, false, true},
        {CommandRule::NotOnFind, kViewAll, false, true},
        {CommandRule::NotOnFind, kViewFind, false, false},
        {CommandRule::Selection, kViewFind, true, true},
        {CommandRule::Selection, kViewDaily, false, false},
        {CommandRule::SelectionNotOnFind, kViewMonthly, true, true},
        {CommandRule::SelectionNotOnFind, kViewFind, true, false},
        {CommandRule::SelectionNotOnFind, kViewAll, false, false},
        {CommandRule::GotoThisDay, kViewDaily, false, false},
        {CommandRule::GotoThisDay, kViewAll, false, true},
        {CommandRule::GotoDate, kViewFind, false, false},
        {CommandRule::GotoDate, kViewDaily, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCommandAllowed(c.rule, {c.view, c.selection}), c.allowed) << int(c.rule) << " on page " << c.view;
    EXPECT_EQ(
        std::tuple(ViewIndexOfCommand(cmd::kAllEvents), ViewIndexOfCommand(cmd::kFind), ViewIndexOfCommand(cmd::kNew)),
        std::tuple(kViewAll, kViewFind, -1));
}

TEST(SoundFiles, ExactThenAnyLetterCaseButNeverOutsideTheFolder) {
    tvtest::TempDir dir;
    dir.Write("Alarm.WAV", "RIFF");
    dir.Write("ring.wav", "RIFF");
    EXPECT_EQ(FindSoundFile(dir.Path(), "ring.wav"), dir.File("ring.wav"));
    EXPECT_EQ(FindSoundFile(dir.Path(), "alarm.wav"), dir.File("Alarm.WAV"));
    for (const char* name : {"missing.wav", "", "../ring.wav", "/etc/passwd"})
        EXPECT_EQ(FindSoundFile(dir.Path(), name), "") << name;
    EXPECT_EQ(FindSoundFile(dir.Path() + "nowhere/", "ring.wav"), "");
}
