// The event-type menu: one item per type with its small icon, then "Customize...".
#include "TypeMenu.h"

#include "shell/AppIcons.h"
#include "shell/CommandTable.h"
#include "store/EventTypeTable.h"

namespace tv {

QString MenuText(const QString& plain) {
    QString s = plain;
    return s.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void FillTypeMenu(QMenu* menu, const CEventTypeTable& table, const std::function<void(int)>& run,
                  const std::function<bool(int)>& enabled) {
    menu->clear();
    for (const TypeMenuItem& item : table.BuildTypeMenu()) {
        if (item.kind == TypeMenuItem::Kind::Separator) {
            menu->addSeparator();
            continue;
        }
        // The types are the user's own names; "Customize..." is the program's, in the user's language.
        QAction* a =
            menu->addAction(item.kind == TypeMenuItem::Kind::Customize ? CommandText(item.text.c_str())
                                                                       : MenuText(QString::fromStdString(item.text)));
        if (item.icon >= 0) a->setIcon(QIcon(icons::SmallTypeIcon(item.icon)));
        a->setData(item.commandId);
        a->setStatusTip(CommandStatus(item.commandId));
        if (enabled) a->setEnabled(enabled(item.commandId));
        const int id = item.commandId;
        QObject::connect(a, &QAction::triggered, menu, [run, id] { run(id); });
    }
}

int ExecTypeMenu(const CEventTypeTable& table, const QPoint& globalPos, QWidget* parent) {
    QMenu menu(parent);
    int chosen = 0;
    FillTypeMenu(&menu, table, [&chosen](int id) { chosen = id; });
    menu.exec(globalPos);
    return chosen;
}

}  // namespace tv
