// SPDX-License-Identifier: MIT
#include "app/delvo_cmd_line.h"

#include <algorithm>

DelvoCmdLine::DelvoCmdLine(int count, const char* const* args) {
    given = std::max(count, 0);
    argc = std::min(given, kMaxArgs);
    for (int i = 0; i < argc; ++i) {
        whole[i] = wideFromUtf8(args[i]);
        argv[i] = whole[i].substr(0, kMaxLength);
    }
}
