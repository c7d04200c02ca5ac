// SPDX-License-Identifier: MIT
// The window module on POSIX: libtallyx_window.so beside the executable, or one the dynamic linker finds.
#include "app/window_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kModuleName = "libtallyx_window.so";

using WindowMain = int (*)(int, char**);

}  // namespace

/// Loaded globally: window code looks toolkit functions up at run time (dlsym with RTLD_DEFAULT).
int runWindowModule(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    void* module = nullptr;
    if (!error) module = dlopen((self.parent_path() / kModuleName).c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!module) module = dlopen(kModuleName, RTLD_NOW | RTLD_GLOBAL);
    auto entry = module ? reinterpret_cast<WindowMain>(dlsym(module, TALLYX_WINDOW_ENTRY)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "DelvoCalculator: cannot load the window module %s (%s)\n", kModuleName, dlerror());
        std::fputs("Batch mode works without it: tallyx -h\n", stderr);
        return 1;
    }
    return entry(argc, argv);
}
