// The command tables of the main window and of the clock: one row per command.
#include "CommandTable.h"

#include <QCoreApplication>
#include <QMenuBar>
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

// The tables' texts are marked for lupdate and translated where they are shown, in this context.
constexpr const char* kContext = "tv::Command";

QString Translated(const char* text) { return QCoreApplication::translate(kContext, text); }

// Whether a separator goes before a row in its menu.
constexpr bool kNewGroup = true;
constexpr bool kSameGroup = false;

// In the order of the menus; a submenu's rows follow each other.
const MainCommand kMainCommands[] = {
    // The Event menu opens with the New submenu of the types, which is not a row.
    {cmd::kNew, Menu::None, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&New"), "Ctrl+N",
     QT_TRANSLATE_NOOP("tv::Command", "Create a new event of the first type\nNew"), NotOnFind,
     [](CMainWnd& m) { m.newEvent(0); }},
    {cmd::kModify, Menu::Event, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Modify..."), "Ctrl+M",
     QT_TRANSLATE_NOOP("tv::Command", "Change the selected event\nModify"), Selection,
     [](CMainWnd& m) { m.modifyEvent(); }},
    {cmd::kDelete, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Delete"), "Del",
     QT_TRANSLATE_NOOP("tv::Command", "Delete the selected events\nDelete"), Selection,
     [](CMainWnd& m) { m.deleteEvents(); }},
    {cmd::kAccept, Menu::Event, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Accept"), "Ctrl+A",
     QT_TRANSLATE_NOOP("tv::Command", "Accept the selected events: done with this occurrence\nAccept"),
     SelectionNotOnFind, [](CMainWnd& m) { m.acceptEvents(); }},
    {cmd::kEnable, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Enable"), "Ctrl+E",
     QT_TRANSLATE_NOOP("tv::Command", "Switch the reminders of the selected events on\nEnable"), SelectionNotOnFind,
     [](CMainWnd& m) { m.enableEvents(); }},
    {cmd::kDisable, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Di&sable"), "Ctrl+D",
     QT_TRANSLATE_NOOP("tv::Command", "Switch the reminders of the selected events off\nDisable"), SelectionNotOnFind,
     [](CMainWnd& m) { m.disableEvents(); }},
    {cmd::kPrint, Menu::Event, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Print..."), "Ctrl+P",
     QT_TRANSLATE_NOOP("tv::Command", "Print the current page\nPrint"), Always, [](CMainWnd& m) { m.print(); }},
    {cmd::kPrintPreview, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Print Pre&view..."), "Ctrl+V",
     QT_TRANSLATE_NOOP("tv::Command", "Show how the current page will print\nPrint Preview"), Always,
     [](CMainWnd& m) { m.printPreview(); }},
    {cmd::kImportHoliday, Menu::Import, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "Import &Holiday..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Add the holidays of a holiday file\nImport Holiday"), Always,
     [](CMainWnd& m) { m.importHoliday(); }},
    {cmd::kImportExpFile, Menu::Import, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Import Exp File..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Add the events and types of an export file\nImport"), Always,
     [](CMainWnd& m) { m.importExpFile(); }},
    {cmd::kImportPlumtrace, Menu::Import, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Import from Plumtrace 2.3..."),
     "", QT_TRANSLATE_NOOP("tv::Command", "Add the events and types of Plumtrace 2.3\nImport Plumtrace"), Always,
     [](CMainWnd& m) { m.importPlumtrace(); }},
    {cmd::kImportIcs, Menu::Import, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Import iCalendar..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Add the events of an iCalendar file from another calendar\nImport iCalendar"),
     Always, [](CMainWnd& m) { m.importIcs(); }},
    {cmd::kExport, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Export..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Write events and types to an export file\nExport"), Always,
     [](CMainWnd& m) { m.exportEvents(); }},
    {cmd::kExportIcs, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Export iCalendar..."), "",
     QT_TRANSLATE_NOOP("tv::Command",
                       "Write every event to an iCalendar file that other calendars read\nExport iCalendar"),
     Always, [](CMainWnd& m) { m.exportIcs(); }},
    {cmd::kBackup, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Backup..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Write all events and types to a backup file\nBackup"), Always,
     [](CMainWnd& m) { m.backup(); }},
    {cmd::kRestoreBackup, Menu::Event, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Restore..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Replace all events and types with those of a backup file\nRestore"), Always,
     [](CMainWnd& m) { m.restoreBackup(); }},
    {cmd::kSyncNow, Menu::Event, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "S&ync Now"), "",
     QT_TRANSLATE_NOOP("tv::Command",
                       "Send this computer's changes to the calendar server and take its changes\nSync Now"),
     SyncIdle,
     [](CMainWnd&) {
         if (CSyncController* sync = CSyncController::Instance()) sync->syncNow(true);
     }},
    {cmd::kClose, Menu::Event, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Close"), "",
     QT_TRANSLATE_NOOP("tv::Command", "Close the calendar window; Tallyvane keeps running in the tray\nClose"), Always,
     [](CMainWnd& m) { m.close(); }},

    {cmd::kDaily, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Daily"), "Alt+D",
     QT_TRANSLATE_NOOP("tv::Command", "Daily View\nDaily"), Always, nullptr},
    {cmd::kWeekDay, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "W&eek Day"), "Alt+E",
     QT_TRANSLATE_NOOP("tv::Command", "Week Day View\nWeekday"), Always, nullptr},
    {cmd::kWeekly, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Weekly"), "Alt+W",
     QT_TRANSLATE_NOOP("tv::Command", "Weekly View\nWeekly"), Always, nullptr},
    {cmd::kMonthly, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Monthly"), "Alt+M",
     QT_TRANSLATE_NOOP("tv::Command", "Monthly View\nMonthly"), Always, nullptr},
    {cmd::kAllEvents, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&All Events"), "Alt+A",
     QT_TRANSLATE_NOOP("tv::Command", "All Events\nAll"), Always, nullptr},
    {cmd::kFind, Menu::View, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Find"), "F3",
     QT_TRANSLATE_NOOP("tv::Command", "Find Events\nFind"), Always, nullptr},
    {cmd::kGotoToday, Menu::View, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "Goto &Today"), "Ctrl+T",
     QT_TRANSLATE_NOOP("tv::Command", "Show today in the Daily view\nToday"), Always,
     [](CMainWnd& m) { m.pages()->gotoToday(); }},
    {cmd::kGotoThisDay, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Goto T&his Day"), "Ctrl+I",
     QT_TRANSLATE_NOOP("tv::Command", "Show the selected day in the Daily view\nThis Day"), GotoThisDay,
     [](CMainWnd& m) { m.pages()->gotoThisDay(); }},
    {cmd::kGotoDate, Menu::View, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Goto ..."), "Ctrl+G",
     QT_TRANSLATE_NOOP("tv::Command", "Show a date of your choice\nGoto"), GotoDate,
     [](CMainWnd& m) { m.pages()->gotoChosenDate(); }},

    {cmd::kOptions, Menu::Tool, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Options..."), "Ctrl+O",
     QT_TRANSLATE_NOOP("tv::Command", "Change the preferences\nOptions"), Always, [](CMainWnd& m) { m.showOptions(); }},

    {cmd::kHelp, Menu::Help, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Help..."), "F1",
     QT_TRANSLATE_NOOP("tv::Command", "Open the help pages\nHelp"), Always, [](CMainWnd&) { OpenHelp(); }},
    {cmd::kAbout, Menu::Help, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&About..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Show the program's version\nAbout"), Always, [](CMainWnd& m) { ShowAbout(&m); }},

    // The desktop's standard keys beside the program's own, shown in no menu.
    {cmd::kQuit, Menu::None, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Quit"), "Ctrl+Q",
     QT_TRANSLATE_NOOP("tv::Command", "Quit Tallyvane\nQuit"), Always,
     [](CMainWnd&) {
         if (CClockWnd* clock = CClockWnd::Instance()) clock->runCommand(cmd::kExit);
     }},
    {cmd::kMenuBar, Menu::None, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Menu Bar"), "F10",
     QT_TRANSLATE_NOOP("tv::Command", "Open the menu bar\nMenu"), Always,
     [](CMainWnd& m) {
         if (!m.menuBar()->actions().isEmpty()) m.menuBar()->setActiveAction(m.menuBar()->actions().first());
     }},

    // The last item of every type menu.
    {kTypeMenuCustomizeId, Menu::None, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "Customize..."), "",
     QT_TRANSLATE_NOOP("tv::Command", "Add, change or remove event types\nCustomize"), NotOnFind,
     [](CMainWnd& m) { m.customizeTypes(); }},
};

// The Monthly item shows "Alt+M", but that key never switched the page; Enter opens the
// selected event as Ctrl+M does, without a menu showing it.
constexpr const char* kShownOnlyKey = "Alt+M";
constexpr CommandKey kUnshownKey = {"Enter", cmd::kModify};
// Ctrl+F finds, as on every desktop, beside the F3 the menu shows.
constexpr CommandKey kFindKey = {"Ctrl+F", cmd::kFind};

const ClockCommand kClockCommands[] = {
    {cmd::kRestore, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Restore"),
     QT_TRANSLATE_NOOP("tv::Command", "Open the calendar window\nRestore"),
     [](CClockWnd&) { CClockWnd::OpenMainWindow(); }},
    {cmd::kOptions, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Option..."), nullptr,
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
    {cmd::kHelp, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&Help..."), nullptr, [](CClockWnd&) { OpenHelp(); }},
    {cmd::kAbout, kSameGroup, QT_TRANSLATE_NOOP("tv::Command", "&About..."), nullptr,
     [](CClockWnd&) { ShowAbout(nullptr); }},
    {cmd::kExit, kNewGroup, QT_TRANSLATE_NOOP("tv::Command", "&Exit"),
     QT_TRANSLATE_NOOP("tv::Command", "Quit Tallyvane\nExit"),
     [](CClockWnd& c) {
         if (Prompts().AskYesNo(nullptr, ProductName(),
                                QCoreApplication::translate(kContext, "Do you really want to exit this programme?")))
             Q_EMIT c.exitRequested();
     }},
    {kTypeMenuCustomizeId, kSameGroup, nullptr, nullptr, [](CClockWnd& c) { c.customizeTypes(); }},
    {cmd::kPrintView, kSameGroup, nullptr,
     QT_TRANSLATE_NOOP("tv::Command", "Print the page shown in the calendar window\nPrint"),
     [](CClockWnd&) {
         if (CMainWnd* m = CMainWnd::Instance()) m->runCommand(cmd::kPrint);
     }},
};

const char* PromptOf(int id) {
    if (id >= kTypeMenuFirstId && id <= kTypeMenuLastId)
        return QT_TRANSLATE_NOOP("tv::Command", "Create a new event of this type\nNew");
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
    std::vector<CommandKey> keys{kUnshownKey, kFindKey};
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

QString CommandStatus(int id) { return Translated(PromptOf(id)).section(QLatin1Char('\n'), 0, 0); }

QString CommandTip(int id) { return Translated(PromptOf(id)).section(QLatin1Char('\n'), 1); }

QString CommandText(const char* text) { return text ? Translated(text) : QString(); }

QString MenuItemText(const MainCommand& c) {
    const QString text = Translated(c.text);
    return *c.key ? text + QLatin1Char('\t') + QLatin1String(c.key) : text;
}

}  // namespace tv
