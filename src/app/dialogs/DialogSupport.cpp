// Text conversion and message boxes of the editing dialogs.
#include "DialogSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "texts/UserTexts.h"
#include "model/TextCodec.h"
#include "shell/UserPrompts.h"

namespace tv {

QString FromArchiveText(const std::string& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string ToArchiveText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

void ShowProductMessage(QWidget* parent, const QString& text) { Prompts().Tell(parent, ProductName(), text, true); }

void ShowProductNotice(QWidget* parent, const QString& text) { Prompts().Tell(parent, ProductName(), text, false); }

bool AskWarningQuestion(QWidget* parent, const QString& text) {
    return Prompts().AskYesNo(parent, QString::fromLatin1(texts::kWarningCaption), text);
}

void CenterOnScreen(QWidget* dialog) {
    QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    dialog->adjustSize();
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
}

}  // namespace tv
