// The program's own texts, one table for the desktop program and the command-line tool, so
// that both say the same thing in the same words and their tests agree on every character.
#pragma once

namespace tv::texts {

inline constexpr const char* kProductName = "Tallyvane";
inline constexpr const char* kWarningCaption = "Warning";

// Event editor.
inline constexpr const char* kCaptionNew = "New";
inline constexpr const char* kCaptionModify = "Modify";
inline constexpr const char* kNameEmpty = "Name cannot be empty!";
inline constexpr const char* kStartInPast = "This event occurs in the past, you need to change start time.";

// Recurrence dialog. The last-day notice is a printf format taking the day.
inline constexpr const char* kLastDayNotice = "Some months has less than %d days. The last day will be used";
inline constexpr const char* kInvalidTime = "Invalid time";
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterIntegerBetween = "Please enter an integer between %d and %d.";

// Event types.
inline constexpr const char* kTypeExists = "This Event Type has already existed, please choose another name!";
inline constexpr const char* kNoFreeId = "Can not add an event!\n\nPlease use Purge command!";
inline constexpr const char* kRemoveTypeQuestion = "Do you really want to remove this event type?";

// Transfer files.
inline constexpr const char* kInvalidBackup = "Invalid Backup File!";
inline constexpr const char* kInvalidExport = "Invalid Export File!";
inline constexpr const char* kInvalidPlumtrace = "Invalid Plumtrace 2.3 File.";

// Sound picker.
inline constexpr const char* kNoSound = "<No Sound>";

}  // namespace tv::texts
