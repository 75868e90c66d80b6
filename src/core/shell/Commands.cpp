// Command prompts and the main window's accelerator table.
#include "Commands.h"

#include <cstring>

#include "store/EventTypeTable.h"

namespace tv {

namespace {

struct Prompt {
    int id;
    const char* text;
};

constexpr Prompt kPrompts[] = {
    {cmd::kRestore, "Open the calendar window\nRestore"},
    {cmd::kExit, "Quit Tallyvane\nExit"},
    {cmd::kPrintView, "Print the page shown in the calendar window\nPrint"},
    {cmd::kNew, "Create a new event of the first type\nNew"},
    {cmd::kModify, "Change the selected event\nModify"},
    {cmd::kDelete, "Delete the selected events\nDelete"},
    {cmd::kAccept, "Accept the selected events: done with this occurrence\nAccept"},
    {cmd::kEnable, "Switch the reminders of the selected events on\nEnable"},
    {cmd::kDisable, "Switch the reminders of the selected events off\nDisable"},
    {cmd::kPrint, "Print the current page\nPrint"},
    {cmd::kPrintPreview, "Show how the current page will print\nPrint Preview"},
    {cmd::kImportHoliday, "Add the holidays of a holiday file\nImport Holiday"},
    {cmd::kImportExpFile, "Add the events and types of an export file\nImport"},
    {cmd::kImportPlumtrace, "Add the events and types of Plumtrace 2.3\nImport Plumtrace"},
    {cmd::kExport, "Write events and types to an export file\nExport"},
    {cmd::kBackup, "Write all events and types to a backup file\nBackup"},
    {cmd::kRestoreBackup, "Replace all events and types with those of a backup file\nRestore"},
    {cmd::kClose, "Close the calendar window; Tallyvane keeps running in the tray\nClose"},
    {cmd::kDaily, "Daily View\nDaily"},
    {cmd::kWeekDay, "Week Day View\nWeekday"},
    {cmd::kWeekly, "Weekly View\nWeekly"},
    {cmd::kMonthly, "Monthly View\nMonthly"},
    {cmd::kAllEvents, "All Events\nAll"},
    {cmd::kFind, "Find Events\nFind"},
    {cmd::kGotoToday, "Show today in the Daily view\nToday"},
    {cmd::kGotoThisDay, "Show the selected day in the Daily view\nThis Day"},
    {cmd::kGotoDate, "Show a date of your choice\nGoto"},
    {cmd::kOptions, "Change the preferences\nOptions"},
    {cmd::kHelp, "Open the help pages\nHelp"},
    {cmd::kAbout, "Show the program's version\nAbout"},
    {kTypeMenuCustomizeId, "Add, change or remove event types\nCustomize"},
};

constexpr int kViewCommands[] = {cmd::kDaily, cmd::kWeekDay, cmd::kWeekly, cmd::kMonthly, cmd::kFind, cmd::kAllEvents};

}  // namespace

const std::array<Accelerator, 19> kMainAccelerators = {{
    {"Ctrl+A", cmd::kAccept},   {"Alt+A", cmd::kAllEvents},  {"Ctrl+D", cmd::kDisable},
    {"Alt+D", cmd::kDaily},     {"Ctrl+E", cmd::kEnable},    {"Alt+E", cmd::kWeekDay},
    {"Ctrl+G", cmd::kGotoDate}, {"Ctrl+I", cmd::kGotoThisDay}, {"Ctrl+M", cmd::kModify},
    {"Ctrl+N", cmd::kNew},      {"Ctrl+O", cmd::kOptions},   {"Ctrl+P", cmd::kPrint},
    {"Ctrl+T", cmd::kGotoToday}, {"Ctrl+V", cmd::kPrintPreview}, {"Del", cmd::kDelete},
    {"F1", cmd::kHelp},         {"F3", cmd::kFind},          {"Enter", cmd::kModify},
    {"Alt+W", cmd::kWeekly},
}};

const char* CommandPrompt(int id) {
    if (id >= kTypeMenuFirstId && id <= kTypeMenuLastId) return "Create a new event of this type\nNew";
    for (const Prompt& p : kPrompts)
        if (p.id == id) return p.text;
    return "";
}

std::string PromptStatus(int id) {
    const char* text = CommandPrompt(id);
    const char* nl = std::strchr(text, '\n');
    return nl ? std::string(text, nl) : std::string(text);
}

std::string PromptTip(int id) {
    const char* text = CommandPrompt(id);
    const char* nl = std::strchr(text, '\n');
    return nl ? std::string(nl + 1) : std::string();
}

int ViewIndexOfCommand(int id) {
    for (int i = 0; i < 6; ++i)
        if (kViewCommands[i] == id) return i;
    return -1;
}

int CommandOfViewIndex(int index) { return index >= 0 && index < 6 ? kViewCommands[index] : 0; }

}  // namespace tv
