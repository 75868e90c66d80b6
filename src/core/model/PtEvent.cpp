// Reminder rules of the event record and its archive form.
#include "PtEvent.h"

#include <cstdio>

#include "EventType.h"

namespace tv {

CPtEvent::CPtEvent(const DateTime& now) : m_start(NextWholeMinute(now)), m_recurrence(now) {}

void CPtEvent::SetStart(const DateTime& dt) {
    if (m_reminderState == kReminderSnoozed && (dt.Status() != m_start.Status() || dt.Days() != m_start.Days()))
        m_reminderState = kReminderArmed;
    m_start = dt;
}

void CPtEvent::SetRemindBefore(int seconds) { m_remindBefore = TimeSpan::FromSeconds(seconds); }

DateTime CPtEvent::GetOccurrence(const DateTime& from) const {
    return IsRecurrent() ? m_recurrence.GetNextOccurrence(from) : m_start;
}

DateTime CPtEvent::GetReminderTime(const DateTime& from) const {
    if (m_reminderState == kReminderSnoozed) return m_remindAt;
    if (IsRecurrent()) return m_recurrence.GetNextOccurrence(from) - m_remindBefore;
    return m_start - m_remindBefore;
}

bool CPtEvent::IsDue(const DateTime& now) const {
    if (!m_enabled || m_showing || m_reminderState == kReminderDone) return false;
    if (!IsRecurrent()) return now > GetReminderTime(now);

    const CReCurrence& rule = m_recurrence;
    const DateTime base = rule.GetAnchor().Days() > 0.0 ? rule.GetAnchor() : rule.GetStart();
    // A rule whose next occurrence cannot be formed (a damaged file's 30 February) never
    // falls due; taking the invalid moment as long past would announce it again at every pass.
    const DateTime remindAt = GetReminderTime(base);
    if (!remindAt.IsValid() || !(now > remindAt)) return false;
    if (!rule.IsEndEnabled()) return true;
    // The end is the last day on which the series may fall, the whole day. Past it the search
    // answers the end itself, which must not count as one more occurrence.
    const int64_t endDay = rule.GetEnd().DayNumber();
    if (base.DayNumber() > endDay) return false;
    return rule.GetNextOccurrence(base).DayNumber() <= endDay;
}

void CPtEvent::Snooze(int seconds, const DateTime& now) {
    m_snoozeSeconds = seconds;
    m_remindAt = now + TimeSpan::FromSeconds(seconds);
    m_reminderState = kReminderSnoozed;
}

bool CPtEvent::LimitSnooze(const DateTime& now) {
    if (m_reminderState != kReminderSnoozed || m_snoozeSeconds < 0 || !m_remindAt.IsValid()) return false;
    const DateTime latest = now + TimeSpan::FromSeconds(m_snoozeSeconds);
    // A second of slack for the rounding of the day fractions.
    if (!latest.IsValid() || !(m_remindAt > latest + TimeSpan::FromSeconds(1))) return false;
    m_remindAt = latest;
    return true;
}

void CPtEvent::Accept(const DateTime& now) {
    if (!IsRecurrent()) {
        m_reminderState = kReminderDone;
        m_recurrence.SetAnchor(DateTime());
        return;
    }
    const TimeSpan oneDay(1.0);
    if (m_remindBefore.GetDays() < 1) {
        m_recurrence.SetAnchor(now + oneDay);
    } else {
        // With a long warning, an occurrence whose reminder window is already open is done too.
        const DateTime next = m_recurrence.GetNextOccurrence(now);
        m_recurrence.SetAnchor(now < next - m_remindBefore ? now + oneDay : next + oneDay);
    }
    m_reminderState = kReminderArmed;
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
    m_sound = type.GetSound();
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
    ar.WriteText(m_name);
    ar.WriteText(m_note);
    ar.WriteText(m_sound);
    ar.WriteDateTime(m_remindAt);
    ar.WriteTimeSpan(m_remindBefore);
    ar.WriteDateTime(m_start);
    ar.WriteU32(m_typeId);
}

void CPtEvent::Serialize(ArchiveReader& ar) {
    ar.ReadI32();
    m_id = ar.ReadU32();
    m_reminderState = ar.ReadI32();
    m_snoozeSeconds = ar.ReadI32();
    m_duration = ar.ReadI32();
    m_enabled = ar.ReadI32();
    m_recurrence.Serialize(ar);
    ar.ReadText(m_name);
    ar.ReadText(m_note);
    ar.ReadText(m_sound);
    m_remindAt = ar.ReadDateTime();
    m_remindBefore = ar.ReadTimeSpan();
    m_start = ar.ReadDateTime();
    m_typeId = ar.ReadU32();
}

bool CPtEvent::SameStoredFields(const CPtEvent& o) const {
    return m_id == o.m_id && m_typeId == o.m_typeId && m_name == o.m_name && m_note == o.m_note &&
           m_reminderState == o.m_reminderState && m_start == o.m_start && m_duration == o.m_duration &&
           m_remindBefore == o.m_remindBefore && m_recurrence == o.m_recurrence && m_remindAt == o.m_remindAt &&
           m_snoozeSeconds == o.m_snoozeSeconds && m_sound == o.m_sound && m_enabled == o.m_enabled;
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

int64_t JoinSeconds(long days, int hours, int minutes, int seconds) {
    return static_cast<int64_t>(days) * 86400 + static_cast<int64_t>(hours) * 3600 + minutes * 60 + seconds;
}

std::string FormatDuration(int64_t seconds) {
    const SplitTime s = SplitSeconds(seconds);
    const long d = s.days;
    const int h = s.hours, m = s.minutes;
    char buf[96];
    if (d >= 1 && h >= 1 && m >= 1) std::snprintf(buf, sizeof buf, "%ld day,%d hour,%d min", d, h, m);
    else if (d >= 1 && h >= 1) std::snprintf(buf, sizeof buf, "%ld day,%d hour", d, h);
    else if (d >= 1 && m >= 1) std::snprintf(buf, sizeof buf, "%ld day,%d min", d, m);
    else if (d == 0 && h >= 1 && m >= 1) std::snprintf(buf, sizeof buf, "%d hour,%d min", h, m);
    else if (d >= 1 && h == 0 && m == 0) std::snprintf(buf, sizeof buf, "%ld day", d);
    else if (d == 0 && h >= 1 && m == 0) std::snprintf(buf, sizeof buf, "%d hour", h);
    else if (d == 0 && h == 0 && m >= 1) std::snprintf(buf, sizeof buf, "%d min", m);
    else return {};
    return buf;
}

}  // namespace tv
