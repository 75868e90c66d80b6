// The coming-events balloon without a screen: today's events still to be reminded of, its size
// and what it draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DisplayList.h"
#include "store/EventTypeTable.h"
#include "store/EventStore.h"

namespace tv {

namespace ComingEventsGeometry {
constexpr int kBalloonWidth = 250;
constexpr int kShadow = 5;
constexpr int kWindowWidth = kBalloonWidth + kShadow;
constexpr int kRowHeight = 20;
constexpr int kFirstRowTop = 35;
constexpr int kRowsBottomLimit = 191;  // a row whose band would reach this is not drawn
constexpr int kMaxRows = 7;
constexpr uint32_t kTitleColor = 0x00009AFF;      // orange
constexpr uint32_t kUnderlineColor = 0x00008200;  // green
constexpr uint32_t kEmptyTextColor = 0x00CB344A;
constexpr uint32_t kShadowColor = 0x00818181;
}  // namespace ComingEventsGeometry

// Today at 23:59:59: the moment the balloon asks IsDue for.
DateTime ComingEventsLimit(const DateTime& now);

// Ids of the events due by the end of today (one-off list first, then recurring, stored order).
std::vector<uint32_t> CollectComingEvents(const CEventStore& store, const DateTime& now);

// Balloon height: 65 for no events, else 20 n + 45. The window adds the 5-pixel shadow.
int ComingEventsBalloonHeight(size_t count);

struct ComingEventRow {
    Rect band;
    int icon = -1;  // small type icon, -1 when the type is unknown
    std::string time;
    std::string name;  // UTF-8
    uint32_t color = 0;
};
// The rows drawn: ids no longer in the store are skipped without using a band, and at most seven
// rows fit.
std::vector<ComingEventRow> ComingEventRows(const CEventStore& store, const CEventTypeTable& types,
                                            const std::vector<uint32_t>& ids, const DateTime& now);

// Everything the balloon draws, in its own window coordinates.
void DrawComingEvents(DisplayList& out, const CEventStore& store, const CEventTypeTable& types,
                      const std::vector<uint32_t>& ids, const DateTime& now);

}  // namespace tv
