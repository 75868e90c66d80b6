// The questions and messages the shell puts to the user.
#include "UserPrompts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "model/TextCodec.h"
#include "store/FileResult.h"

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
