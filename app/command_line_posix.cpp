// SPDX-License-Identifier: MIT
#include "app/command_line.h"

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
    return arguments;
}
