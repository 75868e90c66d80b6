// The event-type menu: one item per type with its small icon, then "Customize...".
#pragma once

#include <QMenu>
#include <functional>

namespace tv {

class CEventTypeTable;

// Refills the menu from the table (under its lock): items with command ids 2024 + index and
// the type's name and small icon, a separator, and "Customize..." (3025). Choosing an item
// calls run with its command id. enabled decides, per command id, whether an item can be
// chosen.
void FillTypeMenu(QMenu* menu, const CEventTypeTable& table, const std::function<void(int commandId)>& run,
                  const std::function<bool(int commandId)>& enabled = {});

// Shows the type menu at a screen point and answers the chosen command id (2024 + index or
// 3025), or 0 when the user chose nothing. For buttons that open the menu and act on the
// answer themselves, such as the event editor's type button.
int ExecTypeMenu(const CEventTypeTable& table, const QPoint& globalPos, QWidget* parent = nullptr);

// A menu title or item text shown as it is: '&' is no mnemonic marker in a type's name.
QString MenuText(const QString& plain);

}  // namespace tv
