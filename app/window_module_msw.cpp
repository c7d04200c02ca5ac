// SPDX-License-Identifier: MIT
// The window module as a Windows DLL: the toolkit registers its window classes and finds its own resources
// (cursors, standard icons) through the module it lives in, which is this DLL, not tallyx.exe.
#include <wx/app.h>
#include <wx/msw/private.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        wxSetInstance(instance);
    }
    return TRUE;
}
