// SPDX-License-Identifier: MIT
// The entry of the window module (libtallyx_window.so), looked up by name by tallyx's main().
#pragma once

/// Name of the module file, beside the tallyx executable or, installed, in TALLYX_MODULE_DIR next to it.
#define TALLYX_WINDOW_MODULE "libtallyx_window.so"
/// Name of the entry point in the module.
#define TALLYX_WINDOW_ENTRY "tallyx_window_main"

/// Runs DelvoApp's whole start-up (batch mode with "-show" included) and the window; the process status.
extern "C" int tallyx_window_main(int argc, char** argv);
