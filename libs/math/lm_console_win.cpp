// SPDX-License-Identifier: MIT
// Text-console helpers on Windows. The program is a window program, so a command prompt that starts it does
// not wait and gives the program no console: tallyx attaches to the prompt's console to print there, and
// presses Enter in it at the end, because the prompt already came back while the program was running.
#include "libs/math/lm_console.h"

#include <windows.h>

#include <io.h>

namespace {

/// The console this process attached to, and its output code page before the program switched it to UTF-8.
struct AttachedConsole {
    bool tried = false;
    bool attached = false;
    UINT codePage = 0;
};

AttachedConsole& attachedConsole() {
    static AttachedConsole console;
    return console;
}

/// True when the standard handle leads to a file, a pipe or a console the process already has.
bool handleInUse(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

/// One key press, down and up, as the console's input.
void pressEnter() {
    const HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (input == INVALID_HANDLE_VALUE) return;
    INPUT_RECORD keys[2] = {};
    for (int i = 0; i < 2; ++i) {
        keys[i].EventType = KEY_EVENT;
        keys[i].Event.KeyEvent.bKeyDown = i == 0;
        keys[i].Event.KeyEvent.wRepeatCount = 1;
        keys[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
        keys[i].Event.KeyEvent.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC));
        keys[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
    }
    DWORD written = 0;
    WriteConsoleInputW(input, keys, 2, &written);
    CloseHandle(input);
}

}  // namespace

void win32EnableConsole()
{
    AttachedConsole& console = attachedConsole();
    if (console.tried) return;
    console.tried = true;
    // "tallyx -h > usage.txt" or a pipe: the output already has its place.
    if (handleInUse(STD_OUTPUT_HANDLE)) return;
    // Started from the Start menu or Explorer: no prompt to print to, and nothing to do.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console.attached = true;
    _wfreopen(L"CONOUT$", L"w", stdout);
    if (!handleInUse(STD_ERROR_HANDLE)) _wfreopen(L"CONOUT$", L"w", stderr);
    // The program prints UTF-8; the prompt gets its own code page back at the end.
    console.codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
}

void win32SendEnterKey()
{
    std::fflush(stdout);
    std::fflush(stderr);
    AttachedConsole& console = attachedConsole();
    if (!console.attached) return;
    if (console.codePage != 0) SetConsoleOutputCP(console.codePage);
    pressEnter();
    FreeConsole();
    console.attached = false;
}

bool lf_redirectConsole(const std::wstring& fileName, std::FILE** outStream, std::FILE** errStream)
{
    if (fileName.empty()) return false;
    std::fflush(stdout);
    std::fflush(stderr);
    // freopen closes the stream when it fails: try the file first so that stdout survives a bad path.
    std::FILE* probe = _wfopen(fileName.c_str(), L"w");
    if (probe == nullptr) return false;
    std::fclose(probe);
    std::FILE* out = _wfreopen(fileName.c_str(), L"w", stdout);
    std::FILE* err = out != nullptr ? _wfreopen(fileName.c_str(), L"a", stderr) : nullptr;
    if (outStream != nullptr) *outStream = out;
    if (errStream != nullptr) *errStream = err;
    return out != nullptr && err != nullptr;
}
