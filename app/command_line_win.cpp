// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include "libs/file/lf_text.h"

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) {
        for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i] ? argv[i] : "");
        return arguments;
    }
    for (int i = 0; i < count; ++i) arguments.push_back(utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}
