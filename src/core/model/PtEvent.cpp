// Reminder rules of the event record and its archive form.
#include "PtEvent.h"

#include <cstdio>

#include "EventType.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

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

DateTime CPtEvent::GetPendingOccurrence() const {
    if (!IsRecurrent()) return m_start;
    const DateTime anchorDay = m_recurrence.GetAnchorDay();
    const DateTime& start = m_recurrence.GetStart();
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
    const DateTime remindAt = m_reminderState == kReminderSnoozed ? m_remindAt : pending - m_remindBefore;
    return remindAt.IsValid() && now > remindAt;
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
    m_reminderState = kReminderArmed;
    const DateTime pending = GetPendingOccurrence();
    if (!pending.IsValid()) return;
    // The occurrences from the pending one on, day by day, grow later; so do their reminder
    // moments. The last one whose moment is not after now is found by halving the days between
    // the pending occurrence and the day now + remind-before reaches, not by walking them.
    auto answered = [&](int64_t day) {
        const DateTime occ = m_recurrence.GetOccurrenceOnOrAfter(DateTime::FromDayNumber(day));
        return occ.IsValid() && !(occ - m_remindBefore > now);
    };
    int64_t low = pending.DayNumber();  // answered, whatever its reminder moment
    int64_t high = (now + m_remindBefore).DayNumber();
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
