// CComingEventsWnd: the balloon of today's coming events under the desktop clock.
#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "shell/ClockWnd.h"

namespace tv {

// Opens 500 ms after the mouse comes to rest on the clock and closes within 200 ms after it
// has left. The list is collected each time the balloon opens, never while it shows.
class CComingEventsWnd : public QWidget, public IClockWatcher {
    Q_OBJECT
public:
    // Watches the clock for its whole life; the clock owns the balloon.
    explicit CComingEventsWnd(CClockWnd* clock);
    ~CComingEventsWnd() override;

    void ClockMouseMoved(const QPoint& globalPos) override;
    void ClockRightPressed(const QPoint& globalPos) override;

    // Collects the events due by the end of today, sizes the balloon and shows it under the
    // clock. Public for tests, which do not rest a mouse.
    void collectAndShow();
    const std::vector<uint32_t>& ids() const { return m_ids; }
    bool isOpening() const { return m_openTimer.isActive(); }

    // Where the cursor is; tests place it themselves.
    void setCursorSource(std::function<QPoint()> source) { m_cursor = std::move(source); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool cursorOnClock() const;
    void onOpenTimer();
    void onWatchTimer();

    CClockWnd* m_clock;
    std::vector<uint32_t> m_ids;
    QTimer m_openTimer;   // timer 0: the mouse rested for 500 ms
    QTimer m_watchTimer;  // timer 1: every 200 ms, has the mouse left?
    std::function<QPoint()> m_cursor;
};

}  // namespace tv
