// CTitledMenu: a pop-up menu with a painted vertical title strip down its left side.
#pragma once

#include <QFont>
#include <QMenu>

namespace tv {

// Everything else (icons beside items, the bold default item from setDefaultAction(), check
// marks, enabling) is the ordinary menu's; only the title strip is added.
//
//   CTitledMenu menu;
//   menu.setSideTitle("Tallyvane");
//   menu.setDefaultAction(menu.addAction("&Restore"));
class CTitledMenu : public QMenu {
    Q_OBJECT
public:
    explicit CTitledMenu(QWidget* parent = nullptr);

    void setSideTitle(const QString& title);
    QString sideTitle() const { return m_title; }

    // The strip's font: "Comic Sans MS", 8 points, or a similar face where that one is missing.
    static QFont TitleFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int StripWidth() const;

    QString m_title;
};

}  // namespace tv
