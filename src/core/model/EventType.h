// An event type: a named template of defaults and a look.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Archive.h"
#include "DateTime.h"
#include "LogFont.h"

namespace tv {

// Colours are stored as 0x00BBGGRR.
using ColorRef = uint32_t;
constexpr ColorRef MakeColorRef(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr int kTypeIconCount = 16;

class CEventType {
public:
    CEventType();
    // A type made now takes now as its default start.
    explicit CEventType(const DateTime& now);

    uint32_t GetId() const { return m_id; }
    void SetId(uint32_t id) { m_id = id; }
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& v) { m_name = v; }
    int GetIcon() const { return m_icon; }
    void SetIcon(int v) { if (v >= 0 && v < kTypeIconCount) m_icon = v; }
    const DateTime& GetDefaultStart() const { return m_defaultStart; }
    void SetDefaultStart(const DateTime& v) { m_defaultStart = v; }
    bool GetUseDefaultStart() const { return m_useDefaultStart != 0; }
    void SetUseDefaultStart(bool v) { m_useDefaultStart = v ? 1 : 0; }
    int GetDefaultRemindBefore() const { return m_defaultRemindBefore; }
    void SetDefaultRemindBefore(int seconds) { m_defaultRemindBefore = seconds; }
    int GetDefaultDuration() const { return m_defaultDuration; }
    void SetDefaultDuration(int seconds) { m_defaultDuration = seconds; }
    const LogFont& GetFont() const { return m_font; }
    void SetFont(const LogFont& v) { m_font = v; m_font.SetFaceName(v.faceName); }
    ColorRef GetTextColor() const { return m_textColor; }
    void SetTextColor(ColorRef v) { m_textColor = v; }
    ColorRef GetBackColor() const { return m_backColor; }
    void SetBackColor(ColorRef v) { m_backColor = v; }
    const std::string& GetSound() const { return m_sound; }
    void SetSound(const std::string& v) { m_sound = v; }

    // Every field but the id, as the imports match types already present.
    bool EqualsIgnoringId(const CEventType& other) const;

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    static LogFont DefaultFont();

private:
    int32_t m_icon = 0;
    uint32_t m_id = 0;
    std::string m_name = "Undefined";
    DateTime m_defaultStart;
    int32_t m_useDefaultStart = 0;
    int32_t m_defaultRemindBefore = 0;
    int32_t m_defaultDuration = 0;
    LogFont m_font;
    ColorRef m_textColor = 0;
    ColorRef m_backColor = 0xC0C0C0;
    std::string m_sound;
};

// Finding a type by its id or name, as an event applies its type. The type table answers it;
// the model only needs the question.
class IEventTypeLookup {
public:
    virtual ~IEventTypeLookup() = default;
    virtual bool FindById(uint32_t id, CEventType& out) const = 0;
    virtual bool FindByName(const std::string& name, CEventType& out) const = 0;
};

// The shipped types, as the table holds them on a first start.
std::vector<CEventType> DefaultEventTypes(const DateTime& now);

}  // namespace tv
