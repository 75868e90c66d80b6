// CViewTabBar: the 31-pixel strip with the page's title and the date button, and the Select
// Date dialog the button opens.
#pragma once

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "model/DateTime.h"
#include "views/ViewSwitching.h"

namespace tv {

class CDateTimeField;

// "Select Date": one date field, OK and Cancel.
class CSelectDateDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSelectDateDialog(const DateTime& date, QWidget* parent = nullptr);
    DateTime date() const;
    CDateTimeField* field() const { return m_field; }

private:
    CDateTimeField* m_field;
};

class CViewTabBar : public QWidget {
    Q_OBJECT
public:
    explicit CViewTabBar(QWidget* parent = nullptr);

    int viewIndex() const { return m_index; }
    void setViewIndex(int index);
    // The date text of the active calendar view; asked on every paint.
    void setCaptionSource(std::function<QString()> source) { m_caption = std::move(source); }
    // The date the Select Date dialog starts with.
    DateTime tabDate() const { return m_tabDate; }
    void setTabDate(const DateTime& date);

    // Where the date button is now (empty on the Find page).
    QRect dateButtonRect() const;
    QString titleText() const;
    QString dateText() const;

    // Asks for a date with the Select Date dialog; false when cancelled.
    static bool RunSelectDateDialog(QWidget* parent, DateTime& date);

Q_SIGNALS:
    // The user chose a date with the date button: go to it.
    void dateChosen(const tv::DateTime& date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TabBarLayout currentLayout() const;
    void onHoverTimer();
    void setEdge(DateButtonState::Edge edge);

    int m_index = 0;
    DateTime m_tabDate;
    QFont m_titleFont;
    std::function<QString()> m_caption;
    DateButtonState m_button;
    DateButtonState::Edge m_edge = DateButtonState::Edge::None;
    QTimer m_hoverTimer;  // 100 ms: removes the edge once the cursor has left the button
};

}  // namespace tv
