// Today's coming events: collection, size and drawing of the balloon.
#include "ComingEvents.h"

#include "texts/DateTexts.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

using namespace ComingEventsGeometry;

namespace {

// Texts in the balloon keep their colours where the desktop's tip colour lets them be read.
DrawColor TipText(uint32_t color) { return DrawColor::TextOn(color, DrawColor::Role::ToolTipBase); }

}  // namespace

DateTime ComingEventsLimit(const DateTime& now) {
    DateParts p;
    if (!now.GetParts(p)) return now;
    return DateTime::FromParts(p.year, p.month, p.day, 23, 59, 59);
}

std::vector<uint32_t> CollectComingEvents(const CEventStore& store, const DateTime& now) {
    const DateTime limit = ComingEventsLimit(now);
    std::vector<uint32_t> ids;
    CEventStore::AllLock lock(store);
    store.ForEachEvent([&](const CPtEvent& ev) {
        if (ev.IsDue(limit)) ids.push_back(ev.GetId());
    });
    return ids;
}

int ComingEventsBalloonHeight(size_t count) {
    if (count == 0) return 65;
    // Bounded so that a huge list cannot overflow the size; nothing past seven rows is drawn.
    const size_t n = count > 100000 ? 100000 : count;
    return static_cast<int>(kRowHeight * n + 45);
}

std::vector<ComingEventRow> ComingEventRows(const CEventStore& store, const CEventTypeTable& types,
                                            const std::vector<uint32_t>& ids, const DateTime& now) {
    const DateTime limit = ComingEventsLimit(now);
    std::vector<ComingEventRow> rows;
    Rect band{10, kFirstRowTop, kBalloonWidth - 10, kFirstRowTop + kRowHeight};
    for (uint32_t id : ids) {
        if (band.bottom >= kRowsBottomLimit) break;
        CPtEvent ev;
        if (!store.GetById(id, ev)) continue;
        ComingEventRow row;
        row.band = band;
        CEventType type;
        if (ev.GetType() != 0 && types.FindById(ev.GetType(), type)) {
            row.icon = type.GetIcon();
            row.color = type.GetTextColor();
        }
        row.time = GetDateTexts().TimeOfDay(ev.GetOccurrence(limit));
        row.name = ev.GetName();
        rows.push_back(std::move(row));
        band = band.Translated(0, kRowHeight);
    }
    return rows;
}

void DrawComingEvents(DisplayList& out, const CEventStore& store, const CEventTypeTable& types,
                      const std::vector<uint32_t>& ids, const DateTime& now) {
    const int h = ComingEventsBalloonHeight(ids.size());
    const Rect balloon{0, 0, kBalloonWidth, h};
    out.RoundShadow(balloon.Translated(kShadow, kShadow), DrawColor::FromColorRef(kShadowColor));
    out.RoundFill(balloon, DrawColor::System(DrawColor::Role::ToolTipBase));
    out.RoundFrame(balloon, DrawColor::System(DrawColor::Role::ToolTipText));
    const int right = kBalloonWidth;
    out.Text({10, 10, right - 10, 30}, texts::Tr(texts::kComingEvents), DrawFont::Default, TipText(kTitleColor),
             kAlignHCenter | kAlignTop);
    out.Line({10, 30}, {right - 10, 30}, DrawColor::FromColorRef(kUnderlineColor));
    if (ids.empty()) {
        out.Text({10, kFirstRowTop, right - 10, kFirstRowTop + kRowHeight}, texts::Tr(texts::kNothingToDo),
                 DrawFont::Default, TipText(kEmptyTextColor), kAlignHCenter | kAlignVCenter);
        return;
    }
    for (const ComingEventRow& row : ComingEventRows(store, types, ids, now)) {
        int left = row.band.left;
        if (row.icon >= 0) out.Icon(left + 2, row.band.top + 2, row.icon);
        left += 22;
        const DrawColor color = TipText(row.color);
        out.Text({left, row.band.top, left + 40, row.band.bottom}, row.time, DrawFont::Text, color, kAlignLeft);
        out.Text({left + 50, row.band.top, row.band.right, row.band.bottom}, row.name, DrawFont::Text, color,
                 kAlignLeft | kTextEllipsis);
    }
}

}  // namespace tv
