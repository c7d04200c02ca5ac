// SPDX-License-Identifier: MIT
// The manual on the Linux desktop: the default application for PDF documents (xdg-open).
#include "console/help_viewer.h"

#include <wx/mimetype.h>
#include <wx/utils.h>

bool showDocument(const std::wstring& path) { return wxLaunchDefaultApplication(wxString(path)); }
