// SPDX-License-Identifier: MIT
// Windows: wxWidgets 3.2.9 and later register the styled-text control as a Scintilla window, which screen
// readers read directly; nothing to add.
#include "console/accessibility.h"

void publishConsoleText(wxStyledTextCtrl&, const wxString&) {}
