// The ids a list hands out and the reading of a list body, shared by every list and by the
// event file's reader that answers without building the store.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "IdIndex.h"
#include "RecordStream.h"

namespace tv {

// What reading a list body found. A list keeps the records it read before an error.
struct ListReadResult {
    bool complete = true;
    std::string error;       // why reading stopped early
    size_t renumbered = 0;   // records whose id was missing, repeated or out of range
    size_t dropped = 0;      // records no free id was left for
};

// The result of reading one list body after another: complete when the later one is.
inline void ContinueWith(ListReadResult& result, const ListReadResult& next) {
    result.complete = next.complete;
    result.error = next.error;
    result.renumbered += next.renumbered;
    result.dropped += next.dropped;
}

// A list's ids: nextId while the range lasts, then the lowest free id of the range.
struct IdRange {
    IdRange(uint32_t first, uint32_t limit) : firstId(first), nextId(first), idLimit(limit), rangeLimit(limit) {}

    // 0 when every id is taken; taken(id) says whether an id is in use anywhere. Ids at or above
    // nextId may already be in use: after the range has wrapped once, or when a damaged or
    // foreign file left nextId at or below ids it holds.
    template <class Taken>
    uint32_t NextFree(Taken&& taken) {
        while (nextId < idLimit) {
            const uint32_t id = nextId++;
            if (!taken(id)) return id;
        }
        for (uint32_t id = firstId; id < idLimit; ++id) {
            if (taken(id)) continue;
            nextId = id + 1;
            return id;
        }
        return 0;
    }

    const uint32_t firstId;
    uint32_t nextId;
    uint32_t idLimit;
    const uint32_t rangeLimit;
};

// Reads a list body (count, nextId, idLimit, the records) into keeper, which reads each record
// with ReadRecord(stream) and answers a handle for it (nothing is kept of a record it could not
// read whole), and takes IdOf, SetId and Drop on handles. Stops at the first archive error and
// keeps what it read. Ids that are missing, repeated or taken elsewhere are renumbered in the
// order read once the body is read, so that every id still names one record; a record no free
// id is left for is dropped. ids receives every kept record's id with its handle.
template <class Handle, class Keeper, class TakenElsewhere>
ListReadResult ReadListBody(RecordStream& in, IdRange& range, IdIndex<Handle>& ids, Keeper& keeper,
                            TakenElsewhere&& takenElsewhere) {
    ListReadResult result;
    std::vector<Handle> needIds;
    uint32_t highest = 0;
    try {
        uint32_t count = 0;
        in.Read([&](ArchiveReader& ar) {
            count = ar.ReadU32();
            range.nextId = ar.ReadU32();
            range.idLimit = ar.ReadU32();
        });
        if (range.idLimit <= range.firstId || range.idLimit > range.rangeLimit) range.idLimit = range.rangeLimit;
        // A damaged count must not allocate: reserve no more than the remaining bytes could hold.
        const size_t expected = std::min<size_t>(count, in.Remaining() / 64);
        ids.reserve(expected);
        keeper.Reserve(expected);
        for (uint32_t i = 0; i < count; ++i) {
            const Handle handle = keeper.ReadRecord(in);
            const uint32_t id = keeper.IdOf(handle);
            // 0xFFFFFFFF names no record either, and the index cannot hold it: a damaged file
            // that uses it gets a new id like one that repeats an id.
            if (!IdIndex<Handle>::CanHold(id) || ids.contains(id) || takenElsewhere(id)) {
                needIds.push_back(handle);
            } else {
                ids.set(id, handle);
                if (id >= range.firstId && id < range.idLimit && id > highest) highest = id;
            }
            // The next record's id is most often the next number: its slot is fetched while
            // that record is read.
            ids.prefetch(id + 1);
        }
    } catch (const ArchiveError& e) {
        result.complete = false;
        result.error = e.what();
    }
    if (range.nextId < range.firstId || range.nextId > range.idLimit) range.nextId = highest ? highest + 1 : range.firstId;
    for (const Handle& handle : needIds) {
        const uint32_t id = range.NextFree([&](uint32_t candidate) { return ids.contains(candidate) || takenElsewhere(candidate); });
        if (id == 0) {
            keeper.Drop(handle);  // the whole id range is in use: nothing can name this record
            ++result.dropped;
            continue;
        }
        keeper.SetId(handle, id);
        ids.set(id, handle);
        ++result.renumbered;
    }
    return result;
}

}  // namespace tv
