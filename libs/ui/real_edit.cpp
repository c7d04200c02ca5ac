// SPDX-License-Identifier: MIT
// RealEdit: a text control for one real number.
#include "libs/ui/real_edit.h"

#include <cmath>
#include <cstdlib>

#include <wx/valtext.h>

namespace {

// Characters of a decimal real number: digits, sign, decimal point, exponent.
const wxChar kRealChars[] = wxS("0123456789+-.eE ");

// Reads a number with a full stop as decimal separator, whatever the process locale.
bool readReal(const wxString& text, double* value) {
    wxString trimmed = text;
    trimmed.Trim(true).Trim(false);
    if (trimmed.empty()) return false;
    double parsed = 0;
    if (!trimmed.ToCDouble(&parsed)) return false;
    if (value) *value = parsed;
    return true;
}

}  // namespace

RealEdit::RealEdit(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos, const wxSize& size,
                   long style, const wxValidator& validator, const wxString& name)
    : wxTextCtrl(parent, id, value, pos, size, style, validator, name) {
    // Without a validator of the caller's own, only the characters of a number can be typed.
    if (!GetValidator()) {
        wxTextValidator filter(wxFILTER_INCLUDE_CHAR_LIST);
        filter.SetCharIncludes(kRealChars);
        SetValidator(filter);
    }
}

double RealEdit::GetValueReal() const {
    double value = 0;
    return readReal(GetValue(), &value) ? value : 0.0;
}

bool RealEdit::IsValueReal() const { return readReal(GetValue(), nullptr); }

void RealEdit::SetValueReal(double value) {
    // The shortest of 15..17 significant digits that reads back to the same double.
    wxString text;
    for (int digits = 15; digits <= 17; ++digits) {
        text = wxString::Format(wxS("%.*g"), digits, value);
        text.Replace(wxS(","), wxS("."));
        double back = 0;
        if (text.ToCDouble(&back) && back == value) break;
    }
    ChangeValue(text);
}
