// The one place where the model's texts and iCalendar's UTF-8 meet.
#pragma once

#include <string>
#include <string_view>

namespace tv::ics {

// Every text that crosses between an event and a calendar file goes through these two, so that
// a change of what the model holds in memory is a change of these two bodies only.
std::string ModelTextToUtf8(std::string_view text);
std::string Utf8ToModelText(std::string_view utf8);

// Whether the model holds this UTF-8 text as it is (a character it cannot hold is replaced).
bool ModelHoldsText(std::string_view utf8);

// At most maxChars characters of a UTF-8 text, never cut inside a character.
std::string CutUtf8(std::string_view utf8, size_t maxChars);

}  // namespace tv::ics
