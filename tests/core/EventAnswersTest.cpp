// Snooze, Accept, Delete, Enable and Disable change the store and reach the file at once.
#include <gtest/gtest.h>

#include "Events.h"
#include "TempDir.h"
#include "shell/EventAnswers.h"

using namespace tv;

namespace {

const DateTime kNow = DateTime::FromParts(2024, 5, 6, 10, 0, 0);

}  // namespace

// The pop-up tests press each button and read the file back, vanished events included.
TEST(EventAnswers, ASaveFailureIsReportedWithTheEventFound) {
    tvtest::TempDir dir;
    CEventStore elsewhere(dir.File("no-such-folder/Evnt.est"));
    const uint32_t id = tvtest::AddTo(elsewhere, tvtest::OneOff("x", kNow));
    for (const AnswerResult& r : {SnoozeEvent(elsewhere, id, 300, kNow), AcceptEvent(elsewhere, id, kNow, kNow),
                                  DeleteEvent(elsewhere, id)})
        EXPECT_TRUE(r.found && !r.save.ok && !r.save.message.empty()) << r.save.message;
}

TEST(EventAnswers, EnableDisableAndAcceptChangeTheStoredCopy) {
    CEventStore store;
    const uint32_t id = tvtest::AddTo(store, tvtest::OneOff("Dentist", kNow));
    CPtEvent ev;
    EXPECT_TRUE(ApplyEventChange(store, id, EventChange::Disable, kNow));
    store.GetById(id, ev);
    EXPECT_FALSE(ev.IsEnabled());
    EXPECT_TRUE(ApplyEventChange(store, id, EventChange::Enable, kNow));
    EXPECT_TRUE(ApplyEventChange(store, id, EventChange::Accept, kNow));
    store.GetById(id, ev);
    EXPECT_EQ(std::tuple(ev.IsEnabled(), ev.GetReminderState()), std::tuple(true, int(kReminderDone)));
    EXPECT_FALSE(ApplyEventChange(store, 4711, EventChange::Enable, kNow));
}
