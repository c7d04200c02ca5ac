// SPDX-License-Identifier: MIT
// What the main window asks of the application that made it.
#pragma once

#include <string>

class Appearance;

/// The application as the main window sees it: the look it draws in, where help is, and the settings it saves.
class ConsoleHost {
public:
    virtual ~ConsoleHost() = default;

    /// The console's font, colours and highlighting, shared with the colours dialog and the settings file.
    virtual Appearance& appearance() = 0;
    /// The help document's path.
    virtual std::wstring helpPath() const = 0;
    /// Writes the settings file (the window's shutdown); false when it could not be written.
    virtual bool saveSettings() = 0;
};
