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

/// The window module beside the executable (build tree), in the installation's module folder next to it, or
/// one the dynamic linker finds. Both folders are found from the executable's own path: the run path alone
/// is not enough, since the linker consults it only when the executable itself calls dlopen, not a library
/// that wraps dlopen (the address sanitizer does). Loaded globally: window code looks toolkit functions up at
/// run time (dlsym with RTLD_DEFAULT). Bound lazily, as linked programs are: binding every toolkit function
/// up front would cost the start-up time for functions never called. The module and the toolkit look symbols
/// up in their own libraries first, as in a program linked with them, rather than first in the executable's
/// few (which defines none of theirs), which saves the dynamic linker much of its work at start.
int runWindowModule(int argc, char** argv) {
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer refuses libraries with a lookup scope of their own.
    constexpr int kLoadFlags = RTLD_LAZY | RTLD_GLOBAL;
#else
    constexpr int kLoadFlags = RTLD_LAZY | RTLD_GLOBAL | RTLD_DEEPBIND;
#endif
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    void* module = nullptr;
    if (!error) {
        const std::filesystem::path folder = self.parent_path();
        for (const std::filesystem::path& path : {folder / kModuleName, folder / TALLYX_MODULE_DIR / kModuleName}) {
            if (!module) module = dlopen(path.c_str(), kLoadFlags);
        }
    }
    if (!module) module = dlopen(kModuleName, kLoadFlags);
    auto entry = module ? reinterpret_cast<WindowMain>(dlsym(module, TALLYX_WINDOW_ENTRY)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "DelvoCalculator: cannot load the window module %s (%s)\n", kModuleName, dlerror());
        std::fputs("Batch mode works without it: tallyx -h\n", stderr);
        return 1;
    }
    return entry(argc, argv);
}
