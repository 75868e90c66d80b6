// The colour button, its palette and the swatches.
#include "ColorButton.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>

#include "editing/ColorPaletteTable.h"

namespace tv {

QColor ToQColor(ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
ColorRef FromQColor(const QColor& c) { return MakeColorRef(c.red(), c.green(), c.blue()); }

namespace {

constexpr int kColumns = 5;
constexpr int kRows = 4;

// One slot of the palette: a flat button filled with its colour.
class Swatch : public QAbstractButton {
public:
    explicit Swatch(QWidget* parent) : QAbstractButton(parent) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_Hover);
    }
    void setColor(const QColor& c) {
        m_color = c;
        setToolTip(c.name().toUpper());
        update();
    }
    QSize sizeHint() const override { return QSize(22, 22); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        // The highlight shows which slot the mouse or the keyboard is on.
        if (hasFocus() || underMouse() || isDown()) {
            p.setPen(QPen(palette().color(QPalette::Highlight), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }
        // A thin sunken edge keeps white and pale slots visible on a pale background.
        const QRect cell = r.adjusted(3, 3, -3, -3);
        p.setPen(palette().color(QPalette::Mid));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(-1, -1, 0, 0));
        p.fillRect(cell, m_color);
    }

private:
    QColor m_color;
};

}  // namespace

// ---- CColorPalette -------------------------------------------------------------------

CColorPalette::CColorPalette(CColorPaletteTable& table, QWidget* parent)
    : QWidget(parent, Qt::Popup), m_table(table) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (int slot = 0; slot < CColorPaletteTable::kSlotCount; ++slot) {
        auto* swatch = new Swatch(this);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(slot));
        connect(swatch, &QAbstractButton::clicked, this, [this, slot] { chooseSlot(slot); });
        grid->addWidget(swatch, slot / kColumns, slot % kColumns);
        m_swatches.append(swatch);
    }
    outer->addLayout(grid);
    m_other = new QPushButton(tr("Other..."), this);
    m_other->setObjectName(QStringLiteral("other"));
    m_other->setAutoDefault(false);
    connect(m_other, &QPushButton::clicked, this, &CColorPalette::chooseOther);
    outer->addWidget(m_other);
    m_asker = [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid()) return std::nullopt;
        return c;
    };
    refreshSwatches();
}

QWidget* CColorPalette::swatch(int slot) const {
    return slot >= 0 && slot < m_swatches.size() ? m_swatches[slot] : nullptr;
}

void CColorPalette::refreshSwatches() {
    for (int slot = 0; slot < m_swatches.size(); ++slot)
        static_cast<Swatch*>(m_swatches[slot])->setColor(ToQColor(m_table.GetColor(slot)));
}

void CColorPalette::popUpBelow(const QRect& button) {
    adjustSize();
    QPoint pos = button.bottomLeft() + QPoint(0, 1);
    const QScreen* screen = QGuiApplication::screenAt(button.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (pos.y() + height() > area.bottom() + 1) pos.setY(button.top() - height());
        if (pos.x() + width() > area.right() + 1) pos.setX(area.right() + 1 - width());
        pos.setX(std::max(pos.x(), area.left()));
        pos.setY(std::max(pos.y(), area.top()));
    }
    move(pos);
    show();
    m_swatches.first()->setFocus();
}

void CColorPalette::chooseSlot(int slot) {
    if (slot < 0 || slot >= CColorPaletteTable::kSlotCount) return;
    const ColorRef color = m_table.ChooseSlot(slot);
    m_chosen = true;
    Q_EMIT colorChosen(color);
    close();
}

void CColorPalette::chooseOther() {
    // The colour dialog needs the mouse and keyboard: the palette steps aside meanwhile and
    // comes back if the user cancels.
    const QPoint where = pos();
    m_askingOther = true;
    hide();
    const std::optional<QColor> c = m_asker(parentWidget(), ToQColor(m_current));
    m_askingOther = false;
    if (!c) {
        move(where);
        show();
        m_other->setFocus();
        return;
    }
    const int slot = m_table.ChooseOther(FromQColor(*c));
    m_chosen = true;
    Q_EMIT colorChosen(m_table.GetColor(slot));
    close();
}

void CColorPalette::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_askingOther || m_chosen) return;
    Q_EMIT cancelled();
    close();  // deletes the palette
}

void CColorPalette::keyPressEvent(QKeyEvent* event) {
    int index = m_swatches.indexOf(focusWidget());
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Left: step = -1; break;
        case Qt::Key_Right: step = 1; break;
        case Qt::Key_Up: step = -kColumns; break;
        case Qt::Key_Down: step = kColumns; break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (index >= 0) chooseSlot(index);
            else QWidget::keyPressEvent(event);
            return;
        default: QWidget::keyPressEvent(event); return;
    }
    if (index < 0) index = 0;
    else index = (index + step + kColumns * kRows) % (kColumns * kRows);
    m_swatches[index]->setFocus();
}

// ---- CColorButton --------------------------------------------------------------------

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CColorButton::openPalette);
}

void CColorButton::setColor(ColorRef color) {
    color &= 0xFFFFFF;
    if (color == m_color) return;
    m_color = color;
    setToolTip(ToQColor(color).name().toUpper());
    update();
    Q_EMIT colorChanged(color);
}

QSize CColorButton::sizeHint() const { return QSize(64, QPushButton::sizeHint().height()); }

void CColorButton::openPalette() {
    if (m_palette || !isEnabled()) return;
    m_palette = new CColorPalette(GetColorPaletteTable(), this);
    if (m_asker) m_palette->setColorAsker(m_asker);
    m_palette->setCurrentColor(m_color);
    connect(m_palette, &CColorPalette::colorChosen, this, &CColorButton::setColor);
    connect(m_palette, &QObject::destroyed, this, [this] { m_palette = nullptr; });
    m_palette->popUpBelow(QRect(mapToGlobal(QPoint(0, 0)), size()));
}

void CColorButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect r = rect();
    // Swatch inset 5 from the left, 4 from top and bottom, 15 from the right; a separator 10
    // pixels from the right edge and the arrow beyond it.
    const QRect swatch(r.left() + 5, r.top() + 4, r.width() - 20, r.height() - 8);
    const QColor ink = isEnabled() ? palette().color(QPalette::ButtonText)
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText);
    p.fillRect(swatch, isEnabled() ? ToQColor(m_color) : palette().color(QPalette::Button));
    p.setPen(ink);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    const int sepX = r.right() - 10;
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(sepX, r.top() + 4, sepX, r.bottom() - 4);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(sepX + 1, r.top() + 4, sepX + 1, r.bottom() - 4);
    const int cx = sepX + 5, cy = r.center().y();
    QPolygon arrow;
    arrow << QPoint(cx - 3, cy - 1) << QPoint(cx + 3, cy - 1) << QPoint(cx, cy + 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(ink);
    p.setBrush(ink);
    p.drawPolygon(arrow);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = swatch.adjusted(-2, -2, 2, 2);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace tv
