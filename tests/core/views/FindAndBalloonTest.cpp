// The Find rule and the coming-events balloon.
#include <gtest/gtest.h>

#include <algorithm>

#include "Events.h"
#include "views/ComingEvents.h"
#include "views/FindMatch.h"

using namespace tv;
using tvtest::AddTo;
using tvtest::At;
using tvtest::OneOff;

TEST(FindMatch, TextIsSearchedInNameAndNoteWithTheCaseSwitch) {
    CPtEvent ev = OneOff("Dentist", At(2008, 1, 16, 9, 0));
    FindCriteria c;
    EXPECT_TRUE(Match(ev, c));  // no criteria: everything
    c.text = "dent";
    EXPECT_TRUE(Match(ev, c));
    c.caseSensitive = true;
    EXPECT_FALSE(Match(ev, c));
    ev.SetNote("accident report");
    EXPECT_TRUE(Match(ev, c));
    // Case folding in every script: Greek with its final sigma, Cyrillic, ß; the dotless ı
    // stays apart from I, as folding says.
    c.caseSensitive = false;
    // clang-format off
    const std::tuple<const char*, const char*, bool> folded[] = {
        {"σοφος", "ΣΟΦΟΣ ΚΑΙ ΦΙΛΟΣ", true}, {"ΣΟΦΌΣ", "ο σοφός", true}, {"встреча", "ВСТРЕЧА в офисе", true},
        {"ЁЛКА", "ёлка", true},            {"été", "ÉTÉ party", true},  {"STRASSE", "Hauptstraße 5", true},
        {"ırmak", "IRMAK", false},
    };
    // clang-format on
    for (const auto& [text, name, found] : folded) {
        c.text = text;
        ev.SetName(name);
        EXPECT_EQ(Match(ev, c), found) << text;
    }
}

TEST(FindMatch, DatesBoundTheStoredStartAndTheTemplateTheType) {
    CPtEvent ev = OneOff("x", At(2008, 1, 16, 9, 0), 3);
    FindCriteria c;
    c.from = At(2008, 1, 16, 9, 0);
    c.to = At(2008, 1, 16, 9, 0);
    EXPECT_TRUE(Match(ev, c));
    c.to = At(2008, 1, 16);  // a date alone ends at midnight
    EXPECT_FALSE(Match(ev, c));
    c.to.reset();
    c.from = At(2008, 1, 16, 9, 1);
    EXPECT_FALSE(Match(ev, c));
    c.from = At(2008, 1, 1);
    c.typeId = 4;
    EXPECT_FALSE(Match(ev, c));
    c.typeId = 3;
    EXPECT_TRUE(Match(ev, c));

    // A recurring event counts by its stored start, not by its occurrences.
    c.typeId.reset();
    EXPECT_FALSE(Match(tvtest::Daily("d", At(2007, 1, 1, 9, 0)), c));

    // A date control that is not ticked gives the zero or the null date: no bound.
    EXPECT_FALSE(BoundFromControl(DateTime()) || BoundFromControl(DateTime::Null()));
    EXPECT_TRUE(BoundFromControl(At(2008, 1, 1)));
}

TEST(FindMatch, SearchKeepsStoredOrder) {
    CEventStore store;
    const uint32_t r = AddTo(store, tvtest::Daily("tea daily", At(2008, 1, 1, 16, 0)));
    const uint32_t a = AddTo(store, OneOff("Tea", At(2008, 1, 5)));
    AddTo(store, OneOff("coffee", At(2008, 1, 5)));
    const uint32_t b = AddTo(store, OneOff("steam", At(2008, 1, 2)));
    FindCriteria c;
    c.text = "tea";
    EXPECT_EQ(FindEvents(store, c), (std::vector<uint32_t>{a, b, r}));
}

TEST(ComingEvents, CollectsWhatIsDueByTheEndOfToday) {
    CEventStore store;
    const DateTime now = At(2008, 1, 16, 10, 0);
    const uint32_t later = AddTo(store, OneOff("later today", At(2008, 1, 16, 18, 0)));
    const uint32_t missed = AddTo(store, OneOff("yesterday, never accepted", At(2008, 1, 15, 9, 0)));
    AddTo(store, OneOff("tomorrow", At(2008, 1, 17, 0, 0, 1)));
    CPtEvent disabled = OneOff("disabled", At(2008, 1, 16, 12, 0));
    disabled.SetEnabled(false);
    AddTo(store, disabled);
    CPtEvent done = OneOff("done", At(2008, 1, 16, 8, 0));
    done.Accept(now);
    AddTo(store, done);
    const uint32_t daily = AddTo(store, tvtest::Daily("daily", At(2008, 1, 1, 23, 0)));
    EXPECT_EQ(CollectComingEvents(store, now), (std::vector<uint32_t>{later, missed, daily}));
    EXPECT_EQ(ComingEventsLimit(now), At(2008, 1, 16, 23, 59, 59));

    CEventTypeTable types;
    const auto rows = ComingEventRows(store, types, CollectComingEvents(store, now), now);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::tuple(rows[1].time, rows[2].time, rows[2].band),
              std::tuple("09:00", "23:00", Rect{10, 75, 240, 95}));
}

TEST(ComingEvents, HeightGrowsWithEveryEventButSevenRowsAreDrawn) {
    EXPECT_EQ(std::tuple(ComingEventsBalloonHeight(0), ComingEventsBalloonHeight(9)), std::tuple(65, 225));

    CEventStore store;
    CEventTypeTable types;
    const uint32_t type = tvtest::AddType(types, "Call", 4, 0x00AA00);
    const DateTime now = At(2008, 1, 16, 10, 0);
    std::vector<uint32_t> ids{4242};  // already deleted: skipped without a band
    for (int i = 0; i < 9; ++i)
        ids.push_back(AddTo(store, OneOff("call " + std::to_string(i), At(2008, 1, 16, 11, i), type)));
    const auto rows = ComingEventRows(store, types, ids, now);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(std::tuple(rows[0].band.top, rows[6].band.bottom), std::tuple(35, 175));
    EXPECT_EQ(std::tuple(rows[0].name, rows[0].icon, rows[0].color), std::tuple("call 0", 4, 0x00AA00u));

    DisplayList list;
    DrawComingEvents(list, store, types, ids, now);
    EXPECT_EQ(std::count_if(list.Ops().begin(), list.Ops().end(),
                            [](const DrawOp& op) { return op.kind == DrawOp::Kind::Icon; }),
              7);
    EXPECT_EQ(std::tuple(list.Ops()[0].kind, list.Ops()[0].rect),
              std::tuple(DrawOp::Kind::RoundShadow, Rect{5, 5, 255, 250}));

    DisplayList empty;
    DrawComingEvents(empty, store, types, {}, now);
    EXPECT_EQ(empty.Ops().back().text, "I have nothing to do today!");
    EXPECT_EQ(empty.Ops().back().pen, DrawColor::FromColorRef(ComingEventsGeometry::kEmptyTextColor));
}
