// SPDX-License-Identifier: MIT
// The window module on Windows: tallyx_window.dll beside tallyx.exe, and only there (never from the search
// path, so no other folder can hand the program a DLL of that name).
#include "app/window_module.h"

#include <windows.h>

#include <string>

namespace {

constexpr const wchar_t* kModuleName = L"tallyx_window.dll";

using WindowMain = int (*)(int, char**);

std::wstring besideExecutable(const wchar_t* name) {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return {};
    path.resize(length);
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1) + name;
}

}  // namespace

int runWindowModule(int argc, char** argv) {
    const std::wstring path = besideExecutable(kModuleName);
    const HMODULE module =
        path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    void* found = module ? reinterpret_cast<void*>(GetProcAddress(module, TALLYX_WINDOW_ENTRY)) : nullptr;
    auto entry = reinterpret_cast<WindowMain>(found);
    if (!entry) {
        const std::wstring message = L"Cannot load the window module " + std::wstring(kModuleName) +
                                     L".\nBatch mode works without it: tallyx -h";
        MessageBoxW(nullptr, message.c_str(), L"DelvoCalculator", MB_OK | MB_ICONSTOP);
        return 1;
    }
    return entry(argc, argv);
}
