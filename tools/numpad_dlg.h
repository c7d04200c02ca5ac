// SPDX-License-Identifier: MIT
// The numeric keypad: twenty buttons and nine function templates that type into the console's input line.
#pragma once

#include <wx/dialog.h>

class ConsoleEdit;
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

/// Edits the console and asks it to run its line; never evaluates by itself. While the keypad is the
/// active window the console keeps drawing its caret.
class NumpadDlg : public wxDialog {
public:
    /// The resizable border is removed from style.
    NumpadDlg(wxWindow* parent, wxWindowID id = 7400, const wxString& title = wxS("NumKeypad"),
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// The console that receives the keys (not owned); set by the main window before the keypad is shown.
    void SetConsole(ConsoleEdit* target) { console = target; }
    /// Replaces the console's selection on the input line by text (moving to the end of the console first
    /// when the selection is elsewhere); a non-zero offset then places the caret relative to it.
    void InsertText(const wxString& text, int caretOffset);
    /// "C": deletes left of the caret, never across the input line's start.
    void OnErase(wxCommandEvent& event);
    /// "=": runs the console's line as Enter does.
    void OnExecute(wxCommandEvent& event);

private:
    void CreateControls();
    bool selectionAcceptable() const;
    void OnKey(wxCommandEvent& event);
    void OnFunctionSelected(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnClose(wxCloseEvent& event);

    ConsoleEdit* console = nullptr;
    wxComboBox* functionList = nullptr;

    wxDECLARE_EVENT_TABLE();
};
