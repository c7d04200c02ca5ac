// SPDX-License-Identifier: MIT
// The solver dialog: finds a zero of f(x) on an interval and keeps the solved functions in a history.
#pragma once

#include <wx/combobox.h>
#include <wx/dialog.h>

class FunctionHistory;
class Interpreter;
class RealEdit;
class SolverDlg;
class wxTextCtrl;

/// Control ids of the solver dialog (block 7700).
enum SolverDlgId : int {
    ID_SOLVER_FUNCTION = 7702,
    ID_SOLVER_LOWER = 7703,
    ID_SOLVER_UPPER = 7704,
    ID_SOLVER_RESULT = 7705,
    ID_SOLVER_SOLVE = 7706,
    ID_SOLVER_CLOSE = 7718,
};

/// The function field: Enter solves and leaves the caret at the end of the text.
class FunctionComboBox : public wxComboBox {
public:
    FunctionComboBox(SolverDlg& dialog, wxWindowID id, const wxSize& size);

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnEnter(wxCommandEvent& event);
    void SolveAndMoveCaret();

    SolverDlg& m_dialog;
};

/// Modeless; the close box and "&Close" hide it, so its fields keep their contents between showings.
class SolverDlg : public wxDialog {
public:
    /// The resizable border is removed from style, so the dialog keeps its fitted size.
    SolverDlg(wxWindow* parent, Interpreter& interpreter, FunctionHistory& history, wxWindowID id = 7700,
              const wxString& title = wxS("Solver f(x) = 0"), const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// Solves the function field's text on the interval, shows the outcome and records the function.
    void Solve();

    FunctionComboBox* GetFunctionField() const { return m_function; }
    RealEdit* GetLowerField() const { return m_lower; }
    RealEdit* GetUpperField() const { return m_upper; }
    wxTextCtrl* GetResultField() const { return m_result; }

private:
    void CreateControls();
    /// The list from the function history, newest first; the newest also becomes the text.
    void FillFunctionField();
    void OnSolve(wxCommandEvent& event);
    void OnCloseButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    Interpreter& m_interpreter;
    FunctionHistory& m_history;
    FunctionComboBox* m_function = nullptr;
    RealEdit* m_lower = nullptr;
    RealEdit* m_upper = nullptr;
    wxTextCtrl* m_result = nullptr;

    wxDECLARE_EVENT_TABLE();
};
