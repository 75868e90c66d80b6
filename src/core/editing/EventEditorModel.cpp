// The event editor's rules, free of any window.
#include "EventEditorModel.h"

#include "texts/Translate.h"
#include "texts/UserTexts.h"
#include "model/TextCodec.h"
#include "store/EventTypeTable.h"

namespace tv {

const char* EditorCheckMessage(EditorCheck check) {
    switch (check) {
        case EditorCheck::EmptyName: return texts::kNameEmpty;
        case EditorCheck::StartInPast: return texts::kStartInPast;
        case EditorCheck::Ok: break;
    }
    return "";
}

void CEventEditorModel::LoadFromEvent(const CPtEvent& ev) {
    name = ev.GetName();
    note = ev.GetNote();
    enabled = ev.IsEnabled();
    start = ev.GetStart();
    duration = ev.GetDuration();
    remindBefore = static_cast<int>(ev.GetRemindBefore());
    rule = ev.GetRecurrence();
    sound = ev.GetSound();
    typeId = ev.GetType();
    accepted = ev.GetReminderState() == kReminderDone;
    acceptedWhenLoaded = accepted;
}

void CEventEditorModel::StoreToEvent(CPtEvent& ev, const DateTime& now, const CEventTypeTable& table) const {
    ev.ApplyType(typeId, table);
    ev.SetName(std::string(CutToCodePoints(name, kMaxEventNameLength)));
    ev.SetNote(note);
    ev.SetEnabled(enabled);
    ev.SetStart(start);
    ev.SetEnabled(enabled);
    ev.SetDuration(duration);
    ev.SetRemindBefore(remindBefore);
    ev.SetSound(sound);
    const bool series = rule.HasPattern();
    if (!series && accepted != acceptedWhenLoaded) {
        if (accepted) ev.Accept(now);
        else ev.Rearm();
    }
    const DateTime anchor = ev.GetRecurrence().GetAnchor();
    ev.GetRecurrence() = rule;
    if (series) {
        ev.GetRecurrence().SetAnchor(anchor);
        // A series has no done state: a one-off event that was done and has just been given a
        // pattern would otherwise be a series that never reminds again.
        ev.Rearm();
    }
}

CEventType CEventEditorModel::CurrentType(const CEventTypeTable& table) const {
    CEventType type;
    if (!table.FindById(typeId, type)) type = CEventType();
    return type;
}

std::string CEventEditorModel::Caption(const CEventTypeTable& table) const {
    return texts::TrPrintf(isNew ? texts::kCaptionNew : texts::kCaptionModify, CurrentType(table).GetName().c_str());
}

bool CEventEditorModel::ApplyTypeToDialog(size_t index, const CEventTypeTable& table) {
    if (index >= table.GetCount()) return false;
    const CEventType type = table.GetAt(static_cast<long>(index));
    if (type.GetUseDefaultStart()) {
        start = type.GetDefaultStart();
        startFollowsClock = false;
    }
    duration = type.GetDefaultDuration();
    // While a pattern is set the duration shown is the rule's: both take the type's length.
    if (rule.HasPattern()) rule.SetDuration(duration);
    remindBefore = type.GetDefaultRemindBefore();
    sound = type.GetSound();
    typeId = type.GetId();
    return true;
}

void CEventEditorModel::UpdateRecurrenceDisplay() {
    if (rule.HasPattern()) {
        // The recurrence dialog edits the series' length; the event's own duration field,
        // disabled meanwhile, shows it and stores it, so that the lists agree with the dialog.
        start = rule.GetStart();
        duration = rule.GetDuration();
        ruleText = rule.GetDescription();
    } else {
        ruleText.clear();
    }
}

CReCurrence CEventEditorModel::BeginRecurrenceEdit(const DateTime& startShown) {
    CReCurrence before = rule;
    if (!rule.HasPattern()) {
        rule.SetPatternType(kPatternDaily);
        rule.SetDuration(duration);
    }
    start = startShown;
    rule.SetStart(start);
    return before;
}

void CEventEditorModel::CancelRecurrenceEdit(const CReCurrence& before) { rule = before; }

void CEventEditorModel::MarkDefaultStart(const DateTime& now) {
    startFollowsClock = isNew && !rule.HasPattern() && start == NextWholeMinute(now);
}

bool CEventEditorModel::FollowClock(const DateTime& now) {
    if (!startFollowsClock || rule.HasPattern()) return false;
    const DateTime next = NextWholeMinute(now);
    if (!(start < next)) return false;
    start = next;
    return true;
}

EditorCheck CEventEditorModel::Check(const DateTime& now) const {
    if (name.empty()) return EditorCheck::EmptyName;
    // A start that is no moment at all (a type's default date that does not exist) cannot be
    // reminded of either; it is refused with the same words.
    if (!start.IsValid() || start < now) return EditorCheck::StartInPast;
    return EditorCheck::Ok;
}

}  // namespace tv
