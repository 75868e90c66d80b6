// CMainWnd: the editing commands on the active page (New, Modify, Customize, Delete, Accept,
// Enable, Disable), and the messages it receives.
#include "MainWnd.h"
#include "UserPrompts.h"
#include "dialogs/EventCommands.h"
#include "shell/EventAnswers.h"
#include "store/EventStore.h"
#include "views/ViewSwitching.h"

namespace tv {

namespace {

// Translated when asked, once the user's language is installed.
const char* const kRecurringQuestion =
    QT_TRANSLATE_NOOP("tv::CMainWnd", "This is a recurrent event, do you really want to delete it?");

}  // namespace

void CMainWnd::newEvent(int typeIndex) {
    if (!NewEventWithEditor(this, typeIndex)) return;
    activePage()->Rebuild();
}

void CMainWnd::modifyEvent() {
    IMainPage* p = activePage();
    const std::vector<uint32_t> ids = p->SelectedEventIds();
    if (ids.empty()) return;
    if (!ModifyEventWithEditor(this, ids.front())) return;
    // A calendar view lays its items out again (the event may have moved to another day); a
    // list redraws the event's row.
    if (IsCalendarView(m_view)) p->Rebuild();
    else p->RefreshEvent(ids.front());
}

void CMainWnd::customizeTypes() {
    CustomizeEventTypes(this);
    // Events show their type's icon and colour, which may just have changed.
    activePage()->Rebuild();
}

void CMainWnd::deleteEvents() {
    IMainPage* p = activePage();
    const std::vector<uint32_t> ids = p->SelectedEventIds();
    if (ids.empty()) return;
    CEventStore& store = GetEventStore();

    if (IsCalendarView(m_view)) {
        const uint32_t id = ids.front();
        CPtEvent ev;
        if (store.GetById(id, ev) && ev.IsRecurrent() &&
            !Prompts().AskYesNo(this, tr("Warning"), tr(kRecurringQuestion)))
            return;
        if (store.Delete(id)) {
            p->RemoveEvent(id);
            ReportSave(this, store.Save());
        }
        return;
    }

    if (ids.size() > 1 &&
        !Prompts().AskYesNo(this, tr("Warning"), tr("Do you really want to delete the selected events?")))
        return;
    bool yesToAll = false;
    bool cancelled = false;
    size_t deleted = 0;
    for (uint32_t id : ids) {
        CPtEvent ev;
        if (!store.GetById(id, ev)) continue;  // gone meanwhile
        if (ev.IsRecurrent() && !yesToAll) {
            const DeleteAnswer answer = Prompts().AskDeleteRecurring(this);
            if (answer == DeleteAnswer::Cancel) {
                cancelled = true;
                break;
            }
            if (answer == DeleteAnswer::No) continue;
            if (answer == DeleteAnswer::YesToAll) yesToAll = true;
        }
        if (store.Delete(id)) {
            p->RemoveEvent(id);
            ++deleted;
        }
    }
    // What was deleted before a Cancel is saved too: left only in memory, it would come back
    // after a crash and remind again.
    if (!cancelled || deleted > 0) ReportSave(this, store.Save());
}

void CMainWnd::acceptEvents() { changeSelected(static_cast<int>(EventChange::Accept)); }
void CMainWnd::enableEvents() { changeSelected(static_cast<int>(EventChange::Enable)); }
void CMainWnd::disableEvents() { changeSelected(static_cast<int>(EventChange::Disable)); }

void CMainWnd::changeSelected(int changeValue) {
    const auto change = static_cast<EventChange>(changeValue);
    IMainPage* p = activePage();
    if (m_view == kViewFind) return;
    const std::vector<uint32_t> ids = p->SelectedEventIds();
    if (ids.empty()) return;
    CEventStore& store = GetEventStore();
    const DateTime now = m_clock->Now();
    if (IsCalendarView(m_view)) {
        const uint32_t id = ids.front();
        if (!ApplyEventChange(store, id, change, now)) return;
        ReportSave(this, store.Save());
        p->RefreshEvent(id);
        return;
    }
    p->SetUpdatesSuspended(true);
    for (uint32_t id : ids)
        if (ApplyEventChange(store, id, change, now)) p->RefreshEvent(id);
    p->SetUpdatesSuspended(false);
    ReportSave(this, store.Save());
}

void CMainWnd::onRefresh(quint32) { activePage()->Rebuild(); }

void CMainWnd::onEventDeleted(quint32 eventId) {
    IMainPage* p = activePage();
    if (IsCalendarView(m_view)) p->Rebuild();
    else p->RemoveEvent(eventId);
}

void CMainWnd::onInvalidate(quint32 eventId) { activePage()->RefreshEvent(eventId); }

}  // namespace tv
