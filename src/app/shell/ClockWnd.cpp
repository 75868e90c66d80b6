// CClockWnd: the always-on-top desktop clock, hub of the running program.
#include "ClockWnd.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>

#include "AppIcons.h"
#include "CommandTable.h"
#include "MainWnd.h"
#include "MonthCalendarPopup.h"
#include "QtConvert.h"
#include "UserPrompts.h"
#include "dialogs/EventCommands.h"
#include "engine/ReminderPopup.h"
#include "engine/SoundPlayer.h"
#include "menus/TitledMenu.h"
#include "menus/TypeMenu.h"
#include "store/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/ClockFormat.h"
#include "shell/RegisteredMessages.h"
#include "shell/WindowSettings.h"

namespace tv {

namespace {

constexpr int kMargin = 2;
CClockWnd* g_clock = nullptr;

ScreenRect ToScreenRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

CClockWnd::CClockWnd(const IClock& clock, ClockOptions options)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_clock(clock) {
    setWindowTitle(QStringLiteral("Clock"));
    setObjectName(QStringLiteral("Clock"));
    setWindowIcon(icons::AppIcon());
    // Every pixel is painted each time, into Qt's back buffer: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);

    m_tickTimer.setSingleShot(true);
    m_tickTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_tickTimer, &QTimer::timeout, this, &CClockWnd::onTick);
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &CClockWnd::onClickTimer);

    if (options.trayIcon) createTray();
    refit(m_clock.Now());
    placeAtStart();
    g_clock = this;
    connect(&CMessageHub::Instance(), &CMessageHub::eventPop, this, &CClockWnd::openReminder);

    m_tickTimer.start(MillisecondsToNextSecond(m_clock.PreciseNow()) + 15);
    if (GetAppSettings().GetShowClock()) show();

    if (options.startScheduler) {
        m_scheduler = std::make_unique<CReminderScheduler>(GetEventStore(), m_sink, m_schedulerClock, options.timing);
        if (m_scheduler->Create()) m_scheduler->Start();  // without a thread the program runs on, unreminded
    }
    // Without a tray and without the clock the program could not be reached at all.
    if (options.honourShowMainWnd && (GetAppSettings().GetShowMainWnd() || IsOutOfReach())) OpenMainWindow();
}

CClockWnd::~CClockWnd() {
    m_clickTimer.stop();
    m_tickTimer.stop();
    if (m_scheduler) {
        m_scheduler->Stop();
        m_scheduler->Wait(-1);
    }
    // Cleared first: the main window closing with the program asks nothing.
    g_clock = nullptr;
    if (CMainWnd* main = CMainWnd::Instance()) main->close();
    writePosition();
    delete m_tray;
    m_tray = nullptr;
    delete m_trayMenu;
}

CClockWnd* CClockWnd::Instance() { return g_clock; }

void CClockWnd::placeAtStart() {
    QScreen* primary = QGuiApplication::primaryScreen();
    std::vector<ScreenRect> screens;
    for (QScreen* s : QGuiApplication::screens()) screens.push_back(ToScreenRect(s->geometry()));
    const ScreenRect primaryRect = primary ? ToScreenRect(primary->geometry()) : ScreenRect{0, 0, 1024, 768};
    const ScreenPoint p = ClockStartPosition(ReadClockRect(GetSettingsStore()), primaryRect, screens);
    move(p.x, p.y);
    m_placed = true;
}

void CClockWnd::writePosition() {
    if (!m_placed) return;
    WriteClockRect(GetSettingsStore(), ToScreenRect(frameGeometry()));
}

void CClockWnd::refit(const DateTime& now) {
    const CAppSettings& s = GetAppSettings();
    m_textColor = ToQColor(s.GetClockText());
    m_backColor = ToQColor(s.GetClockBk());
    if (!m_metrics || !(s.GetClockFont() == m_fontRecord)) {
        m_fontRecord = s.GetClockFont();
        m_font = ToQFont(m_fontRecord, {6, 200, 13});
        m_metrics.emplace(m_font);
    }
    m_text = QString::fromLocal8Bit(ClockText(s.GetClockFormat(), now).c_str());
    const QSize fit(m_metrics->horizontalAdvance(m_text) + 2 * kMargin, m_metrics->height() + 2 * kMargin);
    if (size() != fit) setFixedSize(fit);  // the top-left corner stays where it is
    update();
}

void CClockWnd::tickAt(const DateTime& now) {
    refit(now);
    const CAppSettings& s = GetAppSettings();
    const std::string chime = ChimeFor(now, s.GetHalfChime(), s.GetSharpChime());
    // A timer that fires twice within one second must not ring twice.
    const int64_t second = now.DayNumber() * 86400 + now.SecondOfDay();
    if (!chime.empty() && second != m_lastChimeSecond) {
        m_lastChimeSecond = second;
        PlayEventSound(QString::fromStdString(chime));
    }
}

void CClockWnd::onTick() {
    const DateTime now = m_clock.Now();
    tickAt(now);
    // Timed from the fraction of the present second: a fixed second plus the timer's own delay
    // would drift, skip a second about once a minute, and sometimes the chime with it.
    m_tickTimer.start(MillisecondsToNextSecond(m_clock.PreciseNow()) + 15);
}

void CClockWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    p.setFont(m_font);
    p.setPen(m_textColor);
    // Right-aligned, the margin kept at the top, right and bottom.
    p.drawText(rect().adjusted(0, kMargin, -kMargin, -kMargin), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
               m_text);
}

void CClockWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_doubleClickSeen = false;
        m_clickTimer.start(QApplication::doubleClickInterval() + 10);
        m_leftDown = true;
        m_dragging = false;
        m_pressGlobal = global;
        m_dragOffset = global - pos();
    } else if (event->button() == Qt::RightButton) {
        if (m_watcher) m_watcher->ClockRightPressed(global);
    }
}

void CClockWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (m_watcher) m_watcher->ClockMouseMoved(global);
    if (!m_leftDown || !(event->buttons() & Qt::LeftButton)) return;
    if (!m_dragging && (global - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        m_clickTimer.stop();  // a drag is no click: no calendar afterwards
    }
    if (m_dragging) move(global - m_dragOffset);
}

void CClockWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftDown = false;
        m_dragging = false;
    } else if (event->button() == Qt::RightButton) {
        showMenuAt(event->globalPosition().toPoint());
    }
}

void CClockWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_doubleClickSeen = true;
    m_clickTimer.stop();
    OpenMainWindow();
}

void CClockWnd::onClickTimer() {
    if (m_doubleClickSeen || m_dragging) return;
    CMonthCalendarPopup::OpenBelow(frameGeometry(), m_clock.Now());
}

void CClockWnd::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    writePosition();
}

void CClockWnd::showMenuAt(const QPoint& globalPos) {
    CTitledMenu menu;
    fillClockMenu(&menu);
    menu.exec(globalPos);
}

void CClockWnd::fillClockMenu(CTitledMenu* menu) {
    menu->clear();
    menu->setSideTitle(ProductName());
    for (const ClockCommand& command : ClockCommands()) {
        if (!command.text) continue;
        if (command.separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(QString::fromLatin1(command.text));
        a->setStatusTip(CommandStatus(command.id));
        connect(a, &QAction::triggered, this, [this, id = command.id] { runCommand(id); });
        // The first item is the default one, and the types follow it.
        if (menu->defaultAction()) continue;
        menu->setDefaultAction(a);
        FillTypeMenu(menu->addMenu(QStringLiteral("New Event")), GetEventTypeTable(), [this](int id) { runCommand(id); });
    }
}

void CClockWnd::runCommand(int id) {
    if (id >= kTypeMenuFirstId && id <= kTypeMenuLastId) newEventFromTray(id - kTypeMenuFirstId);
    else if (const ClockCommand* command = FindClockCommand(id)) command->run(*this);
}

void CClockWnd::OpenMainWindow() { CMainWnd::OpenOrRestore(); }

bool CClockWnd::IsOutOfReach() {
    const CClockWnd* clock = g_clock;
    return clock && !GetAppSettings().GetShowClock() && !(clock->m_tray && QSystemTrayIcon::isSystemTrayAvailable());
}

void CClockWnd::newEventFromTray(int typeIndex) {
    // No owner: the editor centres itself on the desktop.
    if (NewEventWithEditor(nullptr, typeIndex)) PostToMainWnd(msg::kRefresh, 1);
}

void CClockWnd::customizeTypes() {
    CustomizeEventTypes(nullptr);
    PostToMainWnd(msg::kRefresh, 1);
}

void CClockWnd::openReminder(quint32 eventId) { CReminderPopup::Open(eventId, m_clock); }

void CClockWnd::createTray() {
    m_tray = new QSystemTrayIcon(icons::TrayIcon());
    m_tray->setToolTip(ProductName());
    m_trayMenu = new CTitledMenu;
    // The type list may change between two openings.
    connect(m_trayMenu, &QMenu::aboutToShow, this, [this] { fillClockMenu(m_trayMenu); });
    fillClockMenu(m_trayMenu);
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason r) { onTrayActivated(static_cast<int>(r)); });
    m_tray->show();
}

void CClockWnd::onTrayActivated(int reason) {
    if (reason != QSystemTrayIcon::DoubleClick) return;
    if (GetAppSettings().GetShowClock()) {
        show();
        raise();
        activateWindow();
    }
    OpenMainWindow();
}

}  // namespace tv
