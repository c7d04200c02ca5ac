// SPDX-License-Identifier: MIT
// Whether a window can be shown at all, asked before the toolkit starts (it aborts without a display).
#pragma once

/// True when the toolkit can connect to a display.
bool displayAvailable();
