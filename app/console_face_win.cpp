// SPDX-License-Identifier: MIT
// The console's face on Windows, by the system's major version (read from ntdll: it never hides the version
// from programs, as GetVersionEx does).
#include "app/console_face.h"

#include <windows.h>

namespace {

/// Windows XP and Server 2003: the systems without Consolas.
constexpr DWORD kMajorVersionWithoutConsolas = 5;

DWORD majorVersion() {
    using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto getVersion = ntdll ? reinterpret_cast<GetVersionFunction>(
                                  reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return getVersion && getVersion(&info) == 0 ? info.dwMajorVersion : 0;
}

}  // namespace

std::wstring defaultConsoleFace() {
    return majorVersion() == kMajorVersionWithoutConsolas ? L"Courier New" : L"Consolas";
}
