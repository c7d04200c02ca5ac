// SPDX-License-Identifier: MIT
// The interpreter's window commands forwarded to ConsoleWindow.
#include "console/window_commands_adapter.h"

#include "console/console_window.h"

void WindowCommandsAdapter::clearConsole() { m_window.ClearConsole(); }
void WindowCommandsAdapter::showHelp() { m_window.ShowHelp(); }
void WindowCommandsAdapter::saveConsole() { m_window.SaveConsole(); }
void WindowCommandsAdapter::shutDown() { m_window.ShutDown(); }
