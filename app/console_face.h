// SPDX-License-Identifier: MIT
// The console's default font face, which depends on the system. GUI-free; one implementation per platform.
#pragma once

#include <string>

/// "Consolas"; "Courier New" on Windows of major version 5, which has no Consolas.
std::wstring defaultConsoleFace();
