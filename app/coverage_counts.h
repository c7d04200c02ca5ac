// SPDX-License-Identifier: MIT
// A build measured for coverage writes its counts when the process exits normally, after the exit handlers. A
// process that ends at once (_exit, an end signal raised again) runs none of that: such endings write the counts
// first. A file size limit on the process (a test's full disk) would cut the counts short; the process lifts it
// before they are written, which it may when it runs as root, as the suite does.
#pragma once

#if defined(DELVO_COVERAGE)
#include <cstdlib>

#include <sys/resource.h>

extern "C" void __gcov_dump(void);

inline void liftFileSizeLimit() {
    const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &none);
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
