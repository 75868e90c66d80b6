// Event types, the type table and Type.ptt.
#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "TempDir.h"
#include "model/EventTypeTable.h"

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
        .i32(1)         // version
        .i32(1)         // useDefaultStart
        .u32(0xC0C0C0)  // backColor
        .u32(0x0000FF)  // textColor
        .u8(0)          // charset
        .u8(2)          // clip precision
        .i32(0)         // escapement
        .text(face)
        .i32(-20)  // height
        .u8(1)     // italic
        .i32(0)    // orientation
        .u8(3)     // out precision
        .u8(34)    // pitch and family
        .u8(4)     // quality
        .u8(0)     // strike-out
        .u8(1)     // underline
        .i32(700)  // weight
        .i32(0)    // width
        .i32(3600)
        .i32(900)
        .text("Bell.wav")
        .text(name)
        .date(46000.5)
        .u32(id)
        .i32(5);
}

}  // namespace

TEST(EventType, DefaultsAndEquality) {
    CEventType t;
    EXPECT_EQ(t.GetName(), "Undefined");
    EXPECT_EQ(t.GetIcon(), 0);
    EXPECT_EQ(t.GetBackColor(), 0xC0C0C0u);
    EXPECT_EQ(t.GetFont().faceName, "MS Sans Serif");
    EXPECT_EQ(t.GetFont().height, 6);
    EXPECT_EQ(t.GetFont().weight, 20);
    t.SetIcon(16);
    t.SetIcon(-1);
    EXPECT_EQ(t.GetIcon(), 0);

    CEventType a = Named("A"), b = Named("A");
    b.SetId(9);
    EXPECT_TRUE(a.EqualsIgnoringId(b));
    b.SetTextColor(1);
    EXPECT_FALSE(a.EqualsIgnoringId(b));
    b = a;
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
    EXPECT_EQ(t.GetId(), 12u);
    EXPECT_EQ(t.GetName(), "Payment");
    EXPECT_TRUE(t.GetUseDefaultStart());
    EXPECT_EQ(t.GetTextColor(), 0x0000FFu);
    EXPECT_EQ(t.GetFont().faceName, face31);
    EXPECT_EQ(t.GetFont().height, -20);
    EXPECT_EQ(t.GetFont().italic, 1);
    EXPECT_EQ(t.GetFont().clipPrecision, 2);
    EXPECT_EQ(t.GetFont().outPrecision, 3);
    EXPECT_EQ(t.GetFont().quality, 4);
    EXPECT_EQ(t.GetFont().pitchAndFamily, 34);
    EXPECT_EQ(t.GetFont().underline, 1);
    EXPECT_EQ(t.GetFont().weight, 700);
    EXPECT_EQ(t.GetDefaultDuration(), 3600);
    EXPECT_EQ(t.GetDefaultRemindBefore(), 900);
    EXPECT_EQ(t.GetSound(), "Bell.wav");
    EXPECT_EQ(t.GetDefaultStart(), DateTime(46000.5));
    EXPECT_EQ(t.GetIcon(), 5);
    ArchiveWriter w;
    t.Serialize(w);
    EXPECT_EQ(w.Data(), bytes);
}

TEST(EventType, ALongerFaceNameIsCutToTheFontRecord) {
    const std::string bytes = TypeRecord(1, "X", std::string(40, 'G')).str();
    CEventType t;
    ArchiveReader ar(bytes);
    t.Serialize(ar);
    EXPECT_EQ(t.GetFont().faceName, std::string(31, 'G'));
}

TEST(TypeTable, NamesAreUniqueByExactBytes) {
    CEventTypeTable table;
    CEventType a = Named("Birthday"), b = Named("Birthday"), c = Named("birthday");
    EXPECT_EQ(table.AddType(a), AddTypeResult::Added);
    EXPECT_EQ(a.GetId(), 1u);
    EXPECT_EQ(table.AddType(b), AddTypeResult::DuplicateName);
    EXPECT_EQ(table.AddType(c), AddTypeResult::Added);
    EXPECT_EQ(c.GetId(), 2u);
    CEventType e1 = Named(""), e2 = Named("");
    EXPECT_EQ(table.AddType(e1), AddTypeResult::Added);
    EXPECT_EQ(table.AddType(e2), AddTypeResult::DuplicateName);
    EXPECT_EQ(table.GetCount(), 3u);

    // Renaming through an edit is not checked; lookups by name then find the first.
    CEventType renamed = c;
    renamed.SetName("Birthday");
    renamed.SetIcon(7);
    EXPECT_TRUE(table.ReplaceType(c.GetId(), renamed));
    CEventType found;
    ASSERT_TRUE(table.FindByName("Birthday", found));
    EXPECT_EQ(found.GetId(), a.GetId());
    ASSERT_TRUE(table.FindById(c.GetId(), found));
    EXPECT_EQ(found.GetIcon(), 7);
    EXPECT_EQ(table.GetAt(1).GetId(), c.GetId());  // same position
    EXPECT_EQ(table.GetAt(99).GetName(), "Undefined");
}

TEST(TypeTable, FileKeepsIdsSoRemovedIdsAreNeverReused) {
    tvtest::TempDir dir;
    const std::string path = dir.File("Type.ptt");
    const DateTime now = DateTime::FromParts(2026, 1, 1);
    {
        CEventTypeTable table;
        for (const char* n : {"A", "B", "C"}) {
            CEventType t = Named(n);
            table.AddType(t);
        }
        table.RemoveType(3);
        ASSERT_TRUE(table.Save(path).ok);
    }
    // count, nextId, idLimit, records.
    const std::string bytes = dir.Read("Type.ptt");
    ArchiveReader head(bytes);
    EXPECT_EQ(head.ReadU32(), 2u);
    EXPECT_EQ(head.ReadU32(), 4u);
    EXPECT_EQ(head.ReadU32(), 0xFFFFFFFFu);

    CEventTypeTable table;
    EXPECT_EQ(table.Load(path, now).status, LoadStatus::Ok);
    ASSERT_EQ(table.GetCount(), 2u);
    CEventType d = Named("D");
    table.AddType(d);
    EXPECT_EQ(d.GetId(), 4u);
}

TEST(TypeTable, AFileBuiltFromTheLayoutReadsBack) {
    tvtest::TempDir dir;
    dir.Write("Type.ptt", tvtest::Bytes()
                              .u32(2)
                              .u32(31)
                              .u32(0xFFFFFFFFu)
                              .append(TypeRecord(30, "Gym", "Arial"))
                              .append(TypeRecord(10, "Vet", "Tahoma"))
                              .str());
    CEventTypeTable table;
    EXPECT_EQ(table.Load(dir.File("Type.ptt"), DateTime()).status, LoadStatus::Ok);
    ASSERT_EQ(table.GetCount(), 2u);
    EXPECT_EQ(table.GetAt(0).GetName(), "Gym");
    EXPECT_EQ(table.GetAt(1).GetId(), 10u);
    EXPECT_EQ(table.GetNextId(), 31u);
}

TEST(TypeTable, MissingFileSeedsTheShippedTypesUntilSaved) {
    tvtest::TempDir dir;
    CEventTypeTable table;
    EXPECT_EQ(table.Load(dir.File("Type.ptt"), DateTime::FromParts(2026, 2, 3)).status, LoadStatus::Missing);
    ASSERT_EQ(table.GetCount(), 10u);
    EXPECT_TRUE(table.HasUnsavedSeed());
    const char* names[] = {"Alarm",   "Birthday", "Appointment", "Holiday",      "Phone Call",
                           "Meeting", "Payment",  "Travel",      "TV Programme", "Internet"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(table.GetAt(i).GetName(), names[i]);
        EXPECT_EQ(table.GetAt(i).GetIcon(), i);
    }
    CEventType birthday;
    ASSERT_TRUE(table.FindByName("Birthday", birthday));
    EXPECT_EQ(birthday.GetDefaultRemindBefore(), 86400);
    ASSERT_TRUE(table.Save(dir.File("Type.ptt")).ok);
    EXPECT_FALSE(table.HasUnsavedSeed());
}

TEST(TypeTable, DamagedFileKeepsWhatWasReadAndIsCopiedBeforeSaving) {
    tvtest::TempDir dir;
    const std::string good = tvtest::Bytes().u32(3).u32(4).u32(0xFFFFFFFFu).append(TypeRecord(1, "One", "Arial")).str();
    const std::string damaged = good + TypeRecord(2, "Two", "Arial").str().substr(0, 20);
    dir.Write("Type.ptt", damaged);
    CEventTypeTable table;
    const LoadReport r = table.Load(dir.File("Type.ptt"), DateTime());
    EXPECT_EQ(r.status, LoadStatus::Damaged);
    EXPECT_NE(r.message.find("damaged"), std::string::npos);
    ASSERT_EQ(table.GetCount(), 1u);
    const FileResult saved = table.Save(dir.File("Type.ptt"));
    ASSERT_TRUE(saved.ok);
    EXPECT_NE(saved.note.find(".damaged-"), std::string::npos);
    int copies = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path()))
        if (e.path().filename().string().rfind("Type.ptt.damaged-", 0) == 0) {
            ++copies;
            EXPECT_EQ(dir.Read(e.path().filename().string()), damaged);
        }
    EXPECT_EQ(copies, 1);
}

TEST(TypeTable, RepeatedIdsInAFileAreRenumbered) {
    tvtest::TempDir dir;
    dir.Write("Type.ptt", tvtest::Bytes()
                              .u32(2)
                              .u32(3)
                              .u32(0xFFFFFFFFu)
                              .append(TypeRecord(2, "A", "Arial"))
                              .append(TypeRecord(2, "B", "Arial"))
                              .str());
    CEventTypeTable table;
    EXPECT_EQ(table.Load(dir.File("Type.ptt"), DateTime()).renumbered, 1u);
    CEventType a, b;
    ASSERT_TRUE(table.FindByName("A", a));
    ASSERT_TRUE(table.FindByName("B", b));
    EXPECT_NE(a.GetId(), b.GetId());
    EXPECT_TRUE(table.RemoveType(b.GetId()));
    EXPECT_TRUE(table.FindById(a.GetId(), a));
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
    EXPECT_EQ(items[1].commandId, 2025);
    EXPECT_EQ(items[1].text, "Travel");
    EXPECT_EQ(items[1].icon, 7);
    EXPECT_EQ(items[2].kind, TypeMenuItem::Kind::Separator);
    EXPECT_EQ(items[3].commandId, 3025);
    EXPECT_EQ(items[3].text, "Customize...");
}
