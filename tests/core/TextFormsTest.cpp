// Texts in every script come back from every file kind as typed; damaged wide texts are
// replaced, kept and reported.
#include <gtest/gtest.h>

#include "Scripts.h"
#include "model/TextCodec.h"
#include "shell/AppSettings.h"
#include "store/TransferFiles.h"

using namespace tv;

namespace {

const DateTime kNow = DateTime::FromParts(2026, 12, 6, 10, 0, 0);

// One type and one event whose every text holds text.
struct World {
    CEventTypeTable types;
    CEventStore store;

    World() = default;
    explicit World(const std::string& text) {
        CEventType t(kNow);
        t.SetName(text);
        t.SetSound(text + ".wav");
        LogFont f = t.GetFont();
        f.SetFaceName(text + text);  // some scripts run past the record's 31 units
        t.SetFont(f);
        types.AddType(t);
        CPtEvent ev(kNow);
        ev.SetName(text);
        ev.SetNote(text + "\r\n" + text);
        ev.SetSound(text + ".wav");
        ev.SetType(t.GetId());
        store.Add(ev);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const CEventType& t : types.Snapshot()) out.insert(out.end(), {t.GetName(), t.GetSound(), t.GetFont().faceName});
        store.ForEachEvent([&](const CPtEvent& ev) { out.insert(out.end(), {ev.GetName(), ev.GetNote(), ev.GetSound()}); });
        return out;
    }
};

std::string TableBytes(const CEventTypeTable& types) {
    ArchiveWriter w;
    types.WriteTable(w);
    return w.TakeData();
}

// evty.ptt and evnt.pte of the older product, whose two ignored texts hold text.
std::pair<std::string, std::string> PlumtraceFiles(const World& w, const std::string& text) {
    ArchiveWriter types, events;
    types.WriteU32(1);
    types.WriteU32(2);
    w.types.GetAt(0).Serialize(types);
    events.WriteText("PLUMTRC");
    events.WriteU16(0x0100);
    events.WriteBytes(std::string(513, '\0'));  // two words and the reserved block
    events.WriteText(text);
    events.WriteText(text);
    events.WriteU32(1);
    events.WriteU32(0);
    w.store.ForEachEvent([&](const CPtEvent& ev) { ev.Serialize(events); });
    return {types.TakeData(), events.TakeData()};
}

}  // namespace

TEST(TextForms, EveryScriptComesBackFromEveryFileKind) {
    for (const std::string text : tvtest::kScripts) {
        SCOPED_TRACE(text);
        const World w(text);
        const std::vector<std::string> typed = w.Texts();
        // The face keeps the longest start that fits 31 UTF-16 units, whole characters only.
        const std::string& face = typed[2];
        EXPECT_TRUE((text + text).starts_with(face) && IsValidUtf8(face));
        EXPECT_TRUE(face == text + text || CountUtf16Units(face) >= 30) << CountUtf16Units(face);

        World files;
        EXPECT_EQ(files.store.LoadFromBytes(w.store.SaveToBytes()).status, LoadStatus::Ok);
        EXPECT_EQ(files.types.LoadFromBytes(TableBytes(w.types), "Type.ptt").status, LoadStatus::Ok);
        EXPECT_EQ(files.Texts(), typed);

        World restored;
        const TransferResult r = RestoreBackupFromBytes(BackupToBytes(w.types, w.store), "t.bak", restored.types,
                                                        restored.store);
        EXPECT_TRUE(r.ok() && r.note.empty());
        EXPECT_EQ(restored.Texts(), typed);

        // The type read back equals the one already there, so no starred copy is added.
        World merged(text);
        const TransferResult e = ImportExportBytes(ExportToBytes(w.types, w.store), "t.exp", {}, merged.types,
                                                   merged.store);
        std::vector<std::string> twice = typed;
        twice.insert(twice.end(), typed.begin() + 3, typed.end());
        EXPECT_EQ(std::tuple(e.typesAdded, merged.Texts()), std::tuple(0u, twice));

        World older;
        const auto [typeFile, eventFile] = PlumtraceFiles(w, text);
        EXPECT_TRUE(ImportPlumtraceBytes(typeFile, eventFile, "evty.ptt", "evnt.pte", older.types, older.store).ok());
        std::vector<std::string> starred = typed;
        starred[0] += "*";
        EXPECT_EQ(older.Texts(), starred);

        // A holiday file in UTF-8, and in UTF-16 with its byte-order mark.
        const std::string lines = "Holidays\n" + text + ",1,5,1\n";
        std::string utf16 = "\xFF\xFE";
        for (char16_t unit : Utf8ToUtf16(lines)) utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        for (const std::string& file : {lines, utf16}) {
            World holidays;
            ImportHolidayText(file, holidays.types, holidays.store, kNow);
            EXPECT_EQ(holidays.store.GetPtrById(0x80000001u)->GetName(), text);
        }

        CAppSettings settings;
        LogFont clock = settings.GetClockFont();
        clock.SetFaceName(text);
        settings.SetClockFont(clock);
        settings.SetHalfChime(text + ".wav");
        MemoryKeyValueStore kv;
        settings.Save(kv);
        CAppSettings loaded;
        loaded.Load(kv);
        EXPECT_EQ(std::tuple(loaded.GetClockFont().faceName, loaded.GetHalfChime()), std::tuple(text, text + ".wav"));
    }
}

// A lone surrogate where "В" was: U+FFFD in its place and every record kept. A file the
// program owns is reported as damaged (and so copied aside before it is saved over); a restore
// or an import completes and names the file.
TEST(TextForms, ALoneSurrogateIsReplacedKeptAndReported) {
    // "Вс" in UTF-16LE: the first wide text of each file.
    auto damage = [](std::string bytes) { return bytes.replace(bytes.find("\x12\x04\x41\x04"), 2, "\x00\xD8", 2); };
    const World w("Встреча");
    const std::string replaced = "\xEF\xBF\xBD" "стреча";

    World own;
    const LoadReport events = own.store.LoadFromBytes(damage(w.store.SaveToBytes()));
    const LoadReport types = own.types.LoadFromBytes(damage(TableBytes(w.types)), "Type.ptt");
    for (const LoadReport& r : {events, types}) {
        EXPECT_EQ(std::tuple(r.status, r.itemsRead), std::tuple(LoadStatus::Damaged, 1u));
        EXPECT_NE(r.message.find("1 text holds characters that could not be read"), std::string::npos) << r.message;
    }
    // A type record holds its face first.
    EXPECT_EQ(std::tuple(own.Texts()[2], own.Texts()[3]), std::tuple(replaced + "Встреча", replaced));

    World restored, imported, older;
    const TransferResult backup =
        RestoreBackupFromBytes(damage(BackupToBytes(w.types, w.store)), "x.bak", restored.types, restored.store);
    const TransferResult exported =
        ImportExportBytes(damage(ExportToBytes(w.types, w.store)), "x.exp", {}, imported.types, imported.store);
    const auto [typeFile, eventFile] = PlumtraceFiles(w, "Встреча");
    const TransferResult plumtrace =
        ImportPlumtraceBytes(damage(typeFile), damage(eventFile), "evty.ptt", "evnt.pte", older.types, older.store);
    for (const TransferResult& r : {backup, exported, plumtrace}) {
        EXPECT_TRUE(r.ok()) << r.message;
        EXPECT_EQ(r.eventsAdded, 1u);
    }
    EXPECT_EQ(backup.note.rfind("The file \"x.bak\" is damaged (1 text holds", 0), 0u) << backup.note;
    EXPECT_NE(exported.note.find("\"x.exp\" is damaged"), std::string::npos);
    EXPECT_NE(plumtrace.note.find("\"evty.ptt\" is damaged"), std::string::npos);
    EXPECT_NE(plumtrace.note.find("\"evnt.pte\" is damaged"), std::string::npos);
    EXPECT_EQ(restored.Texts()[2], replaced + "Встреча");
}
