// SPDX-License-Identifier: MIT
// Windows: the desktop is no connection that can break under a running program; nothing to watch.
#include "app/display_loss.h"

void whenDisplayLost(std::function<void()>) {}
