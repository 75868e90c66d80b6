// Where "now" comes from, so that tests can set it.
#pragma once

#include "model/DateTime.h"

namespace tv {

class IClock {
public:
    virtual ~IClock() = default;
    virtual DateTime Now() const = 0;
};

// Local time from the C library.
class SystemClock final : public IClock {
public:
    DateTime Now() const override { return LocalNow(); }
};

}  // namespace tv
