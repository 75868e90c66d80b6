// CMainWnd: the commands that other parts of the program fill in, and whether they exist yet.
//
// Each part replaces its slot's body here and makes its Is...Available() answer true; until
// then the menu items, toolbar buttons and keys of the command stay disabled, so the slots
// below are never reached.
#include "ClockWnd.h"
#include "MainWnd.h"
#include "shell/Commands.h"

namespace tv {

// The event editor: New, New of a type (also from the tray) and Modify.
bool CMainWnd::IsNewEventAvailable() { return false; }
bool CMainWnd::IsModifyAvailable() { return false; }
void CMainWnd::newEvent(int typeIndex) { (void)typeIndex; }
void CMainWnd::modifyEvent() {}
void CClockWnd::newEventFromTray(int typeIndex) { (void)typeIndex; }

// The event-type dialogs: the type list behind "Customize...".
bool CMainWnd::IsCustomizeAvailable() { return false; }
void CMainWnd::customizeTypes() {}
void CClockWnd::customizeTypes() {}

// The preferences sheet.
bool CMainWnd::IsOptionsAvailable() { return false; }
void CMainWnd::showOptions() {}

// Printing and print preview of the active page.
bool CMainWnd::IsPrintAvailable() { return false; }
void CMainWnd::print() {}
void CMainWnd::printPreview() {}

// Backup, restore, export and the imports.
bool CMainWnd::IsTransferAvailable(int commandId) {
    (void)commandId;
    return false;
}
void CMainWnd::backup() {}
void CMainWnd::restoreBackup() {}
void CMainWnd::exportEvents() {}
void CMainWnd::importExpFile() {}
void CMainWnd::importHoliday() {}
void CMainWnd::importPlumtrace() {}

}  // namespace tv
