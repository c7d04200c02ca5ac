// SPDX-License-Identifier: MIT
// What the process does when the connection to the display breaks under the running window (the display server
// ended or was killed). One implementation per platform.
#pragma once

#include <functional>

/// From now on a broken display connection runs lastWords, which must not use the display (it is gone), and
/// then ends the process with status 1 instead of the toolkit's own abrupt end.
void whenDisplayLost(std::function<void()> lastWords);
