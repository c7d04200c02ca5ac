// SPDX-License-Identifier: MIT
// A build measured for coverage writes its counts when the process exits normally, after the exit handlers. A
// process that ends at once (_exit, an end signal raised again) runs none of that: such endings write the counts
// first. A file size limit on the process (a test's full disk) would cut the counts short; the process lifts it
// to its hard limit before they are written.
#pragma once

#if defined(DELVO_COVERAGE)
#include <cstdlib>

#include <sys/resource.h>

extern "C" void __gcov_dump(void);

inline void liftFileSizeLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
}
inline void writeCoverageCounts() {
    liftFileSizeLimit();
    __gcov_dump();
}
/// At the start of main: the normal exit lifts the limit before the counts are written.
inline void keepCoverageCountsWhole() { std::atexit(liftFileSizeLimit); }
#else
inline void writeCoverageCounts() {}
inline void keepCoverageCountsWhole() {}
#endif
