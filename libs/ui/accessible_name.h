// SPDX-License-Identifier: MIT
// Names and descriptions that assistive technologies (screen readers) announce for a control, where the
// toolkit cannot take them from a visible label. One implementation per platform.
#pragma once

class wxString;
class wxWindow;

/// The name a screen reader announces when the control gets the keyboard focus.
void setAccessibleName(wxWindow& control, const wxString& name);
/// A longer text read after the name on request (for example the ranges a plot shows).
void setAccessibleDescription(wxWindow& control, const wxString& description);
