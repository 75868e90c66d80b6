// The date-time value, the time span and the archive coding.
#include <gtest/gtest.h>

#include <cmath>

#include "ByteBuilder.h"
#include "model/Archive.h"
#include "model/DateTime.h"
#include "model/PtEvent.h"

using namespace tv;

// The classic day count: days since 30 December 1899 plus seconds / 86400, computed in one
// division so that stored files match; before day 0 the time still counts forward.
TEST(DateTime, PartsAndDayCountsAcrossTheCalendar) {
    struct Case {
        int y, mo, d, h, mi, s, dow, doy;
        double days;
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 7, 364, 0.0},
        {1900, 1, 1, 0, 0, 0, 2, 1, 2.0},
        {2000, 2, 29, 23, 59, 59, 3, 60, 36585.0 + 86399.0 / 86400.0},
        {2008, 1, 21, 15, 31, 23, 2, 21, 39468.0 + 55883.0 / 86400.0},
        {2024, 12, 31, 12, 0, 0, 3, 366, 45657.5},
        {9999, 12, 31, 23, 59, 59, 6, 365, 2958465.0 + 86399.0 / 86400.0},
        {100, 1, 1, 6, 0, 0, 6, 1, -657434.25},
    };
    for (const Case& c : cases) {
        const DateTime dt = DateTime::FromParts(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(dt.Days(), c.days) << c.y;
        DateParts p;
        ASSERT_TRUE(DateTime(c.days).GetParts(p)) << c.y;
        EXPECT_EQ(std::tie(p.year, p.month, p.day, p.hour, p.minute, p.second, p.dayOfWeek, p.dayOfYear),
                  std::tie(c.y, c.mo, c.d, c.h, c.mi, c.s, c.dow, c.doy));
    }
}

// Day numbers become dates by two methods, a quick one near our era and the general one beyond
// it: every day from before the first representable one to well past both seams walks the
// calendar one day at a time and counts back to itself.
TEST(DateTime, EveryDayNumberIsTheDayAfterItsPredecessor) {
    int y = 0, m = 0, d = 0;
    const int64_t first = -2100000, last = 20100000;
    CivilFromDayNumber(first, y, m, d);
    ASSERT_EQ(DayNumberFromCivil(y, m, d), first);
    for (int64_t n = first + 1; n <= last; ++n) {
        int py = y, pm = m, pd = d;
        CivilFromDayNumber(n, y, m, d);
        const bool next = pd < DaysInMonth(py, pm) ? std::tie(y, m, d) == std::tuple(py, pm, pd + 1)
                          : pm < 12                ? std::tie(y, m, d) == std::tuple(py, pm + 1, 1)
                                                   : std::tie(y, m, d) == std::tuple(py + 1, 1, 1);
        if (!next || DayNumberFromCivil(y, m, d) != n) FAIL() << n << ": " << y << "-" << m << "-" << d;
    }
}

TEST(DateTime, ImpossiblePartsGiveInvalid) {
    for (DateTime bad :
         {DateTime::FromParts(2003, 2, 29), DateTime::FromParts(2002, 4, 31), DateTime::FromParts(2002, 13, 1),
          DateTime::FromParts(2002, 1, 1, 24, 0, 0), DateTime::FromParts(99, 1, 1),
          DateTime::FromParts(2002, 1, 1).WithTimeOf(DateTime::Invalid())})
        EXPECT_EQ(bad.Status(), DateTimeStatus::Invalid) << bad.Days();
    EXPECT_EQ(std::tuple(DateTime::Null().GetDay(), DateTime(1e300).GetYear(), DateTime(std::nan("")).GetMonth()),
              std::tuple(-1, -1, -1));
}

TEST(DateTime, ArithmeticCountsTimeForwardAndKeepsStatuses) {
    const DateTime d(-1.25);  // 29 Dec 1899, 06:00
    EXPECT_DOUBLE_EQ(d.Linear(), -0.75);
    EXPECT_LT(d, DateTime(-1.5));  // -1.5 is 29 Dec 12:00, later than 06:00
    EXPECT_LT(DateTime(-1.5), DateTime(0.0));
    const DateTime later = d + TimeSpan(1.0);  // 30 Dec 1899, 06:00
    EXPECT_DOUBLE_EQ(later.Days(), 0.25);
    EXPECT_DOUBLE_EQ((DateTime(0.25) - TimeSpan(0.5)).Days(), -1.75);
    EXPECT_DOUBLE_EQ((DateTime(0.25) - DateTime(-1.25)).Days(), 1.0);

    const DateTime valid = DateTime::FromParts(2020, 5, 1);
    EXPECT_EQ((DateTime::Invalid() + TimeSpan(1.0)).Status(), DateTimeStatus::Invalid);
    EXPECT_EQ((valid + TimeSpan(1.0, DateTimeStatus::Invalid)).Status(), DateTimeStatus::Invalid);
    EXPECT_EQ((valid - DateTime::Null()).Status(), DateTimeStatus::Null);
    EXPECT_EQ((DateTime::FromParts(9999, 12, 31) + TimeSpan(2.0)).Status(), DateTimeStatus::Invalid);
    // 23:59:59.9999 rounds to the next day, as every part query does.
    const DateTime almost(40000.0 + 86399.99995 / 86400.0);
    EXPECT_EQ(almost.GetDay(), DateTime(40001.0).GetDay());
    EXPECT_EQ(almost.DateOnly().Days(), 40001.0);
}

TEST(DateTime, FormatsWithTheCLibraryCodesAndParsesIsoText) {
    // (The views, lists and clock test the codes they use.)
    const DateTime d = DateTime::FromParts(2008, 1, 21, 15, 31, 23);
    EXPECT_EQ(d.Format("%A %B %p") + DateTime::Invalid().Format("%Y"), "Monday January PM");
    EXPECT_EQ(d.ToIsoText() + DateTime::Null().ToIsoText() + DateTime::Invalid().ToIsoText(),
              "2008-01-21 15:31:23nullinvalid");
    // The command line's dates.
    const std::pair<const char*, DateTime> good[] = {
        {"2026-03-05", DateTime::FromParts(2026, 3, 5)},
        {"2026-03-05 09:30", DateTime::FromParts(2026, 3, 5, 9, 30, 0)},
        {"2026-03-05T09:30:15", DateTime::FromParts(2026, 3, 5, 9, 30, 15)}};
    for (const auto& [text, date] : good) EXPECT_EQ(DateTime::ParseIso(text), date) << text;
    for (const char* bad : {"2026-02-30", "tomorrow", "2026-03-05 09:30junk"})
        EXPECT_FALSE(DateTime::ParseIso(bad).IsValid()) << bad;
}

TEST(TimeSpan, SecondsSurviveTheDayFractionForEveryCommonLength) {
    // A remind-before is stored as a day fraction and read back in seconds: it must come back
    // exactly, for every length a user can enter in the duration fields.
    for (int seconds = 0; seconds <= 40 * 86400; seconds += 7) {
        CPtEvent ev;
        ev.SetRemindBefore(seconds);
        ASSERT_EQ(ev.GetRemindBefore(), seconds);
    }
    EXPECT_EQ(TimeSpan::FromParts(1, 2, 3, 4).Days(), 1.0 + 2.0 / 24 + 3.0 / 1440 + 4.0 / 86400);
    EXPECT_EQ(TimeSpan(0.5).GetTotalSeconds(), 43200);
    EXPECT_EQ(TimeSpan(-1.5).GetDays(), -1);
}

TEST(Archive, LittleEndianFieldsAndTheTextForms) {
    ArchiveWriter w;
    w.WriteU16(0x0100);
    w.WriteU32(0x80000001u);
    w.WriteDateTime(DateTime(-1.25, DateTimeStatus::Null));
    EXPECT_EQ(w.Data(), tvtest::Bytes().u16(0x0100).u32(0x80000001u).date(-1.25, 2).str());

    // Each text with the start of its stored form, built by hand from the layout: Windows-1252
    // bytes where the code page holds the text, else FF FE FF, the length in UTF-16 units, the
    // units little-endian. Both lengths take the 1-, 3- and 7-byte prefix forms.
    using tvtest::Bytes;
    const Bytes wide = Bytes().u8(0xFF).u16(0xFFFE);
    // clang-format off
    const std::pair<std::string, std::string> forms[] = {
        {"", std::string("\x00", 1)}, {std::string(254, 'q'), "\xFE"}, {"café €", "\x06" "caf\xE9 \x80"},
        {std::string(255, 'q'), Bytes().u8(0xFF).u16(255).str()},
        {std::string(0xFFFD, 'q'), Bytes().u8(0xFF).u16(0xFFFD).str()},
        {std::string(0xFFFE, 'q'), Bytes().u8(0xFF).u16(0xFFFF).u32(0xFFFE).str()},
        {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x05\x81\x8D\x8F\x90\x9D"},  // the undefined bytes
        {"Жé", Bytes(wide).u8(2).u16(0x0416).u16(0x00E9).str()},
        {"🎂", Bytes(wide).u8(2).u16(0xD83C).u16(0xDF82).str()},
        {"Ж" + std::string(254, 'q'), Bytes(wide).u8(0xFF).u16(255).u16(0x0416).str()},
        {"Ж" + std::string(0xFFFD, 'q'), Bytes(wide).u8(0xFF).u16(0xFFFF).u32(0xFFFE).u16(0x0416).str()},
    };
    // clang-format on
    for (const auto& [text, stored] : forms) {
        ArchiveWriter t;
        t.WriteText(text);
        t.WriteU8(7);
        EXPECT_EQ(t.Data().substr(0, stored.size()), stored) << text.substr(0, 8);
        ArchiveReader r(t.Data());
        EXPECT_EQ(r.ReadText(), text);
        EXPECT_EQ(r.ReadU8(), 7);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, NeverTrustsALength) {
    // The wide form of a text the code page holds reads as that text. Invalid UTF-16 becomes
    // U+FFFD and reading goes on; a length past the end (four billion, or a file ending inside
    // a code unit) or a second marker stops before anything is allocated. (The damaged-file
    // tests give a narrow text a length of four billion.)
    using tvtest::Bytes;
    using Kind = ArchiveError::Kind;
    const Bytes wide = Bytes().u8(0xFF).u16(0xFFFE);
    const struct Case {
        std::string bytes;
        const char* text;  // nullptr: an error of kind
        size_t damaged;
        Kind kind;
    } cases[] = {
        // clang-format off
        {Bytes(wide).u8(4).u16('c').u16('a').u16('f').u16(0xE9).str(), "café", 0, {}},
        {Bytes(wide).u8(2).u16(0xD800).u16('A').str(), "\xEF\xBF\xBD" "A", 1, {}},
        {Bytes(wide).u8(2).u16(0xDC00).u16(0xD800).str(), "\xEF\xBF\xBD\xEF\xBF\xBD", 1, {}},
        {Bytes(wide).u8(2).u16('A').u8('B').str(), nullptr, 0, Kind::EndOfFile},
        {Bytes(wide).u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFFu).raw("abc").str(), nullptr, 0, Kind::EndOfFile},
        {Bytes(wide).append(wide).u8(1).u16('A').str(), nullptr, 0, Kind::BadData},
        // clang-format on
    };
    for (const Case& c : cases) {
        ArchiveReader r(c.bytes);
        try {
            EXPECT_EQ(r.ReadText(), c.text ? c.text : "(an error)");
            EXPECT_TRUE(r.AtEnd());
            EXPECT_EQ(r.DamagedTexts(), c.damaged);
        } catch (const ArchiveError& e) {
            EXPECT_TRUE(!c.text && e.GetKind() == c.kind) << c.bytes.size();
        }
    }
    ArchiveReader shortInt(std::string("\x01\x02", 2));
    EXPECT_THROW(shortInt.ReadU32(), ArchiveError);
    EXPECT_EQ(shortInt.Position(), 0u);
    // A status no writer produces reads as invalid.
    const std::string oddStatus = tvtest::Bytes().date(5.0, 9).str();
    ArchiveReader st(oddStatus);
    EXPECT_EQ(st.ReadDateTime().Status(), DateTimeStatus::Invalid);
}
