// The shared colour palette, the sound list and the event-type list dialog's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <set>

#include "TempDir.h"
#include "editing/ColorPaletteTable.h"
#include "editing/SoundList.h"
#include "editing/TypeListModel.h"
#include "store/EventTypeTable.h"

using namespace tv;

namespace {

std::vector<int> Ranks(const CColorPaletteTable& p) {
    std::vector<int> r;
    for (int s = 0; s < CColorPaletteTable::kSlotCount; ++s) r.push_back(p.GetRank(s));
    return r;
}

}  // namespace

TEST(ColorPalette, ChoosingMakesASlotMostRecentAndOtherColoursReplaceTheLeastRecent) {
    CColorPaletteTable p;
    const std::vector<int> before = Ranks(p);
    EXPECT_EQ(before, (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2}));
    EXPECT_EQ(p.ChooseSlot(5), 0x800080u);  // rank 11
    const std::vector<int> after = Ranks(p);
    for (int s = 0; s < 20; ++s) EXPECT_EQ(after[s], s == 5 ? 1 : before[s] < 11 ? before[s] + 1 : before[s]) << s;
    p.ChooseSlot(5);  // choosing the most recent again changes nothing
    EXPECT_EQ(Ranks(p), after);

    p.Reset();
    EXPECT_EQ(p.ChooseOther(0x123456), 10);  // slot 10 (0xF0FBFF) is ranked 20
    EXPECT_EQ(std::tuple(p.GetColor(10), p.GetRank(10), p.GetRank(9)), std::tuple(0x123456u, 1, 20));  // 9 was 19
    EXPECT_EQ(p.FindColor(0xF0FBFF), -1);
    EXPECT_EQ(p.ChooseOther(0x0000FF), 13);  // already present: its slot, no colour lost
    EXPECT_EQ(std::tuple(p.GetRank(13), p.GetRank(10)), std::tuple(1, 2));
    EXPECT_EQ(p.ChooseOther(0xABCDEF), 9);  // now the least recent
    std::vector<int> ranks = Ranks(p), all(20);
    std::sort(ranks.begin(), ranks.end());
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(ranks, all);  // still every rank once
    p.Reset();
    EXPECT_EQ(p.GetColor(10), 0xF0FBFFu);
}

TEST(SoundList, WavFilesInDirectoryOrderWithNoSoundFirst) {
    tvtest::TempDir dir;
    // Names in any script are listed; a name that is not UTF-8 cannot be stored as a text.
    const std::set<std::string> listed = {"Bell.wav",         "ALARM.WAV",
                                          "Ding.Wav",         "Caf\xC3\xA9.wav",
                                          "\xE6\x97\xA5.wav", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x9F\xCE\xA3.WAV"};
    for (const std::string& name : listed) dir.Write(name, "RIFF");
    for (const char* name : {"notes.txt", "wav", ".wavx", "\xFF.wav"}) dir.Write(name, "RIFF");
    std::filesystem::create_directory(dir.File("folder.wav"));

    std::vector<std::string> expected;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        if (listed.count(e.path().filename().string())) expected.push_back(e.path().filename().string());
    const std::vector<std::string> files = ListSoundFiles(dir.Path());
    EXPECT_EQ(files, expected);

    // "<No Sound>" first; the stored name is found in any letter case, Greek capitals against
    // small letters with a final sigma too; a name no file has selects "<No Sound>".
    const SoundChoices c = BuildSoundChoices(files, "alarm.wav");
    ASSERT_EQ(c.entries.size(), files.size() + 1);
    EXPECT_EQ(std::tuple(c.SoundAt(c.selected), c.SoundAt(0)), std::tuple("ALARM.WAV", ""));
    const std::pair<const char*, const char*> found[] = {
        {"CAF\xC3\x89.WAV", "Caf\xC3\xA9.wav"},
        {"\xCF\x83\xCE\xBF\xCF\x86\xCE\xBF\xCF\x82.wav", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x9F\xCE\xA3.WAV"},
        {"Gone.wav", "<No Sound>"},
        {"", "<No Sound>"}};
    for (const auto& [stored, entry] : found)
        EXPECT_EQ(c.entries[BuildSoundChoices(files, stored).selected], entry) << stored;
    EXPECT_TRUE(ListSoundFiles(dir.Path() + "Sound/").empty());
    EXPECT_EQ(BuildSoundChoices({}, "Bell.wav").entries, std::vector<std::string>{"<No Sound>"});
}

namespace {

CEventType Named(const std::string& name, int icon = 0) {
    CEventType t;
    t.SetName(name);
    t.SetIcon(icon);
    return t;
}

struct TypeListFixture {
    CEventTypeTable table;
    int saves = 0;
    bool failSave = false;
    CTypeListModel model{table, [this](CEventTypeTable&) {
                             ++saves;
                             return failSave ? FileResult::Failed("disk full") : FileResult::Ok();
                         }};

    TypeListFixture() {
        for (const char* n : {"Alarm", "Birthday", "Payment"}) {
            CEventType t = Named(n);
            table.AddType(t);
        }
        model.Reload();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const auto& i : model.Items()) n.push_back(i.name);
        return n;
    }
};

}  // namespace

TEST(TypeList, NewTypeGoesToTheTopOfTheListAndTheEndOfTheTable) {
    TypeListFixture f;
    const TypeChangeResult dup = f.model.AddNew(Named("Payment"));
    EXPECT_EQ(std::tuple(dup.outcome, dup.RefusalMessage(), f.saves, f.table.GetCount()),
              std::tuple(TypeChangeResult::Outcome::DuplicateName,
                         "This Event Type has already existed, please choose another name!", 0, 3u));
    EXPECT_TRUE(f.model.AddNew(Named("payment", 6)).Changed());
    EXPECT_EQ(std::tuple(f.saves, f.model.Items()[0].icon), std::tuple(1, 6));
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"payment", "Alarm", "Birthday", "Payment"}));
    f.model.Reload();
    EXPECT_EQ(f.Names().back(), "payment");
}

TEST(TypeList, EditKeepsIdAndPlaceAndAcceptsAnExistingName) {
    TypeListFixture f;
    const uint32_t birthdayId = f.model.Items()[1].id;
    CEventType edited = *f.model.Lookup(1);
    edited.SetName("Alarm");
    edited.SetDefaultDuration(86400);
    EXPECT_TRUE(f.model.Replace(1, edited).Changed());
    EXPECT_EQ(std::tuple(f.saves, f.table.GetAt(1).GetId(), f.table.GetAt(1).GetDefaultDuration()),
              std::tuple(1, birthdayId, 86400));
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"Alarm", "Alarm", "Payment"}));

    // With two equal names the item picked is the type changed, not the first of that name.
    CEventType again = *f.model.Lookup(1);
    EXPECT_EQ(again.GetId(), birthdayId);
    again.SetIcon(9);
    f.model.Replace(1, again);
    EXPECT_EQ(std::tuple(f.table.GetAt(0).GetIcon(), f.table.GetAt(1).GetIcon()), std::tuple(0, 9));
    EXPECT_TRUE(f.model.Remove(1).Changed());
    EXPECT_EQ(f.table.GetCount(), 2u);
    EXPECT_EQ(f.table.GetAt(0).GetId(), f.model.Items()[0].id);
}

TEST(TypeList, DeleteRemovesTheTypeAndSaveFailuresAreReported) {
    TypeListFixture f;
    f.failSave = true;
    const TypeChangeResult r = f.model.Remove(2);
    EXPECT_TRUE(r.Changed() && !r.save.ok);
    EXPECT_EQ(r.save.message, "disk full");
    EXPECT_EQ(std::tuple(f.Names(), f.table.GetCount()), std::tuple(std::vector<std::string>{"Alarm", "Birthday"}, 2u));
    EXPECT_EQ(f.model.Remove(5).outcome, TypeChangeResult::Outcome::NotFound);
    EXPECT_FALSE(f.model.Lookup(5));
}

TEST(TypeEditor, StoreKeepsTheIdAndEveryEditedField) {
    CEventType type(DateTime::FromParts(2024, 1, 1));
    type.SetId(7);
    TypeEditorFields f;
    f.LoadFromType(type);
    EXPECT_EQ(f.name, "Undefined");
    f.name = "Travel";
    f.useDefaultStart = true;
    f.defaultStart = DateTime::FromParts(2024, 8, 1, 6, 0, 0);
    f.defaultDuration = 7200;
    f.defaultRemindBefore = 3600;
    f.font.faceName = "DejaVu Sans";
    f.textColor = 0x0000FF;
    f.sound = "Gentle.wav";
    f.icon = 7;
    CEventType out = type;
    f.StoreToType(out);
    EXPECT_EQ(out.GetId(), 7u);
    TypeEditorFields back;
    back.LoadFromType(out);
    auto fields = [](const TypeEditorFields& e) {
        return std::tie(e.name, e.useDefaultStart, e.defaultStart, e.defaultDuration, e.defaultRemindBefore, e.font,
                        e.textColor, e.backColor, e.sound, e.icon);
    };
    EXPECT_TRUE(fields(back) == fields(f));
}
