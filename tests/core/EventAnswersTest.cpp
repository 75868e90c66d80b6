// Snooze, Accept, Delete, Enable and Disable change the store and reach the file at once.
#include <gtest/gtest.h>

#include "Events.h"
#include "TempDir.h"
#include "engine/ReminderScheduler.h"
#include "shell/EventAnswers.h"

using namespace tv;

namespace {

class CountingSink final : public IReminderSink {
public:
    bool PostEventPop(uint32_t id) override {
        ids.push_back(id);
        return true;
    }
    std::vector<uint32_t> ids;
};

struct Fixture {
    tvtest::TempDir dir;
    CEventStore store{dir.File("Evnt.est")};
    DateTime now = DateTime::FromParts(2024, 5, 6, 10, 0, 0);

    uint32_t AddDue() { return tvtest::AddTo(store, tvtest::OneOff("Dentist", now - TimeSpan::FromSeconds(60))); }
    // What a fresh start of the program would read; found is false when the event is gone.
    CPtEvent FromDisk(uint32_t id, bool& found) {
        CEventStore reread(dir.File("Evnt.est"));
        reread.Load();
        CPtEvent ev;
        found = reread.GetById(id, ev);
        return ev;
    }
};

}  // namespace

TEST(EventAnswers, EachAnswerReachesTheFileAtOnce) {
    Fixture f;
    const uint32_t snoozed = f.AddDue(), accepted = f.AddDue(), deleted = f.AddDue();
    CountingSink sink;
    ASSERT_EQ(CReminderScheduler::CheckPass(f.store, f.now, sink), 3u);

    AnswerResult r = SnoozeEvent(f.store, snoozed, 300, f.now);
    EXPECT_TRUE(r.found && r.save.ok) << r.save.message;
    bool found = false;
    CPtEvent onDisk = f.FromDisk(snoozed, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(onDisk.GetReminderState(), kReminderSnoozed);
    EXPECT_EQ(onDisk.GetRemindAt().ToIsoText(), "2024-05-06 10:05:00");

    r = AcceptEvent(f.store, accepted, f.now, f.now);
    EXPECT_TRUE(r.found && r.save.ok);
    EXPECT_EQ(f.FromDisk(accepted, found).GetReminderState(), kReminderDone);

    r = DeleteEvent(f.store, deleted);
    EXPECT_TRUE(r.found && r.save.ok);
    f.FromDisk(deleted, found);
    EXPECT_FALSE(found) << "a crash now must not bring the event back";

    // The showing mark is gone: the snoozed event is announced again once the five minutes
    // passed, the accepted one never.
    sink.ids.clear();
    EXPECT_EQ(CReminderScheduler::CheckPass(f.store, f.now + TimeSpan::FromSeconds(299), sink), 0u);
    EXPECT_EQ(CReminderScheduler::CheckPass(f.store, f.now + TimeSpan(30.0), sink), 1u);
    EXPECT_EQ(sink.ids, std::vector<uint32_t>{snoozed});
}

TEST(EventAnswers, AVanishedEventWritesNothingAndASaveFailureIsReported) {
    Fixture f;
    const uint32_t id = f.AddDue();
    f.store.Delete(id);
    EXPECT_FALSE(SnoozeEvent(f.store, id, 300, f.now).found);
    EXPECT_FALSE(AcceptEvent(f.store, id, f.now, f.now).found);
    EXPECT_FALSE(DeleteEvent(f.store, id).found);
    EXPECT_FALSE(f.dir.Exists("Evnt.est"));

    CEventStore elsewhere(f.dir.File("no-such-folder/Evnt.est"));
    const AnswerResult r = AcceptEvent(elsewhere, tvtest::AddTo(elsewhere, tvtest::OneOff("x", f.now)), f.now, f.now);
    EXPECT_TRUE(r.found);
    EXPECT_FALSE(r.save.ok);
    EXPECT_FALSE(r.save.message.empty());
}

TEST(EventAnswers, EnableDisableAndAcceptChangeTheStoredCopy) {
    Fixture f;
    const uint32_t id = f.AddDue();
    CPtEvent ev;
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Disable, f.now));
    f.store.GetById(id, ev);
    EXPECT_FALSE(ev.IsEnabled());
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Enable, f.now));
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Accept, f.now));
    f.store.GetById(id, ev);
    EXPECT_TRUE(ev.IsEnabled());
    EXPECT_EQ(ev.GetReminderState(), kReminderDone);
    EXPECT_FALSE(ApplyEventChange(f.store, 4711, EventChange::Enable, f.now));
}
