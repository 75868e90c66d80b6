// tallyvane-cli end to end, run in-process on scratch data folders (and once as the installed
// programs).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "CliRun.h"
#include "Json.h"
#include "Scripts.h"
#include "TempDir.h"
#include "platform/DataFolderLock.h"
#include "store/EventTypeTable.h"

namespace {

constexpr char kNow[] = "2026-12-06 10:00:00";

using Result = tvtest::CliRun;

class CliTest : public ::testing::Test {
protected:
    Result Run(std::vector<std::string> args, const std::string& now = kNow) {
        return tvtest::RunCliOn(dir.Path(), now, std::move(args));
    }
    std::string Add(std::vector<std::string> options) {
        options.insert(options.begin(), "add");
        Result r = Run(options);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.substr(0, r.out.find('\n'));
    }
    tvtest::TempDir dir;
};

}  // namespace

TEST_F(CliTest, AddedEventsListWithEveryKey) {
    const std::string id = Add({"--name", "Dentist \xE2\x82\xAC", "--note", "line1\nline2", "--type", "Appointment",
                                "--start", "2026-12-06 11:00"});
    EXPECT_EQ(id, "1");
    const Result r = Run({"events"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "[\n  {\"id\": 1, \"name\": \"Dentist \xE2\x82\xAC\", \"note\": \"line1\\nline2\", \"sound\": \"Bell.wav\", "
        "\"typeId\": 3, \"state\": \"armed\", \"enabled\": true, \"start\": \"2026-12-06 11:00:00\", \"duration\": 3600, "
        "\"remindBefore\": 1800, \"recurrence\": \"\", \"occurrence\": \"2026-12-06 11:00:00\", \"reminder\": "
        "\"2026-12-06 10:30:00\", \"due\": false}\n]\n";
    EXPECT_EQ(r.out, expected);
    // The euro sign is one Windows-1252 byte in the file.
    EXPECT_NE(dir.Read("Evnt.est").find("Dentist \x80"), std::string::npos);
    EXPECT_TRUE(dir.Exists("Type.ptt"));  // the shipped types reach the disk with the first save
}

TEST_F(CliTest, TextsInEveryScriptGoInAndComeBackUnchanged) {
    std::string text;
    for (const char* script : tvtest::kScripts) text += script;
    tv::CEventTypeTable types;
    tv::CEventType t;
    t.SetName(text);
    types.AddType(t);
    ASSERT_TRUE(types.Save(dir.File("Type.ptt")));
    Add({"--name", text, "--note", text, "--sound", text + ".wav", "--type", text, "--start", "2026-12-07 09:00"});
    const std::string fields = "\"name\": \"" + text + "\", \"note\": \"" + text + "\", \"sound\": \"" + text + ".wav\", \"typeId\": 1,";
    EXPECT_NE(Run({"events"}).out.find(fields), std::string::npos);
    // Bytes that are not UTF-8 are refused rather than stored as something else; the JSON
    // stays UTF-8 whatever a text holds.
    const Result r = Run({"add", "--name", "caf\xE9", "--start", "2027-01-01 10:00"});
    EXPECT_EQ(std::tuple(r.status, r.err.rfind("The value of --name is not UTF-8 text.\n", 0)), std::tuple(1, 0u));
    EXPECT_EQ(tv::cli::JsonString("a\xFF"), "\"a\xEF\xBF\xBD\"");
}

TEST_F(CliTest, EveryRecurrenceKindAndItsDescription) {
    Add({"--name", "Mum", "--type", "Birthday", "--start", "2027-03-05 09:00", "--yearly", "--month", "3", "--day", "5"});
    Add({"--name", "Team", "--type", "Meeting", "--start", "2026-12-07 09:30", "--weekly", "1", "--on", "mon,thu"});
    Add({"--name", "Rent", "--type", "Payment", "--start", "2026-12-25 12:00", "--monthly", "1", "--nth", "last",
         "--weekday", "fri"});
    Add({"--name", "Pills", "--start", "2026-12-07 08:00", "--daily", "1", "--until", "2026-12-31"});
    Add({"--name", "Fall", "--start", "2026-12-07 08:00", "--yearly", "--nth", "first", "--weekday", "mon", "--month",
         "sep"});
    const Result r = Run({"events"});
    for (const char* description :
         {"\"Every Mar 5\"", "\"Every 1 week(s) on Monday,Thursday\"", "\"The Last Friday of Every 1 Months\"",
          "\"Every 1 Days\"", "\"The First Monday of Sep\""})
        EXPECT_NE(r.out.find(description), std::string::npos) << description;
    EXPECT_EQ(Run({"day", "2026-12-10"}).out, "[2147483650, 2147483652]\n");
    EXPECT_EQ(Run({"day", "2027-01-01"}).out, "[]\n");
}

TEST_F(CliTest, AddRefusesWhatTheEditorAndTheRecurrenceDialogRefuse) {
    const std::vector<std::string> later{"--name", "x", "--start", "2027-01-01 10:00"};
    auto add = [&](std::vector<std::string> more, bool withLater = true) {
        std::vector<std::string> a{"add"};
        if (withLater) a.insert(a.end(), later.begin(), later.end());
        a.insert(a.end(), more.begin(), more.end());
        return Run(a);
    };
    const std::pair<Result, const char*> refusals[] = {
        {Run({"add", "--name", "", "--start", "2027-01-01 10:00"}), "Name cannot be empty!\n"},
        {Run({"add", "--name", "x", "--start", "2026-12-06 09:00"}),
         "This event occurs in the past, you need to change start time.\n"},
        {add({"--yearly", "--month", "2", "--day", "29"}), "Invalid time\n"},
        {add({"--weekly=52"}), "Please enter an integer between 1 and 51.\n"},
        {add({"--weekly", "1", "--on", ""}), "--on needs at least one weekday"},
        {add({"--daily", "1", "--until", "2026-12-31"}), "The series cannot end before the day it starts.\n"},
        {add({"--type", "Nope"}), "No event type is named \"Nope\".\n"},
        {add({"--frobnicate"}), "Unknown option --frobnicate."},
        {add({"--disabled=yes"}), "The option --disabled takes no value."},
    };
    for (const auto& [r, message] : refusals) {
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
    }
    EXPECT_FALSE(dir.Exists("Evnt.est"));  // nothing was written by any refusal
    // The end may be the start's own day; "--" lets a name start with dashes.
    EXPECT_EQ(Run({"add", "--daily", "1", "--until=2027-01-01", "--start", "2027-01-01 10:00", "--name=--x"}).status, 0);
    EXPECT_NE(Run({"delete", "--", "--7"}).err.find("not \"--7\""), std::string::npos);
}

TEST_F(CliTest, AnswersChangeTheFileAtOnce) {
    const std::string id = Add({"--name", "Call", "--type", "Phone Call", "--start", "2026-12-06 10:30"});
    Result r = Run({"snooze", id, "300"}, "2026-12-06 10:26:00");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Run({"events"}).out.find("\"state\": \"snoozed\""), std::string::npos);
    EXPECT_NE(Run({"events"}).out.find("\"reminder\": \"2026-12-06 10:31:00\""), std::string::npos);
    ASSERT_EQ(Run({"disable", id}).status, 0);
    EXPECT_NE(Run({"events"}).out.find("\"enabled\": false"), std::string::npos);
    ASSERT_EQ(Run({"enable", id}).status, 0);
    ASSERT_EQ(Run({"accept", id}).status, 0);
    EXPECT_NE(Run({"events"}).out.find("\"state\": \"done\""), std::string::npos);
    ASSERT_EQ(Run({"delete", id}).status, 0);
    EXPECT_EQ(Run({"events"}).out, "[]\n");
    r = Run({"delete", id});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No event has the id 1.\n");
}

TEST_F(CliTest, ReadingCommandsWriteNothing) {
    EXPECT_EQ(Run({"events"}).status, 0);
    EXPECT_EQ(Run({"types"}).out.substr(0, 22), "[\n  {\"id\": 1, \"name\": ");
    EXPECT_FALSE(dir.Exists("Evnt.est"));
    EXPECT_FALSE(dir.Exists("Type.ptt"));
}

TEST_F(CliTest, WritingCommandsRefuseWhileAProgramThatCannotBeReachedHoldsTheFolder) {
    tv::DataFolderLock program;
    std::string why;
    ASSERT_TRUE(program.TryLock(dir.Path(), tv::DataFolderLock::Mode::Exclusive, why)) << why;
    ASSERT_TRUE(program.Record(dir.File("gone.sock")));  // where it listened before it hung up
    const Result r = Run({"add", "--name", "x", "--start", "2027-01-01 10:00"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Tallyvane is running"), std::string::npos);
    EXPECT_FALSE(dir.Exists("Evnt.est"));
    EXPECT_EQ(Run({"events"}).status, 0);  // reading the files is fine
}

TEST_F(CliTest, TransferCommandsReportWrongFilesAndChangeNothing) {
    Add({"--name", "Keep", "--start", "2027-01-01 10:00"});
    ASSERT_EQ(Run({"export", dir.File("all.exp")}).status, 0);
    ASSERT_EQ(Run({"backup", dir.File("all.bak")}).status, 0);
    const std::string before = dir.Read("Evnt.est");

    // Every transfer ends in one report; the core's tests name each file's refusals.
    Result r = Run({"restore", dir.File("all.exp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid Backup File!\n");
    std::filesystem::create_directories(dir.File("plum"));
    dir.Write("plum/evty.ptt", std::string(8, '\0'));
    dir.Write("plum/evnt.pte", "\x07WRONGTG");
    r = Run({"import-plumtrace", dir.File("plum")});
    EXPECT_EQ(r.err, "Invalid Plumtrace 2.3 File.\n");
    EXPECT_EQ(Run({"restore", dir.File("nothing.bak")}).status, 1);
    EXPECT_EQ(dir.Read("Evnt.est"), before);

    // The right files work; importing adds the event again under a new id.
    ASSERT_EQ(Run({"import", dir.File("all.exp"), "--no-types"}).status, 0);
    EXPECT_NE(Run({"events"}).out.find("\"id\": 2"), std::string::npos);
    ASSERT_EQ(Run({"restore", dir.File("all.bak")}).status, 0);
    EXPECT_EQ(dir.Read("Evnt.est"), before);
    dir.Write("h.hdy", "header\nXmas,1,12,25\n");
    ASSERT_EQ(Run({"import-holidays", dir.File("h.hdy")}).status, 0);
    EXPECT_NE(Run({"events"}).out.find("\"recurrence\": \"Every Dec 25\""), std::string::npos);
}

TEST_F(CliTest, CalendarFilesMoveEventsOnceAndNameWhatCannotMove) {
    Add({"--name", "Team", "--start", "2027-01-04 09:30", "--weekly", "2", "--on", "mon,thu", "--until", "2027-06-30"});
    ASSERT_EQ(Run({"export-ics", dir.File("out.ics")}).status, 0);
    const std::string before = dir.Read("Evnt.est");
    dir.Write("peer.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:p1\r\nSUMMARY:Chor\r\nDTSTART:20270111T180000\r\n"
                          "RRULE:FREQ=WEEKLY\r\nEXDATE:20270125T180000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    dir.Write("bad.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
    Result r = Run({"import-ics", dir.File("bad.ics")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Nothing was imported"), std::string::npos);
    EXPECT_EQ(Run({"import-ics", dir.File("out.ics")}).out, "0 events imported, 1 already present, 0 skipped\n");
    r = Run({"import-ics", dir.File("peer.ics")});
    EXPECT_EQ(r.err, "\"Chor\" (2027-01-11 18:00): EXDATE (1 date(s) left out) - skipped (--nearest imports it)\n");
    EXPECT_EQ(dir.Read("Evnt.est"), before);
    EXPECT_EQ(Run({"import-ics", dir.File("peer.ics"), "--nearest"}).out, "1 events imported, 0 already present, 0 skipped\n");
    EXPECT_NE(Run({"events"}).out.find("\"Chor\""), std::string::npos);
}

TEST_F(CliTest, UsageErrorsHelpAndVersion) {
    EXPECT_EQ(tvtest::RunCli({}).status, 1);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"frobnicate"}, {"day", "someday"}, {"snooze", "1"}, {"accept", "-3"}, {"events", "extra"}})
        EXPECT_EQ(Run(args).status, 1) << args[0];
    EXPECT_EQ(Run({"events"}, "yesterday").status, 1);
    // The overview names every row of the command table; each command has its own help.
    const std::pair<std::vector<std::string>, const char*> helps[] = {
        {{"--help"}, "usage: tallyvane-cli"}, {{"--help"}, "import-plumtrace DIR"},
        {{"add", "--help"}, "--remind-before=SECONDS"}, {{"--version"}, "tallyvane-cli "}};
    for (const auto& [args, text] : helps) {
        const Result r = tvtest::RunCli(args);
        EXPECT_EQ(r.status, 0) << text;
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    }
}

// A mistyped folder is no empty calendar, however it is given.
TEST_F(CliTest, AMissingDataFolderIsNoEmptyCalendar) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--data-dir", dir.File("typo"), "events"}, {"--data-dir", dir.File("typo"), "types"},
             {"day", "2027-01-01", "--data-dir=" + dir.File("typo")}}) {
        const Result r = tvtest::RunCli(args);
        EXPECT_EQ(std::tuple(r.status, r.out), std::tuple(1, "")) << args.back();
        EXPECT_NE(r.err.find("does not exist"), std::string::npos) << args.back();
    }
}

TEST_F(CliTest, AnUnreadableFileOrAFolderOthersMayWriteToIsAnError) {
    for (const char* file : {"Evnt.est", "Type.ptt"}) {
        std::filesystem::create_directory(dir.File(file));  // there, but no file to read
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"events"}, {"types"}, {"day", "2027-01-01"}}) {
            const Result r = Run(args);
            EXPECT_TRUE(r.status == 1 && r.out.empty() && r.err.find(file) != std::string::npos) << args[0] << r.err;
        }
        std::filesystem::remove(dir.File(file));
    }
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::others_write, std::filesystem::perm_options::add);
    EXPECT_NE(Run({"events"}).err.find("--trust-data-dir"), std::string::npos);
    EXPECT_EQ(Run({"events", "--trust-data-dir"}).status, 0);
}

TEST_F(CliTest, ASecondWriterWaitsForTheFirstAndSaysSoWhenItGivesUp) {
    tv::DataFolderLock first;
    std::string why;
    ASSERT_EQ(first.LockForWriter(dir.Path(), std::chrono::seconds(0), why), tv::DataFolderLock::WriterLock::Locked);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        first.Unlock();
    });
    EXPECT_EQ(Run({"add", "--name", "waited", "--start", "2027-01-01 10:00"}).status, 0);
    release.join();
    ASSERT_EQ(first.LockForWriter(dir.Path(), std::chrono::seconds(0), why), tv::DataFolderLock::WriterLock::Locked);
    const Result r = Run({"delete", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("another tallyvane-cli is writing"), std::string::npos) << r.err;
}

// The everyday tool, which carries no iCalendar or sync code, hands those command lines to the
// full tool on the same data folder, the default one included.
TEST_F(CliTest, TheEverydayToolHandsCalendarFilesToTheFullTool) {
    const auto run = [&](const std::string& tool, const std::string& args) {
        const std::string line =
            "XDG_DATA_HOME=" + dir.File("xdg") + " " + tool + " " + args + " >" + dir.File("out") + " 2>" + dir.File("err");
        const int status = std::system(line.c_str());
        return Result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("out"), dir.Read("err")};
    };
    dir.Write("one.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:u1\r\nSUMMARY:Chor\r\nDTSTART:20270111T180000\r\n"
                         "END:VEVENT\r\nEND:VCALENDAR\r\n");
    Result r = run(TALLYVANE_CLI, "import-ics " + dir.File("one.ics"));
    EXPECT_EQ(r.out, "1 events imported, 0 already present, 0 skipped\n") << r.err;
    EXPECT_NE(run(TALLYVANE_CLI, "events").out.find("\"Chor\""), std::string::npos);

    // Copied away from the full tool, it says what is missing and changes nothing.
    std::filesystem::copy_file(TALLYVANE_CLI, dir.File("tallyvane-cli"));
    const std::string before = dir.Read("xdg/tallyvane/Evnt.est");
    r = run(dir.File("tallyvane-cli"), "import-ics " + dir.File("one.ics"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("tallyvane-cli-full\", which could not be started"), std::string::npos) << r.err;
    EXPECT_EQ(dir.Read("xdg/tallyvane/Evnt.est"), before);
}
