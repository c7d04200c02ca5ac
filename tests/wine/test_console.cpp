// SPDX-License-Identifier: MIT
// tallyx.exe started from a command prompt's console, as cmd starts a window program: the program gets no
// console of its own, attaches to the prompt's, prints there, and presses Enter there at the end so that the
// prompt comes back. This test is the prompt: it owns a console (run under a terminal), starts tallyx.exe
// detached, then reads the console's screen and its waiting input.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr DWORD kLongestRunMs = 30000;

HANDLE openConsole(const wchar_t* name) {
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

/// What a run left in the console: the screen's text (rows joined by "\n", trailing blanks dropped), the Enter
/// key presses waiting in its input, and the output code page after the run.
struct ConsoleRun {
    DWORD status = static_cast<DWORD>(-1);
    std::wstring screen;
    int enterPresses = 0;
    UINT codePage = 0;
};

/// Runs tallyx.exe with the arguments (already quoted) in folder, on a cleared console. Detached: the
/// program finds no console of its own, as a window program started by cmd; inherited: wine's way, the
/// program already has the prompt's console but no standard output.
ConsoleRun runInConsole(const std::wstring& arguments, const std::filesystem::path& folder, bool detached) {
    const HANDLE screen = openConsole(L"CONOUT$");
    const HANDLE input = openConsole(L"CONIN$");
    ConsoleRun run;
    if (screen == INVALID_HANDLE_VALUE || input == INVALID_HANDLE_VALUE) return run;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen, &info);
    DWORD written = 0;
    FillConsoleOutputCharacterW(screen, L' ', static_cast<DWORD>(info.dwSize.X) * info.dwSize.Y, {0, 0}, &written);
    SetConsoleCursorPosition(screen, {0, 0});
    FlushConsoleInputBuffer(input);
    const UINT promptCodePage = GetConsoleOutputCP();

    const std::wstring program = std::filesystem::path(TALLYX_EXE).wstring();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no standard handles at all
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableW(L"LOCALAPPDATA", folder.wstring().c_str());
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, detached ? DETACHED_PROCESS : 0,
                        nullptr, folder.wstring().c_str(), &startup, &process))
        return run;
    if (WaitForSingleObject(process.hProcess, kLongestRunMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 9);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    GetConsoleScreenBufferInfo(screen, &info);
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
        std::wstring line(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, line.data(), static_cast<DWORD>(line.size()), {0, row}, &read);
        line.resize(read);
        line.erase(line.find_last_not_of(L' ') + 1);
        run.screen += line + L"\n";
    }
    DWORD events = 0;
    GetNumberOfConsoleInputEvents(input, &events);
    std::vector<INPUT_RECORD> records(events + 1);
    DWORD peeked = 0;
    if (events > 0) PeekConsoleInputW(input, records.data(), events, &peeked);
    for (DWORD i = 0; i < peeked; ++i)
        if (records[i].EventType == KEY_EVENT && records[i].Event.KeyEvent.bKeyDown &&
            records[i].Event.KeyEvent.wVirtualKeyCode == VK_RETURN)
            ++run.enterPresses;
    FlushConsoleInputBuffer(input);
    run.codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(promptCodePage);
    CloseHandle(screen);
    CloseHandle(input);
    return run;
}

std::filesystem::path freshFolder(const wchar_t* name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

// The prompt's console shows what the program printed, gets one Enter press only when the program attached
// to it, and has its code page back.
TEST(ConsoleAttach, PrintsInThePromptsConsoleAndGivesThePromptBack) {
    const std::filesystem::path folder = freshFolder(L"delvo-console-Zo\u00eb");
    const UINT promptCodePage = GetConsoleOutputCP();
    struct Row {
        std::wstring arguments;
        bool detached;
        std::wstring shown;  // a piece of the screen
        int enterPresses;
        DWORD status;
    };
    const Row rows[] = {
        {L"-h", true, L"Usage: tallyx -run infile [-out outfile] [-show]", 1, 0},
        {L"-run \"1+2;x=3;x*2\"", true, L"\n6\n", 1, 0},
        {L"-run \"1+2;nothing*2\"", true, L"tallyx: argument: nothing*2: invalid expression", 1, 1},
        {L"-run Zo\u00eb", true, L"tallyx: argument: Zo\u00eb: invalid expression", 1, 1},
        {L"-h", false, L"Usage: tallyx -run infile [-out outfile] [-show]", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "detached " << row.detached << ", row " << (&row - rows));
        const ConsoleRun run = runInConsole(row.arguments, folder, row.detached);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.screen.find(row.shown), std::wstring::npos) << std::string(run.screen.begin(), run.screen.end());
        EXPECT_EQ(run.enterPresses, row.enterPresses);
        EXPECT_EQ(run.codePage, promptCodePage);
    }
}

// With -out, the results go to the file and the console shows nothing but still gets its prompt back.
TEST(ConsoleAttach, OutputFileLeavesTheConsoleEmpty) {
    const std::filesystem::path folder = freshFolder(L"delvo-console-out");
    const ConsoleRun run = runInConsole(L"-run \"1+2;x=3;x*2\" -out res.txt", folder, true);
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.screen.find_first_not_of(L'\n'), std::wstring::npos);
    EXPECT_EQ(run.enterPresses, 1);
    std::ifstream file(folder / "res.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("6\0", 2));
}

// Started from the Start menu: no console anywhere. Nothing is printed, and the output file is still written.
TEST(ConsoleAttach, WithoutAnyConsoleTheOutputFileIsStillWritten) {
    const std::filesystem::path folder = freshFolder(L"delvo-console-none");
    const std::wstring program = std::filesystem::path(TALLYX_EXE).wstring();
    std::wstring commandLine = L"\"" + program + L"\" -run \"2*21\" -out res.txt";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    FreeConsole();
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                               nullptr, folder.wstring().c_str(), &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, kLongestRunMs), WAIT_OBJECT_0);
    DWORD status = 9;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(status, 0u);
    std::ifstream file(folder / "res.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("4\0" "2\0", 4));
}
