// CComingEventsWnd: collecting, placing and painting the coming-events balloon.
#include "ComingEventsWnd.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "ViewPainter.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "views/ComingEvents.h"

namespace tv {

using namespace ComingEventsGeometry;

namespace {

// Under the clock's bottom-left corner; above the clock where the screen ends below it, and
// pulled left where it ends to the right, so that the balloon is always seen whole.
QPoint PlaceUnderClock(const QRect& clock, const QSize& size) {
    QPoint at = clock.bottomLeft() + QPoint(0, 1);
    const QScreen* screen = QGuiApplication::screenAt(clock.center());
    if (!screen) return at;
    const QRect area = screen->availableGeometry();
    if (at.y() + size.height() > area.bottom() + 1 && clock.top() - size.height() >= area.top())
        at.setY(clock.top() - size.height());
    if (at.x() + size.width() > area.right() + 1) at.setX(std::max(area.left(), area.right() + 1 - size.width()));
    return at;
}

// The month calendar a click on the clock opens lies where the balloon would: while it is open
// the balloon keeps out of its way.
bool CalendarOpen() { return QApplication::activePopupWidget() != nullptr; }

}  // namespace

CComingEventsWnd::CComingEventsWnd(CClockWnd* clock)
    : QWidget(clock, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_clock(clock) {
    setObjectName(QStringLiteral("ComingEvents"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(false);
    resize(100, 100);
    m_openTimer.setSingleShot(true);
    m_openTimer.setInterval(500);
    m_watchTimer.setInterval(200);
    connect(&m_openTimer, &QTimer::timeout, this, &CComingEventsWnd::onOpenTimer);
    connect(&m_watchTimer, &QTimer::timeout, this, &CComingEventsWnd::onWatchTimer);
    m_cursor = [] { return QCursor::pos(); };
    if (m_clock) m_clock->setWatcher(this);
}

CComingEventsWnd::~CComingEventsWnd() {
    if (m_clock && m_clock->watcher() == this) m_clock->setWatcher(nullptr);
}

bool CComingEventsWnd::cursorOnClock() const { return m_clock && m_clock->frameGeometry().contains(m_cursor()); }

void CComingEventsWnd::ClockMouseMoved(const QPoint& globalPos) {
    // Every move restarts the wait, so the balloon opens once the mouse has come to rest.
    if (m_clock && m_clock->frameGeometry().contains(globalPos) && !isVisible()) m_openTimer.start();
}

void CComingEventsWnd::ClockRightPressed(const QPoint&) { m_openTimer.stop(); }

void CComingEventsWnd::onOpenTimer() {
    if (cursorOnClock() && !CalendarOpen()) {
        collectAndShow();
        m_watchTimer.start();
    }
}

void CComingEventsWnd::onWatchTimer() {
    if (cursorOnClock() && !CalendarOpen()) return;
    hide();
    m_watchTimer.stop();
}

void CComingEventsWnd::collectAndShow() {
    m_ids = CollectComingEvents(GetEventStore(), m_clock ? m_clock->clock().Now() : DateTime());
    const int balloonHeight = ComingEventsBalloonHeight(m_ids.size());
    const QSize windowSize(kWindowWidth, balloonHeight + kShadow);
    resize(windowSize);
    // The window's shape is the balloon and its shadow, both with rounded corners.
    QBitmap mask(windowSize);
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::color1);
        p.drawRoundedRect(QRect(0, 0, kBalloonWidth, balloonHeight), 5, 5);
        p.drawRoundedRect(QRect(kShadow, kShadow, kBalloonWidth, balloonHeight), 5, 5);
    }
    setMask(mask);
    if (m_clock) move(PlaceUnderClock(m_clock->frameGeometry(), windowSize));
    show();
    raise();
    update();
}

void CComingEventsWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    DisplayList list;
    DrawComingEvents(list, GetEventStore(), GetEventTypeTable(), m_ids, m_clock ? m_clock->clock().Now() : DateTime());
    ViewStyle style = ViewStyle::ForScreen();
    RenderDisplayList(p, list, style);
}

}  // namespace tv
