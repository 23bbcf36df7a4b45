#pragma once

#include <ctime>

// CPU time this process has used, in milliseconds. The benchmarks time with
// it rather than the wall clock: on a shared, busy machine the wall clock
// mostly measures the wait for a core. The kernel's work for the process
// (the page faults of fresh memory, say) counts too.
inline double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}
