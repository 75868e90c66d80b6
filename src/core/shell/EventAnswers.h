// What the reminder pop-up's buttons and the main window's event commands do to the store.
#pragma once

#include <cstdint>

#include "model/DateTime.h"
#include "store/EventStore.h"
#include "platform/FileResult.h"

namespace tv {

struct AnswerResult {
    bool found = false;  // the store still held the event; nothing changed otherwise
    FileResult save;     // the save that followed the change (Ok when none was needed)
};

// Snooze: remind again `seconds` from now; the showing mark is cleared and the file saved.
AnswerResult SnoozeEvent(CEventStore& store, uint32_t id, int seconds, const DateTime& now);
// Accept of the pop-up that announced `occurrence`: done with it (a one-off event ends, a series
// moves past it). When that occurrence was answered meanwhile (accepted from the main window),
// only the showing mark ends: one announcement gets one answer.
AnswerResult AcceptEvent(CEventStore& store, uint32_t id, const DateTime& now, const DateTime& occurrence);
// Delete: the event leaves the store and the file is saved at once, so that a crash before the
// next save cannot bring it back to remind again.
AnswerResult DeleteEvent(CEventStore& store, uint32_t id);

// The change Accept, Enable and Disable apply to each chosen event of the main window.
enum class EventChange { Accept, Enable, Disable };
// Reads a copy, applies the change and writes it back under the same id; does not save (the
// command saves once after all its events). False when the store no longer holds the id.
bool ApplyEventChange(CEventStore& store, uint32_t id, EventChange change, const DateTime& now);

}  // namespace tv
