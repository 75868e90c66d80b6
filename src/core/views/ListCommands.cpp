// The list pages' Delete command.
#include "ListCommands.h"

namespace tv {

ListDeleteOutcome DeleteListEvents(CEventStore& store, const std::vector<uint32_t>& ids,
                                   const std::function<DeleteAnswer(const CPtEvent&)>& askRecurring) {
    ListDeleteOutcome outcome;
    bool yesToAll = false;
    for (uint32_t id : ids) {
        CPtEvent ev;
        if (!store.GetById(id, ev)) continue;
        if (ev.IsRecurrent() && !yesToAll) {
            switch (askRecurring(ev)) {
                case DeleteAnswer::YesToAll: yesToAll = true; break;
                case DeleteAnswer::Yes: break;
                case DeleteAnswer::No: continue;
                case DeleteAnswer::Cancel: outcome.cancelled = true; return outcome;
            }
        }
        if (store.Delete(id)) outcome.deleted.push_back(id);
    }
    return outcome;
}

}  // namespace tv
