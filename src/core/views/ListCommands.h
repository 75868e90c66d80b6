// What the Delete command does on a list page: the questions it asks and the events it removes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "store/EventStore.h"

namespace tv {

// The buttons of the Delete Events dialog.
enum class DeleteAnswer { YesToAll, Yes, No, Cancel };

constexpr const char* kDeleteSelectedQuestion = "Do you really want to delete the selected events?";
constexpr const char* kDeleteRecurringQuestion = "This is a recurrent event, do you really want to delete it?";

// More than one selected row asks once before anything happens.
inline bool NeedsMultiDeleteQuestion(size_t selectedRows) { return selectedRows > 1; }

struct ListDeleteOutcome {
    std::vector<uint32_t> deleted;  // in the order they were deleted
    bool cancelled = false;         // Cancel stopped the command; what was deleted stays deleted
};

// Deletes the events of ids (the selected rows, in row order) from the store. A recurring event
// is deleted only after askRecurring answers Yes or Yes to All; Yes to All deletes every later
// one without asking, No skips it, Cancel stops at once. Ids no longer in the store are skipped.
ListDeleteOutcome DeleteListEvents(CEventStore& store, const std::vector<uint32_t>& ids,
                                   const std::function<DeleteAnswer(const CPtEvent&)>& askRecurring);

}  // namespace tv
