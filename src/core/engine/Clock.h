// Where "now" comes from, so that tests can set it.
#pragma once

#include "model/DateTime.h"

namespace tv {

class IClock {
public:
    virtual ~IClock() = default;
    // To the whole second, as every rule uses it.
    virtual DateTime Now() const = 0;
    // With the fraction of the second, for timing work to the turn of the next second.
    virtual DateTime PreciseNow() const { return Now(); }
};

// Local time from the C library.
class SystemClock final : public IClock {
public:
    DateTime Now() const override { return LocalNow(); }
    DateTime PreciseNow() const override { return LocalNowPrecise(); }
};

}  // namespace tv
