// The main window's and the clock's editing commands: New, New of a type, Modify, Customize.
#include "EventCommands.h"
#include "shell/ClockWnd.h"
#include "shell/MainWnd.h"
#include "shell/RegisteredMessages.h"

namespace tv {

namespace {

bool IsCalendarView(int view) { return view >= 0 && view <= 3; }

}  // namespace

bool CMainWnd::IsNewEventAvailable() { return true; }
bool CMainWnd::IsModifyAvailable() { return true; }
bool CMainWnd::IsCustomizeAvailable() { return true; }

void CMainWnd::newEvent(int typeIndex) {
    if (!NewEventWithEditor(this, typeIndex)) return;
    if (IMainPage* p = activePage()) p->Rebuild();
}

void CMainWnd::modifyEvent() {
    IMainPage* p = activePage();
    if (!p) return;
    const std::vector<uint32_t> ids = p->SelectedEventIds();
    if (ids.empty()) return;
    if (!ModifyEventWithEditor(this, ids.front())) return;
    // A calendar view lays its items out again (the event may have moved to another day); a
    // list redraws the event's row.
    if (IsCalendarView(viewIndex())) p->Rebuild();
    else p->RefreshEvent(ids.front());
}

void CMainWnd::customizeTypes() {
    CustomizeEventTypes(this);
    // Events show their type's icon and colour, which may just have changed.
    if (IMainPage* p = activePage()) p->Rebuild();
}

void CClockWnd::newEventFromTray(int typeIndex) {
    // No owner: the editor centres itself on the desktop.
    if (NewEventWithEditor(nullptr, typeIndex)) PostToMainWnd(msg::kRefresh, 1);
}

void CClockWnd::customizeTypes() {
    CustomizeEventTypes(nullptr);
    PostToMainWnd(msg::kRefresh, 1);
}

}  // namespace tv
