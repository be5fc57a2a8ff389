#include "report.h"

#include <cstdio>
#include <sys/resource.h>

namespace bench {

void reportTiming(const Timing& timing) {
    std::printf("%s\t%.3f\t%d\t%s\n", timing.action.c_str(), timing.medianMilliseconds, timing.runs,
                timing.overBudget ? "over_budget" : "ok");
    std::fflush(stdout);
}

void reportPeakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // Linux counts the peak in kibibytes.
    std::printf("peak_memory_mb\t%.1f\n", static_cast<double>(usage.ru_maxrss) / 1024);
    std::fflush(stdout);
}

} // namespace bench
