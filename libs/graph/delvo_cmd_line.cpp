// SPDX-License-Identifier: MIT
#include "libs/graph/delvo_cmd_line.h"

#include <algorithm>

DelvoCmdLine::DelvoCmdLine(int count, const char* const* args) {
    argc = std::clamp(count, 0, kMaxArgs);
    for (int i = 0; i < argc; ++i) {
        std::wstring arg = args[i] ? wideFromUtf8(args[i]) : std::wstring();
        if (arg.size() > kMaxLength) arg.resize(kMaxLength);
        argv[i] = std::move(arg);
    }
}
