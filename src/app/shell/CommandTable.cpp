// The command tables of the main window and of the clock: one row per command.
#include "CommandTable.h"

#include <algorithm>
#include <cstring>

#include "ClockWnd.h"
#include "HelpAbout.h"
#include "MainWnd.h"
#include "SyncController.h"
#include "UserPrompts.h"
#include "store/EventTypeTable.h"
#include "views/ViewPages.h"

namespace tv {

namespace {

using enum CommandRule;

// Whether a separator goes before a row in its menu.
constexpr bool kNewGroup = true;
constexpr bool kSameGroup = false;

// In the order of the menus; a submenu's rows follow each other.
const MainCommand kMainCommands[] = {
    // The Event menu opens with the New submenu of the types, which is not a row.
    {cmd::kNew, Menu::None, kSameGroup, "&New", "Ctrl+N", "Create a new event of the first type\nNew", NotOnFind,
     [](CMainWnd& m) { m.newEvent(0); }},
    {cmd::kModify, Menu::Event, kNewGroup, "&Modify...", "Ctrl+M", "Change the selected event\nModify", Selection,
     [](CMainWnd& m) { m.modifyEvent(); }},
    {cmd::kDelete, Menu::Event, kSameGroup, "&Delete", "Del", "Delete the selected events\nDelete", Selection,
     [](CMainWnd& m) { m.deleteEvents(); }},
    {cmd::kAccept, Menu::Event, kNewGroup, "&Accept", "Ctrl+A",
     "Accept the selected events: done with this occurrence\nAccept", SelectionNotOnFind,
     [](CMainWnd& m) { m.acceptEvents(); }},
    {cmd::kEnable, Menu::Event, kSameGroup, "&Enable", "Ctrl+E",
     "Switch the reminders of the selected events on\nEnable", SelectionNotOnFind,
     [](CMainWnd& m) { m.enableEvents(); }},
    {cmd::kDisable, Menu::Event, kSameGroup, "Di&sable", "Ctrl+D",
     "Switch the reminders of the selected events off\nDisable", SelectionNotOnFind,
     [](CMainWnd& m) { m.disableEvents(); }},
    {cmd::kPrint, Menu::Event, kNewGroup, "&Print...", "Ctrl+P", "Print the current page\nPrint", Always,
     [](CMainWnd& m) { m.print(); }},
    {cmd::kPrintPreview, Menu::Event, kSameGroup, "Print Pre&view...", "Ctrl+V",
     "Show how the current page will print\nPrint Preview", Always, [](CMainWnd& m) { m.printPreview(); }},
    {cmd::kImportHoliday, Menu::Import, kNewGroup, "Import &Holiday...", "",
     "Add the holidays of a holiday file\nImport Holiday", Always, [](CMainWnd& m) { m.importHoliday(); }},
    {cmd::kImportExpFile, Menu::Import, kSameGroup, "&Import Exp File...", "",
     "Add the events and types of an export file\nImport", Always, [](CMainWnd& m) { m.importExpFile(); }},
    {cmd::kImportPlumtrace, Menu::Import, kSameGroup, "Import from Plumtrace 2.3...", "",
     "Add the events and types of Plumtrace 2.3\nImport Plumtrace", Always, [](CMainWnd& m) { m.importPlumtrace(); }},
    {cmd::kImportIcs, Menu::Import, kSameGroup, "Import iCalendar...", "",
     "Add the events of an iCalendar file from another calendar\nImport iCalendar", Always,
     [](CMainWnd& m) { m.importIcs(); }},
    {cmd::kExport, Menu::Event, kSameGroup, "Export...", "", "Write events and types to an export file\nExport", Always,
     [](CMainWnd& m) { m.exportEvents(); }},
    {cmd::kExportIcs, Menu::Event, kSameGroup, "Export iCalendar...", "",
     "Write every event to an iCalendar file that other calendars read\nExport iCalendar", Always,
     [](CMainWnd& m) { m.exportIcs(); }},
    {cmd::kBackup, Menu::Event, kSameGroup, "&Backup...", "", "Write all events and types to a backup file\nBackup",
     Always, [](CMainWnd& m) { m.backup(); }},
    {cmd::kRestoreBackup, Menu::Event, kSameGroup, "&Restore...", "",
     "Replace all events and types with those of a backup file\nRestore", Always,
     [](CMainWnd& m) { m.restoreBackup(); }},
    {cmd::kSyncNow, Menu::Event, kNewGroup, "S&ync Now", "",
     "Send this computer's changes to the calendar server and take its changes\nSync Now", SyncIdle,
     [](CMainWnd&) {
         if (CSyncController* sync = CSyncController::Instance()) sync->syncNow(true);
     }},
    {cmd::kClose, Menu::Event, kNewGroup, "&Close", "",
     "Close the calendar window; Tallyvane keeps running in the tray\nClose", Always, [](CMainWnd& m) { m.close(); }},

    {cmd::kDaily, Menu::View, kSameGroup, "&Daily", "Alt+D", "Daily View\nDaily", Always, nullptr},
    {cmd::kWeekDay, Menu::View, kSameGroup, "W&eek Day", "Alt+E", "Week Day View\nWeekday", Always, nullptr},
    {cmd::kWeekly, Menu::View, kSameGroup, "&Weekly", "Alt+W", "Weekly View\nWeekly", Always, nullptr},
    {cmd::kMonthly, Menu::View, kSameGroup, "&Monthly", "Alt+M", "Monthly View\nMonthly", Always, nullptr},
    {cmd::kAllEvents, Menu::View, kSameGroup, "&All Events", "Alt+A", "All Events\nAll", Always, nullptr},
    {cmd::kFind, Menu::View, kNewGroup, "&Find", "F3", "Find Events\nFind", Always, nullptr},
    {cmd::kGotoToday, Menu::View, kNewGroup, "Goto &Today", "Ctrl+T", "Show today in the Daily view\nToday", Always,
     [](CMainWnd& m) { m.pages()->gotoToday(); }},
    {cmd::kGotoThisDay, Menu::View, kSameGroup, "Goto T&his Day", "Ctrl+I",
     "Show the selected day in the Daily view\nThis Day", GotoThisDay, [](CMainWnd& m) { m.pages()->gotoThisDay(); }},
    {cmd::kGotoDate, Menu::View, kSameGroup, "Goto ...", "Ctrl+G", "Show a date of your choice\nGoto", GotoDate,
     [](CMainWnd& m) { m.pages()->gotoChosenDate(); }},

    {cmd::kOptions, Menu::Tool, kSameGroup, "&Options...", "Ctrl+O", "Change the preferences\nOptions", Always,
     [](CMainWnd& m) { m.showOptions(); }},

    {cmd::kHelp, Menu::Help, kSameGroup, "&Help...", "F1", "Open the help pages\nHelp", Always,
     [](CMainWnd&) { OpenHelp(); }},
    {cmd::kAbout, Menu::Help, kSameGroup, "&About...", "", "Show the program's version\nAbout", Always,
     [](CMainWnd& m) { ShowAbout(&m); }},

    // The last item of every type menu.
    {kTypeMenuCustomizeId, Menu::None, kSameGroup, "Customize...", "", "Add, change or remove event types\nCustomize",
     NotOnFind, [](CMainWnd& m) { m.customizeTypes(); }},
};

// The Monthly item shows "Alt+M", but that key never switched the page; Enter opens the
// selected event as Ctrl+M does, without a menu showing it.
constexpr const char* kShownOnlyKey = "Alt+M";
constexpr CommandKey kUnshownKey = {"Enter", cmd::kModify};

const ClockCommand kClockCommands[] = {
    {cmd::kRestore, kSameGroup, "&Restore", "Open the calendar window\nRestore",
     [](CClockWnd&) { CClockWnd::OpenMainWindow(); }},
    {cmd::kOptions, kSameGroup, "&Option...", nullptr,
     [](CClockWnd&) {
         CClockWnd::OpenMainWindow();
         // Posted, as the main window runs it once it is up.
         QMetaObject::invokeMethod(
             CMainWnd::Instance(),
             [] {
                 if (CMainWnd* m = CMainWnd::Instance()) m->runCommand(cmd::kOptions);
             },
             Qt::QueuedConnection);
     }},
    {cmd::kHelp, kSameGroup, "&Help...", nullptr, [](CClockWnd&) { OpenHelp(); }},
    {cmd::kAbout, kSameGroup, "&About...", nullptr, [](CClockWnd&) { ShowAbout(nullptr); }},
    {cmd::kExit, kNewGroup, "&Exit", "Quit Tallyvane\nExit",
     [](CClockWnd& c) {
         if (Prompts().AskYesNo(nullptr, ProductName(), QStringLiteral("Do you really want to exit this programme?")))
             Q_EMIT c.exitRequested();
     }},
    {kTypeMenuCustomizeId, kSameGroup, nullptr, nullptr, [](CClockWnd& c) { c.customizeTypes(); }},
    {cmd::kPrintView, kSameGroup, nullptr, "Print the page shown in the calendar window\nPrint",
     [](CClockWnd&) {
         if (CMainWnd* m = CMainWnd::Instance()) m->runCommand(cmd::kPrint);
     }},
};

const char* PromptOf(int id) {
    if (id >= kTypeMenuFirstId && id <= kTypeMenuLastId) return "Create a new event of this type\nNew";
    if (const MainCommand* c = FindMainCommand(id)) return c->prompt;
    if (const ClockCommand* c = FindClockCommand(id); c && c->prompt) return c->prompt;
    return "";
}

}  // namespace

std::span<const MainCommand> MainCommands() { return kMainCommands; }

const MainCommand* FindMainCommand(int id) {
    const auto* it =
        std::find_if(std::begin(kMainCommands), std::end(kMainCommands), [id](const auto& c) { return c.id == id; });
    return it != std::end(kMainCommands) ? it : nullptr;
}

std::vector<CommandKey> MainCommandKeys() {
    std::vector<CommandKey> keys{kUnshownKey};
    for (const MainCommand& c : kMainCommands)
        if (*c.key && std::strcmp(c.key, kShownOnlyKey) != 0) keys.push_back({c.key, c.id});
    return keys;
}

std::span<const ClockCommand> ClockCommands() { return kClockCommands; }

const ClockCommand* FindClockCommand(int id) {
    const auto* it =
        std::find_if(std::begin(kClockCommands), std::end(kClockCommands), [id](const auto& c) { return c.id == id; });
    return it != std::end(kClockCommands) ? it : nullptr;
}

QString CommandStatus(int id) { return QString::fromLatin1(PromptOf(id)).section(QLatin1Char('\n'), 0, 0); }

QString CommandTip(int id) { return QString::fromLatin1(PromptOf(id)).section(QLatin1Char('\n'), 1); }

QString MenuItemText(const MainCommand& c) {
    const QString text = QString::fromLatin1(c.text);
    return *c.key ? text + QLatin1Char('\t') + QLatin1String(c.key) : text;
}

}  // namespace tv
