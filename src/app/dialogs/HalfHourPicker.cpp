// The half-hour list: a popup that scrolls, so that it never outgrows the screen.
#include "HalfHourPicker.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>

#include "editing/HalfHourMenu.h"

namespace tv {

namespace {

class CHalfHourList : public QListWidget {
public:
    explicit CHalfHourList(QWidget* parent) : QListWidget(parent) {
        setWindowFlags(Qt::Popup);
        setObjectName(QStringLiteral("halfHourList"));
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (const HalfHourItem& item : HalfHourMenuItems()) {
            auto* row = new QListWidgetItem(QString::fromStdString(item.text), this);
            row->setData(Qt::UserRole, item.commandId);
        }
        connect(this, &QListWidget::itemClicked, this, &CHalfHourList::choose);
        connect(this, &QListWidget::itemActivated, this, &CHalfHourList::choose);
    }
    int chosen = 0;
    QEventLoop loop;

protected:
    void hideEvent(QHideEvent* event) override {
        QListWidget::hideEvent(event);
        loop.quit();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QListWidget::keyPressEvent(event);
    }

private:
    void choose(QListWidgetItem* item) {
        chosen = item->data(Qt::UserRole).toInt();
        close();
    }
};

}  // namespace

int PickHalfHourCommand(QWidget* anchor, const DateTime& current) {
    CHalfHourList list(anchor);
    const int rowHeight = list.sizeHintForRow(0);
    const int width = list.sizeHintForColumn(0) + list.verticalScrollBar()->sizeHint().width() +
                      2 * list.frameWidth() + 16;
    list.resize(std::max(width, anchor->width()), rowHeight * 12 + 2 * list.frameWidth());

    DateParts p;
    const int row = current.GetParts(p) ? p.hour * 2 + (p.minute >= 30 ? 1 : 0) : 0;
    list.setCurrentRow(row);

    QPoint pos = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen* screen = anchor->screen()) {
        const QRect area = screen->availableGeometry();
        if (pos.y() + list.height() > area.bottom() + 1) pos.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - list.height());
        if (pos.x() + list.width() > area.right() + 1) pos.setX(area.right() + 1 - list.width());
        pos.setY(std::max(pos.y(), area.top()));
    }
    list.move(pos);
    list.show();
    list.scrollToItem(list.item(row), QAbstractItemView::PositionAtCenter);
    list.setFocus();
    list.loop.exec();
    return list.chosen;
}

}  // namespace tv
