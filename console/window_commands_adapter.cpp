// SPDX-License-Identifier: MIT
#include "console/window_commands_adapter.h"

#include "console/console_window.h"

void WindowCommandsAdapter::clearConsole() { m_window.ClearConsole(); }
void WindowCommandsAdapter::showHelp() { m_window.ShowHelp(); }
void WindowCommandsAdapter::saveConsole() { m_window.SaveConsole(); }
void WindowCommandsAdapter::shutDown() { m_window.ShutDown(); }
