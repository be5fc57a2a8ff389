#pragma once

#include "support/date_time.h"

namespace support {

// Where the current moment comes from: local wall-clock time in whole seconds. Handed to whatever
// needs the time, so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    CalendarTime now() const override;
};

} // namespace support
