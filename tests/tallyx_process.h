// SPDX-License-Identifier: MIT
// The built tallyx run as a process, for tests of the whole program. One implementation per platform.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

/// What a run printed on standard output and, apart, on standard error (lines ending in "\n"), and its
/// exit status.
struct ProcessRun {
    std::string out;
    std::string err;
    int status = -1;
};

/// Runs TALLYX_PATH with the arguments in workDir, with no display and workDir as the user's data folder.
/// Windows always has a display: a run that opens its window there is ended after a while (status -1).
ProcessRun runTallyx(const std::vector<std::string>& args, const std::filesystem::path& workDir);
/// This test process's id, for names of its own temporary folders.
long processId();
