// Small helpers the editing dialogs share: the program's message boxes (through the shell's
// replaceable prompts, see shell/UserPrompts.h) and the name field's length limit.
#pragma once

#include <QString>
#include <string>

class QLineEdit;
class QWidget;

namespace tv {

// A refusal or notice with an OK button, titled with the product name.
void ShowProductMessage(QWidget* parent, const QString& text);
// A notice that does not stop anything, with an OK button, titled with the product name.
void ShowProductNotice(QWidget* parent, const QString& text);
// A Yes/No question titled "Warning"; true for Yes.
bool AskWarningQuestion(QWidget* parent, const QString& text);

// Keeps the text of edit to at most max characters (code points). The line edit's own limit
// counts UTF-16 units, so it would allow half as many emoji and could cut one in two. What is
// typed or pasted beyond the limit is cut where it was inserted, as that limit does.
void LimitCharacters(QLineEdit* edit, int max);

// Places a dialog that has no owner in the middle of the screen it is on.
void CenterOnScreen(QWidget* dialog);

}  // namespace tv
