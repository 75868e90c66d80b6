// Command ids of the clock, tray and main window, their prompts and the main window's keys.
#pragma once

#include <array>
#include <string>

namespace tv {

namespace cmd {
// Clock window and tray menu.
constexpr int kRestore = 32771;
constexpr int kExit = 32774;
constexpr int kPrintView = 57607;
// Main window: events.
constexpr int kNew = 32777;
constexpr int kModify = 32791;
constexpr int kDelete = 32790;
constexpr int kAccept = 32826;
constexpr int kEnable = 32792;
constexpr int kDisable = 32793;
constexpr int kPrint = 32919;
constexpr int kPrintPreview = 32920;
constexpr int kImportHoliday = 32925;
constexpr int kImportExpFile = 32926;
constexpr int kImportPlumtrace = 32928;
constexpr int kExport = 32923;
constexpr int kBackup = 32924;
constexpr int kRestoreBackup = 32927;
constexpr int kClose = 32846;
// Main window: pages and dates.
constexpr int kDaily = 32859;
constexpr int kWeekDay = 32865;
constexpr int kWeekly = 32860;
constexpr int kMonthly = 32862;
constexpr int kAllEvents = 32802;
constexpr int kFind = 32869;
constexpr int kGotoToday = 32867;
constexpr int kGotoThisDay = 32868;
constexpr int kGotoDate = 32921;
// Both.
constexpr int kOptions = 32807;
constexpr int kHelp = 57670;
constexpr int kAbout = 32810;
// The type menus: 2024 + type index, and "Customize..." (see EventTypeTable.h).
}  // namespace cmd

// The command's prompt: the status-bar text, a line break, then the short tip that also labels
// its toolbar button ("Monthly View\nMonthly"). Empty for an id without one.
const char* CommandPrompt(int id);
// The part before the line break (status bar) and after it (tip, button label).
std::string PromptStatus(int id);
std::string PromptTip(int id);

// The page of the main window a view command shows (0 Daily .. 5 All), or -1.
int ViewIndexOfCommand(int id);
int CommandOfViewIndex(int index);

// The main window's accelerator table. Keys are written the way menus show them; "Enter" is
// the Return key and the keypad's Enter alike. Monthly has none, although its menu item shows
// "Alt+M".
struct Accelerator {
    const char* key;
    int command;
};
extern const std::array<Accelerator, 19> kMainAccelerators;

}  // namespace tv
