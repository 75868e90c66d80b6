// The calendar-view contract: what every calendar page knows without a screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DisplayList.h"
#include "ViewGeometry.h"
#include "ViewSwitching.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv {

enum class ViewKey { Up, Down, Left, Right, PageUp, PageDown };
enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition, EndScroll };
enum class MouseButton { Left, Right };

// Office hours as minutes since midnight; they shade the day grids.
struct OfficeHours {
    int startMinute = 9 * 60;
    int endMinute = 17 * 60;
};

// The vertical scroll bar: a pixel offset in the day grids, a week navigator elsewhere.
struct ScrollState {
    int min = 0;
    int max = 0;   // end of the range; positions run from min to max - page
    int page = 0;  // visible part, for the thumb size
    int pos = 0;
    int Limit() const { return max - page > min ? max - page : min; }
    bool operator==(const ScrollState&) const = default;
};

// What a view asks of its window after an operation.
struct ViewNotice {
    bool repaint = false;
    bool scrolled = false;             // the scroll state changed
    bool captionChanged = false;       // the tab bar's date text must be redrawn
    std::optional<DateTime> viewDate;  // the main window's current date becomes this
    std::optional<DateTime> openDay;   // a day's "+N more" was clicked: show that day's Daily page
};

// The last line of a Weekly or Monthly day whose events do not all fit: it says how many are
// not shown, and a click on it opens the day.
struct MoreLink {
    Rect rect;  // empty when everything fits (or not even this line does)
    int count = 0;
    bool operator==(const MoreLink&) const = default;
};
// Gives the day's items successive full-width lines of rowHeight from the cell's top +
// rowHeight, stopping at the cell's bottom; the items after the last line get empty
// rectangles. When not all fit, the last line that fits is the "+N more" line instead.
MoreLink LayoutDayLines(std::vector<CViewItem>& items, const Rect& cell, int rowHeight);

// What a screen reader is told about a page: its days, and the events of each day.
struct OutlineItem {
    uint32_t id = 0;
    Rect rect;          // client coordinates; empty when the day has no room to show it
    DateTime occurrence;
};
struct OutlineDay {
    DateTime date;
    Rect rect;  // client coordinates
    bool selected = false;
    std::vector<OutlineItem> items;  // every event of the day, in the order it is drawn
    MoreLink more;
};

// The page's logical size on paper and where the view is drawn inside it.
struct PrintExtent {
    int width = 0;   // logical page width W
    int height = 0;  // logical page height H
    Rect drawRect;   // (0, 0, W - 65, H - 80)
};

// Formats a date the way the tab bar shows it: the user's short date without time.
using ShortDateFormatter = std::function<std::string(const DateTime&)>;

// What the drawing is for: the screen shows the selection and icons, paper does not.
struct DrawTarget {
    bool printer = false;
    Rect rect;       // the client rectangle (screen) or the print drawing rectangle
    int scroll = 0;  // day grids on screen: content offset of the visible top
};

// What an event box or line shows, looked up by id when it is drawn.
struct ItemLook {
    bool exists = false;
    std::string name;  // UTF-8
    int icon = 0;      // small type icon; the first icon when the type is unknown
    bool hasType = false;
    uint32_t textColor = 0;  // the type's text colour, black without a type
};
ItemLook LookUpItem(const CEventStore& store, const CEventTypeTable& types, uint32_t id);

class CalendarLayout {
public:
    CalendarLayout(const CEventStore& store, const CEventTypeTable& types) : m_store(store), m_types(types) {}
    virtual ~CalendarLayout() = default;
    CalendarLayout(const CalendarLayout&) = delete;
    CalendarLayout& operator=(const CalendarLayout&) = delete;

    virtual ViewIndex Kind() const = 0;

    // Shows the period that holds date; rebuilds and lays out.
    virtual ViewNotice SetDate(const DateTime& date) = 0;
    // The selected slot or day as a moment; now when nothing is selected.
    virtual DateTime GetSelectedDate(const DateTime& now) const = 0;
    // Id of the selected item's event, 0 when no item is selected.
    uint32_t GetSelectedEvent() const {
        const CViewItem* item = SelectedItem();
        return item ? item->id : 0;
    }
    bool HasSelectedEvent() const { return SelectedItem() != nullptr; }
    virtual std::string GetCaptionText(const ShortDateFormatter& format) const = 0;
    // Drops the selected item after its event was deleted and lays out again.
    virtual bool RemoveSelectedItem() = 0;
    virtual void ClearSelectedItem() = 0;
    // Places every item for the client rectangle, or for r (printing).
    void LayoutItems() { LayoutItems(ClientRect()); }
    virtual void LayoutItems(const Rect& r) = 0;
    // Collects the shown period's events from the store again; forgets the item selection.
    virtual void RebuildItems() = 0;

    virtual ViewNotice MousePress(int x, int y, MouseButton button) = 0;
    virtual ViewNotice KeyPress(ViewKey key, int repeat) = 0;
    virtual ViewNotice Wheel(int rotation) = 0;
    virtual ViewNotice Scroll(ScrollAction action, int pos = 0) = 0;

    // The client area changed size: page, position and layout follow.
    virtual ViewNotice Resize(int width, int height);

    virtual PrintExtent GetPrintExtent(int deviceWidth, int deviceHeight) const = 0;
    // Everything the view shows, in content coordinates.
    virtual void Draw(DisplayList& out, const DrawTarget& target) const = 0;

    const ScrollState& GetScroll() const { return m_scroll; }
    Rect ClientRect() const { return {0, 0, m_clientWidth, m_clientHeight}; }
    void SetOfficeHours(const OfficeHours& h) { m_office = h; }
    const OfficeHours& GetOfficeHours() const { return m_office; }
    // Number of items in every list, for tests and the timing program.
    virtual size_t ItemCount() const = 0;
    // The shown days with their events, as laid out for the window.
    virtual std::vector<OutlineDay> Outline() const = 0;

protected:
    virtual const CViewItem* SelectedItem() const = 0;
    void DrawItemBox(DisplayList& out, const CViewItem& item, bool selected, bool printer) const;
    void DrawListLine(DisplayList& out, const CViewItem& item, bool selected, bool printer) const;
    void DrawMoreLink(DisplayList& out, const MoreLink& more) const;
    // A day of the outline with its items and their occurrences on that day.
    OutlineDay OutlineOf(const DateTime& day, const Rect& rect, const std::vector<const CViewItem*>& items,
                         int scroll = 0) const;
    int OfficeStartSlot() const;
    int OfficeEndSlot() const;

    const CEventStore& m_store;
    const CEventTypeTable& m_types;
    OfficeHours m_office;
    ScrollState m_scroll;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
};

// Calendar-view logical page: height H, width device width x H / device height.
PrintExtent CalendarPrintExtent(ViewIndex kind, int deviceWidth, int deviceHeight);

}  // namespace tv
