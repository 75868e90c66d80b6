// Event types, the type table and Type.ptt.
#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "TempDir.h"
#include "store/EventTypeTable.h"

using namespace tv;

namespace {

CEventType Named(const std::string& name) {
    CEventType t(DateTime::FromParts(2026, 1, 1));
    t.SetName(name);
    return t;
}

// One type record exactly as the layout lists it, fonts in alphabetical order.
tvtest::Bytes TypeRecord(uint32_t id, const std::string& name, const std::string& face) {
    return tvtest::Bytes()
        // version, useDefaultStart, backColor, textColor
        .i32(1).i32(1).u32(0xC0C0C0).u32(0x0000FF)
        // charset, clip precision, escapement, face, height, italic, orientation, out precision,
        // pitch and family, quality, strike-out, underline, weight, width
        .u8(0).u8(2).i32(0).text(face).i32(-20).u8(1).i32(0).u8(3).u8(34).u8(4).u8(0).u8(1).i32(700).i32(0)
        // duration, remind-before, sound, name, default start, id, icon
        .i32(3600).i32(900).text("Bell.wav").text(name).date(46000.5).u32(id).i32(5);
}

}  // namespace

TEST(EventType, DefaultsAndEquality) {
    CEventType t;
    EXPECT_EQ(t.GetName(), "Undefined");
    EXPECT_EQ(t.GetBackColor(), 0xC0C0C0u);
    EXPECT_EQ(t.GetFont().faceName, "MS Sans Serif");
    EXPECT_EQ(t.GetFont().height, 6);
    t.SetIcon(16);
    EXPECT_EQ(t.GetIcon(), 0);

    CEventType a = Named("A"), b = Named("A");
    b.SetId(9);
    EXPECT_TRUE(a.EqualsIgnoringId(b));
    LogFont f = b.GetFont();
    f.italic = 1;
    b.SetFont(f);
    EXPECT_FALSE(a.EqualsIgnoringId(b));
}

TEST(EventType, RecordMatchesTheLayoutByteForByte) {
    const std::string face31(31, 'F');
    const std::string bytes = TypeRecord(12, "Payment", face31).str();
    CEventType t;
    ArchiveReader ar(bytes);
    t.Serialize(ar);
    EXPECT_TRUE(ar.AtEnd());
    // Each field from its own place (a pair swapped alike on reading and writing would still
    // write the same bytes back).
    EXPECT_EQ(std::tuple(t.GetId(), t.GetName(), t.GetUseDefaultStart(), t.GetBackColor(), t.GetTextColor()),
              std::tuple(12u, "Payment", true, 0xC0C0C0u, 0x0000FFu));
    EXPECT_EQ(t.GetFont(), (LogFont{-20, 0, 0, 0, 700, 1, 1, 0, 0, 3, 2, 4, 34, face31}));
    EXPECT_EQ(std::tuple(t.GetDefaultDuration(), t.GetDefaultRemindBefore(), t.GetSound(), t.GetDefaultStart(), t.GetIcon()),
              std::tuple(3600, 900, "Bell.wav", DateTime(46000.5), 5));
    ArchiveWriter w;
    t.Serialize(w);
    EXPECT_EQ(w.Data(), bytes);

    // A longer face name is cut to the font record's 31 characters.
    const std::string longFace = TypeRecord(1, "X", std::string(40, 'G')).str();
    ArchiveReader lr(longFace);
    t.Serialize(lr);
    EXPECT_EQ(t.GetFont().faceName, std::string(31, 'G'));
}

TEST(TypeTable, NamesAreUniqueByExactBytes) {
    CEventTypeTable table;
    CEventType a = Named("Birthday"), b = Named("Birthday"), c = Named("birthday"), e1 = Named(""), e2 = Named("");
    EXPECT_EQ(table.AddType(a), AddTypeResult::Added);
    EXPECT_EQ(table.AddType(b), AddTypeResult::DuplicateName);
    EXPECT_EQ(table.AddType(c), AddTypeResult::Added);
    EXPECT_EQ(std::tuple(a.GetId(), c.GetId()), std::tuple(1u, 2u));
    EXPECT_EQ(table.AddType(e1), AddTypeResult::Added);
    EXPECT_EQ(table.AddType(e2), AddTypeResult::DuplicateName);

    // Renaming through an edit is not checked; lookups by name then find the first.
    CEventType renamed = c;
    renamed.SetName("Birthday");
    renamed.SetIcon(7);
    EXPECT_TRUE(table.ReplaceType(c.GetId(), renamed));
    CEventType found;
    ASSERT_TRUE(table.FindByName("Birthday", found));
    EXPECT_EQ(found.GetId(), a.GetId());
    EXPECT_EQ(table.GetAt(1).GetIcon(), 7);  // same position
    EXPECT_EQ(table.GetAt(99).GetName(), "Undefined");
}

TEST(TypeTable, FileBuiltFromTheLayoutReadsBackAndKeepsItsNextId) {
    tvtest::TempDir dir;
    const std::string bytes = tvtest::Bytes()
                                  .u32(2)
                                  .u32(40)  // above every id held: type 39 was removed once
                                  .u32(0xFFFFFFFFu)
                                  .append(TypeRecord(30, "Gym", "Arial"))
                                  .append(TypeRecord(10, "Vet", "Tahoma"))
                                  .str();
    dir.Write("Type.ptt", bytes);
    CEventTypeTable table;
    EXPECT_EQ(table.Load(dir.File("Type.ptt"), DateTime()).status, LoadStatus::Ok);
    ASSERT_EQ(table.GetCount(), 2u);
    EXPECT_EQ(table.GetAt(0).GetName(), "Gym");
    EXPECT_EQ(table.GetAt(1).GetId(), 10u);
    ASSERT_TRUE(table.Save(dir.File("Type.ptt")).ok);
    EXPECT_EQ(dir.Read("Type.ptt"), bytes);
    // Ids of removed types are never handed out again, even after a restart.
    CEventType d = Named("D");
    table.AddType(d);
    EXPECT_EQ(d.GetId(), 40u);
}

TEST(TypeTable, MissingFileSeedsTheShippedTypesUntilSaved) {
    tvtest::TempDir dir;
    CEventTypeTable table;
    EXPECT_EQ(table.Load(dir.File("Type.ptt"), DateTime::FromParts(2026, 2, 3)).status, LoadStatus::Missing);
    ASSERT_EQ(table.GetCount(), 10u);
    EXPECT_TRUE(table.HasUnsavedSeed());
    EXPECT_EQ(table.GetAt(9).GetName(), "Internet");
    EXPECT_EQ(table.GetAt(9).GetIcon(), 9);
    CEventType birthday;
    ASSERT_TRUE(table.FindByName("Birthday", birthday));
    EXPECT_EQ(birthday.GetDefaultRemindBefore(), 86400);
    ASSERT_TRUE(table.Save(dir.File("Type.ptt")).ok);
    EXPECT_FALSE(table.HasUnsavedSeed());
}

TEST(TypeTable, TypeMenuListsTypesThenCustomize) {
    CEventTypeTable table;
    CEventType a = Named("Alarm"), b = Named("Travel");
    b.SetIcon(7);
    table.AddType(a);
    table.AddType(b);
    const auto items = table.BuildTypeMenu();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].commandId, 2024);
    EXPECT_EQ(std::tuple(items[1].commandId, items[1].text, items[1].icon), std::tuple(2025, "Travel", 7));
    EXPECT_EQ(items[2].kind, TypeMenuItem::Kind::Separator);
    EXPECT_EQ(std::tuple(items[3].commandId, items[3].text), std::tuple(3025, std::string("Customize...")));
}
