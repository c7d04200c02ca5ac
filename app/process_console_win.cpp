// SPDX-License-Identifier: MIT
// Text-console helpers on Windows. The program is a window program, so a command prompt that starts it does
// not wait and gives the program no console: tallyx attaches to the prompt's console to print there, and
// presses Enter in it at the end, because the prompt already came back while the program was running.
#include "app/process_console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cwchar>

namespace {

/// Bytes a console stream holds before it writes them.
constexpr size_t kConsoleBuffer = 4096;

/// The console the program prints to: attached from the prompt that started it (then Enter is pressed there at
/// the end), and its output code page before the program switched it to UTF-8.
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

/// Reopens the stream on the file or device, as _wfreopen does. A window program's streams may start with no
/// descriptor at all, and some C runtimes refuse to reopen such a stream: the file then takes the stream's usual
/// descriptor, and the stream is pointed at it.
bool reopenStream(const wchar_t* path, const wchar_t* mode, std::FILE* stream, int descriptor) {
    if (_wfreopen(path, mode, stream) != nullptr) return true;
    if (_fileno(stream) >= 0) return false;
    const int kind = std::wcschr(mode, L'b') != nullptr ? _O_BINARY : _O_TEXT;
    const int how = mode[0] == L'a' ? _O_APPEND : _O_TRUNC;
    const int opened = _wopen(path, _O_WRONLY | _O_CREAT | how | kind, _S_IREAD | _S_IWRITE);
    if (opened < 0) return false;
    if (opened != descriptor) {
        const bool moved = _dup2(opened, descriptor) == 0;
        _close(opened);
        if (!moved) return false;
    }
#if !defined(_UCRT)
    // The C runtime's FILE is open in this library (the universal runtime's is not, and reopens such streams).
    stream->_file = descriptor;
    return true;
#else
    return false;
#endif
}

/// Points the stream at the console's output, in binary: the UTF-8 bytes reach the console as they are and the
/// console decodes them (a text-mode stream would first pass them through the C runtime's locale).
/// Buffered, so that a character's bytes reach the console in one write (it cannot join a character's pieces
/// from separate writes); the program flushes at the end of each message.
void pointAtConsole(std::FILE* stream, int descriptor) {
    if (reopenStream(L"CONOUT$", L"wb", stream, descriptor)) std::setvbuf(stream, nullptr, _IOFBF, kConsoleBuffer);
}

}  // namespace

void win32EnableConsole() {
    AttachedConsole& console = attachedConsole();
    if (console.tried) return;
    console.tried = true;
    // "tallyx -h > usage.txt" or a pipe: the output already has its place.
    if (handleInUse(STD_OUTPUT_HANDLE)) return;
    // Looked at before attaching, which gives the process the console's handles.
    const bool errorHasPlace = handleInUse(STD_ERROR_HANDLE);
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        console.attached = true;
    } else if (GetLastError() != ERROR_ACCESS_DENIED) {
        // Started from the Start menu or Explorer: no prompt to print to, and nothing to do.
        return;
    }
    // Attached, or the process already has a console (wine gives one to a window program started from a
    // prompt) but no standard output: print there. Only an attached prompt came back early and needs Enter.
    pointAtConsole(stdout, 1);
    if (!errorHasPlace) pointAtConsole(stderr, 2);
    // The program prints UTF-8; the prompt gets its own code page back at the end.
    console.codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
}

void win32SendEnterKey() {
    std::fflush(stdout);
    std::fflush(stderr);
    AttachedConsole& console = attachedConsole();
    if (console.codePage != 0) SetConsoleOutputCP(console.codePage);
    console.codePage = 0;
    if (!console.attached) return;
    pressEnter();
    FreeConsole();
    console.attached = false;
}

bool lf_redirectConsole(const std::wstring& fileName) {
    if (fileName.empty()) return false;
    std::fflush(stdout);
    std::fflush(stderr);
    // freopen closes the stream when it fails: try the file first so that stdout survives a bad path.
    std::FILE* probe = _wfopen(fileName.c_str(), L"w");
    if (probe == nullptr) return false;
    std::fclose(probe);
    const bool out = reopenStream(fileName.c_str(), L"w", stdout, 1);
    const bool err = out && reopenStream(fileName.c_str(), L"a", stderr, 2);
    return out && err;
}
