// The main window's accelerator table: keys that run commands before anything else sees them.
#include "AcceleratorTable.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace tv {

namespace {

int Code(QKeyCombination k) { return k.toCombined(); }

bool IsTextField(QObject* o) {
    if (qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSpinBox*>(o)) return true;
    if (auto* te = qobject_cast<QTextEdit*>(o)) return !te->isReadOnly();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(o)) return !pe->isReadOnly();
    if (auto* cb = qobject_cast<QComboBox*>(o)) return cb->isEditable();
    return false;
}

bool IsEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

}  // namespace

CAcceleratorTable::CAcceleratorTable(QWidget* window, const std::vector<std::pair<QString, int>>& keys,
                                     std::function<void(int)> run)
    : QObject(window), m_window(window), m_run(std::move(run)) {
    for (const auto& [text, command] : keys) {
        if (text == QLatin1String("Enter")) {
            m_commands.insert(Code(QKeyCombination(Qt::Key_Return)), command);
            m_commands.insert(Code(QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter)), command);
            continue;
        }
        const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
        if (!seq.isEmpty()) m_commands.insert(Code(seq[0]), command);
    }
    qApp->installEventFilter(this);
}

CAcceleratorTable::~CAcceleratorTable() { qApp->removeEventFilter(this); }

int CAcceleratorTable::CommandFor(QKeyCombination key) const { return m_commands.value(Code(key), 0); }

bool CAcceleratorTable::Applies(QObject* watched, QKeyEvent* key) const {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != m_window || QApplication::activePopupWidget()) return false;
    return CommandFor(key->keyCombination()) != 0;
}

bool CAcceleratorTable::TextFieldWants(QObject* watched, QKeyEvent* key) {
    if (!IsTextField(watched)) return false;
    if (IsEnter(key)) return true;
    // Ask the field itself whether it edits with this key.
    QKeyEvent probe(QEvent::ShortcutOverride, key->key(), key->modifiers(), key->text());
    probe.ignore();
    m_asking = true;
    QCoreApplication::sendEvent(watched, &probe);
    m_asking = false;
    return probe.isAccepted();
}

bool CAcceleratorTable::eventFilter(QObject* watched, QEvent* event) {
    if (m_asking || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!Applies(watched, key)) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        if (TextFieldWants(watched, key)) return false;
        // Claiming the override keeps menu mnemonics and shortcuts from taking the key; it then
        // arrives as a key press, which runs the command.
        m_pending = Code(key->keyCombination());
        event->accept();
        return true;
    }
    // A key press not announced by an override (nothing else wanted it) runs its command too,
    // unless a text field edits with it.
    if (m_pending != Code(key->keyCombination()) && TextFieldWants(watched, key)) return false;
    m_pending = 0;
    if (key->isAutoRepeat() && IsEnter(key)) return true;
    m_run(CommandFor(key->keyCombination()));
    return true;
}

}  // namespace tv
