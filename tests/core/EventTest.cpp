// The event record: reminder rules, type application and the archive form.
#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "Events.h"
#include "Moments.h"
#include "Reminders.h"
#include "store/EventTypeTable.h"

using namespace tv;

using tvtest::At;
using tvtest::Warned;

TEST(Event, NewEventsStartAtTheNextWholeMinute) {
    EXPECT_EQ(CPtEvent(At(2026, 5, 3, 10, 59, 30)).GetStart(), At(2026, 5, 3, 11, 0));
    EXPECT_EQ(CPtEvent(At(2026, 12, 31, 23, 59, 0)).GetStart(), At(2027, 1, 1, 0, 0));
    const CPtEvent ev(At(2026, 5, 3, 10, 0, 0));
    EXPECT_EQ(std::tuple(ev.GetDuration(), ev.GetReminderState(), ev.IsEnabled(), ev.IsRecurrent()),
              std::tuple(1800, int(kReminderArmed), true, false));
}

TEST(Event, OneOffIsDueStrictlyAfterItsReminderMoment) {
    CPtEvent ev = Warned(tvtest::OneOff("", At(2026, 5, 3, 12, 0)), 15 * 60);
    EXPECT_FALSE(ev.IsDue(At(2026, 5, 3, 11, 45, 0)));
    EXPECT_TRUE(ev.IsDue(At(2026, 5, 3, 11, 45, 1)));
    // A missed reminder stays due until it is answered.
    EXPECT_TRUE(ev.IsDue(At(2026, 9, 1)));
    ev.SetShowing();
    EXPECT_FALSE(ev.IsDue(At(2026, 9, 1)));
    ev.ClearShowing();
    ev.SetEnabled(false);
    EXPECT_FALSE(ev.IsDue(At(2026, 9, 1)));
    ev.SetEnabled(true);
    ev.Accept(At(2026, 5, 3, 11, 50));
    EXPECT_EQ(ev.GetReminderState(), kReminderDone);
    EXPECT_FALSE(ev.IsDue(At(2027, 1, 1)));
    ev.Rearm();
    EXPECT_TRUE(ev.IsDue(At(2026, 5, 3, 11, 50)));
}

TEST(Event, SnoozeFixesTheReminderUntilTheStartChanges) {
    CPtEvent ev = Warned(tvtest::OneOff("", At(2026, 5, 3, 12, 0)), 15 * 60);
    ev.Snooze(300, At(2026, 5, 3, 11, 46));
    EXPECT_EQ(std::tuple(ev.GetReminderState(), ev.GetSnoozeSeconds()), std::tuple(int(kReminderSnoozed), 300));
    EXPECT_MOMENT(ev.GetReminderTime(At(2020, 1, 1)), At(2026, 5, 3, 11, 51));
    EXPECT_FALSE(ev.IsDue(At(2026, 5, 3, 11, 51)));
    EXPECT_TRUE(ev.IsDue(At(2026, 5, 3, 11, 51, 1)));
    ev.SetStart(At(2026, 5, 3, 12, 0));  // the same start keeps the snooze
    EXPECT_EQ(ev.GetReminderState(), kReminderSnoozed);
    ev.SetStart(At(2026, 5, 4, 12, 0));
    EXPECT_EQ(ev.GetReminderState(), kReminderArmed);
    EXPECT_MOMENT(ev.GetReminderTime(At(2020, 1, 1)), At(2026, 5, 4, 11, 45));
}

TEST(Event, DurationTexts) {
    // clang-format off
    const std::pair<int, const char*> cases[] = {
        {1800, "30 min"},        {86400 + 3600, "1 day,1 hour"}, {86400 + 60, "1 day,1 min"},
        {2 * 86400 + 3 * 3600 + 4 * 60 + 5, "2 day,3 hour,4 min"}, {3 * 3600 + 60, "3 hour,1 min"},
        {86400, "1 day"},        {7200, "2 hour"},               {59, ""},
        {-600, ""},
    };
    // clang-format on
    for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatDuration(seconds), text) << seconds;
}

TEST(Event, ApplyTypeCopiesTheDefaults) {
    CEventTypeTable table;
    CEventType birthday(At(2026, 1, 1));
    birthday.SetName("Birthday");
    birthday.SetDefaultDuration(86400);
    birthday.SetDefaultRemindBefore(86400);
    birthday.SetSound("ring.wav");
    ASSERT_EQ(table.AddType(birthday), AddTypeResult::Added);
    CEventType fixed(At(2026, 1, 1));
    fixed.SetName("Fixed");
    fixed.SetUseDefaultStart(true);
    fixed.SetDefaultStart(At(2027, 2, 3, 4, 5));
    ASSERT_EQ(table.AddType(fixed), AddTypeResult::Added);

    CPtEvent ev(At(2026, 5, 1, 10, 0));
    ev.ApplyTypeByName("Birthday", table);
    EXPECT_EQ(std::tuple(ev.GetType(), ev.GetDuration(), ev.GetRemindBefore(), ev.GetSound()),
              std::tuple(birthday.GetId(), 86400, 86400, "ring.wav"));
    EXPECT_EQ(ev.GetStart(), At(2026, 5, 1, 10, 1));  // a type without its own start keeps the event's
    ev.ApplyType(fixed.GetId(), table);
    EXPECT_EQ(ev.GetStart(), At(2027, 2, 3, 4, 5));
    ev.ApplyType(999, table);  // a type that is gone: no type, nothing else changes
    EXPECT_EQ(std::tuple(ev.GetType(), ev.GetStart()), std::tuple(0u, At(2027, 2, 3, 4, 5)));
}

TEST(Event, ArchiveFormMatchesTheLayout) {
    // clang-format off
    const std::string bytes =
        tvtest::Bytes()
            // version, id, state (snoozed), snooze seconds, duration, enabled (no)
            .i32(1).u32(42).i32(1).i32(300).i32(3600).i32(0)
            // rule: version, endEnabled, duration, end, start, anchor, no pattern
            .i32(1).i32(0).i32(3600).date(46000.0).date(46000.375).date(0.0).i32(0)
            // name, note, sound, remindAt, remindBefore (a span of one hour), start, typeId
            .text("Dentist").text("Bring the card").text("Bell.wav").date(46000.25).date(1.0 / 24.0).date(46000.375).u32(7)
            .str();
    // clang-format on
    CPtEvent ev;
    ev.SetShowing();
    ArchiveReader ar(bytes);
    ev.Serialize(ar);
    EXPECT_TRUE(ar.AtEnd());
    // Each field from its own place (a pair swapped alike on reading and writing would still
    // write the same bytes back).
    EXPECT_EQ(std::tuple(ev.GetId(), ev.GetReminderState(), ev.GetSnoozeSeconds(), ev.GetDuration(), ev.IsEnabled()),
              std::tuple(42u, int(kReminderSnoozed), 300, 3600, false));
    EXPECT_EQ(std::tuple(ev.GetName(), ev.GetNote(), ev.GetSound()),
              std::tuple("Dentist", "Bring the card", "Bell.wav"));
    EXPECT_EQ(std::tuple(ev.GetRemindAt(), ev.GetRemindBefore(), ev.GetStart(), ev.GetType()),
              std::tuple(DateTime(46000.25), 3600, DateTime(46000.375), 7u));
    EXPECT_EQ(std::tuple(ev.IsRecurrent(), ev.GetRecurrence().GetEnd()), std::tuple(false, DateTime(46000.0)));
    EXPECT_TRUE(ev.IsShowing());  // not stored: the object read into keeps its own mark

    ArchiveWriter w;
    ev.Serialize(w);
    EXPECT_EQ(w.Data(), bytes);
}
