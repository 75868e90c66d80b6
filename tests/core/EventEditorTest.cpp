// The event editor's load/store order, type choice, recurrence edits, checks and half-hour menu.
#include <gtest/gtest.h>

#include "Events.h"

#include "editing/EventEditorModel.h"
#include "editing/HalfHourMenu.h"
#include "store/EventTypeTable.h"

using namespace tv;

namespace {

const DateTime kNow = DateTime::FromParts(2024, 5, 6, 10, 15, 0);

// A table with Alarm (no defaults used) and Birthday (every default set, default start on).
struct Types {
    CEventTypeTable table;
    const DateTime birthdayStart = DateTime::FromParts(2024, 9, 1, 8, 0, 0);
    const uint32_t alarmId = Add("Alarm", 60, 0, "", false);
    const uint32_t birthdayId = Add("Birthday", 86400, 2 * 86400, "Bell.wav", true);

    uint32_t Add(const char* name, int duration, int remindBefore, const char* sound, bool useStart) {
        CEventType t(kNow);
        t.SetName(name);
        t.SetUseDefaultStart(useStart);
        t.SetDefaultStart(birthdayStart);
        t.SetDefaultDuration(duration);
        t.SetDefaultRemindBefore(remindBefore);
        t.SetSound(sound);
        table.AddType(t);
        return t.GetId();
    }
};

}  // namespace

TEST(EventEditor, StoreAppliesTheTypeFirstSoTheDialogValuesWin) {
    Types t;
    CEventEditorModel dlg;
    dlg.name = "Ann";
    dlg.note = "cake";
    dlg.enabled = true;
    dlg.start = DateTime::FromParts(2024, 6, 1, 9, 30, 0);
    dlg.duration = 600;
    dlg.remindBefore = 300;
    dlg.sound = "Ding.wav";
    dlg.typeId = t.birthdayId;

    CPtEvent ev(kNow);
    dlg.StoreToEvent(ev, kNow, t.table);
    // Not the type's default start, length, warning or sound.
    EXPECT_EQ(std::tuple(ev.GetType(), ev.GetStart(), ev.GetDuration(), ev.GetRemindBefore()),
              std::tuple(t.birthdayId, dlg.start, 600, 300));
    EXPECT_EQ(std::tuple(ev.GetName(), ev.GetNote(), ev.GetSound()), std::tuple("Ann", "cake", "Ding.wav"));

    // A type that vanished leaves the event without a type, the dialog's values intact; a
    // name is cut at 255 characters (four bytes each here), never inside one.
    dlg.typeId = 999;
    dlg.enabled = false;
    dlg.name.clear();
    for (int i = 0; i < 256; ++i) dlg.name += "🎂";
    dlg.StoreToEvent(ev, kNow, t.table);
    EXPECT_EQ(std::tuple(ev.GetType(), ev.GetDuration(), ev.IsEnabled(), ev.GetName()),
              std::tuple(0u, 600, false, dlg.name.substr(0, 4 * kMaxEventNameLength)));
}

TEST(EventEditor, LoadAndStoreRoundTripKeepsEveryEditedField) {
    Types t;
    CPtEvent ev(kNow);
    ev.ApplyType(t.alarmId, t.table);
    ev.SetName("Dentist");
    ev.SetRemindBefore(900);
    ev.GetRecurrence().SetPatternType(kPatternWeekly);
    ev.GetRecurrence().SetAnchor(DateTime::FromParts(2024, 5, 7));

    CEventEditorModel dlg(false);
    dlg.LoadFromEvent(ev);
    EXPECT_EQ(std::tuple(dlg.remindBefore, dlg.typeId, dlg.accepted), std::tuple(900, t.alarmId, false));
    CPtEvent copy = ev;
    dlg.StoreToEvent(copy, kNow, t.table);
    EXPECT_TRUE(copy.SameStoredFields(ev));
}

TEST(EventEditor, AcceptedTickDoneAndRearmAndADoneEventGivenAPatternRemindsAgain) {
    Types t;
    CPtEvent ev(kNow);
    CEventEditorModel dlg(false);
    dlg.LoadFromEvent(ev);
    dlg.accepted = true;
    dlg.StoreToEvent(ev, kNow, t.table);
    EXPECT_EQ(ev.GetReminderState(), kReminderDone);
    dlg.LoadFromEvent(ev);
    EXPECT_TRUE(dlg.accepted);
    dlg.accepted = false;
    dlg.StoreToEvent(ev, kNow, t.table);
    EXPECT_TRUE(ev.IsDue(kNow + TimeSpan(10.0)));

    // A done event given a pattern is a series, armed: a series has no done state.
    ev.Accept(kNow);
    dlg.LoadFromEvent(ev);
    ASSERT_TRUE(dlg.accepted);
    dlg.BeginRecurrenceEdit(dlg.start);
    dlg.FinishRecurrenceEdit();
    dlg.StoreToEvent(ev, kNow, t.table);
    EXPECT_TRUE(ev.IsRecurrent());
    EXPECT_EQ(ev.GetReminderState(), kReminderArmed);
}

TEST(EventEditor, AnAnswerGivenWhileTheEditorWasOpenStays) {
    Types t;
    // A series accepted in its pop-up meanwhile keeps the anchor the store holds; the
    // Accepted tick has no effect on a series.
    CPtEvent series = tvtest::Daily("Pill", DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    CEventEditorModel dlg(false);
    dlg.LoadFromEvent(series);
    series.Accept(DateTime::FromParts(2024, 6, 3, 9, 1, 0));
    dlg.accepted = true;
    CPtEvent stored = series;
    dlg.StoreToEvent(stored, kNow, t.table);
    EXPECT_EQ(stored.GetRecurrence().GetAnchor(), DateTime::FromParts(2024, 6, 4));
    // A one-off accepted (or snoozed) meanwhile stays so while the tick is left alone.
    CPtEvent oneOff = tvtest::OneOff("Call", DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    dlg.LoadFromEvent(oneOff);
    oneOff.Accept(kNow);
    dlg.StoreToEvent(oneOff, kNow, t.table);
    EXPECT_EQ(oneOff.GetReminderState(), kReminderDone);
}

TEST(EventEditor, ChoosingATypeTakesItsDefaultsButNotNameOrNote) {
    Types t;
    CEventEditorModel dlg;
    dlg.name = "Ann";
    dlg.note = "n";
    dlg.start = DateTime::FromParts(2024, 6, 1, 9, 0, 0);
    ASSERT_TRUE(dlg.ApplyTypeToDialog(0, t.table));  // Alarm: default start not used
    EXPECT_EQ(std::tuple(dlg.start, dlg.duration, dlg.Caption(t.table)),
              std::tuple(DateTime::FromParts(2024, 6, 1, 9, 0, 0), 60, "New Alarm"));
    ASSERT_TRUE(dlg.ApplyTypeToDialog(1, t.table));  // Birthday: whole default date-time
    EXPECT_EQ(std::tuple(dlg.start, dlg.duration, dlg.remindBefore), std::tuple(t.birthdayStart, 86400, 2 * 86400));
    EXPECT_EQ(std::tuple(dlg.sound, dlg.name, dlg.note), std::tuple("Bell.wav", "Ann", "n"));
    EXPECT_FALSE(dlg.ApplyTypeToDialog(2, t.table));  // beyond the table: nothing changes
    EXPECT_EQ(dlg.typeId, t.birthdayId);
    // With a pattern set the type's length goes to the rule too, and stays when shown.
    dlg.BeginRecurrenceEdit(dlg.start);
    dlg.FinishRecurrenceEdit();
    ASSERT_TRUE(dlg.ApplyTypeToDialog(0, t.table));
    dlg.UpdateRecurrenceDisplay();
    EXPECT_EQ(std::tuple(dlg.duration, dlg.rule.GetDuration()), std::tuple(60, 60));

    // A modify dialog names its type, or "Undefined" once the type is gone.
    CEventEditorModel modify(false);
    modify.typeId = t.birthdayId;
    EXPECT_EQ(modify.Caption(t.table), "Modify Birthday");
    t.table.RemoveType(t.birthdayId);
    EXPECT_EQ(modify.Caption(t.table), "Modify Undefined");
}

// Set Recurrence... gives a rule without a pattern a daily one from the start and the length
// the user sees; OK hands start and duration to the rule and shows its line; Cancel puts the
// rule back as it was, an existing pattern's start too.
TEST(EventEditor, RecurrenceEditsFollowTheRuleAndCancelRestoresIt) {
    CEventEditorModel dlg;
    dlg.start = DateTime::FromParts(2024, 6, 1, 9, 0, 0);
    dlg.duration = 86400;
    const CReCurrence original = dlg.rule;
    const DateTime shown = DateTime::FromParts(2024, 6, 2, 11, 0, 0), july = DateTime::FromParts(2024, 7, 1, 7, 0, 0);
    dlg.CancelRecurrenceEdit(dlg.BeginRecurrenceEdit(shown));
    dlg.UpdateRecurrenceDisplay();
    EXPECT_TRUE(dlg.rule == original && !original.HasPattern() && dlg.ruleText.empty() &&
                dlg.StartAndDurationEditable());

    const CReCurrence none = dlg.BeginRecurrenceEdit(shown);
    EXPECT_EQ(std::tuple(dlg.rule.GetPatternType(), dlg.rule.GetStart(), dlg.rule.GetDuration()),
              std::tuple(int(kPatternDaily), shown, 86400));
    dlg.rule.SetStart(july);
    dlg.rule.SetDuration(3600);
    dlg.FinishRecurrenceEdit();
    EXPECT_EQ(std::tuple(dlg.start, dlg.duration, dlg.ruleText), std::tuple(july, 3600, "Every 1 Days"));
    EXPECT_FALSE(dlg.StartAndDurationEditable());

    // Opened again, the pattern keeps its own length; Cancel gives it its start back.
    dlg.duration = 60;
    const CReCurrence withPattern = dlg.rule;
    const CReCurrence before = dlg.BeginRecurrenceEdit(shown);
    EXPECT_EQ(dlg.rule.GetDuration(), 3600);
    dlg.CancelRecurrenceEdit(before);
    EXPECT_TRUE(dlg.rule == withPattern);
    dlg.CancelRecurrenceEdit(none);  // no pattern again: the fields are the user's
    dlg.UpdateRecurrenceDisplay();
    EXPECT_EQ(dlg.duration, 60);
    EXPECT_TRUE(dlg.StartAndDurationEditable());
}

TEST(EventEditor, OkChecksTheNameFirstThenTheStart) {
    CEventEditorModel dlg;
    dlg.start = kNow - TimeSpan(1.0);
    EXPECT_EQ(dlg.Check(kNow), EditorCheck::EmptyName);
    dlg.name = "x";
    for (auto [start, check] :
         {std::pair(kNow - TimeSpan::FromSeconds(1), EditorCheck::StartInPast),
          std::pair(DateTime::Invalid(), EditorCheck::StartInPast), std::pair(kNow, EditorCheck::Ok)}) {
        dlg.start = start;
        EXPECT_EQ(dlg.Check(kNow), check) << start.ToIsoText();
    }
}

TEST(HalfHourMenu, FortyEightItemsFromMidnight) {
    const auto items = HalfHourMenuItems();
    ASSERT_EQ(items.size(), 48u);
    EXPECT_EQ(std::tuple(items.front().commandId, items.front().text, items[27].text, items.back().commandId,
                         items.back().text),
              std::tuple(32871, "00:00", "13:30", 32918, "23:30"));
    const DateTime shown = DateTime::FromParts(2024, 2, 29, 17, 45, 12);
    EXPECT_EQ(HalfHourTime(shown, 32871 + 27), DateTime::FromParts(2024, 2, 29, 13, 30, 0));
    EXPECT_FALSE(HalfHourTime(shown, 32870) || HalfHourTime(shown, 32919) || HalfHourTime(DateTime::Invalid(), 32871));
}
