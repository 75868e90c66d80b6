// The event-type menu as a Qt menu, and the type icons it and the dialogs show.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>

class QAction;
class QMenu;
class QWidget;

namespace tv {

class CEventTypeTable;

// Icon i of the 16 type icons: 16 x 16 for menus and lists, 32 x 32 for the editors. Cut from
// the compiled-in strips; drawn stand-ins when the strips are not built in. An index outside
// 0..15 gives icon 0.
QPixmap TypeIconSmall(int index);
QPixmap TypeIconLarge(int index);
// Both sizes, for window icons.
QIcon TypeIcon(int index);

// Fills menu with one item per type in table order (the action's data is the command id
// 2024 + index; the text the type's name with '&' doubled; the small icon), a separator and
// "Customize..." (3025). Whatever the menu held before is removed.
void FillTypeMenu(QMenu& menu, const CEventTypeTable& table);

// Shows the type menu at a screen point and answers the chosen command, or 0 for none.
int ExecTypeMenu(const CEventTypeTable& table, const QPoint& globalPos, QWidget* parent = nullptr);

// The command id an action of a type menu carries (0 for none).
int TypeMenuCommand(const QAction* action);

}  // namespace tv
