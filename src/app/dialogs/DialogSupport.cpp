// Text conversion and message boxes of the editing dialogs.
#include "DialogSupport.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "editing/EditingTexts.h"
#include "model/TextCodec.h"

namespace tv {

QString FromArchiveText(const std::string& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string ToArchiveText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

void ShowProductMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(texts::kProductName), text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowProductNotice(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(texts::kProductName), text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskWarningQuestion(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(texts::kWarningCaption), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
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
