// The questions and messages the shell puts to the user, behind one replaceable interface.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tv {

struct FileResult;
struct LoadReport;

// The answer to the question asked per recurring event when several are deleted together.
enum class DeleteAnswer { YesToAll, Yes, No, Cancel };

// The answer when the calendar window closes on a desktop where nothing else of the program
// would be left to see.
enum class HiddenAnswer { KeepRunning, Exit, Cancel };

// What a file dialog asks for.
struct FileDialogRequest {
    bool save = false;       // a save dialog (with the overwrite question) or an open dialog
    QString caption;         // empty: the desktop's own title
    QString filter;          // "Export Files (*.bak)"
    QString defaultSuffix;   // "bak": added to a typed name that has no extension
};

// Message boxes and the file, folder and printer dialogs of the shell. The program uses the
// real dialogs; tests install scripted answers. The choosers answer as if the user cancelled
// unless an implementation says otherwise, so a test double never opens a real dialog.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // "This is a recurrent event, do you really want to delete it?" with Yes to All, Yes, No,
    // Cancel.
    virtual DeleteAnswer AskDeleteRecurring(QWidget* owner) = 0;
    // An OK box: a warning when `warning` is set, otherwise information.
    virtual void Tell(QWidget* owner, const QString& caption, const QString& text, bool warning) = 0;

    // A Yes/No question with the warning icon, for questions before something is replaced.
    virtual bool AskYesNoWarning(QWidget* owner, const QString& caption, const QString& text) {
        return AskYesNo(owner, caption, text);
    }
    // An OK box with the stop icon: the command could not be done.
    virtual void TellStop(QWidget* owner, const QString& caption, const QString& text) {
        Tell(owner, caption, text, true);
    }
    // The chosen file's full path, empty when cancelled.
    virtual QString ChooseFile(QWidget* /*owner*/, const FileDialogRequest& /*request*/) { return {}; }
    // A folder, empty when cancelled.
    virtual QString ChooseFolder(QWidget* /*owner*/, const QString& /*title*/) { return {}; }
    // The Import dialog: which content of an export file to import. False when cancelled.
    virtual bool ChooseImportContent(QWidget* /*owner*/, bool& /*events*/, bool& /*types*/) { return false; }
    // The print dialog on that printer; false when cancelled.
    virtual bool SetUpPrinter(QWidget* /*owner*/, QPrinter& /*printer*/) { return false; }
    // Whether to keep running with nothing on screen, saying how to come back. Unless an
    // implementation says otherwise, the window closes and the program keeps running.
    virtual HiddenAnswer AskKeepRunningHidden(QWidget* /*owner*/) { return HiddenAnswer::KeepRunning; }
};

void SetUserPrompts(IUserPrompts* prompts);  // null restores the message boxes
IUserPrompts& Prompts();

// The product name, caption of the program's own messages.
inline QString ProductName() { return QStringLiteral("Tallyvane"); }

// Tells the user what a save answered: its failure as a warning and its note (a damaged file
// was kept aside) as information. Answers whether the save succeeded. The same failure is not
// repeated while it persists, so that a full disk does not bring up a box on every change.
bool ReportSave(QWidget* owner, const FileResult& result);

// What loading the event file and the type file found, when it is worth telling: a file that
// was damaged, of the wrong kind or unreadable (and is kept aside before the next save), or
// records whose ids had to be repaired. Empty when both loaded cleanly.
QString DescribeLoadReports(const LoadReport& events, const LoadReport& types);

}  // namespace tv
