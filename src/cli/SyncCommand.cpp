// The command-line side of the sync: where the settings and the password come from, and what
// is printed.
#include "SyncCommand.h"

#include <cstdlib>

#include "CommandLine.h"
#include "CurlHttpClient.h"
#include "SyncEngine.h"
#include "SyncSettings.h"
#include "platform/FileIo.h"
#include "texts/UserTexts.h"

namespace tv::cli {

namespace {

constexpr char kPasswordVariable[] = "TALLYVANE_SYNC_PASSWORD";

// The file's first line; a password file written by an editor ends with a line break.
bool ReadPassword(const std::string& path, std::string& password) {
    std::string text, why;
    if (ReadWholeFile(path, text, why) != ReadStatus::Ok) return false;
    password = text.substr(0, text.find_first_of("\r\n"));
    return true;
}

}  // namespace

int Sync(const SyncArguments& args, CEventStore& store, const CEventTypeTable& types, const DateTime& now,
         std::ostream& out, std::ostream& err) {
    sync::SyncSettings saved;
    saved.Load(sync::IniFileStore(sync::ProgramSettingsPath()));
    sync::SyncRequest request;
    request.url = args.url.value_or(saved.url);
    if (request.url.empty()) {
        err << texts::kCliSyncNoUrl << "\n";
        return 1;
    }
    // The saved user belongs to the saved calendar.
    request.user = args.user.value_or(request.url == saved.url ? saved.user : std::string());
    if (args.passwordFile) {
        if (!ReadPassword(*args.passwordFile, request.password)) {
            err << Format(texts::kCliSyncPasswordFile, args.passwordFile->c_str()) << "\n";
            return 1;
        }
    } else if (const char* fromEnvironment = std::getenv(kPasswordVariable)) {
        request.password = fromEnvironment;
    } else if (!request.user.empty()) {
        err << Format(texts::kCliSyncNoPassword, request.user.c_str()) << "\n";
        return 1;
    }
    request.limits.totalSeconds = args.timeoutSeconds;
    request.limits.stallSeconds = std::min(args.timeoutSeconds, request.limits.stallSeconds);
    request.limits.connectSeconds = std::min(args.timeoutSeconds, request.limits.connectSeconds);

    sync::CurlHttpClient http;
    sync::SyncEngine engine(store, types, http);
    const sync::SyncReport report = engine.Run(request, now);
    for (const std::string& note : report.notes) err << note << "\n";
    const FileResult uids = sync::KeepSyncedUids(store);
    if (!uids.ok) err << uids.message << "\n";
    if (!report.ok) {
        err << report.message << "\n";
        return 1;
    }
    out << report.message << "\n";
    return 0;
}

}  // namespace tv::cli
