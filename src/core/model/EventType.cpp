// Event type defaults, equality and archive form.
#include "EventType.h"

namespace tv {

LogFont CEventType::DefaultFont() {
    LogFont f;
    f.height = 6;
    f.width = 6;
    f.weight = 20;
    f.faceName = "MS Sans Serif";
    return f;
}

CEventType::CEventType() : m_font(DefaultFont()) {}

CEventType::CEventType(const DateTime& now) : m_defaultStart(now), m_font(DefaultFont()) {}

bool CEventType::EqualsIgnoringId(const CEventType& o) const {
    return m_icon == o.m_icon && m_name == o.m_name && m_defaultStart == o.m_defaultStart &&
           m_useDefaultStart == o.m_useDefaultStart && m_defaultRemindBefore == o.m_defaultRemindBefore &&
           m_defaultDuration == o.m_defaultDuration && m_font == o.m_font && m_textColor == o.m_textColor &&
           m_backColor == o.m_backColor && m_sound == o.m_sound;
}

// The font fields go in the alphabetical order of their names, as the file has always had them.
void CEventType::Serialize(ArchiveWriter& ar) const {
    ar.WriteI32(1);
    ar.WriteI32(m_useDefaultStart);
    ar.WriteU32(m_backColor);
    ar.WriteU32(m_textColor);
    ar.WriteU8(m_font.charSet);
    ar.WriteU8(m_font.clipPrecision);
    ar.WriteI32(m_font.escapement);
    ar.WriteText(m_font.faceName);
    ar.WriteI32(m_font.height);
    ar.WriteU8(m_font.italic);
    ar.WriteI32(m_font.orientation);
    ar.WriteU8(m_font.outPrecision);
    ar.WriteU8(m_font.pitchAndFamily);
    ar.WriteU8(m_font.quality);
    ar.WriteU8(m_font.strikeOut);
    ar.WriteU8(m_font.underline);
    ar.WriteI32(m_font.weight);
    ar.WriteI32(m_font.width);
    ar.WriteI32(m_defaultDuration);
    ar.WriteI32(m_defaultRemindBefore);
    ar.WriteText(m_sound);
    ar.WriteText(m_name);
    ar.WriteDateTime(m_defaultStart);
    ar.WriteU32(m_id);
    ar.WriteI32(m_icon);
}

void CEventType::Serialize(ArchiveReader& ar) {
    ar.ReadI32();
    m_useDefaultStart = ar.ReadI32();
    m_backColor = ar.ReadU32();
    m_textColor = ar.ReadU32();
    m_font.charSet = ar.ReadU8();
    m_font.clipPrecision = ar.ReadU8();
    m_font.escapement = ar.ReadI32();
    m_font.SetFaceName(ar.ReadText());
    m_font.height = ar.ReadI32();
    m_font.italic = ar.ReadU8();
    m_font.orientation = ar.ReadI32();
    m_font.outPrecision = ar.ReadU8();
    m_font.pitchAndFamily = ar.ReadU8();
    m_font.quality = ar.ReadU8();
    m_font.strikeOut = ar.ReadU8();
    m_font.underline = ar.ReadU8();
    m_font.weight = ar.ReadI32();
    m_font.width = ar.ReadI32();
    m_defaultDuration = ar.ReadI32();
    m_defaultRemindBefore = ar.ReadI32();
    m_sound = ar.ReadText();
    m_name = ar.ReadText();
    m_defaultStart = ar.ReadDateTime();
    m_id = ar.ReadU32();
    m_icon = ar.ReadI32();
}

}  // namespace tv
