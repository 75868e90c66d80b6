// The stored logical-font record <-> QFont, for the type editor's font dialog and sample.
#pragma once

#include <QFont>

#include "model/LogFont.h"

namespace tv {

// The font the reminder pop-up draws with (see shell/FontMapping.h), sized in points at 96
// dots per inch so that the font dialog shows a size it knows.
QFont ToQFont(const LogFont& font);
// Writes a chosen font into a copy of base, keeping the fields a QFont has no word for
// (character set, precisions, quality, pitch and family). The height is stored negative, as
// the character height in pixels at 96 dots per inch.
LogFont FromQFont(const QFont& font, const LogFont& base);

}  // namespace tv
