// SPDX-License-Identifier: MIT
// Entry point. Usage and batch mode run here without the toolkit: no display needed, and no GUI library
// loaded (start-up in milliseconds). A window (normal start, "-show") loads the window module.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/batch_mode.h"
#include "app/window_module.h"
#include "engine/interpreter.h"
#include "libs/math/lm_console.h"

namespace {

using WindowMain = int (*)(int, char**);

/// The window module beside the executable (build tree), in the installation's module folder next to it, or
/// one the dynamic linker finds. Both folders are found from the executable's own path: the run path alone
/// is not enough, since the linker consults it only when the executable itself calls dlopen, not a library
/// that wraps dlopen (the address sanitizer does). Loaded globally: window code looks toolkit functions up at
/// run time (dlsym with RTLD_DEFAULT). Bound lazily, as linked programs are: binding every toolkit function
/// up front would cost the start-up time for functions never called.
int runWindowModule(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    void* module = nullptr;
    if (!error) {
        const std::filesystem::path folder = self.parent_path();
        for (const std::filesystem::path& path :
             {folder / TALLYX_WINDOW_MODULE, folder / TALLYX_MODULE_DIR / TALLYX_WINDOW_MODULE}) {
            if (!module) module = dlopen(path.c_str(), RTLD_LAZY | RTLD_GLOBAL);
        }
    }
    if (!module) module = dlopen(TALLYX_WINDOW_MODULE, RTLD_LAZY | RTLD_GLOBAL);
    auto entry = module ? reinterpret_cast<WindowMain>(dlsym(module, TALLYX_WINDOW_ENTRY)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "DelvoCalculator: cannot load the window module %s (%s)\n", TALLYX_WINDOW_MODULE,
                     dlerror());
        std::fputs("Batch mode works without it: tallyx -h\n", stderr);
        return 1;
    }
    return entry(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const DelvoCmdLine args(argc, argv);
    const StartMode mode = chooseStartMode(args);
    if (mode == StartMode::Batch) {
        const std::string problem = batchUsageError(args);
        if (!problem.empty()) {
            std::fputs(problem.c_str(), stderr);
            return 1;
        }
    }
    if (mode == StartMode::Usage) {
        printUsage();
        return 0;
    }
    if (mode == StartMode::Batch && !batchShowsWindow(args)) {
        Interpreter interpreter;
        std::FILE* outStream = nullptr;
        std::FILE* errStream = nullptr;
        const BatchResult result = runBatch(args, interpreter, &outStream, &errStream);
        win32SendEnterKey();
        return result.lastSucceeded ? 0 : 1;
    }
    return runWindowModule(argc, argv);
}
