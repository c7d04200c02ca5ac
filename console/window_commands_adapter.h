// SPDX-License-Identifier: MIT
// The interpreter's cls, help, save and exit (engine/window_commands.h) forwarded to the main window.
#pragma once

#include "engine/window_commands.h"

class ConsoleWindow;

/// Owned by the main window; DelvoApp installs it in the interpreter while the window lives.
class WindowCommandsAdapter : public WindowCommands {
public:
    explicit WindowCommandsAdapter(ConsoleWindow& window) : m_window(window) {}
    void clearConsole() override;
    void showHelp() override;
    void saveConsole() override;
    void shutDown() override;

private:
    ConsoleWindow& m_window;
};
