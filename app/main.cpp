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

/// The window module beside the executable, or one the dynamic linker finds. Loaded globally: window
/// code looks toolkit functions up at run time (dlsym with RTLD_DEFAULT). Bound lazily, as linked programs
/// are: binding every toolkit function up front would cost the start-up time for functions never called.
int runWindowModule(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    void* module = nullptr;
    if (!error) module = dlopen((self.parent_path() / TALLYX_WINDOW_MODULE).c_str(), RTLD_LAZY | RTLD_GLOBAL);
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
