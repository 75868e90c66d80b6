// The page that stands in a view's place until that view is built.
#include "MainPage.h"

#include <QPainter>

namespace tv {

CPlaceholderPage::CPlaceholderPage(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
}

void CPlaceholderPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::PlaceholderText));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, m_title);
}

}  // namespace tv

namespace tv {

CPageTitleStrip::CPageTitleStrip(QWidget* parent) : QWidget(parent) { setFixedHeight(31); }

void CPageTitleStrip::setTitle(const QString& title) {
    m_title = title;
    update();
}

void CPageTitleStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const int w = width(), h = height();
    p.fillRect(rect(), pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 2, w, 2);
    p.drawLine(0, h - 1, w, h - 1);
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(0, 1, w, 1);
    p.drawLine(0, h - 2, w, h - 2);
    p.fillRect(QRect(2, 6, w - 4, h - 11), pal.color(QPalette::Mid));
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 6, w - 20, h - 11), Qt::AlignLeft | Qt::AlignVCenter, m_title);
}

}  // namespace tv
