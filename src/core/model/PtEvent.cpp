// Reminder rules of the event record and its archive form.
#include "PtEvent.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "EventType.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

CPtEvent::CPtEvent(const DateTime& now) : m_recurrence(now) {
    const DateTime start = NextWholeMinute(now);
    m_start = start.Days();
    m_startStatus = static_cast<uint8_t>(start.Status());
}

CPtEvent::CPtEvent(const CPtEvent& other) : m_recurrence(other.m_recurrence) {
    CopyFixedFields(other);
    SetTexts(other.GetName(), other.GetNote(), other.GetSound());
}

// Taking another event's texts is the move assignment's work; an empty event has nothing to free.
CPtEvent::CPtEvent(CPtEvent&& other) noexcept : CPtEvent() { *this = std::move(other); }

CPtEvent& CPtEvent::operator=(const CPtEvent& other) {
    if (this == &other) return *this;
    CopyFixedFields(other);
    m_recurrence = other.m_recurrence;
    SetTexts(other.GetName(), other.GetNote(), other.GetSound());
    return *this;
}

CPtEvent& CPtEvent::operator=(CPtEvent&& other) noexcept {
    if (this == &other) return *this;
    if (!other.m_ownsTexts) return *this = static_cast<const CPtEvent&>(other);
    CopyFixedFields(other);
    m_recurrence = std::move(other.m_recurrence);
    FreeTexts();
    m_texts = other.m_texts;
    m_nameSize = other.m_nameSize;
    m_noteSize = other.m_noteSize;
    m_soundSize = other.m_soundSize;
    m_ownsTexts = true;
    other.m_texts = nullptr;
    other.m_nameSize = other.m_noteSize = other.m_soundSize = 0;
    other.m_ownsTexts = false;
    return *this;
}

void CPtEvent::CopyFixedFields(const CPtEvent& o) {
    m_id = o.m_id;
    m_typeId = o.m_typeId;
    m_reminderState = o.m_reminderState;
    m_duration = o.m_duration;
    m_snoozeSeconds = o.m_snoozeSeconds;
    m_enabled = o.m_enabled;
    m_start = o.m_start;
    m_remindAt = o.m_remindAt;
    m_remindBefore = o.m_remindBefore;
    m_startStatus = o.m_startStatus;
    m_remindAtStatus = o.m_remindAtStatus;
    m_remindBeforeStatus = o.m_remindBeforeStatus;
    m_showing = o.m_showing;
}

void CPtEvent::FreeTexts() {
    if (m_ownsTexts) delete[] m_texts;
    m_texts = nullptr;
    m_ownsTexts = false;
}

void CPtEvent::SetTexts(std::string_view name, std::string_view note, std::string_view sound) {
    const size_t total = name.size() + note.size() + sound.size();
    char* texts = nullptr;
    if (total > 0) {
        // The given texts may be this event's own: they are copied before the old ones go.
        texts = new char[total];
        char* at = texts;
        // An empty text may have no bytes at all to copy from.
        for (std::string_view text : {name, note, sound}) {
            if (!text.empty()) std::memcpy(at, text.data(), text.size());
            at += text.size();
        }
    }
    FreeTexts();
    m_texts = texts;
    m_ownsTexts = texts != nullptr;
    m_nameSize = static_cast<uint32_t>(name.size());
    m_noteSize = static_cast<uint32_t>(note.size());
    m_soundSize = static_cast<uint32_t>(sound.size());
}

void CPtEvent::CopyWithTextsIn(const CPtEvent& from, TextArena& arena) {
    // Views of from's texts are taken first: from may be this very event.
    const std::string_view name = from.GetName(), note = from.GetNote(), sound = from.GetSound();
    arena.Begin();
    arena.Append(name);
    arena.Append(note);
    arena.Append(sound);
    const char* texts = arena.End();
    if (this != &from) {
        CopyFixedFields(from);
        m_recurrence = from.m_recurrence;
    }
    FreeTexts();
    m_texts = texts;
    m_nameSize = static_cast<uint32_t>(name.size());
    m_noteSize = static_cast<uint32_t>(note.size());
    m_soundSize = static_cast<uint32_t>(sound.size());
}

void CPtEvent::CopyKeepingTexts(const CPtEvent& from) {
    if (this == &from) return;
    CopyFixedFields(from);
    m_recurrence = from.m_recurrence;
}

void CPtEvent::SetStart(const DateTime& dt) {
    if (m_reminderState == kReminderSnoozed && (dt.Status() != Status(m_startStatus) || dt.Days() != m_start))
        m_reminderState = kReminderArmed;
    m_start = dt.Days();
    m_startStatus = static_cast<uint8_t>(dt.Status());
}

void CPtEvent::SetRemindBefore(int seconds) {
    const TimeSpan span = TimeSpan::FromSeconds(seconds);
    m_remindBefore = span.Days();
    m_remindBeforeStatus = static_cast<uint8_t>(span.Status());
}

DateTime CPtEvent::GetOccurrence(const DateTime& from) const {
    return IsRecurrent() ? m_recurrence.GetNextOccurrence(from) : GetStart();
}

DateTime CPtEvent::GetReminderTime(const DateTime& from) const {
    if (m_reminderState == kReminderSnoozed) return GetRemindAt();
    if (IsRecurrent()) return m_recurrence.GetNextOccurrence(from) - GetRemindBeforeSpan();
    return GetStart() - GetRemindBeforeSpan();
}

DateTime CPtEvent::GetPendingOccurrence() const {
    if (!IsRecurrent()) return GetStart();
    const DateTime anchorDay = m_recurrence.GetAnchorDay();
    const DateTime start = m_recurrence.GetStart();
    return m_recurrence.GetOccurrenceOnOrAfter(anchorDay.IsValid() && anchorDay > start ? anchorDay : start);
}

bool CPtEvent::IsOccurrenceDone(const DateTime& occurrence) const {
    if (!IsRecurrent()) return m_reminderState == kReminderDone;
    const DateTime anchorDay = m_recurrence.GetAnchorDay();
    return anchorDay.IsValid() && occurrence.DayNumber() < anchorDay.DayNumber();
}

bool CPtEvent::IsDue(const DateTime& now) const {
    if (!m_enabled || m_showing || m_reminderState == kReminderDone) return false;
    if (!IsRecurrent()) return now > GetReminderTime(now);

    const CReCurrence& rule = m_recurrence;
    // The end is the last day on which the series may fall, the whole day; once it is over
    // nothing of the series is reminded any more.
    if (rule.IsEndEnabled() && now.DayNumber() > rule.GetEnd().DayNumber()) return false;
    // A rule with no occurrence left (or a damaged file's 30 February) never falls due; taking
    // the missing moment as long past would announce it again at every pass.
    const DateTime pending = GetPendingOccurrence();
    if (!pending.IsValid()) return false;
    const DateTime remindAt = m_reminderState == kReminderSnoozed ? GetRemindAt() : pending - GetRemindBeforeSpan();
    return remindAt.IsValid() && now > remindAt;
}

void CPtEvent::Snooze(int seconds, const DateTime& now) {
    m_snoozeSeconds = seconds;
    const DateTime at = now + TimeSpan::FromSeconds(seconds);
    m_remindAt = at.Days();
    m_remindAtStatus = static_cast<uint8_t>(at.Status());
    m_reminderState = kReminderSnoozed;
}

bool CPtEvent::LimitSnooze(const DateTime& now) {
    if (m_reminderState != kReminderSnoozed || m_snoozeSeconds < 0 || !GetRemindAt().IsValid()) return false;
    const DateTime latest = now + TimeSpan::FromSeconds(m_snoozeSeconds);
    // A second of slack for the rounding of the day fractions.
    if (!latest.IsValid() || !(GetRemindAt() > latest + TimeSpan::FromSeconds(1))) return false;
    m_remindAt = latest.Days();
    m_remindAtStatus = static_cast<uint8_t>(latest.Status());
    return true;
}

void CPtEvent::Accept(const DateTime& now) {
    if (!IsRecurrent()) {
        m_reminderState = kReminderDone;
        m_recurrence.SetAnchor(DateTime());
        return;
    }
    m_reminderState = kReminderArmed;
    const DateTime pending = GetPendingOccurrence();
    if (!pending.IsValid()) return;
    // The occurrences from the pending one on, day by day, grow later; so do their reminder
    // moments. The last one whose moment is not after now is found by halving the days between
    // the pending occurrence and the day now + remind-before reaches, not by walking them.
    const TimeSpan remindBefore = GetRemindBeforeSpan();
    auto answered = [&](int64_t day) {
        const DateTime occ = m_recurrence.GetOccurrenceOnOrAfter(DateTime::FromDayNumber(day));
        return occ.IsValid() && !(occ - remindBefore > now);
    };
    int64_t low = pending.DayNumber();  // answered, whatever its reminder moment
    int64_t high = (now + remindBefore).DayNumber();
    while (low < high) {
        const int64_t mid = low + (high - low + 1) / 2;
        if (answered(mid)) low = mid;
        else high = mid - 1;
    }
    const DateTime last = low == pending.DayNumber() ? pending
                                                     : m_recurrence.GetOccurrenceOnOrAfter(DateTime::FromDayNumber(low));
    m_recurrence.SetAnchor(DateTime::FromDayNumber(last.DayNumber() + 1));
}

void CPtEvent::Rearm() {
    if (m_reminderState == kReminderDone) m_reminderState = kReminderArmed;
}

void CPtEvent::ApplyType(uint32_t typeId, const IEventTypeLookup& table) {
    CEventType type;
    if (!table.FindById(typeId, type)) {
        m_typeId = 0;
        return;
    }
    m_typeId = type.GetId();
    if (type.GetUseDefaultStart()) SetStart(type.GetDefaultStart());
    m_duration = type.GetDefaultDuration();
    SetRemindBefore(type.GetDefaultRemindBefore());
    SetSound(type.GetSound());
}

void CPtEvent::ApplyTypeByName(const std::string& name, const IEventTypeLookup& table) {
    CEventType type;
    if (!table.FindByName(name, type)) {
        m_typeId = 0;
        return;
    }
    ApplyType(type.GetId(), table);
}

void CPtEvent::Serialize(ArchiveWriter& ar) const {
    ar.WriteI32(1);
    ar.WriteU32(m_id);
    ar.WriteI32(m_reminderState);
    ar.WriteI32(m_snoozeSeconds);
    ar.WriteI32(m_duration);
    ar.WriteI32(m_enabled);
    m_recurrence.Serialize(ar);
    ar.WriteText(GetName());
    ar.WriteText(GetNote());
    ar.WriteText(GetSound());
    ar.WriteDateTime(GetRemindAt());
    ar.WriteTimeSpan(GetRemindBeforeSpan());
    ar.WriteDateTime(GetStart());
    ar.WriteU32(m_typeId);
}

template <class ReadTexts>
void CPtEvent::ReadFields(ArchiveReader& ar, ReadTexts&& readTexts) {
    ar.ReadI32();
    m_id = ar.ReadU32();
    m_reminderState = ar.ReadI32();
    m_snoozeSeconds = ar.ReadI32();
    m_duration = ar.ReadI32();
    m_enabled = ar.ReadI32();
    m_recurrence.Serialize(ar);
    readTexts();
    const DateTime remindAt = ar.ReadDateTime();
    const TimeSpan remindBefore = ar.ReadTimeSpan();
    const DateTime start = ar.ReadDateTime();
    m_remindAt = remindAt.Days();
    m_remindAtStatus = static_cast<uint8_t>(remindAt.Status());
    m_remindBefore = remindBefore.Days();
    m_remindBeforeStatus = static_cast<uint8_t>(remindBefore.Status());
    m_start = start.Days();
    m_startStatus = static_cast<uint8_t>(start.Status());
    m_typeId = ar.ReadU32();
}

void CPtEvent::Serialize(ArchiveReader& ar) {
    ReadFields(ar, [&] {
        // A converted text is only valid until the next one is read.
        std::string name = ar.ReadText(), note = ar.ReadText();
        SetTexts(name, note, ar.ReadTextView());
    });
}

void CPtEvent::ReadWithTextsIn(ArchiveReader& ar, TextArena& arena) {
    ReadFields(ar, [&] {
        arena.Begin();
        const std::string_view name = ar.ReadTextView();
        arena.Append(name);
        const size_t nameSize = name.size();
        const std::string_view note = ar.ReadTextView();
        arena.Append(note);
        const size_t noteSize = note.size();
        const std::string_view sound = ar.ReadTextView();
        arena.Append(sound);
        FreeTexts();
        m_texts = arena.End();
        m_nameSize = static_cast<uint32_t>(nameSize);
        m_noteSize = static_cast<uint32_t>(noteSize);
        m_soundSize = static_cast<uint32_t>(sound.size());
    });
}

bool CPtEvent::SameStoredFields(const CPtEvent& o) const {
    return m_id == o.m_id && m_typeId == o.m_typeId && GetName() == o.GetName() && GetNote() == o.GetNote() &&
           m_reminderState == o.m_reminderState && GetStart() == o.GetStart() && m_duration == o.m_duration &&
           GetRemindBeforeSpan() == o.GetRemindBeforeSpan() && m_recurrence == o.m_recurrence &&
           GetRemindAt() == o.GetRemindAt() && m_snoozeSeconds == o.m_snoozeSeconds && GetSound() == o.GetSound() &&
           m_enabled == o.m_enabled;
}

// ---- free functions -----------------------------------------------------------------

SplitTime SplitSeconds(int64_t total) {
    SplitTime s;
    s.days = static_cast<long>(total / 86400);
    int64_t rest = total % 86400;
    s.hours = static_cast<int>(rest / 3600);
    rest %= 3600;
    s.minutes = static_cast<int>(rest / 60);
    s.seconds = static_cast<int>(rest % 60);
    return s;
}

std::string FormatDuration(int64_t seconds) {
    const SplitTime s = SplitSeconds(seconds);
    const long d = s.days;
    const int h = s.hours, m = s.minutes;
    using texts::TrPrintf;
    if (d >= 1 && h >= 1 && m >= 1) return TrPrintf(texts::kDaysHoursMinutes, d, h, m);
    if (d >= 1 && h >= 1) return TrPrintf(texts::kDaysHours, d, h);
    if (d >= 1 && m >= 1) return TrPrintf(texts::kDaysMinutes, d, m);
    if (d == 0 && h >= 1 && m >= 1) return TrPrintf(texts::kHoursMinutes, h, m);
    if (d >= 1 && h == 0 && m == 0) return TrPrintf(texts::kDays, d);
    if (d == 0 && h >= 1 && m == 0) return TrPrintf(texts::kHours, h);
    if (d == 0 && h == 0 && m >= 1) return TrPrintf(texts::kMinutes, m);
    return {};
}

}  // namespace tv
