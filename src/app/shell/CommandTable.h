// The command tables of the main window and of the clock: one row per command.
#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "shell/Commands.h"

namespace tv {

class CClockWnd;
class CMainWnd;

// The main window's menus. Import is a submenu of Event, placed where its first row is.
enum class Menu : uint8_t { None, Event, Import, View, Tool, Help };

// One command of the main window: its menu item, its key, its status-bar text and tip, the
// rule that enables it and what it does. The menu bar lists the rows of each menu in table
// order; the accelerator table holds every key a row shows (see MainCommandKeys); the status
// bar and the toolbar button take the prompt apart at its line break.
struct MainCommand {
    int id;
    Menu menu;
    bool separatorBefore;
    const char* text;    // with its mnemonic, without the key
    const char* key;     // as menus show it ("Ctrl+M", "Del", "F3"); "" for none
    const char* prompt;  // the status-bar text, a line break, the short tip that labels its button
    CommandRule rule;
    // What it does. Null for the page commands, which show their page (ViewIndexOfCommand).
    void (*run)(CMainWnd& window);
};
std::span<const MainCommand> MainCommands();
const MainCommand* FindMainCommand(int id);

// The keys the main window's accelerator table runs, with their commands.
struct CommandKey {
    const char* key;
    int command;
};
std::vector<CommandKey> MainCommandKeys();

// One item of the clock's and tray's menu, in menu order; the type submenu "New Event"
// follows the first item, which is the default one.
struct ClockCommand {
    int id;
    bool separatorBefore;
    const char* text;    // null: a command the menu does not show
    const char* prompt;  // null: the main window's prompt of the same id
    void (*run)(CClockWnd& clock);
};
std::span<const ClockCommand> ClockCommands();
const ClockCommand* FindClockCommand(int id);

// The parts of a command's prompt: the status-bar text and the tip. Empty for an id without
// one; the type menus' items have theirs.
QString CommandStatus(int id);
QString CommandTip(int id);
// A text of the tables in the user's language.
QString CommandText(const char* text);
// The menu text of a row: its text, a tab, its key.
QString MenuItemText(const MainCommand& command);

}  // namespace tv
