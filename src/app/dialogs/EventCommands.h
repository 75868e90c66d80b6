// The editing commands as the main window, the tray and the views run them: a new event of a
// type, modifying an event, customising the types. Each saves the event file after a change
// and tells the user when that save fails.
#pragma once

#include <cstdint>
#include <optional>

#include "model/DateTime.h"

class QWidget;

namespace tv {

// A new event of the type at typeIndex of the type menu, with that type's defaults (with an
// empty type table, index 0 makes an event without a type), edited in the event editor.
// start, when given, comes before the type's defaults are applied (a double click on a day).
// On OK the event is added to the store and the event file saved. Answers the new event's
// id, or 0 when nothing was added.
uint32_t NewEventWithEditor(QWidget* parent, int typeIndex, std::optional<DateTime> start = std::nullopt);

// Edits the stored event with that id; on OK it is written back under the same id and the
// event file saved. False when the event is not there or the user cancelled.
bool ModifyEventWithEditor(QWidget* parent, uint32_t id);

// The type list dialog ("Customize..." of every type menu).
void CustomizeEventTypes(QWidget* parent);

// Saves the event file; a failure (or a note such as a kept damaged copy) is shown to the user.
bool SaveEventFileReporting(QWidget* parent);

}  // namespace tv
