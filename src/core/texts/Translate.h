// The language the core puts its texts together in: English unless the program installs a
// translator (the desktop program does, the command-line tool does not).
#pragma once

#include <string>
#include <string_view>

#include "platform/Compiler.h"

namespace tv::texts {

// Answers the text in the user's language, or an empty string where it has no translation.
using Translator = std::string (*)(const char* english);

// Installed once at start-up, before any window or thread asks for a text; null for English.
void SetTranslator(Translator translator);

// A text of the table (UserTexts.h) in the user's language; the English text itself without
// a translator or translation.
std::string Tr(const char* english);
// The same for a printf format, but a translation is taken only when it asks for the same
// arguments as the English format (the same conversions, in order or numbered): a slip in a
// translation must never read an argument as something it is not.
std::string TrFormat(const char* englishFormat);
// Whether two printf formats take the same arguments.
bool SameFormatArguments(std::string_view a, std::string_view b);

// printf into a string.
std::string Printf(const char* format, ...) TV_PRINTF_FORMAT(1, 2);
// A format of the table filled in, in the user's language: TrFormat, then Printf. The compiler
// checks the arguments against the English format, and TrFormat holds the translation to it.
std::string TrPrintf(const char* englishFormat, ...) TV_PRINTF_FORMAT(1, 2);

}  // namespace tv::texts
