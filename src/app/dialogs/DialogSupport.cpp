// Message boxes of the editing dialogs and the name field's length limit.
#include "DialogSupport.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QValidator>
#include <QWidget>

#include "shell/Translation.h"
#include "shell/UserPrompts.h"
#include "texts/UserTexts.h"

namespace tv {

namespace {

// A surrogate pair is one character.
bool PairEndsAt(const QString& s, qsizetype end) {
    return end >= 2 && s.at(end - 1).isLowSurrogate() && s.at(end - 2).isHighSurrogate();
}

class CharacterLimit : public QValidator {
public:
    CharacterLimit(int max, QObject* parent) : QValidator(parent), m_max(max) {}

    State validate(QString& input, int& pos) const override {
        qsizetype excess = static_cast<qsizetype>(input.toUcs4().size()) - m_max;
        if (excess <= 0) return Acceptable;
        // What was just typed or pasted ends at the cursor.
        qsizetype from = pos;
        for (; excess > 0 && from > 0; --excess) from -= PairEndsAt(input, from) ? 2 : 1;
        input.remove(from, pos - from);
        pos = static_cast<int>(from);
        for (; excess > 0; --excess) input.chop(PairEndsAt(input, input.size()) ? 2 : 1);
        pos = std::min(pos, static_cast<int>(input.size()));
        return Acceptable;
    }

private:
    int m_max;
};

}  // namespace

void LimitCharacters(QLineEdit* edit, int max) { edit->setValidator(new CharacterLimit(max, edit)); }

void ShowProductMessage(QWidget* parent, const QString& text) { Prompts().Tell(parent, ProductName(), text, true); }

void ShowProductNotice(QWidget* parent, const QString& text) { Prompts().Tell(parent, ProductName(), text, false); }

bool AskWarningQuestion(QWidget* parent, const QString& text) {
    return Prompts().AskYesNo(parent, CoreText(texts::kWarningCaption), text);
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
