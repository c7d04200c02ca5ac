// SPDX-License-Identifier: MIT
#include "tools/solver_dlg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "engine/interpreter.h"
#include "libs/ui/accessible_name.h"
#include "libs/ui/dialog_row.h"
#include "libs/ui/real_edit.h"
#include "libs/ui/window_icons.h"
#include "resources/solver.xpm"
#include "tools/function_history.h"

namespace {

/// The result field is this much darker than the interval fields, per channel.
constexpr int kResultShade = 10;
/// Longest text of the result field.
constexpr size_t kResultMax = 256;

wxColour darker(const wxColour& colour, int amount) {
    auto channel = [amount](unsigned char value) { return static_cast<unsigned char>(std::max(0, value - amount)); };
    return wxColour(channel(colour.Red()), channel(colour.Green()), channel(colour.Blue()));
}

}  // namespace

FunctionComboBox::FunctionComboBox(SolverDlg& dialog, wxWindowID id, const wxSize& size)
    : wxComboBox(&dialog, id, wxEmptyString, wxDefaultPosition, size, 0, nullptr, wxTE_PROCESS_ENTER),
      m_dialog(dialog) {
    Bind(wxEVT_KEY_DOWN, &FunctionComboBox::OnKeyDown, this);
    // GTK may deliver Enter only as the entry's activation; either way it solves once.
    Bind(wxEVT_TEXT_ENTER, &FunctionComboBox::OnEnter, this);
}

void FunctionComboBox::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_RETURN) {
        event.Skip();
        return;
    }
    SolveAndMoveCaret();
}

void FunctionComboBox::OnEnter(wxCommandEvent&) { SolveAndMoveCaret(); }

void FunctionComboBox::SolveAndMoveCaret() {
    m_dialog.Solve();
    SetInsertionPointEnd();
}

// clang-format off
wxBEGIN_EVENT_TABLE(SolverDlg, wxDialog)
    EVT_BUTTON(ID_SOLVER_SOLVE, SolverDlg::OnSolve)
    EVT_BUTTON(ID_SOLVER_CLOSE, SolverDlg::OnCloseButton)
    EVT_CLOSE(SolverDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

SolverDlg::SolverDlg(wxWindow* parent, Interpreter& interpreter, FunctionHistory& history, wxWindowID id,
                     const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_interpreter(interpreter), m_history(history) {
    SetHelpText(title);
    SetToolTip(title);
    SetIcons(pixelArtIcons(solver_xpm));
    CreateControls();
}

void SolverDlg::CreateControls() {
    const wxSize text = GetTextExtent(wxS(">>Function<<"));
    const int w = text.x, h = text.y;
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* first, wxWindow* second = nullptr) {
        addDialogRow(column, this, first, second);
    };
    column->AddSpacer(FromDIP(8));
    row(new wxStaticText(this, wxID_ANY, wxS("Function to find zero of:"), wxDefaultPosition,
                         wxSize(2 * w + FromDIP(8), h)));
    column->AddSpacer(FromDIP(2));
    m_function = new FunctionComboBox(*this, ID_SOLVER_FUNCTION, wxSize(2 * w + FromDIP(8), h + FromDIP(8)));
    row(m_function);
    column->AddSpacer(FromDIP(8));
    row(new wxStaticText(this, wxID_ANY, wxS("Interval to find zero in:"), wxDefaultPosition,
                         wxSize(2 * w + FromDIP(8), h)));
    column->AddSpacer(FromDIP(2));
    m_lower = new RealEdit(this, ID_SOLVER_LOWER, wxS("-10"), wxDefaultPosition, wxSize(w, h + FromDIP(8)));
    m_upper = new RealEdit(this, ID_SOLVER_UPPER, wxS("10"), wxDefaultPosition, wxSize(w, h + FromDIP(8)));
    row(m_lower, m_upper);
    // Screen readers announce each field with the label above it.
    setAccessibleName(*m_function, wxS("Function to find zero of"));
    setAccessibleName(*m_lower, wxS("Interval to find zero in, from"));
    setAccessibleName(*m_upper, wxS("Interval to find zero in, to"));
    column->AddSpacer(FromDIP(8));
    m_result = new wxTextCtrl(this, ID_SOLVER_RESULT, wxEmptyString, wxDefaultPosition,
                              wxSize(2 * w + FromDIP(8), 2 * h + FromDIP(8)),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_NO_VSCROLL);
    m_result->SetBackgroundColour(darker(m_upper->GetBackgroundColour(), kResultShade));
    setAccessibleName(*m_result, wxS("Result"));
    row(m_result);
    column->AddSpacer(FromDIP(8));
    row(new wxButton(this, ID_SOLVER_SOLVE, wxS("&Solve"), wxDefaultPosition, wxSize(w, h + FromDIP(8))),
        new wxButton(this, ID_SOLVER_CLOSE, wxS("&Close"), wxDefaultPosition, wxSize(w, h + FromDIP(8))));
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    FillFunctionField();
}

void SolverDlg::FillFunctionField() {
    m_function->Freeze();
    m_function->Clear();
    for (int i = m_history.count() - 1; i >= 0; --i) m_function->Append(m_history.at(i));
    if (!m_function->IsListEmpty()) {
        m_function->SetValue(m_function->GetString(0));
        m_function->SetSelection(0);
    }
    m_function->Thaw();
    m_function->UnsetToolTip();
    const wxString current = m_function->GetValue();
    if (m_function->GetTextExtent(current).x + m_function->GetTextExtent(wxS("Q")).x > m_function->GetSize().x)
        m_function->SetToolTip(current);
}

void SolverDlg::Solve() {
    const wxString function = m_function->GetValue();
    double x = 0, y = 0;
    const std::wstring message =
        m_interpreter.solveFunction(function.ToStdWstring(), m_lower->GetValueReal(), m_upper->GetValueReal(), &x, &y);
    // A multi-line field takes no length limit of its own.
    m_result->SetValue(message.substr(0, kResultMax));
    if (!message.empty() && message[0] == L'!') return;
    if (m_history.add(function.ToStdWstring())) m_function->Insert(function, 0);
}

void SolverDlg::OnSolve(wxCommandEvent&) { Solve(); }

void SolverDlg::OnCloseButton(wxCommandEvent&) { Hide(); }

void SolverDlg::OnClose(wxCloseEvent&) { Hide(); }
