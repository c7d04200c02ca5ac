// SPDX-License-Identifier: MIT
// The console's face on POSIX: the console substitutes an installed fixed-pitch face when Consolas is missing.
#include "app/console_face.h"

std::wstring defaultConsoleFace() { return L"Consolas"; }
