#include "action_timer.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {
namespace {

constexpr std::size_t kMostRuns = 5;
constexpr std::chrono::seconds kTimePerAction{3};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

Timing ActionTimer::time(const Action& action) const {
    return timeUpTo(kMostRuns, action);
}

Timing ActionTimer::timeOnce(const Action& action) const {
    return timeUpTo(1, action);
}

Timing ActionTimer::timeUpTo(std::size_t mostRuns, const Action& action) const {
    using Clock = std::chrono::steady_clock;
    Timing timing;
    timing.action = action.name;
    std::vector<double> milliseconds;
    const Clock::time_point started = Clock::now();
    do {
        if (action.prepare) action.prepare();
        const Clock::time_point before = Clock::now();
        action.act();
        const std::chrono::duration<double, std::milli> took = Clock::now() - before;
        if (action.check) action.check();
        milliseconds.push_back(took.count());
        timing.overBudget = took.count() > maxSeconds_ * 1000;
    } while (!timing.overBudget && milliseconds.size() < mostRuns &&
             Clock::now() - started < kTimePerAction);
    timing.medianMilliseconds = median(milliseconds);
    timing.runs = static_cast<int>(milliseconds.size());
    return timing;
}

} // namespace bench
