// The event record: what to be reminded of, and the rules of when.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Archive.h"
#include "DateTime.h"
#include "ReCurrence.h"
#include "TextArena.h"

namespace tv {

class IEventTypeLookup;

enum ReminderState : int32_t { kReminderDone = 0, kReminderSnoozed = 1, kReminderArmed = 2 };

// A value: copies own their texts. The store's own records keep theirs in its text arena
// (see CopyWithTextsIn), and every field as a flat value, so that a store of many events holds
// each in one slot of a block without an allocation of its own.
class CPtEvent {
public:
    // Read targets and placeholders; new events are made with the moment they are made.
    CPtEvent() = default;
    explicit CPtEvent(const DateTime& now);
    CPtEvent(const CPtEvent& other);
    CPtEvent(CPtEvent&& other) noexcept;
    CPtEvent& operator=(const CPtEvent& other);
    CPtEvent& operator=(CPtEvent&& other) noexcept;
    ~CPtEvent() { FreeTexts(); }

    uint32_t GetId() const { return m_id; }
    void SetId(uint32_t id) { m_id = id; }
    uint32_t GetType() const { return m_typeId; }
    void SetType(uint32_t typeId) { m_typeId = typeId; }
    // The texts, valid while the event is unchanged (for the store's records: until the
    // store changes).
    std::string_view GetName() const { return {m_texts, m_nameSize}; }
    void SetName(std::string_view v) { SetTexts(v, GetNote(), GetSound()); }
    std::string_view GetNote() const { return {m_texts + m_nameSize, m_noteSize}; }
    void SetNote(std::string_view v) { SetTexts(GetName(), v, GetSound()); }
    std::string_view GetSound() const { return {m_texts + m_nameSize + m_noteSize, m_soundSize}; }
    void SetSound(std::string_view v) { SetTexts(GetName(), GetNote(), v); }
    int GetDuration() const { return m_duration; }
    void SetDuration(int seconds) { m_duration = seconds; }
    bool IsEnabled() const { return m_enabled != 0; }
    void SetEnabled(bool v) { m_enabled = v ? 1 : 0; }
    ReminderState GetReminderState() const { return static_cast<ReminderState>(m_reminderState); }
    DateTime GetStart() const { return DateTime(m_start, Status(m_startStatus)); }
    // A new start cancels a pending snooze.
    void SetStart(const DateTime& dt);
    const CReCurrence& GetRecurrence() const { return m_recurrence; }
    CReCurrence& GetRecurrence() { return m_recurrence; }
    DateTime GetRemindAt() const { return DateTime(m_remindAt, Status(m_remindAtStatus)); }
    int GetSnoozeSeconds() const { return m_snoozeSeconds; }
    TimeSpan GetRemindBeforeSpan() const { return TimeSpan(m_remindBefore, Status(m_remindBeforeStatus)); }
    void SetRemindBefore(int seconds);
    int64_t GetRemindBefore() const { return GetRemindBeforeSpan().GetTotalSeconds(); }
    bool IsShowing() const { return m_showing; }
    void SetShowing() { m_showing = true; }
    void ClearShowing() { m_showing = false; }
    bool IsRecurrent() const { return m_recurrence.HasPattern(); }

    DateTime GetOccurrence(const DateTime& from) const;
    // The occurrence the calendar shows on or after from's day: counted from the start whatever
    // the anchor says (a one-off event's start); null when a series has none.
    DateTime GetOccurrenceOnOrAfter(const DateTime& from) const {
        return IsRecurrent() ? m_recurrence.GetOccurrenceOnOrAfter(from) : GetStart();
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

    // For the store's records, whose texts live in the store's arena: reads a record, or copies
    // one, putting the texts into arena, which must outlive this event (or see the texts
    // moved by the next call). Copies of such an event own their texts again.
    void ReadWithTextsIn(ArchiveReader& ar, TextArena& arena);
    void CopyWithTextsIn(const CPtEvent& from, TextArena& arena);
    // Every field but the texts, which stay where they are.
    void CopyKeepingTexts(const CPtEvent& from);
    bool SameTexts(const CPtEvent& o) const {
        return GetName() == o.GetName() && GetNote() == o.GetNote() && GetSound() == o.GetSound();
    }
    // Bytes of the three texts.
    size_t TextBytes() const { return size_t(m_nameSize) + m_noteSize + m_soundSize; }

    // Every stored field (all but the showing mark) is equal.
    bool SameStoredFields(const CPtEvent& other) const;

private:
    static DateTimeStatus Status(uint8_t s) { return static_cast<DateTimeStatus>(s); }
    template <class ReadTexts>
    void ReadFields(ArchiveReader& ar, ReadTexts&& readTexts);
    // Replaces the texts by an owned copy of the three given ones (which may be this event's).
    void SetTexts(std::string_view name, std::string_view note, std::string_view sound);
    void CopyFixedFields(const CPtEvent& from);
    void FreeTexts();

    uint32_t m_id = 0;
    uint32_t m_typeId = 0;
    int32_t m_reminderState = kReminderArmed;
    int32_t m_duration = 1800;
    int32_t m_snoozeSeconds = 0;
    int32_t m_enabled = 1;
    // The moments' day counts; their statuses are kept below with the other small fields.
    double m_start = 0.0;
    double m_remindAt = 0.0;
    double m_remindBefore = 0.0;
    // Name, note and sound one after another: owned (m_ownsTexts) or in a store's arena.
    const char* m_texts = nullptr;
    uint32_t m_nameSize = 0;
    uint32_t m_noteSize = 0;
    uint32_t m_soundSize = 0;
    uint8_t m_startStatus = 0;
    uint8_t m_remindAtStatus = 0;
    uint8_t m_remindBeforeStatus = 0;
    bool m_showing = false;
    bool m_ownsTexts = false;
    CReCurrence m_recurrence;
};

struct SplitTime {
    long days;
    int hours, minutes, seconds;
};
SplitTime SplitSeconds(int64_t total);
// "1 day,2 hour,5 min" and the like; seconds are not shown.
std::string FormatDuration(int64_t seconds);

}  // namespace tv
