// CEventListCtrl: the event list of the All-events and Find pages, rows holding only event ids.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "views/EventListModel.h"

namespace tv {

class IClock;

// The table over a CEventListModel: every cell is looked up in the store when it is shown.
class CEventListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CEventListTableModel(const IClock& clock, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // What one row shows now.
    ListRowView rowView(int row) const;
    uint32_t idAt(int row) const { return m_model.RowToId(row).value_or(0); }
    int rowOf(uint32_t id) const { return m_model.IdToRow(id).value_or(-1); }
    const CEventListModel& model() const { return m_model; }

    void fillAll();
    void setIds(const std::vector<uint32_t>& ids);
    int append(uint32_t id);
    bool removeById(uint32_t id);
    void clear();
    void sortBy(int column);
    // Redraws the row of that id.
    void refreshId(uint32_t id);
    // Drops rows whose events left the store and adds rows for events it does not list yet,
    // keeping the order and the rows that stay.
    void syncWithStore();

private:
    CEventListModel m_model;
    const IClock& m_clock;
};

// Draws a row as the list always did: images in the first column, the type's text colour.
class CEventRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class CEventListCtrl : public QTableView {
    Q_OBJECT
public:
    CEventListCtrl(const IClock& clock, QWidget* parent = nullptr);

    CEventListTableModel* listModel() const { return m_model; }
    // Selected rows' ids, in row order.
    std::vector<uint32_t> selectedIds() const;
    // Whether a header click sorts (the All page) or not (the Find page).
    void setSortable(bool sortable) { m_sortable = sortable; }

    // The four status images (0 done, 1 disabled, 2 snoozed, 3 recurring).
    static QPixmap StatusImage(int index);

Q_SIGNALS:
    // A double click on a row (the row is selected) or on empty space.
    void rowDoubleClicked(int row);
    void emptyDoubleClicked();
    void contextMenuWanted(const QPoint& globalPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CEventListTableModel* m_model;
    bool m_sortable = false;
};

}  // namespace tv
