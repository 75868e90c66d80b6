// CColorButton and its drop-down CColorPalette: 20 shared colours and "Other...".
#pragma once

#include <QColor>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "model/EventType.h"

class QGridLayout;

namespace tv {

class CColorPaletteTable;

QColor ToQColor(ColorRef color);
ColorRef FromQColor(const QColor& color);

// The drop-down of a colour button. It closes on a choice, on Escape and on a click outside.
class CColorPalette : public QWidget {
    Q_OBJECT
public:
    // Asks the user for any colour; nothing when cancelled.
    using ColorAsker = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;

    explicit CColorPalette(CColorPaletteTable& table, QWidget* parent = nullptr);

    // Opens under (or above, or shifted left of) the button's rectangle, within the screen.
    void popUpBelow(const QRect& buttonGlobalRect);

    // What the swatch buttons and "Other..." do; public so that tests can drive them.
    void chooseSlot(int slot);
    void chooseOther();

    void setColorAsker(ColorAsker asker) { m_asker = std::move(asker); }
    // The colour "Other..." starts the colour dialog with (the button's own).
    void setCurrentColor(ColorRef color) { m_current = color; }
    QPushButton* otherButton() const { return m_other; }
    QWidget* swatch(int slot) const;

Q_SIGNALS:
    void colorChosen(tv::ColorRef color);
    void cancelled();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refreshSwatches();

    CColorPaletteTable& m_table;
    QList<QWidget*> m_swatches;
    QPushButton* m_other = nullptr;
    ColorAsker m_asker;
    ColorRef m_current = 0;
    bool m_chosen = false;
    bool m_askingOther = false;
};

// A push button showing a colour swatch and a drop-down arrow; a click opens the palette.
class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    ColorRef color() const { return m_color; }
    void setColor(ColorRef color);

    // The palette while it is open (for tests), otherwise null.
    CColorPalette* colorPalette() const { return m_palette; }
    void setColorAsker(CColorPalette::ColorAsker asker) { m_asker = std::move(asker); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void colorChanged(tv::ColorRef color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openPalette();

    ColorRef m_color = 0xFFFFFF;
    CColorPalette* m_palette = nullptr;
    CColorPalette::ColorAsker m_asker;
};

}  // namespace tv
