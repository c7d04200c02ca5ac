// SPDX-License-Identifier: MIT
#include "tests/tallyx_process.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace {

/// A run still going after this long has opened its window (Windows always has a display): it is ended.
constexpr DWORD kLongestRunMs = 20000;

/// One argument quoted the way CommandLineToArgvW splits it back.
std::wstring quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

}  // namespace

ProcessRun runTallyx(const std::vector<std::string>& args, const std::filesystem::path& workDir) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::wstring program = std::filesystem::path(TALLYX_PATH).wstring();
    std::wstring commandLine = quoted(program);
    for (const std::string& argument : args) commandLine += L" " + quoted(wide(argument));
    // The user's data folder of the run; no window can be shown (the X display of wine is taken away).
    SetEnvironmentVariableW(L"LOCALAPPDATA", workDir.wstring().c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    const std::filesystem::path errPath = workDir / ".stderr";
    HANDLE errFile = CreateFileW(errPath.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        workDir.wstring().c_str(), &startup, &process);
    CloseHandle(writeEnd);
    if (errFile != INVALID_HANDLE_VALUE) CloseHandle(errFile);
    ProcessRun run;
    if (!started) {
        CloseHandle(readEnd);
        return run;
    }
    std::thread reader([&run, readEnd] {
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) run.out.append(buffer, n);
    });
    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, kLongestRunMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    else
        TerminateProcess(process.hProcess, status);
    WaitForSingleObject(process.hProcess, INFINITE);
    reader.join();
    CloseHandle(readEnd);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    run.status = static_cast<int>(status);
    std::ifstream err(errPath, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    err.close();
    // Wine may close an ended process's handles a moment after it reports the end: the file stays shared
    // until then.
    std::error_code error;
    for (int attempt = 0; attempt < 50 && !std::filesystem::remove(errPath, error) && error; ++attempt) Sleep(20);
    // A Windows program's text output ends its lines in CR LF.
    for (std::string* text : {&run.out, &run.err})
        for (size_t at = text->find("\r\n"); at != std::string::npos; at = text->find("\r\n", at)) text->erase(at, 1);
    return run;
}

long processId() { return static_cast<long>(GetCurrentProcessId()); }
