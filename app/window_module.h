// SPDX-License-Identifier: MIT
// The window module (libtallyx_window.so, tallyx_window.dll beside tallyx.exe): its entry, looked up by name,
// and the loader in tallyx's main().
#pragma once

/// Name of the entry point in the module.
#define TALLYX_WINDOW_ENTRY "tallyx_window_main"

/// Runs DelvoApp's whole start-up (batch mode with "-show" included) and the window; the process status.
extern "C" int tallyx_window_main(int argc, char** argv);

/// Loads the window module beside the executable and runs its entry; 1 with a message when it cannot.
int runWindowModule(int argc, char** argv);
