// SPDX-License-Identifier: MIT
// Windows: an interactive session always has a desktop; a session without one reports a screen of no size.
#include "app/display_probe.h"

#include <windows.h>

bool displayAvailable() { return GetSystemMetrics(SM_CXSCREEN) > 0; }
