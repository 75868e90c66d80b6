// The event editor's working copy of an event and the rules it follows: loading and storing
// in a fixed order, choosing a type, the recurrence line, editing the rule and the OK checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/DateTime.h"
#include "model/EventType.h"
#include "model/PtEvent.h"
#include "model/ReCurrence.h"

namespace tv {

class CEventTypeTable;

// The longest name the editor lets the user type, in characters (code points).
constexpr size_t kMaxEventNameLength = 255;

enum class EditorCheck { Ok, EmptyName, StartInPast };
// The message box text of a refusal; empty for Ok.
const char* EditorCheckMessage(EditorCheck check);

class CEventEditorModel {
public:
    explicit CEventEditorModel(bool isNew = true) : isNew(isNew) {}

    std::string name;
    std::string note;
    std::string sound;
    int duration = 0;       // seconds
    int remindBefore = 0;   // seconds
    DateTime start;         // day count 0 until loaded
    bool enabled = false;
    bool accepted = false;
    bool acceptedWhenLoaded = false;
    CReCurrence rule;
    std::string ruleText;
    uint32_t typeId = 1;
    bool isNew = true;
    // A new event's start the user has not touched: the default, the next whole minute.
    bool startFollowsClock = false;

    void LoadFromEvent(const CPtEvent& ev);
    // Writes the editor's values into ev, which should be the event as the store holds it at
    // OK: its reminder bookkeeping (state, anchor, snooze) stays, so that an answer given in a
    // pop-up while the editor was open is not undone. The Accepted tick counts only where the
    // user changed it, and never on a series. The type goes first so that the values the user
    // saw win over the type's defaults; the rule goes last.
    void StoreToEvent(CPtEvent& ev, const DateTime& now, const CEventTypeTable& table) const;

    // The type the editor shows; a default type when typeId is not in the table.
    CEventType CurrentType(const CEventTypeTable& table) const;
    // "New Birthday", "Modify Undefined".
    std::string Caption(const CEventTypeTable& table) const;

    // Takes the defaults of the type at a position of the type menu. False, changing nothing,
    // when the table no longer holds that many types.
    bool ApplyTypeToDialog(size_t index, const CEventTypeTable& table);

    // With a pattern the start and the duration follow the rule's, and the line shows the rule.
    void UpdateRecurrenceDisplay();
    // Start and duration are the rule's business while a pattern is set.
    bool StartAndDurationEditable() const { return !rule.HasPattern(); }

    // "Set Recurrence...": gives the rule a pattern to edit and the start the user sees (and,
    // for a rule that had no pattern, the duration the user sees). Answers the rule as it
    // was, for CancelRecurrenceEdit.
    CReCurrence BeginRecurrenceEdit(const DateTime& startShown);
    void FinishRecurrenceEdit() { UpdateRecurrenceDisplay(); }
    void CancelRecurrenceEdit(const CReCurrence& before);

    // After loading a new event: its start follows the clock while it is the default one (the
    // next whole minute of now), until the user, a type or a rule sets another.
    void MarkDefaultStart(const DateTime& now);
    // Moves a start that follows the clock to the next whole minute once now has reached it,
    // so that a user who takes a while to type never meets "This event occurs in the past".
    // True when the start moved.
    bool FollowClock(const DateTime& now);

    // The OK button's checks, in their order.
    EditorCheck Check(const DateTime& now) const;
};

}  // namespace tv
