// Snooze, Accept, Delete, Enable and Disable change the store and reach the file at once.
#include <gtest/gtest.h>

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

    uint32_t AddOneOff(const DateTime& start) {
        CPtEvent ev(now);
        ev.SetName("Dentist");
        ev.SetStart(start);
        store.Add(ev);
        return ev.GetId();
    }
    // What a fresh start of the program would read.
    CPtEvent FromDisk(uint32_t id, bool& found) {
        CEventStore reread(dir.File("Evnt.est"));
        reread.Load();
        CPtEvent ev;
        found = reread.GetById(id, ev);
        return ev;
    }
};

}  // namespace

TEST(EventAnswers, SnoozeRemindsAgainAfterTheChosenTimeAndIsSaved) {
    Fixture f;
    const uint32_t id = f.AddOneOff(f.now - TimeSpan::FromSeconds(60));
    CountingSink sink;
    ASSERT_EQ(CReminderScheduler::CheckPass(f.store, f.now, sink), 1u);

    const AnswerResult r = SnoozeEvent(f.store, id, 300, f.now);
    EXPECT_TRUE(r.found);
    EXPECT_TRUE(r.save.ok) << r.save.message;
    bool found = false;
    const CPtEvent onDisk = f.FromDisk(id, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(onDisk.GetReminderState(), kReminderSnoozed);
    EXPECT_EQ(onDisk.GetRemindAt().ToIsoText(), "2024-05-06 10:05:00");

    // The showing mark is gone, so the scheduler announces it again once the five minutes passed.
    EXPECT_EQ(CReminderScheduler::CheckPass(f.store, f.now + TimeSpan::FromSeconds(299), sink), 0u);
    EXPECT_EQ(CReminderScheduler::CheckPass(f.store, f.now + TimeSpan::FromSeconds(301), sink), 1u);
    EXPECT_EQ(sink.ids, (std::vector<uint32_t>{id, id}));
}

TEST(EventAnswers, AcceptEndsAOneOffEventOnDisk) {
    Fixture f;
    const uint32_t id = f.AddOneOff(f.now - TimeSpan::FromSeconds(60));
    CountingSink sink;
    CReminderScheduler::CheckPass(f.store, f.now, sink);
    EXPECT_TRUE(AcceptEvent(f.store, id, f.now).found);
    bool found = false;
    EXPECT_EQ(f.FromDisk(id, found).GetReminderState(), kReminderDone);
    EXPECT_EQ(CReminderScheduler::CheckPass(f.store, f.now + TimeSpan(30.0), sink), 0u);
}

TEST(EventAnswers, DeleteReachesTheFileAtOnce) {
    Fixture f;
    const uint32_t keep = f.AddOneOff(f.now);
    const uint32_t gone = f.AddOneOff(f.now);
    ASSERT_TRUE(f.store.Save().ok);
    const AnswerResult r = DeleteEvent(f.store, gone);
    EXPECT_TRUE(r.found);
    EXPECT_TRUE(r.save.ok);
    bool found = true;
    f.FromDisk(gone, found);
    EXPECT_FALSE(found) << "a crash now must not bring the event back";
    f.FromDisk(keep, found);
    EXPECT_TRUE(found);
}

TEST(EventAnswers, AnEventThatVanishedChangesNothingAndWritesNothing) {
    Fixture f;
    const uint32_t id = f.AddOneOff(f.now);
    f.store.Delete(id);
    EXPECT_FALSE(SnoozeEvent(f.store, id, 300, f.now).found);
    EXPECT_FALSE(AcceptEvent(f.store, id, f.now).found);
    EXPECT_FALSE(DeleteEvent(f.store, id).found);
    EXPECT_FALSE(f.dir.Exists("Evnt.est"));
}

TEST(EventAnswers, SaveFailureIsReportedNotSwallowed) {
    Fixture f;
    CEventStore store(f.dir.File("no-such-folder/Evnt.est"));
    CPtEvent ev(f.now);
    store.Add(ev);
    const AnswerResult r = AcceptEvent(store, ev.GetId(), f.now);
    EXPECT_TRUE(r.found);
    EXPECT_FALSE(r.save.ok);
    EXPECT_FALSE(r.save.message.empty());
}

TEST(EventAnswers, EnableDisableAndAcceptChangeTheStoredCopy) {
    Fixture f;
    const uint32_t id = f.AddOneOff(f.now - TimeSpan::FromSeconds(5));
    CPtEvent ev;
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Disable, f.now));
    f.store.GetById(id, ev);
    EXPECT_FALSE(ev.IsEnabled());
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Enable, f.now));
    f.store.GetById(id, ev);
    EXPECT_TRUE(ev.IsEnabled());
    EXPECT_TRUE(ApplyEventChange(f.store, id, EventChange::Accept, f.now));
    f.store.GetById(id, ev);
    EXPECT_EQ(ev.GetReminderState(), kReminderDone);
    EXPECT_FALSE(ApplyEventChange(f.store, 4711, EventChange::Enable, f.now));
}
