// IMainPage: what the calendar main window asks of each of its six pages.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

namespace tv {

// The main window shows one page at a time (ViewIndex): the four calendar views, Find and All
// events (the list pages). A page is a QWidget that also implements this interface. The
// window's commands (Delete, Accept, Enable, Disable) and its cross-window messages reach the
// pages only through these calls:
//
//   SelectedEventIds   which events the commands act on
//   RemoveEvent        after Delete, and after a reminder's Delete on a list page
//   RefreshEvent       after Accept, Enable, Disable, a reminder's Snooze or Accept
//   Rebuild            after an event was added from the tray, a reminder's Delete on a
//                      calendar view, and whenever the store changed more widely
//   SetUpdatesSuspended around a command that changes many rows
class IMainPage {
public:
    virtual ~IMainPage() = default;

    // The ids of the selected events in row order; a calendar view answers its selected
    // item's event (at most one), a list page every selected row.
    virtual std::vector<uint32_t> SelectedEventIds() const = 0;
    // The event left the store: drop its item or row (and the selection on it), lay out again
    // and repaint. False when the page did not show it.
    virtual bool RemoveEvent(uint32_t eventId) = 0;
    // The stored event changed: redraw its item or row.
    virtual void RefreshEvent(uint32_t eventId) = 0;
    // Collect the shown events from the store again, lay out and repaint.
    virtual void Rebuild() = 0;
    // Hold back repainting while a command changes many rows, then repaint once.
    virtual void SetUpdatesSuspended(bool suspended) { (void)suspended; }
};

}  // namespace tv
