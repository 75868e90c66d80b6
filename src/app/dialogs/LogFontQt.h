// The stored logical-font record <-> QFont.
#pragma once

#include <QFont>

#include "model/LogFont.h"

namespace tv {

// The face, height (pixels at 96 dots per inch), weight and the italic, underline and strike-out flags; a record
// without a face or height takes the application font's.
QFont ToQFont(const LogFont& font);
// Writes a chosen font into a copy of base, keeping the fields a QFont has no word for
// (character set, precisions, quality, pitch and family). The height is stored negative, as
// the character height in pixels at 96 dots per inch.
LogFont FromQFont(const QFont& font, const LogFont& base);

}  // namespace tv
