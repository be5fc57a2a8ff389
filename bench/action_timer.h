#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace bench {

// One action of a person at the counter. Only `act` is timed: `prepare` sets the stage for a
// run, and `check` throws when the run did not do what the action is for, so that a refused or
// empty action is never reported as fast.
struct Action {
    std::string name;
    std::function<void()> prepare;
    std::function<void()> act;
    std::function<void()> check;
};

struct Timing {
    std::string action;
    double medianMilliseconds = 0;
    int runs = 0;
    // A run took longer than the budget, so the action was not repeated.
    bool overBudget = false;
};

// Runs an action until it has 5 runs or about 3 seconds went into it, and at least once; a run
// slower than the budget ends the action at once. Wall time on the steady clock.
class ActionTimer {
public:
    explicit ActionTimer(double maxSecondsPerAction) : maxSeconds_(maxSecondsPerAction) {}

    Timing time(const Action& action) const;
    // One run only: what a person waits for the first time the action is done in a process.
    Timing timeOnce(const Action& action) const;

private:
    Timing timeUpTo(std::size_t mostRuns, const Action& action) const;

    double maxSeconds_;
};

} // namespace bench
