// The program in its user's language: the core's table of texts, the translations of Qt and of
// the program, and the dates written the user's way.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace tv {

// The context the core's table of texts (texts/UserTexts.h) is translated in.
inline constexpr const char* kCoreTextContext = "tv::texts";

// An entry of the core's table in the user's language: the one way the program translates
// them, by their English text.
QString CoreText(const char* english);
// A printf format of the table in the user's language; a translation that would read other
// arguments than the English format is not used (texts::TrFormat).
QString CoreFormat(const char* englishFormat);

// Whether a locale writes dates the program's English way: English, and the C locale.
bool IsEnglishLocale(const QLocale& locale);

// Loads Qt's own and the program's translations for the locale from the folders given (the
// program's are in their "translations" sub-folder), and installs them with the core's
// translator and, outside English, the locale's date forms. Runs before any window is made.
// Answers the folder of the program's translation it loaded; empty when none (English needs none).
QString InstallTranslations(const QLocale& locale, const QStringList& shippedFolders);

}  // namespace tv
