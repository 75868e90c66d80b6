// The event record: what to be reminded of, and the rules of when.
#pragma once

#include <cstdint>
#include <string>

#include "Archive.h"
#include "DateTime.h"
#include "ReCurrence.h"

namespace tv {

class IEventTypeLookup;

enum ReminderState : int32_t { kReminderDone = 0, kReminderSnoozed = 1, kReminderArmed = 2 };

class CPtEvent {
public:
    // Read targets and placeholders; new events are made with the moment they are made.
    CPtEvent() = default;
    explicit CPtEvent(const DateTime& now);

    uint32_t GetId() const { return m_id; }
    void SetId(uint32_t id) { m_id = id; }
    uint32_t GetType() const { return m_typeId; }
    void SetType(uint32_t typeId) { m_typeId = typeId; }
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& v) { m_name = v; }
    const std::string& GetNote() const { return m_note; }
    void SetNote(const std::string& v) { m_note = v; }
    const std::string& GetSound() const { return m_sound; }
    void SetSound(const std::string& v) { m_sound = v; }
    int GetDuration() const { return m_duration; }
    void SetDuration(int seconds) { m_duration = seconds; }
    bool IsEnabled() const { return m_enabled != 0; }
    void SetEnabled(bool v) { m_enabled = v ? 1 : 0; }
    ReminderState GetReminderState() const { return static_cast<ReminderState>(m_reminderState); }
    const DateTime& GetStart() const { return m_start; }
    // A new start cancels a pending snooze.
    void SetStart(const DateTime& dt);
    const CReCurrence& GetRecurrence() const { return m_recurrence; }
    CReCurrence& GetRecurrence() { return m_recurrence; }
    const DateTime& GetRemindAt() const { return m_remindAt; }
    int GetSnoozeSeconds() const { return m_snoozeSeconds; }
    const TimeSpan& GetRemindBeforeSpan() const { return m_remindBefore; }
    void SetRemindBefore(int seconds);
    int64_t GetRemindBefore() const { return m_remindBefore.GetTotalSeconds(); }
    bool IsShowing() const { return m_showing != 0; }
    void SetShowing() { m_showing = 1; }
    void ClearShowing() { m_showing = 0; }
    bool IsRecurrent() const { return m_recurrence.HasPattern(); }

    DateTime GetOccurrence(const DateTime& from) const;
    // The occurrence the calendar shows on or after from's day: counted from the start whatever
    // the anchor says (a one-off event's start); null when a series has none.
    DateTime GetOccurrenceOnOrAfter(const DateTime& from) const {
        return IsRecurrent() ? m_recurrence.GetOccurrenceOnOrAfter(from) : m_start;
    }
    DateTime GetReminderTime(const DateTime& from) const;
    // The occurrence the next reminder is for: a one-off event's start; for a series the first
    // occurrence on or after the anchor's day (or the start), null when there is none.
    DateTime GetPendingOccurrence() const;
    // Whether an answer has already been given for this occurrence (a pop-up that announced it
    // may be answered after the user accepted it elsewhere).
    bool IsOccurrenceDone(const DateTime& occurrence) const;
    bool IsDue(const DateTime& now) const;
    void Snooze(int seconds, const DateTime& now);
    // A snooze ends at most its own length after now. A later end means the clock was set
    // back after the snooze was taken (by hand, or the autumn daylight-saving change); the
    // snooze then restarts now instead of growing by the jump. Answers whether it changed.
    bool LimitSnooze(const DateTime& now);
    // Done with the pending occurrence and with every later one whose reminder moment is not
    // after now: a late answer covers the windows that had opened, never a later occurrence.
    void Accept(const DateTime& now);
    void Rearm();

    // Copies a type's defaults into the event; an unknown type leaves only typeId = 0.
    void ApplyType(uint32_t typeId, const IEventTypeLookup& table);
    void ApplyTypeByName(const std::string& name, const IEventTypeLookup& table);

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    // Every stored field (all but the showing mark) is equal.
    bool SameStoredFields(const CPtEvent& other) const;

private:
    uint32_t m_id = 0;
    uint32_t m_typeId = 0;
    std::string m_name;
    std::string m_note;
    int32_t m_reminderState = kReminderArmed;
    DateTime m_start;
    int32_t m_duration = 1800;
    TimeSpan m_remindBefore;
    CReCurrence m_recurrence;
    DateTime m_remindAt;
    int32_t m_snoozeSeconds = 0;
    std::string m_sound;
    int32_t m_enabled = 1;
    int32_t m_showing = 0;
};

struct SplitTime {
    long days;
    int hours, minutes, seconds;
};
SplitTime SplitSeconds(int64_t total);
// "1 day,2 hour,5 min" and the like; seconds are not shown.
std::string FormatDuration(int64_t seconds);

}  // namespace tv
