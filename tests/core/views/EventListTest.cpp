// The event lists: row <-> id maps, sorting by each column, cell texts, images and colours.
#include <gtest/gtest.h>

#include "Events.h"
#include "views/EventListModel.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;
using tvtest::OneOff;

namespace {

using Ids = std::vector<uint32_t>;

void ExpectMapsInverse(const CEventListModel& m) {
    for (int r = 0; r < m.GetCount(); ++r) {
        const auto id = m.RowToId(r);
        ASSERT_TRUE(id);
        ASSERT_EQ(m.IdToRow(*id), r);
    }
    EXPECT_FALSE(m.RowToId(m.GetCount()));
    EXPECT_FALSE(m.RowToId(-1));
}

}  // namespace

TEST(EventListModel, RemovingARowMovesTheRowsBelowUp) {
    CEventListModel m;
    for (uint32_t id = 101; id <= 110; ++id) EXPECT_EQ(m.Append(id), static_cast<int>(id - 101));
    EXPECT_EQ(m.Append(0), -1);
    EXPECT_TRUE(m.RemoveById(104));  // row 3
    EXPECT_FALSE(m.RemoveById(104));
    EXPECT_TRUE(m.RemoveByRow(8));  // the last row
    EXPECT_TRUE(m.RemoveByRow(0));
    EXPECT_FALSE(m.RemoveByRow(7));
    EXPECT_TRUE(m.RemoveById(106));
    EXPECT_EQ(m.IdToRow(109), 5);
    EXPECT_EQ(m.Append(200), 6);
    EXPECT_EQ(m.Ids(), (Ids{102, 103, 105, 107, 108, 109, 200}));
    ExpectMapsInverse(m);

    // The All page lists one-off events first, in stored order, and drops what it held.
    CEventStore store;
    const uint32_t r1 = AddTo(store, tvtest::Daily("daily", At(2008, 1, 1, 9, 0)));
    const uint32_t a = AddTo(store, OneOff("a", At(2008, 1, 5, 9, 0)));
    const uint32_t b = AddTo(store, OneOff("b", At(2008, 1, 2, 9, 0)));
    m.FillAll(store);
    EXPECT_EQ(m.Ids(), (Ids{a, b, r1}));
    ExpectMapsInverse(m);
}

class EventListSort : public ::testing::Test {
protected:
    void SetUp() override {
        meeting = tvtest::AddType(types, "Meeting", 5, 0x0000FF);
        birthday = tvtest::AddType(types, "Birthday", 1, 0xFF0000);
    }
    Ids SortedBy(int column) {
        CEventListModel m;
        m.FillAll(store);
        m.Sort(column, store, types, now);
        return m.Ids();
    }

    CEventStore store;
    CEventTypeTable types;
    uint32_t meeting = 0, birthday = 0;
    const DateTime now = At(2008, 1, 1, 8, 0);
};

TEST_F(EventListSort, DurationPutsHalfAnHourBeforeADay) {
    Ids ids;
    for (int seconds : {86400, 1800, 0x7FFFFFFF, -5}) {
        CPtEvent ev = OneOff("e", At(2008, 1, 3));
        ev.SetDuration(seconds);
        ids.push_back(AddTo(store, ev));
    }
    EXPECT_EQ(SortedBy(kColDuration), (Ids{ids[3], ids[1], ids[0], ids[2]}));
}

TEST_F(EventListSort, TimeSortsByTheReminderMomentNotTheOccurrence) {
    CPtEvent warned = OneOff("ten", At(2008, 1, 2, 10, 0));
    warned.SetRemindBefore(2 * 3600);
    const uint32_t ten = AddTo(store, warned);
    const uint32_t nine = AddTo(store, OneOff("nine", At(2008, 1, 2, 9, 0)));
    CPtEvent snoozed = OneOff("snoozed", At(2008, 1, 1, 7, 0));
    snoozed.Snooze(3 * 86400, At(2008, 1, 1, 7, 0));  // reminds on 4 January
    const uint32_t s = AddTo(store, snoozed);
    const uint32_t daily = AddTo(store, tvtest::Daily("daily", At(2007, 12, 1, 8, 30)));  // next: 1 Jan 08:30
    EXPECT_EQ(SortedBy(kColTime), (Ids{daily, ten, nine, s}));
}

// By code point: U+FB01 before U+1F600, which UTF-16 would put the other way round.
TEST_F(EventListSort, TextColumnsCompareCodePoints) {
    const uint32_t lower = AddTo(store, OneOff("apple", At(2008, 1, 2), meeting));
    const uint32_t upper = AddTo(store, OneOff("Zebra", At(2008, 1, 2), birthday));
    const uint32_t accent = AddTo(store, OneOff("Élan", At(2008, 1, 2), 999));  // type gone
    const uint32_t emoji = AddTo(store, OneOff("😀", At(2008, 1, 2), meeting));
    const uint32_t ligature = AddTo(store, OneOff("ﬁx", At(2008, 1, 2), meeting));
    const uint32_t weekly = AddTo(store, tvtest::Weekly("w", At(2008, 1, 7), 2));
    EXPECT_EQ(SortedBy(kColName), (Ids{upper, lower, weekly, accent, ligature, emoji}));
    EXPECT_EQ(SortedBy(kColType), (Ids{accent, weekly, upper, lower, emoji, ligature}));
    EXPECT_EQ(SortedBy(kColRecurrence).back(), weekly);  // "Every 1 week(s) on Monday" after the empty texts
}

TEST_F(EventListSort, MissingEventsSortFirstAndBadColumnsChangeNothing) {
    const uint32_t a = AddTo(store, OneOff("b", At(2008, 1, 2)));
    const uint32_t b = AddTo(store, OneOff("a", At(2008, 1, 2)));
    CEventListModel m;
    m.FillAll(store);
    m.Append(12345);
    m.Sort(7, store, types, now);
    EXPECT_EQ(m.Ids(), (Ids{a, b, 12345}));
    m.Sort(kColName, store, types, now);
    EXPECT_EQ(m.Ids(), (Ids{12345, b, a}));
    ExpectMapsInverse(m);
}

TEST_F(EventListSort, RowTextsImagesAndColours) {
    CPtEvent ev = OneOff("Dentist", At(2008, 1, 16, 9, 30), meeting);
    ev.SetDuration(86400 + 3600);
    const uint32_t id = AddTo(store, ev);
    ListRowView row = DescribeListRow(store, types, id, now);
    EXPECT_EQ(std::vector<std::string>(std::begin(row.cells), std::end(row.cells)),
              (std::vector<std::string>{"Dentist", "09:30 - Jan 16,2008", "Meeting", "", "1 day,1 hour"}));
    EXPECT_EQ(std::tuple(row.stateImage, row.typeIcon, row.recurrenceImage, row.textColor),
              std::tuple(-1, 5, -1, 0x0000FFu));

    // Done shows image 0; disabled wins over done with image 1; snoozed is image 2.
    ev.Accept(now);
    store.Modify(id, ev);
    EXPECT_EQ(DescribeListRow(store, types, id, now).stateImage, 0);
    ev.SetEnabled(false);
    store.Modify(id, ev);
    EXPECT_EQ(DescribeListRow(store, types, id, now).stateImage, 1);
    CPtEvent snoozed = OneOff("s", At(2008, 1, 2), 4242);
    snoozed.Snooze(60, now);
    row = DescribeListRow(store, types, AddTo(store, snoozed), now);
    // An unknown type: no icon, no name, black.
    EXPECT_EQ(std::tuple(row.stateImage, row.typeIcon, row.textColor, row.cells[kColType]), std::tuple(2, -1, 0u, ""));

    const uint32_t weekly = AddTo(store, tvtest::Weekly("w", At(2008, 1, 7, 18, 0), 2));
    row = DescribeListRow(store, types, weekly, now);
    EXPECT_EQ(std::tuple(row.recurrenceImage, row.cells[kColTime], row.cells[kColRecurrence]),
              std::tuple(3, "18:00 - Jan 07,2008", "Every 1 week(s) on Monday"));

    row = DescribeListRow(store, types, 999, now);  // gone from the store
    EXPECT_TRUE(row.hasId && !row.exists);
    EXPECT_EQ(std::tuple(row.textColor, row.cells[kColName]), std::tuple(kMissingRowColor, ""));
    EXPECT_EQ(DescribeListRow(store, types, 0, now).textColor, 0u);
}
