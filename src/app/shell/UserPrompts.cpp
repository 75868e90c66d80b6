// The questions and messages the shell puts to the user.
#include "UserPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>

#include "ImportDlg.h"
#include "shell/FileNames.h"
#include "platform/FileResult.h"

namespace tv {

namespace {

class CMessageBoxPrompts final : public IUserPrompts {
public:
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override {
        return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    }

    DeleteAnswer AskDeleteRecurring(QWidget* owner) override {
        QMessageBox box(QMessageBox::Question, QObject::tr("Delete Events"),
                        QStringLiteral("This is a recurrent event, do you really want to delete it?"),
                        QMessageBox::NoButton, owner);
        QPushButton* all = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::YesRole);
        QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        QPushButton* cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
        box.setDefaultButton(no);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == all) return DeleteAnswer::YesToAll;
        if (box.clickedButton() == yes) return DeleteAnswer::Yes;
        if (box.clickedButton() == no) return DeleteAnswer::No;
        return DeleteAnswer::Cancel;
    }

    void Tell(QWidget* owner, const QString& caption, const QString& text, bool warning) override {
        if (warning) QMessageBox::warning(owner, caption, text);
        else QMessageBox::information(owner, caption, text);
    }

    bool AskYesNoWarning(QWidget* owner, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
        box.setDefaultButton(QMessageBox::No);
        // The text breaks its lines itself; wrapping them again would break them mid-sentence.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->setWordWrap(false);
        return box.exec() == QMessageBox::Yes;
    }

    HiddenAnswer AskKeepRunningHidden(QWidget* owner) override {
        QMessageBox box(QMessageBox::Question, ProductName(),
                        QObject::tr("Neither the clock nor a tray icon shows Tallyvane on this desktop, so nothing "
                                    "will be left to see once this window closes.\n\nKeep Tallyvane running in "
                                    "the background to remind you of your events? Starting Tallyvane again brings "
                                    "this window back."),
                        QMessageBox::NoButton, owner);
        QPushButton* keep = box.addButton(QObject::tr("&Keep Running"), QMessageBox::AcceptRole);
        QPushButton* exit = box.addButton(QObject::tr("E&xit"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(keep);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == keep) return HiddenAnswer::KeepRunning;
        if (box.clickedButton() == exit) return HiddenAnswer::Exit;
        return HiddenAnswer::Cancel;
    }

    void TellStop(QWidget* owner, const QString& caption, const QString& text) override {
        QMessageBox::critical(owner, caption, text);
    }

    QString ChooseFile(QWidget* owner, const FileDialogRequest& request) override {
        QFileDialog dialog(owner, request.caption, m_lastFolder, request.filter);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        for (;;) {
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
            QString path = dialog.selectedFiles().constFirst();
            // The desktop's own dialog may leave the default extension to the program.
            const QString withSuffix = QFile::decodeName(
                WithDefaultExtension(QFile::encodeName(path).toStdString(), request.defaultSuffix.toStdString()).c_str());
            if (withSuffix != path) {
                if (request.save) {
                    // The dialog asked about the name as typed, not about this one.
                    if (QFileInfo::exists(withSuffix) &&
                        QMessageBox::warning(&dialog, dialog.windowTitle(),
                                             QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                                 .arg(QFileInfo(withSuffix).fileName()),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
                        continue;
                    path = withSuffix;
                } else if (!QFileInfo::exists(path) && QFileInfo::exists(withSuffix)) {
                    path = withSuffix;
                }
            }
            m_lastFolder = QFileInfo(path).absolutePath();
            return path;
        }
    }

    QString ChooseFolder(QWidget* owner, const QString& title) override {
        const QString folder = QFileDialog::getExistingDirectory(owner, title, m_lastFolder, QFileDialog::ShowDirsOnly);
        if (!folder.isEmpty()) m_lastFolder = folder;
        return folder;
    }

    bool ChooseImportContent(QWidget* owner, bool& events, bool& types) override {
        CImportDlg dialog(owner);
        if (dialog.exec() != QDialog::Accepted) return false;
        events = dialog.importEvents();
        types = dialog.importTypes();
        return true;
    }

    bool SetUpPrinter(QWidget* owner, QPrinter& printer) override {
        QPrintDialog dialog(&printer, owner);
        // The whole page or list is printed: no range, no selection, no file of its own.
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    QString m_lastFolder = QDir::homePath();
};

IUserPrompts* g_prompts = nullptr;
QString g_lastSaveFailure;

}  // namespace

void SetUserPrompts(IUserPrompts* prompts) { g_prompts = prompts; }

IUserPrompts& Prompts() {
    static CMessageBoxPrompts boxes;
    return g_prompts ? *g_prompts : boxes;
}

bool ReportSave(QWidget* owner, const FileResult& result) {
    if (result.ok) {
        g_lastSaveFailure.clear();
        if (!result.note.empty()) Prompts().Tell(owner, ProductName(), QString::fromStdString(result.note), false);
        return true;
    }
    const QString message = QString::fromStdString(result.message);
    if (message != g_lastSaveFailure) {
        g_lastSaveFailure = message;
        Prompts().Tell(owner, ProductName(), message + QStringLiteral("\n\nYour changes are kept in memory; "
                                                                      "Tallyvane tries again at the next save."),
                       true);
    }
    return false;
}

QString DescribeLoadReports(const LoadReport& events, const LoadReport& types) {
    QStringList parts;
    auto describe = [&](const LoadReport& r, const QString& what) {
        if (r.NeedsPreservation()) {
            QString text = QString::fromStdString(r.message);
            if (text.isEmpty()) text = QStringLiteral("The %1 could not be read completely.").arg(what);
            parts << text + QStringLiteral(" A copy of the file is kept before it is next saved.");
        }
        if (r.renumbered)
            parts << QStringLiteral("%1 records of the %2 had missing or repeated ids and were given new ones.")
                         .arg(r.renumbered)
                         .arg(what);
    };
    describe(events, QStringLiteral("event file"));
    describe(types, QStringLiteral("event type file"));
    return parts.join(QStringLiteral("\n\n"));
}

}  // namespace tv
