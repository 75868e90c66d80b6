// The questions and messages the shell puts to the user, behind one replaceable interface.
#pragma once

#include <QString>

class QWidget;

namespace tv {

struct FileResult;
struct LoadReport;

// The answer to the question asked per recurring event when several are deleted together.
enum class DeleteAnswer { YesToAll, Yes, No, Cancel };

// Message boxes of the shell. The program uses QMessageBox; tests install scripted answers.
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
