// CAppSettings: the user's preferences, read from and written to section "Var".
#include "AppSettings.h"

#include <memory>

#include "ClockFormat.h"

namespace tv {

namespace {

MemoryKeyValueStore g_fallbackStore;
IKeyValueStore* g_store = nullptr;
std::unique_ptr<CAppSettings> g_settings;

const DateTime kDefaultOfficeStart = DateTime::FromParts(1899, 12, 30, 9, 0);
const DateTime kDefaultOfficeEnd = DateTime::FromParts(1899, 12, 30, 17, 0);

// Numbers are stored as 32-bit words: a negative number written by one version reads back as
// the same bits in another.
int32_t ToInt32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

void ReadBool(const IKeyValueStore& s, const char* name, bool& field) {
    if (auto v = s.ReadNumber(CAppSettings::kSection, name)) field = ToInt32(*v) != 0;
}
void ReadInt(const IKeyValueStore& s, const char* name, int32_t& field) {
    if (auto v = s.ReadNumber(CAppSettings::kSection, name)) field = ToInt32(*v);
}
void ReadByte(const IKeyValueStore& s, const char* name, uint8_t& field) {
    if (auto v = s.ReadNumber(CAppSettings::kSection, name)) field = static_cast<uint8_t>(*v & 0xFF);
}
void ReadColor(const IKeyValueStore& s, const char* name, ColorRef& field) {
    if (auto v = s.ReadNumber(CAppSettings::kSection, name)) field = static_cast<uint32_t>(*v);
}
void ReadText(const IKeyValueStore& s, const char* name, std::string& field) {
    if (auto v = s.ReadString(CAppSettings::kSection, name)) field = *v;
}

}  // namespace

void SetSettingsStore(IKeyValueStore* store) { g_store = store; }
IKeyValueStore& GetSettingsStore() { return g_store ? *g_store : g_fallbackStore; }

LogFont CAppSettings::DefaultClockFont() {
    LogFont f;
    f.height = 14;
    f.weight = 20;
    f.SetFaceName("Arial");
    return f;
}

CAppSettings::CAppSettings()
    : m_font(DefaultClockFont()), m_officeStart(kDefaultOfficeStart), m_officeEnd(kDefaultOfficeEnd) {
    SetTimePattern(kDefaultPattern);
}

void CAppSettings::SetTimePattern(const std::string& pattern) { m_pattern = pattern; }

std::string CAppSettings::GetClockFormat() const { return PatternToFormat(m_pattern); }

void CAppSettings::SetClockFormat(const std::string& codes) { m_pattern = FormatToPattern(codes); }

void CAppSettings::SetOfficeHours(const DateTime& start, const DateTime& end) {
    m_officeStart = start;
    m_officeEnd = end;
}

void CAppSettings::Load(const IKeyValueStore& s) {
    ReadBool(s, "ReminderOnTop", m_reminderOnTop);
    ReadBool(s, "Run", m_run);
    ReadBool(s, "ShowClock", m_showClock);
    ReadBool(s, "ShowMainWnd", m_showMainWnd);
    ReadColor(s, "ClockBk", m_clockBk);
    ReadColor(s, "ClockText", m_clockText);
    ReadText(s, "Half", m_half);
    ReadText(s, "Sharp", m_sharp);

    LogFont f = m_font;
    ReadByte(s, "CharSet", f.charSet);
    ReadByte(s, "ClipPrecision", f.clipPrecision);
    ReadInt(s, "Escapement", f.escapement);
    std::string face = f.faceName;
    ReadText(s, "FaceName", face);
    f.SetFaceName(face);
    ReadInt(s, "Height", f.height);
    ReadByte(s, "Italic", f.italic);
    ReadInt(s, "Orientation", f.orientation);
    ReadByte(s, "OutPut", f.outPrecision);
    ReadByte(s, "Pitch", f.pitchAndFamily);
    ReadByte(s, "Quality", f.quality);
    ReadByte(s, "StrikeOut", f.strikeOut);
    ReadByte(s, "UnderLine", f.underline);
    ReadInt(s, "Weight", f.weight);
    ReadInt(s, "Width", f.width);
    m_font = f;

    if (auto v = s.ReadNumber(kSection, "StartTime")) {
        const DateTime t = DecodeOfficeTime(*v);
        if (t.IsValid()) m_officeStart = t;
    }
    if (auto v = s.ReadNumber(kSection, "EndTime")) {
        const DateTime t = DecodeOfficeTime(*v);
        if (t.IsValid()) m_officeEnd = t;
    }
    int32_t weekStart = m_weekStart;
    ReadInt(s, "WeekStart", weekStart);
    SetWeekStart(weekStart);
    std::string pattern = m_pattern;
    ReadText(s, "TimeFormat", pattern);
    SetTimePattern(pattern);
}

void CAppSettings::Save(IKeyValueStore& s) const {
    const char* sec = kSection;
    s.WriteNumber(sec, "ReminderOnTop", m_reminderOnTop ? 1 : 0);
    s.WriteNumber(sec, "Run", m_run ? 1 : 0);
    s.WriteNumber(sec, "ShowClock", m_showClock ? 1 : 0);
    s.WriteNumber(sec, "ShowMainWnd", m_showMainWnd ? 1 : 0);
    s.WriteNumber(sec, "ClockBk", m_clockBk);
    s.WriteNumber(sec, "ClockText", m_clockText);
    s.WriteString(sec, "Half", m_half);
    s.WriteString(sec, "Sharp", m_sharp);
    s.WriteNumber(sec, "CharSet", m_font.charSet);
    s.WriteNumber(sec, "ClipPrecision", m_font.clipPrecision);
    s.WriteNumber(sec, "Escapement", m_font.escapement);
    s.WriteString(sec, "FaceName", m_font.faceName);
    s.WriteNumber(sec, "Height", m_font.height);
    s.WriteNumber(sec, "Italic", m_font.italic);
    s.WriteNumber(sec, "Orientation", m_font.orientation);
    s.WriteNumber(sec, "OutPut", m_font.outPrecision);
    s.WriteNumber(sec, "Pitch", m_font.pitchAndFamily);
    s.WriteNumber(sec, "Quality", m_font.quality);
    s.WriteNumber(sec, "StrikeOut", m_font.strikeOut);
    s.WriteNumber(sec, "UnderLine", m_font.underline);
    s.WriteNumber(sec, "Weight", m_font.weight);
    s.WriteNumber(sec, "Width", m_font.width);
    s.WriteNumber(sec, "StartTime", EncodeOfficeTime(m_officeStart));
    s.WriteNumber(sec, "EndTime", EncodeOfficeTime(m_officeEnd));
    s.WriteString(sec, "TimeFormat", m_pattern);
    s.WriteNumber(sec, "WeekStart", m_weekStart);
}

DateTime DecodeOfficeTime(int64_t value) {
    const int32_t v = ToInt32(value);
    if (v < 0) return DateTime::Invalid();
    return DateTime::FromParts(1899, 12, 30, v / 100, v % 100, 0);
}

int32_t EncodeOfficeTime(const DateTime& time) {
    DateParts p;
    if (!time.GetParts(p)) return 0;
    return p.hour * 100 + p.minute;
}

CAppSettings& GetAppSettings() {
    if (!g_settings) {
        g_settings = std::make_unique<CAppSettings>();
        g_settings->Load(GetSettingsStore());
    }
    return *g_settings;
}

FileResult SaveAppSettings() {
    IKeyValueStore& store = GetSettingsStore();
    GetAppSettings().Save(store);
    return store.Flush();
}

void DestroyAppSettings() { g_settings.reset(); }

}  // namespace tv
