// The preferences and window positions: defaults, round trips and damaged values.
#include <gtest/gtest.h>

#include "shell/AppSettings.h"
#include "shell/WindowSettings.h"

using namespace tv;

namespace {

std::string OfficeStart(const CAppSettings& s) {
    DateTime start, end;
    s.GetOfficeHours(start, end);
    return start.ToIsoText() + " " + end.Format("%H:%M");
}

}  // namespace

TEST(AppSettings, EmptyStoreGivesTheDocumentedDefaults) {
    MemoryKeyValueStore store;
    CAppSettings s;
    s.Load(store);
    EXPECT_TRUE(s.GetRun() && s.GetReminderOnTop() && s.GetShowClock() && !s.GetShowMainWnd());
    EXPECT_EQ(std::tuple(s.GetClockBk(), s.GetClockText(), s.GetHalfChime(), s.GetSharpChime()),
              std::tuple(0u, 0x0000FFFFu, "Chime.WAV", "Sen.WAV"));
    EXPECT_TRUE(s.IsHalfChimeEnabled() && s.IsSharpChimeEnabled());
    EXPECT_EQ(s.GetClockFont(), (LogFont{14, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"}));
    EXPECT_EQ(std::tuple(s.GetTimePattern(), s.GetClockFormat()),
              std::tuple("hh:nn:ss - m dd,yyyy", "%H:%M:%S - %b %d,%Y"));
    EXPECT_EQ(OfficeStart(s), "1899-12-30 09:00:00 17:00");
    EXPECT_EQ(store.Size(), 0u) << "loading must not write";
}

TEST(AppSettings, OfficeHoursAreHourTimesHundredPlusMinute) {
    MemoryKeyValueStore store;
    store.WriteNumber("Var", "StartTime", 930);
    store.WriteNumber("Var", "EndTime", 1745);
    CAppSettings s;
    s.Load(store);
    EXPECT_EQ(OfficeStart(s), "1899-12-30 09:30:00 17:45");
    // Impossible times keep the defaults.
    for (int64_t bad : {2575LL, 1260LL, -5LL, 0xFFFFFFFFLL}) {
        store.WriteNumber("Var", "StartTime", bad);
        CAppSettings fresh;
        fresh.Load(store);
        EXPECT_EQ(OfficeStart(fresh), "1899-12-30 09:00:00 17:45") << bad;
    }
    EXPECT_EQ(std::tuple(DecodeOfficeTime(0).ToIsoText(), EncodeOfficeTime(DateTime::FromParts(1899, 12, 30, 23, 59))),
              std::tuple("1899-12-30 00:00:00", 2359));
}

TEST(AppSettings, EveryValueRoundTripsThroughTheStore) {
    CAppSettings s;
    s.SetRun(false);
    s.SetReminderOnTop(false);
    s.SetShowClock(false);
    s.SetShowMainWnd(true);
    s.SetClockBk(0x00102030);
    s.SetClockText(0x00FFFFFF);
    s.SetHalfChime("");
    s.SetSharpChime("Bell.wav");
    const LogFont f{-20, 7, 1, 2, 700, 1, 1, 1, 238, 3, 4, 5, 34, "DejaVu Sans"};
    s.SetClockFont(f);
    s.SetTimePattern("h:nn:ss %p dd,M,yyyy");
    s.SetOfficeHours(DateTime::FromParts(1899, 12, 30, 8, 15), DateTime::FromParts(1899, 12, 30, 18, 5));

    MemoryKeyValueStore store;
    s.Save(store);
    EXPECT_EQ(std::tuple(store.ReadNumber("Var", "Weight"), store.ReadString("Var", "FaceName"),
                         store.ReadNumber("Var", "StartTime"), store.ReadNumber("Var", "EndTime")),
              std::tuple(700, "DejaVu Sans", 815, 1805));

    CAppSettings back;
    back.Load(store);
    EXPECT_TRUE(!back.GetRun() && !back.GetReminderOnTop() && !back.GetShowClock() && back.GetShowMainWnd());
    EXPECT_FALSE(back.IsHalfChimeEnabled()) << "an empty name switches the chime off";
    EXPECT_EQ(std::tuple(back.GetClockBk(), back.GetClockText(), back.GetSharpChime(), back.GetTimePattern()),
              std::tuple(0x00102030u, 0x00FFFFFFu, "Bell.wav", "h:nn:ss %p dd,M,yyyy"));
    EXPECT_EQ(back.GetClockFont(), f);
    EXPECT_EQ(OfficeStart(back), "1899-12-30 08:15:00 18:05");
}

TEST(AppSettings, FontBytesKeepTheirLowEightBitsAndFaceNamesAreCut) {
    MemoryKeyValueStore store;
    store.WriteNumber("Var", "Italic", 0x1FF);
    store.WriteNumber("Var", "CharSet", 256 + 161);
    store.WriteNumber("Var", "Height", 0xFFFFFFF2LL);  // a DWORD holding -14
    store.WriteString("Var", "FaceName", std::string(40, 'x'));
    CAppSettings s;
    s.Load(store);
    const LogFont& f = s.GetClockFont();
    EXPECT_EQ(std::tuple(f.italic, f.charSet, f.height, f.faceName.size()),
              std::tuple(0xFF, 161, -14, LogFont::kMaxFaceName));
    // A format set from codes derives the pattern.
    s.SetClockFormat("%H:%M - %A");
    EXPECT_EQ(s.GetTimePattern(), "hh:nn - ww");
}

TEST(AppSettings, ProcessWideRecordLoadsFromTheInstalledStoreOnce) {
    MemoryKeyValueStore store;
    store.WriteNumber("Var", "ShowMainWnd", 1);
    SetSettingsStore(&store);
    DestroyAppSettings();
    EXPECT_TRUE(GetAppSettings().GetShowMainWnd());
    store.WriteNumber("Var", "ShowMainWnd", 0);
    EXPECT_TRUE(GetAppSettings().GetShowMainWnd()) << "read once, on first use";
    GetAppSettings().SetRun(false);
    EXPECT_TRUE(SaveAppSettings().ok);
    EXPECT_EQ(store.ReadNumber("Var", "Run"), 0);
    DestroyAppSettings();
    SetSettingsStore(nullptr);
}

TEST(WindowSettings, ClockRectRoundTripsAndLeftZeroMeansHalfTheScreen) {
    MemoryKeyValueStore store;
    EXPECT_TRUE(ReadClockRect(store).IsZero());
    const ScreenRect primary{0, 0, 1280, 1024};
    EXPECT_EQ(ClockStartPosition(ReadClockRect(store), primary, {primary}), (ScreenPoint{640, 0}));

    WriteClockRect(store, {100, 50, 260, 70});
    EXPECT_EQ(std::tuple(ReadClockRect(store), store.ReadNumber("Settings", "ClockRight")),
              std::tuple(ScreenRect{100, 50, 260, 70}, 260));
    EXPECT_EQ(ClockStartPosition(ReadClockRect(store), primary, {primary}), (ScreenPoint{100, 50}));

    // Left 0 with a top keeps the top.
    EXPECT_EQ(ClockStartPosition({0, 300, 0, 0}, primary, {primary}), (ScreenPoint{640, 300}));
    // A position on a monitor that is gone comes back to the primary screen.
    EXPECT_EQ(ClockStartPosition({3000, 200, 3100, 220}, primary, {primary}), (ScreenPoint{640, 0}));
    EXPECT_EQ(ClockStartPosition({3000, 200, 3100, 220}, primary, {primary, {1280, 0, 3200, 1080}}),
              (ScreenPoint{3000, 200}));
}

TEST(WindowSettings, MainPlacementAndViewType) {
    MemoryKeyValueStore store;
    MainPlacement p = ReadMainPlacement(store);
    EXPECT_EQ(std::tuple(p.HasNormalRect(), p.minPosition), std::tuple(false, ScreenPoint{-3200, -3200}));
    p.normal = {150, 100, 790, 600};
    p.showCmd = kShowMaximized;
    WriteMainPlacement(store, p);
    EXPECT_EQ(std::tuple(ReadMainPlacement(store), store.ReadNumber("Settings", "InfoLeft")), std::tuple(p, 150));

    // A view type outside the six pages reads as Daily.
    for (int stored : {5, 6, -1}) {
        WriteViewType(store, stored);
        EXPECT_EQ(ReadViewType(store), stored == 5 ? 5 : 0);
    }
}
