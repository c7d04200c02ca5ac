// SPDX-License-Identifier: MIT
// The console's text for assistive technologies (screen readers), one implementation per platform.
#pragma once

class wxStyledTextCtrl;
class wxString;

/// Publishes the control's whole text as a multi-line text area of that name: characters, words and lines,
/// the caret and the selection, and every insertion, deletion and caret move as it happens, so a screen
/// reader speaks each reply as it arrives. Called once, right after the control is created.
void publishConsoleText(wxStyledTextCtrl& console, const wxString& name);
