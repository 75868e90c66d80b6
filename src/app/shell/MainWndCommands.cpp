// CMainWnd: Delete, Accept, Enable and Disable on the active page, and the messages it receives.
#include "MainWnd.h"
#include "UserPrompts.h"
#include "shell/EventAnswers.h"
#include "store/EventStore.h"

namespace tv {

namespace {

const QString kRecurringQuestion = QStringLiteral("This is a recurrent event, do you really want to delete it?");

bool IsCalendarView(int view) { return view >= 0 && view <= 3; }

}  // namespace

void CMainWnd::deleteEvents() {
    IMainPage* p = activePage();
    if (!p) return;
    const std::vector<uint32_t> ids = p->SelectedEventIds();
    if (ids.empty()) return;
    CEventStore& store = GetEventStore();

    if (IsCalendarView(m_view)) {
        const uint32_t id = ids.front();
        CPtEvent ev;
        if (store.GetById(id, ev) && ev.IsRecurrent() &&
            !Prompts().AskYesNo(this, QStringLiteral("Warning"), kRecurringQuestion))
            return;
        if (store.Delete(id)) {
            p->RemoveEvent(id);
            ReportSave(this, store.Save());
        }
        return;
    }

    if (ids.size() > 1 &&
        !Prompts().AskYesNo(this, QStringLiteral("Warning"),
                            QStringLiteral("Do you really want to delete the selected events?")))
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
    if (!p || m_view == 4) return;  // never on the Find page
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

void CMainWnd::onRefresh(quint32) {
    if (IMainPage* p = activePage()) p->Rebuild();
}

void CMainWnd::onEventDeleted(quint32 eventId) {
    IMainPage* p = activePage();
    if (!p) return;
    if (IsCalendarView(m_view)) p->Rebuild();
    else p->RemoveEvent(eventId);
}

void CMainWnd::onInvalidate(quint32 eventId) {
    if (IMainPage* p = activePage()) p->RefreshEvent(eventId);
}

}  // namespace tv
