// CCalendarView: the thin window over one calendar layout (Daily, Week Day, Weekly, Monthly).
#pragma once

#include <QAbstractScrollArea>
#include <memory>

#include "shell/MainPage.h"
#include "views/CalendarLayout.h"

namespace tv {

class IClock;

// Turns input into layout calls and the layout's drawing into pixels. The layout decides
// everything; this class only forwards, repaints, keeps the scroll bar in step and reports
// what the main window must know as signals:
//   captionChanged  - the tab bar's date text changed (WM_VIEW_CAPTION)
//   viewDateChanged - the shared current date becomes this (WM_VIEW_DATE)
//   doubleClicked   - modify the selected event or start a new one at the selected date
//   contextMenuWanted - the view-area menu at a global point, after the press selected
class CCalendarView : public QAbstractScrollArea, public IMainPage {
    Q_OBJECT
public:
    CCalendarView(std::unique_ptr<CalendarLayout> layout, const IClock& clock, QWidget* parent = nullptr);
    ~CCalendarView() override;

    CalendarLayout& layout() { return *m_layout; }
    const CalendarLayout& layout() const { return *m_layout; }
    ViewIndex kind() const { return m_layout->Kind(); }

    // The calendar-view contract, as the main window uses it.
    void SetDate(const DateTime& date);
    DateTime GetSelectedDate() const;
    uint32_t GetSelectedEvent() const { return m_layout->GetSelectedEvent(); }
    bool HasSelectedEvent() const { return m_layout->HasSelectedEvent(); }
    QString GetCaptionText() const;
    void ClearSelectedItem();
    // RebuildItems, LayoutItems with no rectangle, repaint.
    void Refresh();

    void setOfficeHours(const OfficeHours& hours) { m_layout->SetOfficeHours(hours); }
    // The Weekly and Monthly pages' first weekday; the others have none.
    void setFirstWeekday(int firstWeekday);

    // IMainPage.
    std::vector<uint32_t> SelectedEventIds() const override;
    bool RemoveEvent(uint32_t eventId) override;
    void RefreshEvent(uint32_t eventId) override;
    void Rebuild() override { Refresh(); }

    // Counts the changes of what the page shows, so that a screen reader's view of it is made
    // again only when it may have changed.
    unsigned outlineVersion() const { return m_outlineVersion; }

    // The user's short date, as the tab bar shows it.
    static QString ShortDate(const DateTime& date);

Q_SIGNALS:
    void captionChanged();
    void viewDateChanged(const tv::DateTime& date);
    void doubleClicked();
    void contextMenuWanted(const QPoint& globalPos);
    // A day's "+N more" was clicked: its Daily page is wanted.
    void dayOpened(const tv::DateTime& day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool isDayGrid() const { return kind() == kViewDaily || kind() == kViewWeekday; }
    void apply(const ViewNotice& notice);
    void syncScrollBar();
    void onScrollAction(int action);

    std::unique_ptr<CalendarLayout> m_layout;
    const IClock& m_clock;
    int m_wheelRest = 0;     // wheel rotation not yet turned into a step
    bool m_syncing = false;  // the scroll bar is being set from the layout
    unsigned m_outlineVersion = 0;
};

// The office hours of the preferences, as the day grids shade them.
OfficeHours CurrentOfficeHours();
// The weekday a Weekly or Monthly page starts its weeks with (1 Sunday .. 7 Saturday): the
// preferences' choice, else the first day of the user's locale; in English the pages keep the
// weeks they always had (Weekly from Monday, Monthly from Sunday).
int CurrentFirstWeekday(ViewIndex kind);

// The four views, by index 0..3 of the main window's pages.
CCalendarView* CreateCalendarView(ViewIndex kind, const IClock& clock, QWidget* parent = nullptr);

}  // namespace tv
