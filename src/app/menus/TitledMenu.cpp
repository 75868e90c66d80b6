// CTitledMenu: a pop-up menu with a painted vertical title strip down its left side.
#include "TitledMenu.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPaintEvent>

namespace tv {

namespace {

const QFont& StoredTitleFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("Comic Sans MS"), 8);
        // Where the face is missing, prefer a casual one, then any sans-serif.
        f.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("Purisa"),
                       QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        f.setBold(true);
        return f;
    }();
    return font;
}

}  // namespace

CTitledMenu::CTitledMenu(QWidget* parent) : QMenu(parent) {}

QFont CTitledMenu::TitleFont() { return StoredTitleFont(); }

int CTitledMenu::StripWidth() const {
    if (m_title.isEmpty()) return 0;
    return QFontMetrics(TitleFont()).height() + 8;
}

void CTitledMenu::setSideTitle(const QString& title) {
    m_title = title;
    QMargins m = contentsMargins();
    m.setLeft(StripWidth());
    setContentsMargins(m);
    update();
}

void CTitledMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    if (m_title.isEmpty()) return;
    QPainter p(this);
    const int w = StripWidth();
    const QRect strip(1, 1, w - 1, height() - 2);
    const QColor base = palette().color(QPalette::Highlight);
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    g.setColorAt(0.0, base.lighter(115));
    g.setColorAt(1.0, base.darker(150));
    p.fillRect(strip, g);
    // The title reads upwards from the bottom corner, as on a book's spine.
    p.setFont(TitleFont());
    p.setPen(palette().color(QPalette::HighlightedText));
    p.translate(strip.left(), strip.bottom());
    p.rotate(-90);
    p.drawText(QRect(6, 0, strip.height() - 6, strip.width()), Qt::AlignLeft | Qt::AlignVCenter, m_title);
}

}  // namespace tv
