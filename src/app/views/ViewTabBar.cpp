// CViewTabBar: painting, the date button's edge and clicks, and the Select Date dialog.
#include "ViewTabBar.h"

#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "controls/DateTimeField.h"
#include "shell/QtConvert.h"
#include "shell/Translation.h"

namespace tv {

CSelectDateDialog::CSelectDateDialog(const DateTime& date, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Select Date"));
    m_field = new CDateTimeField(CDateTimeField::Display::Date, this);
    m_field->setValue(date);
    m_field->setCalendarPopup(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
}

DateTime CSelectDateDialog::date() const { return m_field->value(); }

CViewTabBar::CViewTabBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Top"));
    setFixedHeight(kTabBarHeight);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Face "Aria", height 18, width 8, weight 5: no such face exists, so the window system
    // substituted its own; this keeps the request and lets the desktop do the same.
    LogFont f;
    f.height = 18;
    f.width = 8;
    f.weight = 5;
    f.SetFaceName("Aria");
    m_titleFont = ToQFont(f);
    m_hoverTimer.setInterval(100);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CViewTabBar::onHoverTimer);
}

bool CViewTabBar::RunSelectDateDialog(QWidget* parent, DateTime& date) {
    CSelectDateDialog dialog(date, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    date = dialog.date();
    return true;
}

void CViewTabBar::setViewIndex(int index) {
    m_index = index;
    if (m_index == kViewFind) setEdge(DateButtonState::Edge::None);
    update();
}

void CViewTabBar::setTabDate(const DateTime& date) {
    m_tabDate = date;
    update();
}

QString CViewTabBar::titleText() const { return CoreText(ViewTitle(m_index).c_str()); }

QString CViewTabBar::dateText() const {
    if (m_index > kViewMonthly || !m_caption) return {};
    return m_caption();
}

TabBarLayout CViewTabBar::currentLayout() const {
    const QFontMetrics fm(m_titleFont);
    return LayoutTabBar(m_index, width(), height(), fm.horizontalAdvance(titleText()),
                        fm.horizontalAdvance(dateText()));
}

QRect CViewTabBar::dateButtonRect() const {
    const TabBarLayout l = currentLayout();
    if (!l.hasDateButton) return {};
    return QRect(l.dateButton.left, l.dateButton.top, l.dateButton.Width(), l.dateButton.Height());
}

void CViewTabBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor light = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    const int w = width(), h = height();
    p.fillRect(rect(), face);
    p.fillRect(0, 0, w, 1, light);
    p.fillRect(0, 1, w, 1, shadow);
    p.fillRect(0, 2, w, 1, light);
    p.fillRect(QRect(QPoint(2, 6), QPoint(w - 3, h - 6)), shadow);
    p.fillRect(0, h - 2, w, 1, shadow);
    p.fillRect(0, h - 1, w, 1, light);

    const TabBarLayout l = currentLayout();
    p.setFont(m_titleFont);
    p.setPen(Qt::white);
    const Rect& t = l.title;
    p.drawText(QRect(t.left, t.top, t.Width(), t.Height()), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
               titleText());
    if (!l.hasDateButton) return;
    m_button.SetRect(l.dateButton, true);
    const QRect button = dateButtonRect();
    p.drawText(button, Qt::AlignCenter | Qt::TextSingleLine, dateText());
    if (m_edge == DateButtonState::Edge::None) return;
    // A one-pixel edge: light top and left when raised, dark when sunken.
    const bool raised = m_edge == DateButtonState::Edge::Raised;
    const QColor topLeft = raised ? light : pal.color(QPalette::Shadow);
    const QColor bottomRight = raised ? pal.color(QPalette::Shadow) : light;
    p.fillRect(button.left(), button.top(), button.width(), 1, topLeft);
    p.fillRect(button.left(), button.top(), 1, button.height(), topLeft);
    p.fillRect(button.left(), button.bottom(), button.width(), 1, bottomRight);
    p.fillRect(button.right(), button.top(), 1, button.height(), bottomRight);
}

void CViewTabBar::setEdge(DateButtonState::Edge edge) {
    if (edge == m_edge) return;
    m_edge = edge;
    update();
}

void CViewTabBar::mouseMoveEvent(QMouseEvent* event) {
    const TabBarLayout l = currentLayout();
    m_button.SetRect(l.dateButton, l.hasDateButton);
    const QPoint pos = event->position().toPoint();
    const DateButtonState::Edge edge = m_button.MouseMove(pos.x(), pos.y());
    if (edge != DateButtonState::Edge::None) {
        setEdge(edge);
        m_hoverTimer.start();
    }
}

void CViewTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TabBarLayout l = currentLayout();
    m_button.SetRect(l.dateButton, l.hasDateButton);
    const QPoint pos = event->position().toPoint();
    const DateButtonState::Edge edge = m_button.Press(pos.x(), pos.y());
    if (edge == DateButtonState::Edge::None) return;
    setEdge(edge);
    m_hoverTimer.start();
}

void CViewTabBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (!m_button.Release(pos.x(), pos.y())) {
        if (m_edge == DateButtonState::Edge::Sunken) setEdge(DateButtonState::Edge::None);
        return;
    }
    setEdge(DateButtonState::Edge::None);
    DateTime date = m_tabDate;
    if (!RunSelectDateDialog(this, date)) return;
    setTabDate(date);
    emit dateChosen(date);
}

void CViewTabBar::leaveEvent(QEvent*) { onHoverTimer(); }

void CViewTabBar::onHoverTimer() {
    const QPoint pos = mapFromGlobal(QCursor::pos());
    if (m_button.TimerTick(pos.x(), pos.y()) || !rect().contains(pos)) {
        if (!m_button.IsPressed()) setEdge(DateButtonState::Edge::None);
        m_hoverTimer.stop();
    }
}

}  // namespace tv
