// The month calendar a click on the desktop clock opens below it.
#include "MonthCalendarPopup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "controls/MonthCalendarField.h"

namespace tv {

CMonthCalendarPopup::CMonthCalendarPopup(const DateTime& today, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_calendar(new CMonthCalendarField(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    m_calendar->setToday(today);
    m_calendar->setValue(today);
}

CMonthCalendarPopup* CMonthCalendarPopup::OpenBelow(const QRect& anchor, const DateTime& today) {
    auto* popup = new CMonthCalendarPopup(today);
    popup->adjustSize();
    QRect r(QPoint(anchor.left(), anchor.bottom() + 1), popup->size());
    QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        if (r.bottom() > avail.bottom()) r.moveBottom(anchor.top() - 1);
        if (r.right() > avail.right()) r.moveRight(avail.right());
        if (r.left() < avail.left()) r.moveLeft(avail.left());
        if (r.top() < avail.top()) r.moveTop(avail.top());
    }
    popup->move(r.topLeft());
    popup->show();
    popup->m_calendar->setFocus();
    return popup;
}

}  // namespace tv
