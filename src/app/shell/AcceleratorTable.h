// The main window's accelerator table: keys that run commands before anything else sees them.
#pragma once

#include <QHash>
#include <QKeyCombination>
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tv {

// Installed on the application, it watches the keys typed into one window. A key of the
// table runs its command ahead of menu mnemonics (Alt+E is Week Day, not the Event menu), but
// a text field keeps the keys it edits with (Del, Ctrl+A, Ctrl+V in a search box) and Enter.
// Nothing is intercepted while a menu or another window is active.
class CAcceleratorTable : public QObject {
    Q_OBJECT
public:
    // keys: "Ctrl+A", "Del", "F3", "Enter" (the Return key and the keypad's Enter) ...
    CAcceleratorTable(QWidget* window, const std::vector<std::pair<QString, int>>& keys,
                      std::function<void(int command)> run);
    ~CAcceleratorTable() override;

    // The command of a key, or 0.
    int CommandFor(QKeyCombination key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Applies(QObject* watched, QKeyEvent* key) const;
    bool TextFieldWants(QObject* watched, QKeyEvent* key);

    QWidget* m_window;
    QHash<int, int> m_commands;  // key combination -> command
    std::function<void(int)> m_run;
    bool m_asking = false;
    int m_pending = 0;
};

}  // namespace tv
