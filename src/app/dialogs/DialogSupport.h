// Small helpers the editing dialogs share: archive text <-> QString and the program's message
// boxes (through the shell's replaceable prompts, see shell/UserPrompts.h).
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace tv {

// Archive texts are Windows-1252 bytes.
QString FromArchiveText(const std::string& bytes);
std::string ToArchiveText(const QString& text);

// A refusal or notice with an OK button, titled with the product name.
void ShowProductMessage(QWidget* parent, const QString& text);
// A notice that does not stop anything, with an OK button, titled with the product name.
void ShowProductNotice(QWidget* parent, const QString& text);
// A Yes/No question titled "Warning"; true for Yes.
bool AskWarningQuestion(QWidget* parent, const QString& text);

// Places a dialog that has no owner in the middle of the screen it is on.
void CenterOnScreen(QWidget* dialog);

}  // namespace tv
