// What screen readers are told about the painted calendar pages (their days and events) and the
// reminder pop-up (an alert).
#pragma once

#include <QAccessibleWidget>
#include <vector>

#include "views/CalendarLayout.h"

namespace tv {

class CCalendarView;

// Installs the program's accessibility factory once; the windows it serves call it as they are made.
void InstallAccessibleFactory();

// A calendar page as a table of day cells, each holding its events as items. The day and item
// interfaces are made on first use and live as long as the page's; they read the layout afresh
// on every question, so they always tell what is drawn.
class CCalendarAccessible final : public QAccessibleWidget {
public:
    explicit CCalendarAccessible(CCalendarView* view);
    ~CCalendarAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

    // The page's days as the layout has them now.
    const std::vector<OutlineDay>& Days() const;
    CCalendarView* view() const;
    // The interface of an item of a day, made on first use; null past the day's items.
    QAccessibleInterface* Item(int day, int item) const;

private:
    mutable std::vector<OutlineDay> m_outline;
    mutable unsigned m_outlineVersion = 0;
    mutable bool m_outlineRead = false;
    mutable std::vector<QAccessible::Id> m_days;
    mutable std::vector<std::vector<QAccessible::Id>> m_items;
};

}  // namespace tv
