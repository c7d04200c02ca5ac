// SPDX-License-Identifier: MIT
// The Windows program's window, driven as a user would under wine and Xvfb: tallyx.exe starts, a typed line
// gets its reply, a plot window opens, and closing the window leaves the settings file in the user's data
// folder. With
// DELVO_SCREENSHOTS set to a folder, the screen is saved there as BMP with the main window, a plot window and
// a tool dialog open.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kWindowWaitMs = 120000;  // a fresh wine prefix is made on the first start

struct Found {
    DWORD process;
    const wchar_t* title;
    HWND window;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (process != found->process || !IsWindowVisible(window) || std::wcsstr(title, found->title) == nullptr)
        return TRUE;
    found->window = window;
    return FALSE;
}

/// The visible top-level window of the process whose title contains title; null after the wait.
HWND waitForWindow(DWORD process, const wchar_t* title, DWORD waitMs = kWindowWaitMs) {
    for (DWORD waited = 0; waited < waitMs; waited += 100) {
        Found found{process, title, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        Sleep(100);
    }
    return nullptr;
}

void pressKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

/// Types the text as the keyboard would, then Enter.
void typeLine(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof input[0]);
        Sleep(20);
    }
    pressKey(VK_RETURN, true);
    pressKey(VK_RETURN, false);
    Sleep(500);
}

void pressWithControl(WORD key) {
    pressKey(VK_CONTROL, true);
    pressKey(key, true);
    pressKey(key, false);
    pressKey(VK_CONTROL, false);
    Sleep(300);
}

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

/// The whole screen as a 24-bit BMP file in DELVO_SCREENSHOTS, when that is set.
void screenshot(const char* name) {
    const char* folder = std::getenv("DELVO_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0') return;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4, imageBytes = rowBytes * height;
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, headers + imageBytes, 0, 0, headers};
    std::ofstream out(std::string(folder) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

std::wstring tempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"delvo_window_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(WindowsWindow, TypedLineRepliesAndClosingSavesTheSettings) {
    const std::wstring userData = tempFolder();
    SetEnvironmentVariableW(L"LOCALAPPDATA", userData.c_str());
    std::wstring program = std::wstring(TALLYX_EXE, TALLYX_EXE + std::strlen(TALLYX_EXE));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    const HWND main = waitForWindow(process.dwProcessId, L"DelvoCalculator");
    ASSERT_NE(main, nullptr) << "no main window";
    SetForegroundWindow(main);
    Sleep(1000);

    typeLine(L"1+2");
    typeLine(L"plot(sin(x))");
    const HWND plot = waitForWindow(process.dwProcessId, L"Plot", 10000);
    EXPECT_NE(plot, nullptr) << "no plot window";
    Sleep(1000);
    screenshot("windows_plot");
    SetForegroundWindow(main);
    Sleep(300);
    pressKey(VK_F9, true);
    pressKey(VK_F9, false);
    Sleep(1500);
    screenshot("windows_variables");
    SetForegroundWindow(main);
    Sleep(300);
    screenshot("windows_main");

    pressWithControl('A');
    pressWithControl('C');
    const std::wstring console = clipboardText();
    EXPECT_NE(console.find(L"1+2"), std::wstring::npos);
    EXPECT_NE(console.find(L"\n3"), std::wstring::npos) << "console: " << std::string(console.begin(), console.end());

    // The close box: the window shuts down as for "exit" and writes the settings.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0) << "the window did not close";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream settings(std::filesystem::path(userData + L"\\Quarn\\config\\tallyx.quarnr"), std::ios::binary);
    std::stringstream bytes;
    bytes << settings.rdbuf();
    EXPECT_NE(bytes.str().find("\r\n   Expr01=1+2\r\n   Expr02=plot(sin(x))\r\n"), std::string::npos) << bytes.str();
}
