// Stores of realistic events for the benchmarks.
#pragma once

#include <cstdint>

#include "model/PtEvent.h"
#include "store/EventStore.h"

namespace tvbench {

// The moment every benchmark treats as now.
tv::DateTime BenchNow();

// A store of count events: two thirds one-off, spread over three years around now, one third
// recurring with a realistic mix of kinds and intervals. recurringShare 1.0 makes them all recur.
void FillStore(tv::CEventStore& store, int count, double recurringShare = 1.0 / 3.0, uint32_t seed = 42);

// A recurring event of one kind, as the peer comparison defines them.
enum class RuleKind { Daily3, Weekly2MonThu, MonthlyLastFriday, YearlyMarch5, YearlyFirstMondaySeptember };
tv::CPtEvent MakeRule(RuleKind kind);
const char* RuleName(RuleKind kind);
const char* RuleRRule(RuleKind kind);

}  // namespace tvbench
