// CEventListCtrl: the event list's model, row drawing and mouse handling.
#include "EventListCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QPainter>

#include "engine/Clock.h"
#include "shell/AppIcons.h"
#include "shell/QtConvert.h"
#include "shell/Translation.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"

namespace tv {

namespace {

constexpr int kImageStep = 17;

}  // namespace

// ---- CEventListTableModel -------------------------------------------------------------

CEventListTableModel::CEventListTableModel(const IClock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_clock(clock) {}

int CEventListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_model.GetCount();
}

int CEventListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumnCount;
}

ListRowView CEventListTableModel::rowView(int row) const {
    return DescribeListRow(GetEventStore(), GetEventTypeTable(), idAt(row), m_clock.Now());
}

QVariant CEventListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const uint32_t id = idAt(index.row());
        return QString::fromStdString(
            ListCellText(GetEventStore(), GetEventTypeTable(), id, index.column(), m_clock.Now()));
    }
    if (role == Qt::ForegroundRole) return ToQColor(rowView(index.row()).textColor);
    return {};
}

QVariant CEventListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return CoreText(GetListColumn(section).title);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

void CEventListTableModel::fillAll() {
    beginResetModel();
    m_model.FillAll(GetEventStore());
    endResetModel();
}

void CEventListTableModel::setIds(const std::vector<uint32_t>& ids) {
    beginResetModel();
    m_model.Clear();
    for (uint32_t id : ids) m_model.Append(id);
    endResetModel();
}

int CEventListTableModel::append(uint32_t id) {
    if (id == 0) return -1;
    const int row = m_model.GetCount();
    beginInsertRows({}, row, row);
    m_model.Append(id);
    endInsertRows();
    return row;
}

bool CEventListTableModel::removeById(uint32_t id) {
    const int row = rowOf(id);
    if (row < 0) return false;
    beginRemoveRows({}, row, row);
    m_model.RemoveByRow(row);
    endRemoveRows();
    return true;
}

void CEventListTableModel::clear() {
    beginResetModel();
    m_model.Clear();
    endResetModel();
}

void CEventListTableModel::sortBy(int column) {
    emit layoutAboutToBeChanged();
    m_model.Sort(column, GetEventStore(), GetEventTypeTable(), m_clock.Now());
    emit layoutChanged();
}

void CEventListTableModel::refreshId(uint32_t id) {
    const int row = rowOf(id);
    if (row >= 0) emit dataChanged(index(row, 0), index(row, kListColumnCount - 1));
}

void CEventListTableModel::syncWithStore() {
    const CEventStore& store = GetEventStore();
    std::vector<uint32_t> gone;
    for (uint32_t id : m_model.Ids()) {
        CPtEvent ev;
        if (!store.GetById(id, ev)) gone.push_back(id);
    }
    for (uint32_t id : gone) removeById(id);
    for (uint32_t id : store.GetAllIds())
        if (rowOf(id) < 0) append(id);
    if (m_model.GetCount() > 0) emit dataChanged(index(0, 0), index(m_model.GetCount() - 1, kListColumnCount - 1));
}

// ---- row drawing ----------------------------------------------------------------------

void CEventRowDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto* model = qobject_cast<const CEventListTableModel*>(index.model());
    if (!model) return QStyledItemDelegate::paint(p, option, index);
    const ListRowView row = model->rowView(index.row());
    const bool selected = option.state & QStyle::State_Selected;
    p->save();
    const QRect cell = option.rect;
    const QPalette& pal = option.palette;
    const QColor base = pal.color(QPalette::Base);
    p->fillRect(cell, selected ? pal.color(QPalette::Highlight) : base);
    int left = cell.left();
    if (index.column() == kColName) {
        // State, type and recurrence keep a place each, so that the names line up and every
        // kind of mark stands in its own column.
        const int top = cell.top() + (cell.height() - 16) / 2;
        const QPixmap images[] = {
            row.stateImage >= 0 ? CEventListCtrl::StatusImage(row.stateImage) : QPixmap(),
            row.typeIcon >= 0 ? icons::SmallTypeIcon(row.typeIcon) : QPixmap(),
            row.recurrenceImage >= 0 ? CEventListCtrl::StatusImage(row.recurrenceImage) : QPixmap(),
        };
        if (row.exists) {
            for (const QPixmap& pix : images) {
                if (!pix.isNull()) p->drawPixmap(left + 1, top, 16, 16, pix);
                left += kImageStep;
            }
        }
    }
    // The type's colour, kept legible on the list's background; a row whose event is gone draws
    // its (empty) texts in the background colour.
    QColor text = LegibleQColor(ToQColor(row.textColor), base);
    if (selected) text = pal.color(QPalette::HighlightedText);
    else if (row.hasId && !row.exists) text = base;
    p->setPen(text);
    p->setFont(option.font);
    const QRect textRect(left + 3, cell.top(), cell.right() - left - 3, cell.height());
    const QString s = option.fontMetrics.elidedText(QString::fromStdString(row.cells[index.column()]), Qt::ElideRight,
                                                    textRect.width());
    DrawUserText(*p, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, s);
    p->restore();
}

// ---- CEventListCtrl -------------------------------------------------------------------

CEventListCtrl::CEventListCtrl(const IClock& clock, QWidget* parent) : QTableView(parent) {
    m_model = new CEventListTableModel(clock, this);
    setModel(m_model);
    setItemDelegate(new CEventRowDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAlternatingRowColors(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
    QHeaderView* header = horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    // The columns keep their own widths; the name takes what the window adds.
    for (int c = 0; c < kListColumnCount; ++c) setColumnWidth(c, GetListColumn(c).width);
    header->setMinimumSectionSize(40);
    header->setSectionResizeMode(kColName, QHeaderView::Stretch);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (!m_sortable) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::vector<uint32_t> keep = selectedIds();
        m_model->sortBy(column);
        // The selection follows its events to their new rows.
        clearSelection();
        for (uint32_t id : keep) {
            const int row = m_model->rowOf(id);
            if (row >= 0)
                selectionModel()->select(m_model->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        QApplication::restoreOverrideCursor();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit rowDoubleClicked(index.row());
    });
}

QPixmap CEventListCtrl::StatusImage(int index) {
    static QPixmap strip(QStringLiteral(":/icons/status.png"));
    if (index < 0 || index > 3) return {};
    if (strip.isNull()) {
        // Without the compiled-in strip a plain mark still tells the states apart.
        QPixmap mark(16, 16);
        mark.fill(Qt::transparent);
        QPainter p(&mark);
        const QColor colors[] = {QColor(0, 140, 0), QColor(150, 150, 150), QColor(230, 150, 0), QColor(40, 90, 200)};
        p.setBrush(colors[index]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(3, 3, 10, 10);
        return mark;
    }
    return strip.copy(index * 16, 0, 16, 16);
}

std::vector<uint32_t> CEventListCtrl::selectedIds() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<uint32_t> ids;
    for (int row : rows)
        if (const uint32_t id = m_model->idAt(row)) ids.push_back(id);
    return ids;
}

void CEventListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        emit emptyDoubleClicked();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void CEventListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(event->globalPos());
    event->accept();
}

}  // namespace tv
