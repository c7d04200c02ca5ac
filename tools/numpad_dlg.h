// SPDX-License-Identifier: MIT
// The numeric keypad: twenty buttons and nine function templates that type into an input line.
#pragma once

#include <wx/dialog.h>

class InputLine;
class wxActivateEvent;
class wxComboBox;

/// Control ids of the keypad (block 7400).
enum NumpadDlgId : int {
    ID_NUMPAD_EXECUTE = 7401,
    ID_NUMPAD_0 = 7402,  // "1" .. "9" follow as 7403 .. 7411
    ID_NUMPAD_DIVIDE = 7412,
    ID_NUMPAD_MULTIPLY = 7413,
    ID_NUMPAD_SUBTRACT = 7414,
    ID_NUMPAD_ADD = 7415,
    ID_NUMPAD_POINT = 7416,
    ID_NUMPAD_EXPONENT = 7417,
    ID_NUMPAD_OPEN = 7418,
    ID_NUMPAD_CLOSE = 7419,
    ID_NUMPAD_ERASE = 7420,
    ID_NUMPAD_FUNCTIONS = 7428,
};

/// Types into the input line it is handed and asks it to run; never evaluates by itself. While the keypad is
/// the active window the input line keeps drawing its caret.
class NumpadDlg : public wxDialog {
public:
    /// The resizable border is removed from style.
    NumpadDlg(wxWindow* parent, InputLine& input, wxWindowID id = 7400, const wxString& title = wxS("NumKeypad"),
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// "C": deletes left of the caret, never across the input line's start.
    void OnErase(wxCommandEvent& event);
    /// "=": runs the input line as Enter does.
    void OnExecute(wxCommandEvent& event);

private:
    void CreateControls();
    void OnKey(wxCommandEvent& event);
    void OnFunctionSelected(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnClose(wxCloseEvent& event);

    InputLine& m_input;
    wxComboBox* m_functionList = nullptr;

    wxDECLARE_EVENT_TABLE();
};
