// Command ids of the clock, tray and main window, and the rules that enable the main window's.
#pragma once

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
// Calendar files of other programs.
constexpr int kExportIcs = 32940;
constexpr int kImportIcs = 32941;
// The calendar server.
constexpr int kSyncNow = 32942;
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

// When a command of the main window can be chosen, by the page shown (a ViewIndex) and
// whether that page has selected events. A command whose rule says no is dropped, whether it
// comes from a menu, the toolbar or a key.
enum class CommandRule {
    Always,
    NotOnFind,           // New, the types, Customize: the Find page makes no events
    Selection,           // Modify, Delete
    SelectionNotOnFind,  // Accept, Enable, Disable
    GotoThisDay,         // another page than Daily or Find
    GotoDate,            // any page but Find
    SyncIdle,            // Sync Now: no sync under way
};
struct CommandState {
    int view = 0;
    bool hasSelection = false;
    bool syncing = false;
};
bool IsCommandAllowed(CommandRule rule, const CommandState& state);

// The page of the main window a page command shows (a ViewIndex), or -1.
int ViewIndexOfCommand(int id);

}  // namespace tv
