// The event-type menu and the type icon strips.
#include "TypeMenu.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QPainter>

#include "model/EventTypeTable.h"
#include "model/TextCodec.h"

namespace tv {

namespace {

// Stand-ins keep every icon distinct when the strips are missing: a coloured disc with the
// icon's number.
QPixmap DrawnIcon(int index, int size) {
    static const QColor colours[kTypeIconCount] = {
        QColor(0xC0, 0x39, 0x2B), QColor(0xE9, 0x1E, 0x63), QColor(0x29, 0x80, 0xB9), QColor(0xF3, 0x9C, 0x12),
        QColor(0x27, 0xAE, 0x60), QColor(0x8E, 0x44, 0xAD), QColor(0xB7, 0x95, 0x0B), QColor(0x16, 0xA0, 0x85),
        QColor(0x34, 0x49, 0x5E), QColor(0x2E, 0x86, 0xC1), QColor(0xD4, 0xAC, 0x0D), QColor(0xCB, 0x43, 0x35),
        QColor(0x1A, 0xBC, 0x9C), QColor(0x7F, 0x8C, 0x8D), QColor(0xE6, 0x7E, 0x22), QColor(0x5D, 0x6D, 0x7E),
    };
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colours[index]);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    QFont f;
    f.setPixelSize(size * 9 / 16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::number(index));
    return pm;
}

QPixmap IconFromStrip(const QString& path, int index, int size) {
    static QHash<QString, QPixmap> strips;
    auto it = strips.find(path);
    if (it == strips.end()) it = strips.insert(path, QFile::exists(path) ? QPixmap(path) : QPixmap());
    const QPixmap& strip = it.value();
    if (strip.width() >= size * kTypeIconCount && strip.height() >= size)
        return strip.copy(index * size, 0, size, size);
    return DrawnIcon(index, size);
}

int ValidIndex(int index) { return index >= 0 && index < kTypeIconCount ? index : 0; }

}  // namespace

QPixmap TypeIconSmall(int index) { return IconFromStrip(QStringLiteral(":/icons/types-small.png"), ValidIndex(index), 16); }
QPixmap TypeIconLarge(int index) { return IconFromStrip(QStringLiteral(":/icons/types-large.png"), ValidIndex(index), 32); }

QIcon TypeIcon(int index) {
    QIcon icon;
    icon.addPixmap(TypeIconSmall(index));
    icon.addPixmap(TypeIconLarge(index));
    return icon;
}

void FillTypeMenu(QMenu& menu, const CEventTypeTable& table) {
    menu.clear();
    for (const TypeMenuItem& item : table.BuildTypeMenu()) {
        switch (item.kind) {
            case TypeMenuItem::Kind::Separator:
                menu.addSeparator();
                break;
            case TypeMenuItem::Kind::Type: {
                // A type's name is shown as it stands: '&' would otherwise make a mnemonic.
                QString text = QString::fromStdString(Cp1252ToUtf8(item.text));
                text.replace(QLatin1Char('&'), QLatin1String("&&"));
                QAction* action = menu.addAction(TypeIconSmall(item.icon), text);
                action->setData(item.commandId);
                break;
            }
            case TypeMenuItem::Kind::Customize: {
                QAction* action = menu.addAction(QString::fromStdString(item.text));
                action->setData(item.commandId);
                break;
            }
        }
    }
}

int TypeMenuCommand(const QAction* action) {
    if (!action) return 0;
    bool ok = false;
    const int id = action->data().toInt(&ok);
    return ok ? id : 0;
}

int ExecTypeMenu(const CEventTypeTable& table, const QPoint& globalPos, QWidget* parent) {
    QMenu menu(parent);
    FillTypeMenu(menu, table);
    return TypeMenuCommand(menu.exec(globalPos));
}

}  // namespace tv
