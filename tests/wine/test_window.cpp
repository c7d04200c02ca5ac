// SPDX-License-Identifier: MIT
// The Windows program's window, driven as a user would under wine and Xvfb: tallyx.exe, installed as
// "<folder>\bin\" with its manual in "<folder>\doc\", starts; a typed line gets its reply; "help" and F1 hand
// the manual to explorer.exe; each reply of a local update server ends in its box; a plot window opens; and
// closing the window leaves the settings file in the user's data folder and nothing new in the installation.
// With DELVO_SCREENSHOTS set to a folder, the screen is saved there as BMP with the main window, a plot window
// and a tool dialog open.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/local_http_server.h"

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

/// The window (with its frame) as a 24-bit BMP file in DELVO_SCREENSHOTS, when that is set.
void screenshot(const char* name, HWND window) {
    const char* folder = std::getenv("DELVO_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0' || window == nullptr) return;
    SetForegroundWindow(window);
    Sleep(500);
    RECT frame{};
    GetWindowRect(window, &frame);
    const int left = std::max(0L, frame.left), top = std::max(0L, frame.top);
    const int width = std::min(static_cast<int>(frame.right), GetSystemMetrics(SM_CXSCREEN)) - left;
    const int height = std::min(static_cast<int>(frame.bottom), GetSystemMetrics(SM_CYSCREEN)) - top;
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
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

/// The lines the document opener (DELVO_OPENED_LOG, written by wine's stand-in for the desktop's opener)
/// holds once it has at least count of them, or after the wait.
std::vector<std::string> openedDocuments(size_t count) {
    std::vector<std::string> lines;
    for (int waited = 0; waited < 100 && lines.size() < count; ++waited) {
        Sleep(100);
        lines.clear();
        std::ifstream log(std::string("Z:") + DELVO_OPENED_LOG);
        for (std::string line; std::getline(log, line);) lines.push_back(line);
    }
    return lines;
}

/// Every file under the folder, by path.
std::vector<std::filesystem::path> filesUnder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

/// The texts of the window and of every control in it, one per line.
std::wstring windowTexts(HWND window) {
    std::wstring texts;
    const auto add = [](HWND control, LPARAM data) -> BOOL {
        wchar_t text[1024] = {};
        GetWindowTextW(control, text, 1024);
        *reinterpret_cast<std::wstring*>(data) += std::wstring(text) + L"\n";
        return TRUE;
    };
    add(window, reinterpret_cast<LPARAM>(&texts));
    EnumChildWindows(window, add, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

/// Help > Check for Update, as the menu sends it; the texts of the box that shows the outcome (the message box
/// "Quarn", or the About box of a new version), which is then closed.
std::wstring checkForUpdate(HWND main, DWORD process) {
    constexpr WPARAM kCheckForUpdate = 6900;
    PostMessageW(main, WM_COMMAND, kCheckForUpdate, 0);
    HWND box = nullptr;
    for (int waited = 0; waited < 100 && box == nullptr; ++waited) {
        box = waitForWindow(process, L"Quarn", 50);
        if (box == nullptr) box = waitForWindow(process, L"About", 50);
    }
    if (box == nullptr) return L"(no box)";
    const std::wstring texts = windowTexts(box);
    PostMessageW(box, WM_CLOSE, 0, 0);
    for (int waited = 0; waited < 50 && IsWindow(box) && IsWindowVisible(box); ++waited) Sleep(100);
    return texts;
}

std::wstring tempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"delvo_window_" + std::to_wstring(GetCurrentProcessId());
    std::filesystem::remove_all(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(WindowsWindow, TypedLineRepliesAndClosingSavesTheSettings) {
    const std::wstring userData = tempFolder();
    SetEnvironmentVariableW(L"LOCALAPPDATA", userData.c_str());
    // The installation: the program and its window module in bin, the manual in doc, under a name that is not
    // ASCII.
    namespace fs = std::filesystem;
    const fs::path install = fs::path(userData) / L"Programme Zo\u00eb";
    const fs::path built = fs::path(std::wstring(TALLYX_EXE, TALLYX_EXE + std::strlen(TALLYX_EXE)));
    fs::create_directories(install / "bin");
    fs::create_directories(install / "doc");
    fs::copy_file(built, install / "bin" / "tallyx.exe");
    fs::copy_file(built.parent_path() / "tallyx_window.dll", install / "bin" / "tallyx_window.dll");
    std::ofstream(install / "doc" / "tallyx.pdf") << "%PDF-1.4\n";
    const std::vector<fs::path> installed = filesUnder(install);
    // Wine gives the documents that explorer.exe opens to the desktop's opener, the first of its "Browsers".
    const std::wstring opener(DELVO_RECORD_OPENED, DELVO_RECORD_OPENED + std::strlen(DELVO_RECORD_OPENED));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ, opener.c_str(),
                              static_cast<DWORD>((opener.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    fs::remove(std::string("Z:") + DELVO_OPENED_LOG);

    LocalHttpServer server(LocalHttpServer::ok("1619900798"));
    SetEnvironmentVariableW(L"TALLYX_UPDATE_HOST", (L"127.0.0.1:" + std::to_wstring(server.port())).c_str());

    const std::wstring program = (install / "bin" / "tallyx.exe").wstring();
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
    // The "help" command, then F1: the installed manual, each time.
    typeLine(L"help");
    EXPECT_EQ(openedDocuments(1).size(), 1u);
    SetForegroundWindow(main);
    Sleep(300);
    pressKey(VK_F1, true);
    pressKey(VK_F1, false);
    const std::vector<std::string> opened = openedDocuments(2);
    ASSERT_EQ(opened.size(), 2u);
    for (const std::string& document : opened) {
        EXPECT_EQ(document.rfind("file://", 0), 0u) << document;
        EXPECT_NE(document.find("/Programme%20Zo%C3%AB/doc/tallyx.pdf"), std::string::npos) << document;
    }
    // The update check through WinHTTP, against a local server, and the box each reply leads to.
    struct UpdateRow {
        const char* body;
        const wchar_t* shown;
    };
    const UpdateRow updates[] = {
        {"1619900798", L"The Quarn software is up-to-date."},
        {"12345\r\n", L"Unable to check for update."},
        {"1700000000 word", L"2023-11-14"},
    };
    for (const UpdateRow& row : updates) {
        SCOPED_TRACE(row.body);
        server.setReply(LocalHttpServer::ok(row.body));
        const std::wstring texts = checkForUpdate(main, process.dwProcessId);
        EXPECT_NE(texts.find(row.shown), std::wstring::npos) << std::string(texts.begin(), texts.end());
    }
    SetForegroundWindow(main);
    Sleep(300);

    typeLine(L"plot(sin(x))");
    const HWND plot = waitForWindow(process.dwProcessId, L"Plot", 10000);
    EXPECT_NE(plot, nullptr) << "no plot window";
    Sleep(1000);
    screenshot("windows_plot", plot);
    SetForegroundWindow(main);
    Sleep(300);
    pressKey(VK_F9, true);
    pressKey(VK_F9, false);
    Sleep(1500);
    screenshot("windows_variables", waitForWindow(process.dwProcessId, L"Variables", 5000));
    SetForegroundWindow(main);
    Sleep(300);
    screenshot("windows_main", main);

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
    EXPECT_NE(bytes.str().find("\r\n   Expr01=1+2\r\n   Expr02=help\r\n   Expr03=plot(sin(x))\r\n"), std::string::npos)
        << bytes.str();
    // The console's face on a system newer than major version 5.
    EXPECT_NE(bytes.str().find("Name=Consolas\r\n"), std::string::npos) << bytes.str();
    // The program writes nothing into its installation, so a folder the user cannot write to serves as well.
    EXPECT_EQ(filesUnder(install), installed);
}
