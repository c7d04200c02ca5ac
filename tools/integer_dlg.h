// SPDX-License-Identifier: MIT
// The base converter: an unsigned 32-bit integer rewritten from one base into another while typing.
#pragma once

#include <cstdint>

#include <wx/colour.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "tools/edit_history.h"

class wxComboBox;

/// Control ids of the base converter (block 7900).
enum IntegerDlgId : int {
    ID_INTEGER_SOURCE_BASE = 7901,
    ID_INTEGER_TARGET_BASE = 7902,
    ID_INTEGER_INPUT = 7903,
    ID_INTEGER_RESULT = 7904,
};

/// The input field: accepts only the digits of its base, at most maxDigits of them when typed.
class IntegerBaseEdit : public wxTextCtrl {
public:
    IntegerBaseEdit(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos, const wxSize& size);

    /// Stores the base and applies its most digits as the maximum length (text already there stays).
    void SetBase(int newBase);
    std::uint64_t GetMaxDigits() const { return m_maxDigits; }

private:
    void applyMaxLength();
    void OnChar(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnText(wxCommandEvent& event);

    std::int32_t m_base = 2;
    std::uint64_t m_maxDigits = 32;

    EditHistory m_history;

    wxDECLARE_EVENT_TABLE();
};

/// Converts on every change of the text or of either base; a faulty input turns its field pink until the
/// next conversion. Closing hides it.
class IntegerDlg : public wxDialog {
public:
    static constexpr int kResultMax = 256;

    /// The resizable border is removed from style.
    IntegerDlg(wxWindow* parent, wxWindowID id = 7900, const wxString& title = wxS("Base Converter (uint 32-bit)"),
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// Recomputes the result; restores the input field's colour first.
    void Convert();
    /// Gives the input field the source list's base, then converts.
    void OnBaseChanged();

private:
    void CreateControls();
    void MarkError();
    void OnBaseSelected(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    IntegerBaseEdit* m_inputField = nullptr;
    wxComboBox* m_sourceList = nullptr;
    wxTextCtrl* m_resultField = nullptr;
    wxComboBox* m_targetList = nullptr;
    wxColour m_normalColour;
    wxColour m_errorColour;

    wxDECLARE_EVENT_TABLE();
};
