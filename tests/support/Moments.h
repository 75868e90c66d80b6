// Readable date-time comparisons in test failures.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "model/DateTime.h"

namespace tv {
inline void PrintTo(const DateTime& d, std::ostream* os) { *os << d.ToIsoText(); }
}  // namespace tv

// The same moment to the millisecond: values reached by arithmetic differ in the last bit.
#define EXPECT_MOMENT(a, b) EXPECT_PRED2([](const tv::DateTime& x, const tv::DateTime& y) { return x.SameMoment(y); }, a, b)
