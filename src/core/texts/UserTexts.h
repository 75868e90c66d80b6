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
inline constexpr const char* kEndBeforeStart = "The series cannot end before the day it starts.";

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

// The command-line tool. Formats take printf arguments in the order shown.
inline constexpr const char* kCliSeeHelp = "Run tallyvane-cli --help for the commands.";
inline constexpr const char* kCliNoCommand = "No command given.";
inline constexpr const char* kCliUnknownCommand = "Unknown command \"%s\".";
inline constexpr const char* kCliUnknownOption = "Unknown option %s.";
inline constexpr const char* kCliOptionNeedsValue = "The option %s needs a value.";
inline constexpr const char* kCliOptionTakesNoValue = "The option %s takes no value.";
inline constexpr const char* kCliWrongArguments = "%s takes %s.";
inline constexpr const char* kCliNoDataFolder = "The data folder \"%s\" does not exist.";
inline constexpr const char* kCliNoDefaultDataFolder =
    "Neither XDG_DATA_HOME nor HOME names a folder for the data; give one with --data-dir.";
inline constexpr const char* kCliNotANumber = "%s must be a whole number, not \"%s\".";
inline constexpr const char* kCliOutOfRange = "%s must lie between %d and %d.";
inline constexpr const char* kCliNotAnId = "\"%s\" is not an event id.";
inline constexpr const char* kCliNotADate = "%s \"%s\" is not a date of the form YYYY-MM-DD HH:MM:SS.";
inline constexpr const char* kCliNotAWeekday = "\"%s\" is not a weekday.";
inline constexpr const char* kCliNotAnOrdinal = "\"%s\" is not one of first, second, third, fourth, last.";
inline constexpr const char* kCliNotAMonth = "\"%s\" is not a month.";
inline constexpr const char* kCliOneRecurrenceKind = "Choose one of --daily, --weekly, --monthly and --yearly.";
inline constexpr const char* kCliRecurrenceNeedsKind =
    "Recurrence options need one of --daily, --weekly, --monthly or --yearly.";
inline constexpr const char* kCliNthNeedsWeekday = "--nth needs --weekday.";
inline constexpr const char* kCliNoWeekdays = "--on needs at least one weekday, such as mon,thu.";
inline constexpr const char* kCliNameTooLong = "The name is longer than 255 characters.";
// iCalendar files, for the program and the command-line tool alike.
inline constexpr const char* kIcsNotImported = "The calendar file \"%s\" could not be imported: %s. Nothing was imported.";
inline constexpr const char* kIcsImported = "%zu events imported, %zu already present, %zu skipped";
inline constexpr const char* kCliNotUtf8 = "The value of %s is not UTF-8 text.";
inline constexpr const char* kCliNoTypeNamed = "No event type is named \"%s\".";
inline constexpr const char* kCliNoEventWithId = "No event has the id %u.";
inline constexpr const char* kCliRenumbered = "%zu records with repeated ids were given new ids.";
inline constexpr const char* kCliProgramFailed =
    "Tallyvane runs on the data folder \"%s\", but the command could not be carried out there: %s. Nothing was changed "
    "unless Tallyvane shows it.";
inline constexpr const char* kCliSyncInProgram =
    "Tallyvane is running with this data folder and syncs it itself: use Sync Now in its Event menu.";

// Sync with a calendar server, for the program and the command-line tool alike. Each failed
// sync shows one of the first group; %s is the server's host (never a password).
inline constexpr const char* kSyncUnreachable = "Sync failed: the server %s could not be reached (%s).";
inline constexpr const char* kSyncRefusedLogin = "Sync failed: the server %s refused the user name or password.";
inline constexpr const char* kSyncForbidden = "Sync failed: the server %s does not let this user %s.";
inline constexpr const char* kSyncHttpError = "Sync failed: the server %s answered HTTP %d while %s.";
inline constexpr const char* kSyncUnreadable = "Sync failed: the server %s sent an answer that cannot be read while %s: %s.";
inline constexpr const char* kSyncNoCalendar = "Sync failed: no calendar was found at %s.";
inline constexpr const char* kSyncBadUrl = "Sync failed: \"%s\" is not an http:// or https:// address without a user name in it.";
inline constexpr const char* kSyncRedirectLoop = "Sync failed: the server %s redirected more than five times.";
inline constexpr const char* kSyncInsecureRedirect = "Sync failed: the server %s redirected to an unencrypted address.";
inline constexpr const char* kSyncNotStored = "Sync failed: the server %s did not store %zu event(s) (%s); they stay here and are sent again next time.";
inline constexpr const char* kSyncNotSaved = "Sync failed: %s";
inline constexpr const char* kSyncStopped = "Sync stopped before it finished; the next sync completes it.";
// A completed sync.
inline constexpr const char* kSyncDone = "Synced: %zu sent, %zu received, %zu deleted here, %zu deleted there, %zu conflict(s) kept as copies.";
inline constexpr const char* kSyncConflictSuffix = " (conflict from server)";
inline constexpr const char* kSyncNearest = "\"%s\" is held as its nearest event: %s.";
inline constexpr const char* kCliSyncNoUrl = "No calendar URL: give --url, or set one on the Sync page of Options.";
inline constexpr const char* kCliSyncNoPassword =
    "The password for %s is kept in the desktop's secret store, which tallyvane-cli cannot read: give "
    "--password-file FILE or set TALLYVANE_SYNC_PASSWORD.";
inline constexpr const char* kCliSyncPasswordFile = "The password file \"%s\" could not be read.";

}  // namespace tv::texts
