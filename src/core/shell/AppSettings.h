// CAppSettings: the user's preferences, read from and written to section "Var". Texts are
// UTF-8 (file names, the pattern), except the font's face name (see GetClockFont).
#pragma once

#include <cstdint>
#include <string>

#include "KeyValueStore.h"
#include "model/DateTime.h"
#include "model/EventType.h"
#include "model/LogFont.h"

namespace tv {

class CAppSettings {
public:
    static constexpr const char* kSection = "Var";

    // The defaults: what an empty store reads as.
    CAppSettings();

    // Every value of section "Var"; a missing or unreadable one keeps its default.
    void Load(const IKeyValueStore& store);
    void Save(IKeyValueStore& store) const;

    bool GetRun() const { return m_run; }
    void SetRun(bool v) { m_run = v; }
    bool GetReminderOnTop() const { return m_reminderOnTop; }
    void SetReminderOnTop(bool v) { m_reminderOnTop = v; }
    bool GetShowClock() const { return m_showClock; }
    void SetShowClock(bool v) { m_showClock = v; }
    bool GetShowMainWnd() const { return m_showMainWnd; }
    void SetShowMainWnd(bool v) { m_showMainWnd = v; }

    // Chime files, relative to the Sound folder; an empty name switches that chime off.
    const std::string& GetHalfChime() const { return m_half; }
    void SetHalfChime(const std::string& v) { m_half = v; }
    const std::string& GetSharpChime() const { return m_sharp; }
    void SetSharpChime(const std::string& v) { m_sharp = v; }
    bool IsHalfChimeEnabled() const { return !m_half.empty(); }
    bool IsSharpChimeEnabled() const { return !m_sharp.empty(); }

    ColorRef GetClockBk() const { return m_clockBk; }
    void SetClockBk(ColorRef v) { m_clockBk = v; }
    ColorRef GetClockText() const { return m_clockText; }
    void SetClockText(ColorRef v) { m_clockText = v; }

    const LogFont& GetClockFont() const { return m_font; }
    void SetClockFont(const LogFont& v) { m_font = v; m_font.SetFaceName(v.faceName); }

    // The user's pattern ("hh:nn:ss - m dd,yyyy") and the time-format codes made from it on
    // every call.
    const std::string& GetTimePattern() const { return m_pattern; }
    void SetTimePattern(const std::string& pattern);
    std::string GetClockFormat() const;
    // Sets the codes directly; the pattern becomes their inverse translation.
    void SetClockFormat(const std::string& codes);

    // Office hours: the date part is 30 December 1899, the time part the moment.
    void GetOfficeHours(DateTime& start, DateTime& end) const { start = m_officeStart; end = m_officeEnd; }
    void SetOfficeHours(const DateTime& start, const DateTime& end);

    // The day the Weekly and Monthly pages begin their weeks with: 1 Sunday .. 7 Saturday, or
    // 0 for the first day of the user's locale (value "WeekStart").
    int GetWeekStart() const { return m_weekStart; }
    void SetWeekStart(int day) { m_weekStart = day >= 0 && day <= 7 ? day : 0; }

    static LogFont DefaultClockFont();
    static constexpr const char* kDefaultPattern = "hh:nn:ss - m dd,yyyy";

private:
    bool m_run = true;
    bool m_reminderOnTop = true;
    bool m_showClock = true;
    bool m_showMainWnd = false;
    std::string m_half = "Chime.WAV";
    std::string m_sharp = "Sen.WAV";
    ColorRef m_clockBk = 0;
    ColorRef m_clockText = 0x0000FFFF;
    LogFont m_font;
    std::string m_pattern;  // the format is always made from it afresh
    DateTime m_officeStart;
    DateTime m_officeEnd;
    int m_weekStart = 0;
};

// "StartTime" / "EndTime": hour x 100 + minute. A value that names no time of day (2575,
// -5) gives an invalid value; the settings then keep their default.
DateTime DecodeOfficeTime(int64_t value);
int32_t EncodeOfficeTime(const DateTime& time);

// The process-wide preferences: created and loaded from GetSettingsStore() on first use.
CAppSettings& GetAppSettings();
// Writes section "Var" and flushes the store.
FileResult SaveAppSettings();
// Forgets the process-wide record; the next GetAppSettings() loads it again.
void DestroyAppSettings();

}  // namespace tv
