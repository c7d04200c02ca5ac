// SPDX-License-Identifier: MIT
// A text control for one real number.
#pragma once

#include <wx/textctrl.h>

/// Constructed like wxTextCtrl; only characters of a real number can be typed.
class RealEdit : public wxTextCtrl {
public:
    RealEdit() = default;
    RealEdit(wxWindow* parent, wxWindowID id, const wxString& value = wxString(),
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
             const wxValidator& validator = wxDefaultValidator, const wxString& name = wxTextCtrlNameStr);

    /// The value read with a full stop as decimal separator; 0 when the text is not a number.
    double GetValueReal() const;
    /// Writes the value in the shortest form that reads back the same ("%.15g" or more digits).
    void SetValueReal(double value);
    /// Whether the whole text is a number (leading and trailing blanks allowed).
    bool IsValueReal() const;
};
