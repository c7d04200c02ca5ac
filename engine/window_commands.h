// SPDX-License-Identifier: MIT
// The main-window operations that interpreter commands call.
#pragma once

/// Narrow interface to the main window; the interpreter holds none in batch mode.
class WindowCommands {
public:
    virtual ~WindowCommands() = default;
    /// "cls", "clear": the console's ClearConsole.
    virtual void clearConsole() = 0;
    /// "help": opens the help document.
    virtual void showHelp() = 0;
    /// "save": saves the console's text.
    virtual void saveConsole() = 0;
    /// "exit", "quit": settings saved, dialogs and plots closed, window destroyed (delayed).
    virtual void shutDown() = 0;
};
