// New, Modify and Customize as commands over the store, the type table and the dialogs.
#include "EventCommands.h"

#include "DialogSupport.h"
#include "EventEditorDlg.h"
#include "EventTypeListDlg.h"
#include "shell/Translation.h"
#include "shell/UserPrompts.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "texts/UserTexts.h"

namespace tv {

bool SaveEventFileReporting(QWidget* parent) { return ReportSave(parent, GetEventStore().Save()); }

uint32_t NewEventWithEditor(QWidget* parent, int typeIndex, std::optional<DateTime> start) {
    CEventTypeTable& types = GetEventTypeTable();
    CPtEvent ev(LocalNow());
    if (start) ev.SetStart(*start);
    // An index the table no longer holds (a type removed meanwhile) creates nothing, except
    // that New with no types at all still makes an event, without a type.
    const size_t count = types.GetCount();
    if (typeIndex < 0 || (static_cast<size_t>(typeIndex) >= count && !(count == 0 && typeIndex == 0))) return 0;
    ev.ApplyType(count ? types.GetAt(typeIndex).GetId() : 0, types);

    CEventEditorDlg dlg(types, parent, true);
    dlg.LoadFromEvent(ev);
    if (dlg.exec() != QDialog::Accepted) return 0;
    dlg.StoreToEvent(ev);
    CEventStore& store = GetEventStore();
    if (!store.Add(ev)) {
        ShowProductMessage(parent, CoreText(texts::kNoFreeId));
        return 0;
    }
    SaveEventFileReporting(parent);
    return ev.GetId();
}

bool ModifyEventWithEditor(QWidget* parent, uint32_t id) {
    CEventStore& store = GetEventStore();
    CPtEvent ev;
    if (!store.GetById(id, ev)) return false;
    CEventEditorDlg dlg(GetEventTypeTable(), parent, false);
    dlg.LoadFromEvent(ev);
    if (dlg.exec() != QDialog::Accepted) return false;

    // The edit lands on the event as it is now: a pop-up may have been answered meanwhile, and
    // its answer (and the showing mark the scheduler may have set) stays.
    store.GetById(id, ev);
    dlg.StoreToEvent(ev);
    if (!store.Modify(id, ev)) {
        // The event went away meanwhile; the user's edit is kept as a new event.
        if (!store.Add(ev)) {
            ShowProductMessage(parent, CoreText(texts::kNoFreeId));
            return false;
        }
    }
    SaveEventFileReporting(parent);
    return true;
}

void CustomizeEventTypes(QWidget* parent) { RunEventTypeListDialog(parent); }

}  // namespace tv
