// Texts in every script come back from every file kind as typed; a damaged wide text is
// replaced, kept and reported.
#include <gtest/gtest.h>

#include "Scripts.h"
#include "model/TextCodec.h"
#include "store/TransferFiles.h"

using namespace tv;

namespace {

// One type and one event whose every text holds text; the face runs past 31 UTF-16 units for
// some scripts.
struct World {
    CEventTypeTable types;
    CEventStore store;

    World() = default;
    explicit World(const std::string& text) {
        CEventType t;
        LogFont f = t.GetFont();
        f.SetFaceName(text + text);
        t.SetFont(f);
        t.SetName(text);
        t.SetSound(text + ".wav");
        types.AddType(t);
        CPtEvent ev;
        ev.SetName(text);
        ev.SetNote(text + "\r\n" + text);
        ev.SetSound(text + ".wav");
        ev.SetType(t.GetId());
        store.Add(ev);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const CEventType& t : types.Snapshot())
            out.insert(out.end(), {t.GetFont().faceName, t.GetSound(), t.GetName()});
        store.ForEachEvent([&](const CPtEvent& ev) {
            out.insert(out.end(), {std::string(ev.GetName()), std::string(ev.GetNote()), std::string(ev.GetSound())});
        });
        return out;
    }
    std::string TypeFile() const {
        ArchiveWriter w;
        types.WriteTable(w);
        return w.TakeData();
    }
    // evnt.pte of the older product, its two ignored texts holding text; evty.ptt is Type.ptt
    // without the id limit.
    std::pair<std::string, std::string> PlumtraceFiles(const std::string& text) const {
        ArchiveWriter events;
        events.WriteText("PLUMTRC");
        events.WriteBytes(std::string(515, '\0'));  // version, two words, the reserved block
        events.WriteText(text);
        events.WriteText(text);
        events.WriteU32(1);
        events.WriteU32(0);
        store.ForEachEvent([&](const CPtEvent& ev) { ev.Serialize(events); });
        return {TypeFile().erase(8, 4), events.TakeData()};
    }
};

}  // namespace

TEST(TextForms, EveryScriptComesBackFromEveryFileKind) {
    for (const std::string text : tvtest::kScripts) {
        SCOPED_TRACE(text);
        const World w(text);
        const std::vector<std::string> typed = w.Texts();
        // The face keeps the longest start that fits 31 UTF-16 units, whole characters only.
        EXPECT_TRUE((text + text).starts_with(typed[0]) && IsValidUtf8(typed[0]));
        EXPECT_TRUE(typed[0] == text + text || Utf8ToUtf16(typed[0]).size() >= 30);

        World files, restored, merged(text), older;
        EXPECT_EQ(files.store.LoadFromBytes(w.store.SaveToBytes()).status, LoadStatus::Ok);
        EXPECT_EQ(files.types.LoadFromBytes(w.TypeFile(), "Type.ptt").status, LoadStatus::Ok);
        EXPECT_EQ(files.Texts(), typed);
        EXPECT_TRUE(RestoreBackupFromBytes(BackupToBytes(w.types, w.store), "b", restored.types, restored.store).ok());
        EXPECT_EQ(restored.Texts(), typed);
        // The type read back equals the one there already, so no starred copy is added.
        ImportExportBytes(ExportToBytes(w.types, w.store), "e", {}, merged.types, merged.store);
        std::vector<std::string> twice = typed;
        twice.insert(twice.end(), typed.begin() + 3, typed.end());
        EXPECT_EQ(merged.Texts(), twice);
        const auto [typeFile, eventFile] = w.PlumtraceFiles(text);
        EXPECT_TRUE(ImportPlumtraceBytes(typeFile, eventFile, "t", "e", older.types, older.store).ok());
        EXPECT_EQ(std::tuple(older.Texts()[2], older.Texts()[3]), std::tuple(text + "*", text));

        // A holiday file in UTF-8, and in UTF-16 with its byte-order mark.
        const std::string lines = "Holidays\n" + text + ",1,5,1\n";
        std::string utf16 = "\xFF\xFE";
        for (char16_t unit : Utf8ToUtf16(lines))
            utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        for (const std::string& file : {lines, utf16}) {
            World holidays;
            ImportHolidayText(file, holidays.types, holidays.store, DateTime::FromParts(2026, 12, 6));
            EXPECT_EQ(holidays.Texts().at(0), text);
        }
    }
}

// A lone surrogate where "В" was: U+FFFD in its place, every record kept. A file the program
// owns is reported as damaged (so it is copied aside before it is saved over); a restore or an
// import completes and names the file.
TEST(TextForms, ALoneSurrogateIsReplacedKeptAndReported) {
    auto damage = [](std::string bytes) { return bytes.replace(bytes.find("\x12\x04\x41\x04"), 2, "\x00\xD8", 2); };
    const World w("Встреча");
    const std::string replaced = "\xEF\xBF\xBDстреча";
    World own, restored, imported, older;
    for (const LoadReport& r : {own.store.LoadFromBytes(damage(w.store.SaveToBytes())),
                                own.types.LoadFromBytes(damage(w.TypeFile()), "Type.ptt")}) {
        EXPECT_EQ(std::tuple(r.status, r.itemsRead), std::tuple(LoadStatus::Damaged, 1u));
        EXPECT_NE(r.message.find("1 text holds characters that could not be read"), std::string::npos) << r.message;
    }
    EXPECT_EQ(std::tuple(own.Texts()[0], own.Texts()[3]), std::tuple(replaced + "Встреча", replaced));

    const auto [typeFile, eventFile] = w.PlumtraceFiles("Встреча");
    const TransferResult results[] = {
        RestoreBackupFromBytes(damage(BackupToBytes(w.types, w.store)), "x.bak", restored.types, restored.store),
        ImportExportBytes(damage(ExportToBytes(w.types, w.store)), "x.exp", {}, imported.types, imported.store),
        ImportPlumtraceBytes(damage(typeFile), damage(eventFile), "evty.ptt", "evnt.pte", older.types, older.store)};
    for (const TransferResult& r : results) EXPECT_TRUE(r.ok() && r.eventsAdded == 1) << r.message;
    EXPECT_EQ(results[0].note.rfind("The file \"x.bak\" is damaged (1 text holds", 0), 0u) << results[0].note;
    EXPECT_NE(results[1].note.find("\"x.exp\" is damaged"), std::string::npos);
    EXPECT_NE(results[2].note.find("\"evty.ptt\" is damaged (1 text holds"), std::string::npos);
    EXPECT_NE(results[2].note.find("\"evnt.pte\" is damaged (1 text holds"), std::string::npos);
    EXPECT_EQ(restored.Texts()[0], replaced + "Встреча");
}

// The loader decides by it whether a text needs converting; one high byte anywhere, before,
// inside or after a whole eight-byte word, is enough to need it.
TEST(TextForms, OnlyTextsOfSevenBitBytesCountAsAscii) {
    for (size_t length = 0; length <= 24; ++length) {
        std::string text(length, 'a');
        EXPECT_TRUE(IsAscii(text)) << length;
        for (size_t at = 0; at < length; ++at) {
            for (const char high : {'\x80', '\xE9', '\xFF'}) {
                text[at] = high;
                EXPECT_FALSE(IsAscii(text)) << length << " " << at;
            }
            text[at] = '\x7F';
            EXPECT_TRUE(IsAscii(text)) << length << " " << at;
            text[at] = 'a';
        }
    }
}
