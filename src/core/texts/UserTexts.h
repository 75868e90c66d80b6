// The program's own texts, one table for the desktop program and the command-line tool, so
// that both say the same thing in the same words and their tests agree on every character.
//
// The desktop program shows them in the user's language. TV_TEXT marks the texts it shows, so
// that Qt's lupdate finds them (it reads TV_TEXT as QT_TR_NOOP; their context is "tv::texts").
// A text the core hands over as it stands (a const char*) is translated by the program where it
// shows it; a text the core puts together (a message with a number, a rule's description) is
// translated here, through texts::Tr and texts::TrFormat (Translate.h). The command-line tool
// installs no translator and always speaks English; its own texts carry no mark.
#pragma once

#define TV_TEXT(text) text

namespace tv::texts {

inline constexpr const char* kProductName = "Tallyvane";
inline constexpr const char* kWarningCaption = TV_TEXT("Warning");

// Event editor. The captions are formats taking the type's name.
inline constexpr const char* kCaptionNew = TV_TEXT("New %s");
inline constexpr const char* kCaptionModify = TV_TEXT("Modify %s");
inline constexpr const char* kNameEmpty = TV_TEXT("Name cannot be empty!");
inline constexpr const char* kStartInPast = TV_TEXT("This event occurs in the past, you need to change start time.");

// Recurrence dialog. The last-day notice is a printf format taking the day.
inline constexpr const char* kLastDayNotice = TV_TEXT("Some months have fewer than %d days. The last day will be used");
inline constexpr const char* kInvalidTime = TV_TEXT("Invalid time");
inline constexpr const char* kEnterInteger = TV_TEXT("Please enter an integer.");
inline constexpr const char* kEnterIntegerBetween = TV_TEXT("Please enter an integer between %d and %d.");
inline constexpr const char* kEndBeforeStart = TV_TEXT("The series cannot end before the day it starts.");

// Recurrence rules as the lists and the editor describe them; printf formats in the order of
// their arguments (a translation may reorder them with %1$d, %2$s ...).
inline constexpr const char* kEveryNDays = TV_TEXT("Every %d Days");
inline constexpr const char* kEveryNWeeksOn = TV_TEXT("Every %d week(s) on %s");
inline constexpr const char* kDayOfEveryNMonths = TV_TEXT("Day %d of  every %d Months");
inline constexpr const char* kNthWeekdayOfEveryNMonths = TV_TEXT("The %s %s of Every %d Months");
inline constexpr const char* kEveryMonthDay = TV_TEXT("Every %s %d");
inline constexpr const char* kNthWeekdayOfMonth = TV_TEXT("The %s %s of %s");
inline constexpr const char* kOrdinals[] = {TV_TEXT("First"), TV_TEXT("Second"), TV_TEXT("Third"), TV_TEXT("Fourth"),
                                            TV_TEXT("Last")};

// Durations, as the lists show them.
inline constexpr const char* kDaysHoursMinutes = TV_TEXT("%ld day,%d hour,%d min");
inline constexpr const char* kDaysHours = TV_TEXT("%ld day,%d hour");
inline constexpr const char* kDaysMinutes = TV_TEXT("%ld day,%d min");
inline constexpr const char* kHoursMinutes = TV_TEXT("%d hour,%d min");
inline constexpr const char* kDays = TV_TEXT("%ld day");
inline constexpr const char* kHours = TV_TEXT("%d hour");
inline constexpr const char* kMinutes = TV_TEXT("%d min");

// The pages of the main window, as the tab bar names them.
inline constexpr const char* kViewTitles[] = {TV_TEXT("Daily"),   TV_TEXT("Week Day"), TV_TEXT("Weekly"),
                                              TV_TEXT("Monthly"), TV_TEXT("Find"),     TV_TEXT("All")};
// A Weekly or Monthly day that cannot show all its events: how many more there are.
inline constexpr const char* kMoreEvents = TV_TEXT("+%d more");
// The event lists' columns and the printed list's title.
inline constexpr const char* kColumnTitles[] = {TV_TEXT("Name"), TV_TEXT("Time"), TV_TEXT("Type"),
                                                TV_TEXT("Recurrence"), TV_TEXT("Duration")};
inline constexpr const char* kEventsList = TV_TEXT("Events List");
// The coming-events balloon.
inline constexpr const char* kComingEvents = TV_TEXT("Coming Events");
inline constexpr const char* kNothingToDo = TV_TEXT("I have nothing to do today!");

// The event types a first start begins with, in the order of the type table.
inline constexpr const char* kDefaultTypeNames[] = {
    TV_TEXT("Alarm"),   TV_TEXT("Birthday"), TV_TEXT("Appointment"), TV_TEXT("Holiday"),      TV_TEXT("Phone Call"),
    TV_TEXT("Meeting"), TV_TEXT("Payment"),  TV_TEXT("Travel"),      TV_TEXT("TV Programme"), TV_TEXT("Internet")};

// Event types.
inline constexpr const char* kTypeExists = TV_TEXT("This Event Type has already existed, please choose another name!");
inline constexpr const char* kNoFreeId = TV_TEXT("Can not add an event!\n\nPlease use Purge command!");
inline constexpr const char* kRemoveTypeQuestion = TV_TEXT("Do you really want to remove this event type?");

// Transfer files.
inline constexpr const char* kInvalidBackup = TV_TEXT("Invalid Backup File!");
inline constexpr const char* kInvalidExport = TV_TEXT("Invalid Export File!");
inline constexpr const char* kInvalidPlumtrace = TV_TEXT("Invalid Plumtrace 2.3 File.");

// Sound picker.
inline constexpr const char* kNoSound = TV_TEXT("<No Sound>");

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
inline constexpr const char* kIcsNotImported =
    TV_TEXT("The calendar file \"%s\" could not be imported: %s. Nothing was imported.");
inline constexpr const char* kIcsImported = TV_TEXT("%zu events imported, %zu already present, %zu skipped");
inline constexpr const char* kCliNotUtf8 = "The value of %s is not UTF-8 text.";
inline constexpr const char* kCliNoTypeNamed = "No event type is named \"%s\".";
inline constexpr const char* kCliNoEventWithId = "No event has the id %u.";
inline constexpr const char* kCliRenumbered = "%zu records with repeated ids were given new ids.";
inline constexpr const char* kCliProgramFailed =
    "Tallyvane runs on the data folder \"%s\", but the command could not be carried out there: %s. Nothing was changed "
    "unless Tallyvane shows it.";
inline constexpr const char* kCliNoFullTool =
    "The %s command is carried out by \"%s\", which could not be started: %s. Reinstall Tallyvane.";
inline constexpr const char* kCliSyncInProgram =
    "Tallyvane is running with this data folder and syncs it itself: use Sync Now in its Event menu.";

// Sync with a calendar server, for the program and the command-line tool alike. Each failed
// sync shows one of the first group; %s is the server's host (never a password).
inline constexpr const char* kSyncUnreachable = TV_TEXT("Sync failed: the server %s could not be reached (%s).");
inline constexpr const char* kSyncRefusedLogin =
    TV_TEXT("Sync failed: the server %s refused the user name or password.");
inline constexpr const char* kSyncForbidden = TV_TEXT("Sync failed: the server %s does not let this user %s.");
inline constexpr const char* kSyncHttpError = TV_TEXT("Sync failed: the server %s answered HTTP %d while %s.");
inline constexpr const char* kSyncUnreadable =
    TV_TEXT("Sync failed: the server %s sent an answer that cannot be read while %s: %s.");
inline constexpr const char* kSyncNoCalendar = TV_TEXT("Sync failed: no calendar was found at %s.");
inline constexpr const char* kSyncBadUrl =
    TV_TEXT("Sync failed: \"%s\" is not an http:// or https:// address without a user name in it.");
inline constexpr const char* kSyncRedirectLoop = TV_TEXT("Sync failed: the server %s redirected more than five times.");
inline constexpr const char* kSyncInsecureRedirect =
    TV_TEXT("Sync failed: the server %s redirected to an unencrypted address.");
inline constexpr const char* kSyncNotStored =
    TV_TEXT("Sync failed: the server %s did not store %zu event(s) (%s); they stay here and are sent again next time.");
inline constexpr const char* kSyncNotSaved = TV_TEXT("Sync failed: %s");
inline constexpr const char* kSyncStopped = TV_TEXT("Sync stopped before it finished; the next sync completes it.");
// What a failed sync was doing, the last %s of the messages above.
inline constexpr const char* kSyncLookingForCalendar = TV_TEXT("looking for the calendar");
inline constexpr const char* kSyncListingChanges = TV_TEXT("listing the changes");
inline constexpr const char* kSyncListingCalendar = TV_TEXT("listing the calendar");
inline constexpr const char* kSyncReadingEvents = TV_TEXT("reading events");
inline constexpr const char* kSyncSendingEvent = TV_TEXT("sending an event");
inline constexpr const char* kSyncDeletingEvent = TV_TEXT("deleting an event");
// A completed sync. The suffix is written into the names of stored events and stays English.
inline constexpr const char* kSyncDone =
    TV_TEXT("Synced: %zu sent, %zu received, %zu deleted here, %zu deleted there, %zu conflict(s) kept as copies.");
inline constexpr const char* kSyncConflictSuffix = " (conflict from server)";
inline constexpr const char* kSyncNearest = TV_TEXT("\"%s\" is held as its nearest event: %s.");
inline constexpr const char* kCliSyncNoUrl = "No calendar URL: give --url, or set one on the Sync page of Options.";
inline constexpr const char* kCliSyncNoPassword =
    "The password for %s is kept in the desktop's secret store, which tallyvane-cli cannot read: give "
    "--password-file FILE or set TALLYVANE_SYNC_PASSWORD.";
inline constexpr const char* kCliSyncPasswordFile = "The password file \"%s\" could not be read.";

}  // namespace tv::texts
