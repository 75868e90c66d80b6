// CMainWnd: the commands that other parts of the program fill in, and whether they exist yet.
//
// Each part replaces its slot's body here and makes its Is...Available() answer true; until
// then the menu items, toolbar buttons and keys of the command stay disabled, so the slots
// below are never reached.
#include "ClockWnd.h"
#include "MainWnd.h"
#include "shell/Commands.h"

namespace tv {

// The event editor and the type dialogs (New, Modify, Customize) are in
// dialogs/EditingWiring.cpp.

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
