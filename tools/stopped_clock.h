#pragma once

#include "support/clock.h"

namespace pictures {

// A clock that always shows one moment: the clock of the main window, the number and time of a
// table opened and the dates offered for a query are the same on every run, and agree with the
// month of orders in the database.
class StoppedClock final : public support::Clock {
public:
    explicit StoppedClock(support::CalendarTime moment) : moment_(moment) {}
    support::CalendarTime now() const override { return moment_; }

private:
    support::CalendarTime moment_;
};

} // namespace pictures
