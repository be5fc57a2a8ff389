#pragma once

#include "action_timer.h"

namespace bench {

// The harnesses' output on standard output, one tab-separated line each, written out at once so
// that a run stopped midway keeps what it measured:
//
//     <action>  <median ms>  <runs>  ok|over_budget
//     peak_memory_mb  <peak resident memory of the process, MiB>
void reportTiming(const Timing& timing);
void reportPeakMemory();

} // namespace bench
