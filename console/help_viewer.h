// SPDX-License-Identifier: MIT
// Showing the manual: the document goes to the desktop's own viewer. One implementation per platform.
#pragma once

#include <string>

/// Starts the viewer for the document and returns without waiting; false when no viewer could be started.
bool showDocument(const std::wstring& path);
