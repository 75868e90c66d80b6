// The core's texts in another language: translated formats are only taken when they read the
// same arguments, and installed date forms reach the lists.
#include <gtest/gtest.h>

#include <map>

#include "Events.h"
#include "model/PtEvent.h"
#include "texts/DateTexts.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"
#include "views/EventListModel.h"

using namespace tv;
using tvtest::At;

namespace {

std::map<std::string, std::string>& Dictionary() {
    static std::map<std::string, std::string> words;
    return words;
}

std::string LookUp(const char* english) {
    const auto it = Dictionary().find(english);
    return it != Dictionary().end() ? it->second : std::string();
}

// Installs a translator for one test and leaves English behind.
class TranslationTest : public ::testing::Test {
protected:
    void SetUp() override { texts::SetTranslator(LookUp); }
    void TearDown() override {
        texts::SetTranslator(nullptr);
        SetDateTexts(nullptr);
        Dictionary().clear();
    }
};

}  // namespace

TEST(FormatArguments, TranslationsMustReadWhatTheEnglishReads) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Every %d Days", "Alle %d Tage", true},
        {"The %s %s of Every %d Months", "Am %1$s %2$s jedes %3$d. Monats", true},
        {"Every %s %d", "Jedes Jahr am %2$d. %1$s", true},
        {"%ld day,%d hour", "%ld Tag, %d Std.", true},
        {"100%% of %d", "%d zu 100 %%", true},
        {"%d and %d", "%i und %u", true},
        {"Every %d Days", "Alle %s Tage", false},
        {"Every %d Days", "Alle Tage", false},
        {"%ld day", "%d Tag", false},
        {"%s %d", "%2$d %s", false},  // numbered and plain mixed
        {"%d", "%d%", false},
        {"%zu events", "%zu Termine", true},
    };
    for (const auto& c : cases) EXPECT_EQ(texts::SameFormatArguments(c.a, c.b), c.same) << c.a << " | " << c.b;
}

TEST_F(TranslationTest, DescriptionsDurationsAndMessagesComeInTheUsersLanguage) {
    Dictionary() = {{"Every %d Days", "Alle %d Tage"},
                    {"%d hour,%d min", "%d Std., %d Min."},
                    {"Every %s %d", "Jedes Jahr am %2$d. %1$s"},
                    {"Invalid Backup File!", "Keine Sicherungsdatei!"},
                    // A slip that would read a number as a text is not used.
                    {"%ld day", "%s Tage"}};
    CDailyRePattern daily;
    daily.SetInterval(3);
    EXPECT_EQ(daily.GetDescription(), "Alle 3 Tage");
    EXPECT_EQ(FormatDuration(3600 + 120), "1 Std., 2 Min.");
    EXPECT_EQ(FormatDuration(2 * 86400), "2 day");
    EXPECT_EQ(texts::Tr(texts::kInvalidBackup), "Keine Sicherungsdatei!");
    EXPECT_EQ(texts::Tr(texts::kNoSound), "<No Sound>");  // untranslated: the English text
    CYearlyRePattern yearly;
    yearly.SetMonth(3);
    yearly.SetDay(5);
    EXPECT_EQ(yearly.GetDescription(), "Jedes Jahr am 5. Mar");
}

TEST_F(TranslationTest, InstalledDateFormsReachTheLists) {
    struct German final : DateTexts {
        std::string EventTime(const DateTime& t) const override { return t.Format("%d.%m.%Y %H:%M"); }
    } german;
    CEventStore store;
    CEventTypeTable types;
    const uint32_t id = tvtest::AddTo(store, tvtest::OneOff("Zahnarzt", At(2008, 1, 21, 14, 30)));
    EXPECT_EQ(ListCellText(store, types, id, kColTime, At(2008, 1, 1)), "14:30 - Jan 21,2008");
    SetDateTexts(&german);
    EXPECT_EQ(ListCellText(store, types, id, kColTime, At(2008, 1, 1)), "21.01.2008 14:30");
}
