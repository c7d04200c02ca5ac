// SPDX-License-Identifier: MIT
#include "tests/tallyx_process.h"

#include <unistd.h>

#include "tests/tallyx_child.h"

ProcessRun runTallyx(const std::vector<std::string>& args, const std::filesystem::path& workDir) {
    // Batch mode answers in milliseconds: a run this long has hung.
    constexpr double kPatience = 60;
    TallyxChild child({args, workDir, {}});
    child.finish(kPatience);
    return {child.out(), child.err(), child.status()};
}

long processId() { return static_cast<long>(getpid()); }
