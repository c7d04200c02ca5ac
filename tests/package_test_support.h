// SPDX-License-Identifier: MIT
// Helpers of the installation and package tests: commands run through the shell with their output, a fresh
// temporary folder, and the installed tree or the Debian package made from this build.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace package_test {

struct Run {
    int status = -1;     // the exit status, -1 when the command did not end normally
    std::string output;  // standard output and error together
};

/// Runs a shell command line; its standard error is read along with its standard output.
inline Run run(const std::string& command) {
    Run result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char chunk[4096];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) result.output.append(chunk, got);
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

inline bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

inline bool haveTool(const std::string& name) { return run("command -v '" + name + "'").status == 0; }

inline std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

/// A fresh folder under /tmp, "" when none could be made.
inline std::string makeTempFolder(const char* name) {
    std::string pattern = std::string("/tmp/") + name + "-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

/// cmake --install of this build into prefix; true when it worked.
inline bool installInto(const std::string& prefix) {
    return run(shellQuoted(CMAKE_COMMAND) + " --install " + shellQuoted(DELVO_BINARY_DIR) + " --prefix " + shellQuoted(prefix))
               .status == 0;
}

/// True in a build instrumented by sanitizers: nobody ships its package, so it is not made.
#ifdef DELVO_INSTRUMENTED_BUILD
constexpr bool kInstrumentedBuild = true;
#else
constexpr bool kInstrumentedBuild = false;
#endif

/// The Debian package of this build, made by cpack in folder; its path, or "" (then *why says why).
inline std::string makeDebianPackage(const std::string& folder, std::string* why) {
    const Run made = run(shellQuoted(CPACK_COMMAND) + " -G DEB --config " + shellQuoted(std::string(DELVO_BINARY_DIR) +
                         "/CPackConfig.cmake") + " -B " + shellQuoted(folder));
    const Run found = run("ls " + shellQuoted(folder) + "/delvocalculator_*.deb");
    if (made.status != 0 || found.status != 0) {
        *why = made.output;
        return {};
    }
    return found.output.substr(0, found.output.find('\n'));
}

}  // namespace package_test
