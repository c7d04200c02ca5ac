// SPDX-License-Identifier: MIT
// The variable edit dialog: a name and a value written into one slot of the variable store.
#pragma once

#include <wx/dialog.h>

class Interpreter;
class wxTextCtrl;

/// Control ids of the variable edit dialog (block 7300) and its labels and button.
enum VarsetDlgId : int {
    ID_VARSET_LABEL = 15998,
    ID_VARSET_NAME = 7301,
    ID_VARSET_VALUE = 7302,
    ID_VARSET_OK = 15801,
};

/// Modal. "&OK" picks the slot the name belongs to, evaluates the value text and writes the store;
/// the dialog always ends with 0, and the caller looks at IsChanged().
class VarsetDlg : public wxDialog {
public:
    /// Longest name and value text: the fields refuse a 16th character.
    static constexpr int kTextMax = 15;

    /// The resizable border is removed from style.
    VarsetDlg(wxWindow* parent, Interpreter& interpreter, wxWindowID id = 7300, const wxString& title = wxS("Variable"),
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// The slot to write unless the name says otherwise, and the name and value to show.
    void SetVariable(int slot, const wxString& name, double value);
    /// Where Fill places the dialog, in screen coordinates.
    void SetPlacement(const wxPoint& position) { m_position = position; }
    /// Moves the dialog, shows the name and the value (caret after it, value field focused).
    void Fill();
    /// Runs "&OK": writes the store and ends the dialog, or shows a message and stays open.
    void Accept();
    /// True when "&OK" wrote to the store.
    bool IsChanged() const { return m_changed; }

    wxTextCtrl* GetNameField() const { return m_nameField; }
    wxTextCtrl* GetValueField() const { return m_valueField; }

private:
    void CreateControls();
    void ShowValue();
    /// The slot a name belongs to; -1 for a one-character name that is not a letter.
    int SlotOf(wxString& name) const;
    /// The value of the value text: evaluated by the interpreter, a single character read as a digit.
    double ValueOf(const wxString& text);
    void Finish();
    void OnOK(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    Interpreter& m_interpreter;
    int m_slot = 0;
    wxString m_name;
    double m_value = 0;
    wxPoint m_position{0, 0};
    bool m_changed = false;
    wxTextCtrl* m_nameField = nullptr;
    wxTextCtrl* m_valueField = nullptr;

    wxDECLARE_EVENT_TABLE();
};
