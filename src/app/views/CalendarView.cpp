// CCalendarView: input, painting and scrolling of one calendar layout.
#include "CalendarView.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>

#include "CalendarAccessible.h"
#include "ViewPainter.h"
#include "controls/QtDateTime.h"
#include "engine/Clock.h"
#include "shell/AppSettings.h"
#include "shell/Translation.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "views/DailyLayout.h"
#include "views/MonthlyLayout.h"
#include "views/WeekdayLayout.h"
#include "views/WeeklyLayout.h"

namespace tv {

OfficeHours CurrentOfficeHours() {
    DateTime start, end;
    GetAppSettings().GetOfficeHours(start, end);
    OfficeHours hours;
    DateParts p;
    if (start.GetParts(p)) hours.startMinute = p.hour * 60 + p.minute;
    if (end.GetParts(p)) hours.endMinute = p.hour * 60 + p.minute;
    return hours;
}

int CurrentFirstWeekday(ViewIndex kind) {
    if (const int chosen = GetAppSettings().GetWeekStart()) return chosen;
    const QLocale locale;
    if (IsEnglishLocale(locale)) return kind == kViewMonthly ? kSunday : kMonday;
    // Qt counts from Monday (1) to Sunday (7), the pages from Sunday (1) to Saturday (7).
    return locale.firstDayOfWeek() % 7 + 1;
}

CCalendarView::CCalendarView(std::unique_ptr<CalendarLayout> layout, const IClock& clock, QWidget* parent)
    : QAbstractScrollArea(parent), m_layout(std::move(layout)), m_clock(clock) {
    // Screen readers are told the days and events this page paints.
    InstallAccessibleFactory();
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Base);
    QScrollBar* bar = verticalScrollBar();
    if (isDayGrid()) {
        bar->setSingleStep(kSlotHeight);
    } else {
        // The bar is a week navigator: every action moves the shown weeks (see onScrollAction).
        connect(bar, &QAbstractSlider::actionTriggered, this, &CCalendarView::onScrollAction);
    }
    syncScrollBar();
}

CCalendarView::~CCalendarView() = default;

QString CCalendarView::ShortDate(const DateTime& date) {
    return QLocale().toString(ToQDate(date), QLocale::ShortFormat);
}

void CCalendarView::SetDate(const DateTime& date) { apply(m_layout->SetDate(date)); }

void CCalendarView::setFirstWeekday(int firstWeekday) {
    ViewNotice n;
    if (auto* weekly = dynamic_cast<WeeklyLayout*>(m_layout.get())) n = weekly->SetFirstWeekday(firstWeekday);
    else if (auto* monthly = dynamic_cast<MonthlyLayout*>(m_layout.get())) n = monthly->SetFirstWeekday(firstWeekday);
    apply(n);
}

DateTime CCalendarView::GetSelectedDate() const { return m_layout->GetSelectedDate(m_clock.Now()); }

QString CCalendarView::GetCaptionText() const {
    const std::string text = m_layout->GetCaptionText([](const DateTime& d) { return ShortDate(d).toStdString(); });
    return QString::fromStdString(text);
}

void CCalendarView::ClearSelectedItem() {
    ++m_outlineVersion;
    m_layout->ClearSelectedItem();
    viewport()->update();
}

void CCalendarView::Refresh() {
    ++m_outlineVersion;
    m_layout->RebuildItems();
    m_layout->LayoutItems();
    viewport()->update();
}

std::vector<uint32_t> CCalendarView::SelectedEventIds() const {
    if (!m_layout->HasSelectedEvent()) return {};
    return {m_layout->GetSelectedEvent()};
}

bool CCalendarView::RemoveEvent(uint32_t eventId) {
    ++m_outlineVersion;
    if (m_layout->HasSelectedEvent() && m_layout->GetSelectedEvent() == eventId) {
        m_layout->RemoveSelectedItem();
        viewport()->update();
        return true;
    }
    // Deleted elsewhere (a reminder's Delete): collect the period again.
    Refresh();
    return false;
}

void CCalendarView::RefreshEvent(uint32_t) {
    ++m_outlineVersion;
    viewport()->update();
}

void CCalendarView::apply(const ViewNotice& n) {
    ++m_outlineVersion;
    if (n.scrolled) syncScrollBar();
    if (n.repaint) viewport()->update();
    if (n.captionChanged) emit captionChanged();
    if (n.viewDate) emit viewDateChanged(*n.viewDate);
    if (n.openDay) emit dayOpened(*n.openDay);
}

void CCalendarView::syncScrollBar() {
    const ScrollState& s = m_layout->GetScroll();
    QScrollBar* bar = verticalScrollBar();
    m_syncing = true;
    bar->setRange(s.min, s.Limit());
    if (isDayGrid()) bar->setPageStep(std::max(1, s.page));
    else bar->setPageStep(kind() == kViewMonthly ? kMonthlyRows : 1);
    bar->setValue(s.pos);
    m_syncing = false;
}

void CCalendarView::scrollContentsBy(int, int) {
    if (m_syncing || !isDayGrid()) return;
    apply(m_layout->Scroll(ScrollAction::ThumbPosition, verticalScrollBar()->value()));
    viewport()->update();
}

void CCalendarView::onScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    ViewNotice n;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: n = m_layout->Scroll(ScrollAction::LineUp); break;
        case QAbstractSlider::SliderSingleStepAdd: n = m_layout->Scroll(ScrollAction::LineDown); break;
        case QAbstractSlider::SliderPageStepSub: n = m_layout->Scroll(ScrollAction::PageUp); break;
        case QAbstractSlider::SliderPageStepAdd: n = m_layout->Scroll(ScrollAction::PageDown); break;
        case QAbstractSlider::SliderToMinimum:
        case QAbstractSlider::SliderToMaximum:
        case QAbstractSlider::SliderMove: n = m_layout->Scroll(ScrollAction::ThumbTrack, bar->sliderPosition()); break;
        default: break;
    }
    // The layout, not the slider, decides where the thumb goes.
    m_syncing = true;
    bar->setSliderPosition(m_layout->GetScroll().pos);
    m_syncing = false;
    n.scrolled = false;
    apply(n);
}

void CCalendarView::paintEvent(QPaintEvent* event) {
    // The preferences may have moved the office hours since the last paint.
    m_layout->SetOfficeHours(CurrentOfficeHours());
    QPainter p(viewport());
    p.setClipRegion(event->region());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    ViewStyle style = ViewStyle::ForScreen();
    style.target = {false, m_layout->ClientRect(), m_layout->GetScroll().pos};
    DrawView(p, *m_layout, style);
}

void CCalendarView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ViewNotice n = m_layout->Resize(viewport()->width(), viewport()->height());
    n.scrolled = true;
    apply(n);
}

void CCalendarView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    const QPoint pos = event->position().toPoint();
    setFocus(Qt::MouseFocusReason);
    apply(m_layout->MousePress(pos.x(), pos.y(),
                               event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right));
}

void CCalendarView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit doubleClicked();
}

void CCalendarView::keyPressEvent(QKeyEvent* event) {
    ViewKey key;
    switch (event->key()) {
        case Qt::Key_Up: key = ViewKey::Up; break;
        case Qt::Key_Down: key = ViewKey::Down; break;
        case Qt::Key_Left: key = ViewKey::Left; break;
        case Qt::Key_Right: key = ViewKey::Right; break;
        case Qt::Key_PageUp: key = ViewKey::PageUp; break;
        case Qt::Key_PageDown: key = ViewKey::PageDown; break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        event->ignore();
        return;
    }
    apply(m_layout->KeyPress(key, std::max(1, event->count())));
    viewport()->update();
}

void CCalendarView::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy == 0) {
        event->ignore();
        return;
    }
    // A notch of a mouse wheel is one step; a touchpad's small deltas add up to one.
    if ((m_wheelRest > 0) != (dy > 0)) m_wheelRest = 0;
    m_wheelRest += dy;
    while (std::abs(m_wheelRest) >= 120) {
        apply(m_layout->Wheel(m_wheelRest > 0 ? 120 : -120));
        m_wheelRest += m_wheelRest > 0 ? -120 : 120;
    }
    event->accept();
}

void CCalendarView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(event->globalPos());
    event->accept();
}

CCalendarView* CreateCalendarView(ViewIndex kind, const IClock& clock, QWidget* parent) {
    const CEventStore& store = GetEventStore();
    const CEventTypeTable& types = GetEventTypeTable();
    std::unique_ptr<CalendarLayout> layout;
    switch (kind) {
        case kViewDaily: layout = std::make_unique<DailyLayout>(store, types); break;
        case kViewWeekday: layout = std::make_unique<WeekdayLayout>(store, types); break;
        case kViewWeekly: layout = std::make_unique<WeeklyLayout>(store, types, CurrentFirstWeekday(kind)); break;
        case kViewMonthly: layout = std::make_unique<MonthlyLayout>(store, types, CurrentFirstWeekday(kind)); break;
        default: return nullptr;  // the list pages are no calendar
    }
    auto* view = new CCalendarView(std::move(layout), clock, parent);
    view->setObjectName(QString::fromStdString(ViewTitle(kind)));
    view->setWindowTitle(view->objectName());
    return view;
}

}  // namespace tv
