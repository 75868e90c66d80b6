// Event types, the type table and Type.ptt.
#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "Events.h"
#include "TempDir.h"

using namespace tv;

namespace {

CEventType Named(const std::string& name) {
    CEventType t(DateTime::FromParts(2026, 1, 1));
    t.SetName(name);
    return t;
}

// One type record exactly as the layout lists it, fonts in alphabetical order.
tvtest::Bytes TypeRecord(uint32_t id, const std::string& name, const std::string& face) {
    // clang-format off
    return tvtest::Bytes()
        // version, useDefaultStart, backColor, textColor
        .i32(1).i32(1).u32(0xC0C0C0).u32(0x0000FF)
        // charset, clip precision, escapement, face, height, italic, orientation, out precision,
        // pitch and family, quality, strike-out, underline, weight, width
        .u8(0).u8(2).i32(0).text(face).i32(-20).u8(1).i32(0).u8(3).u8(34).u8(4).u8(0).u8(1).i32(700).i32(0)
        // duration, remind-before, sound, name, default start, id, icon
        .i32(3600).i32(900).text("Bell.wav").text(name).date(46000.5).u32(id).i32(5);
    // clang-format on
}

}  // namespace

TEST(EventType, DefaultsAndEquality) {
    CEventType t;
    t.SetIcon(16);  // beyond the icon strip
    EXPECT_EQ(std::tuple(t.GetName(), t.GetBackColor(), t.GetFont().faceName, t.GetFont().height, t.GetIcon()),
              std::tuple("Undefined", 0xC0C0C0u, "MS Sans Serif", 6, 0));

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
    EXPECT_EQ(
        std::tuple(t.GetDefaultDuration(), t.GetDefaultRemindBefore(), t.GetSound(), t.GetDefaultStart(), t.GetIcon()),
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
    EXPECT_EQ(std::vector({table.AddType(a), table.AddType(b), table.AddType(c), table.AddType(e1), table.AddType(e2)}),
              std::vector({AddTypeResult::Added, AddTypeResult::DuplicateName, AddTypeResult::Added,
                           AddTypeResult::Added, AddTypeResult::DuplicateName}));
    EXPECT_EQ(std::tuple(a.GetId(), c.GetId()), std::tuple(1u, 2u));

    // Renaming through an edit is not checked (the type list's tests edit); lookups by name
    // then find the first.
    CEventType renamed = c, found;
    renamed.SetName("Birthday");
    EXPECT_TRUE(table.ReplaceType(c.GetId(), renamed));
    ASSERT_TRUE(table.FindByName("Birthday", found));
    EXPECT_EQ(found.GetId(), a.GetId());
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
    EXPECT_EQ(std::tuple(table.GetAt(0).GetName(), table.GetAt(1).GetId()), std::tuple("Gym", 10u));
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
    EXPECT_EQ(std::tuple(table.GetAt(9).GetName(), table.GetAt(9).GetIcon()), std::tuple("Internet", 9));
    CEventType birthday;
    ASSERT_TRUE(table.FindByName("Birthday", birthday));
    EXPECT_EQ(birthday.GetDefaultRemindBefore(), 86400);
    ASSERT_TRUE(table.Save(dir.File("Type.ptt")).ok);
    EXPECT_FALSE(table.HasUnsavedSeed());
}

TEST(TypeTable, TypeMenuListsTypesThenCustomize) {
    CEventTypeTable table;
    tvtest::AddType(table, "Alarm");
    tvtest::AddType(table, "Travel", 7);
    const auto items = table.BuildTypeMenu();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(std::tuple(items[1].commandId, items[1].text, items[1].icon), std::tuple(2025, "Travel", 7));
    EXPECT_EQ(std::tuple(items[2].kind, items[3].commandId, items[3].text),
              std::tuple(TypeMenuItem::Kind::Separator, 3025, "Customize..."));
}
