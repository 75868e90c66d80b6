// The main window's toolbar pictures, drawn so that they match each other on any desktop.
#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "shell/Commands.h"

namespace tv {

namespace {

const QColor kInk(60, 70, 90);
const QColor kPaper(250, 250, 247);
const QColor kAccent(40, 110, 200);
const QColor kHeader(200, 60, 50);

// A calendar sheet with a red header and a grid of rows x columns below it.
void Sheet(QPainter& p, int s, int rows, int cols) {
    const QRectF page(s * 0.08, s * 0.12, s * 0.84, s * 0.8);
    p.setPen(QPen(kInk, s / 24.0));
    p.setBrush(kPaper);
    p.drawRoundedRect(page, s * 0.06, s * 0.06);
    p.fillRect(QRectF(page.left(), page.top(), page.width(), s * 0.18), kHeader);
    const QRectF grid(page.left() + s * 0.08, page.top() + s * 0.26, page.width() - s * 0.16,
                      page.height() - s * 0.34);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const double cw = grid.width() / cols, rh = grid.height() / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            p.drawRect(QRectF(grid.left() + c * cw + cw * 0.12, grid.top() + r * rh + rh * 0.15, cw * 0.76,
                              rh * 0.7));
}

QPixmap Draw(int id, int s) {
    QPixmap pm(s, s);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (id) {
        case cmd::kNew: {
            Sheet(p, s, 1, 1);
            p.setPen(QPen(QColor(30, 150, 60), s / 7.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s * 0.72, s * 0.5), QPointF(s * 0.72, s * 0.9));
            p.drawLine(QPointF(s * 0.52, s * 0.7), QPointF(s * 0.92, s * 0.7));
            break;
        }
        case cmd::kDelete: {
            p.setPen(QPen(QColor(200, 40, 40), s / 7.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s * 0.22, s * 0.22), QPointF(s * 0.78, s * 0.78));
            p.drawLine(QPointF(s * 0.78, s * 0.22), QPointF(s * 0.22, s * 0.78));
            break;
        }
        case cmd::kModify: {
            p.translate(s / 2.0, s / 2.0);
            p.rotate(45);
            p.setPen(QPen(kInk, s / 24.0));
            p.setBrush(QColor(240, 190, 60));
            p.drawRect(QRectF(-s * 0.1, -s * 0.42, s * 0.2, s * 0.62));
            QPainterPath tip;
            tip.moveTo(-s * 0.1, s * 0.2);
            tip.lineTo(s * 0.1, s * 0.2);
            tip.lineTo(0, s * 0.4);
            tip.closeSubpath();
            p.setBrush(kPaper);
            p.drawPath(tip);
            break;
        }
        case cmd::kDaily: Sheet(p, s, 4, 1); break;
        case cmd::kWeekDay: Sheet(p, s, 3, 5); break;
        case cmd::kWeekly: Sheet(p, s, 2, 4); break;
        case cmd::kMonthly: Sheet(p, s, 5, 7); break;
        case cmd::kAllEvents: {
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 4; ++i) {
                p.setBrush(kAccent);
                p.drawEllipse(QRectF(s * 0.12, s * (0.17 + i * 0.19), s * 0.12, s * 0.12));
                p.setBrush(kInk);
                p.drawRect(QRectF(s * 0.32, s * (0.19 + i * 0.19), s * 0.56, s * 0.08));
            }
            break;
        }
        case cmd::kFind: {
            p.setPen(QPen(kInk, s / 9.0, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(QColor(210, 230, 250));
            p.drawEllipse(QRectF(s * 0.14, s * 0.14, s * 0.48, s * 0.48));
            p.drawLine(QPointF(s * 0.56, s * 0.56), QPointF(s * 0.86, s * 0.86));
            break;
        }
        default: return {};
    }
    return pm;
}

}  // namespace

QIcon ToolbarIcon(int commandId) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        const QPixmap pm = Draw(commandId, size);
        if (pm.isNull()) return {};
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace tv
