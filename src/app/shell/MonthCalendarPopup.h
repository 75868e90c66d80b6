// The month calendar a click on the desktop clock opens below it.
#pragma once

#include <QFrame>

#include "model/DateTime.h"

namespace tv {

class CMonthCalendarField;

// A small frameless pop-up holding only the month calendar, showing today. It closes itself
// as soon as it loses the focus (a click anywhere else, Escape) and has no other effect.
class CMonthCalendarPopup : public QFrame {
    Q_OBJECT
public:
    CMonthCalendarPopup(const DateTime& today, QWidget* parent = nullptr);
    CMonthCalendarField* calendar() const { return m_calendar; }

    // Opens one with its top-left corner at the anchor's bottom-left corner (above the anchor
    // where the screen ends below it), kept on the screen.
    static CMonthCalendarPopup* OpenBelow(const QRect& anchor, const DateTime& today);

private:
    CMonthCalendarField* m_calendar;
};

}  // namespace tv
