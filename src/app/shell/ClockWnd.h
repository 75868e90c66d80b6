// CClockWnd: the always-on-top desktop clock, hub of the running program.
#pragma once

#include <optional>

#include <QFontMetrics>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "MessageHub.h"
#include "model/LogFont.h"
#include "engine/Clock.h"
#include "engine/ReminderScheduler.h"

class QMenu;
class QSystemTrayIcon;

namespace tv {

class CTitledMenu;

// Receives what happens with the mouse over the clock, for the coming-events balloon that
// shows today's remaining events while the mouse rests on the clock. Positions are global.
class IClockWatcher {
public:
    virtual ~IClockWatcher() = default;
    virtual void ClockMouseMoved(const QPoint& globalPos) = 0;
    virtual void ClockRightPressed(const QPoint& globalPos) = 0;
};

struct ClockOptions {
    bool startScheduler = true;  // tests drive the store themselves
    bool trayIcon = true;
    bool honourShowMainWnd = true;
    SchedulerTiming timing;
};

// A borderless, always-on-top window without a task-bar button that shows the time in the
// user's pattern, colours and font, sized to its text. It chimes on the full and half hour,
// can be dragged anywhere (the position is kept), opens the month calendar on a click, the
// main window on a double click and menu 133 on a right click. It owns the tray icon and the
// scheduler thread, and opens a reminder pop-up for each "KORVATE-EVENT-POP".
class CClockWnd : public QWidget {
    Q_OBJECT
public:
    explicit CClockWnd(const IClock& clock, ClockOptions options = {});
    // Stops the scheduler and waits for it, closes the main window (which saves), writes the
    // position and removes the tray icon.
    ~CClockWnd() override;

    // The process-wide clock window, or null.
    static CClockWnd* Instance();

    QString text() const { return m_text; }
    int millisecondsToNextTick() const { return m_tickTimer.remainingTime(); }
    // Once a second: the text for that moment, the size that fits it, and the chime.
    void tickAt(const DateTime& now);
    // Re-reads colours, font and format from the preferences and fits the window to the text.
    void refit(const DateTime& now);

    // The coming-events balloon's hook: mouse moves and right presses are handed to it.
    void setWatcher(IClockWatcher* watcher) { m_watcher = watcher; }
    IClockWatcher* watcher() const { return m_watcher; }

    // The tray's and the right click's menu, from the clock's command table: "&Restore"
    // (default), "New Event" with the types, "&Option...", "&Help...", "&About...", "&Exit",
    // with the side title "Tallyvane".
    void fillClockMenu(CTitledMenu* menu);
    // A command of the clock's table or a type menu's item; any other id does nothing.
    void runCommand(int commandId);

    QSystemTrayIcon* trayIcon() const { return m_tray; }
    const IClock& clock() const { return m_clock; }

    // Opens or restores the calendar main window.
    static void OpenMainWindow();
    // The program runs with neither the clock shown nor a tray icon: with the calendar window
    // closed, nothing of it would be left to see or click.
    static bool IsOutOfReach();

public Q_SLOTS:
    // "KORVATE-EVENT-POP": a pop-up for the event, if the store still holds it.
    void openReminder(quint32 eventId);
    // A new event of the type at that index of the table, from the tray's "New Event" menu.
    void newEventFromTray(int typeIndex);
    // The event-type list dialog ("Customize...").
    void customizeTypes();

Q_SIGNALS:
    // The user confirmed Exit: the application shuts down in order.
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void onTick();
    void onClickTimer();
    void createTray();
    void onTrayActivated(int reason);
    void placeAtStart();
    void writePosition();
    void showMenuAt(const QPoint& globalPos);

    const IClock& m_clock;
    QString m_text;
    QFont m_font;
    QColor m_textColor, m_backColor;
    // The look the font and its metrics were made for; rebuilt only when the preferences change,
    // so an idle second costs one text measurement and one small repaint.
    LogFont m_fontRecord;
    std::optional<QFontMetrics> m_metrics;
    QTimer m_tickTimer;   // timer 102
    QTimer m_clickTimer;  // timer 1
    bool m_doubleClickSeen = false;
    bool m_dragging = false;
    bool m_leftDown = false;
    QPoint m_pressGlobal, m_dragOffset;
    int64_t m_lastChimeSecond = -1;
    bool m_placed = false;
    IClockWatcher* m_watcher = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    CTitledMenu* m_trayMenu = nullptr;
    CHubReminderSink m_sink;
    SystemClock m_schedulerClock;
    std::unique_ptr<CReminderScheduler> m_scheduler;
};

}  // namespace tv
