// SPDX-License-Identifier: MIT
#include "tools/numpad_dlg.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/sizer.h>

#include "libs/ui/accessible_name.h"
#include "libs/ui/input_line.h"
#include "libs/ui/window_icons.h"
#include "resources/numpad.xpm"

namespace {

/// One keypad button: its label, id and the text it inserts (null: a button with its own handler).
struct Key {
    const wchar_t* label;
    int id;
    const wchar_t* text;
};

constexpr int kColumns = 4, kRows = 5;
const Key kKeys[kRows][kColumns] = {
    {{L"7", 7409, L"7"}, {L"8", 7410, L"8"}, {L"9", 7411, L"9"}, {L"/", ID_NUMPAD_DIVIDE, L"/"}},
    {{L"4", 7406, L"4"}, {L"5", 7407, L"5"}, {L"6", 7408, L"6"}, {L"*", ID_NUMPAD_MULTIPLY, L"*"}},
    {{L"1", 7403, L"1"}, {L"2", 7404, L"2"}, {L"3", 7405, L"3"}, {L"-", ID_NUMPAD_SUBTRACT, L"-"}},
    {{L"0", ID_NUMPAD_0, L"0"},
     {L"E", ID_NUMPAD_EXPONENT, L"e"},
     {L".", ID_NUMPAD_POINT, L"."},
     {L"+", ID_NUMPAD_ADD, L"+"}},
    {{L"(", ID_NUMPAD_OPEN, L"("},
     {L")", ID_NUMPAD_CLOSE, L")"},
     {L"C", ID_NUMPAD_ERASE, nullptr},
     {L"=", ID_NUMPAD_EXECUTE, nullptr}},
};

const wchar_t* const kFunctions[] = {L"exp()", L"ln()",   L"sqrt()", L"sin()", L"cos()",
                                     L"tan()", L"asin()", L"acos()", L"atan()"};

/// Gap between buttons and around the rows, in pixels.
constexpr int kGap = 4;

const Key* findKey(int id) {
    for (const auto& row : kKeys)
        for (const Key& key : row)
            if (key.id == id) return &key;
    return nullptr;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(NumpadDlg, wxDialog)
    EVT_BUTTON(ID_NUMPAD_EXECUTE, NumpadDlg::OnExecute)
    EVT_BUTTON(ID_NUMPAD_ERASE, NumpadDlg::OnErase)
    EVT_BUTTON(wxID_ANY, NumpadDlg::OnKey)
    EVT_COMBOBOX(ID_NUMPAD_FUNCTIONS, NumpadDlg::OnFunctionSelected)
    EVT_ACTIVATE(NumpadDlg::OnActivate)
    EVT_CLOSE(NumpadDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

NumpadDlg::NumpadDlg(wxWindow* parent, InputLine& input, wxWindowID id, const wxString& title, const wxPoint& pos,
                     const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_input(input) {
    CreateControls();
}

void NumpadDlg::CreateControls() {
    SetHelpText(wxS("NumKeypad"));
    SetToolTip(wxS("NumKeypad"));
    SetIcons(pixelArtIcons(numpad_xpm));
    SetFont(GetFont().Bold());
    const int side = GetTextExtent(wxS(">0<")).x + FromDIP(4);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->AddSpacer(FromDIP(kGap));
    for (const auto& keys : kKeys) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->AddSpacer(FromDIP(kGap));
        for (const Key& key : keys) {
            row->Add(new wxButton(this, key.id, key.label, wxDefaultPosition, wxSize(side, side), wxBU_EXACTFIT));
            row->AddSpacer(FromDIP(kGap));
        }
        column->Add(row);
        column->AddSpacer(FromDIP(kGap));
    }
    m_functionList =
        new wxComboBox(this, ID_NUMPAD_FUNCTIONS, wxEmptyString, wxDefaultPosition,
                       wxSize(side * kColumns + FromDIP(kGap) * (kColumns - 1), side), 0, nullptr, wxCB_READONLY);
    m_functionList->Clear();
    for (const wchar_t* function : kFunctions) m_functionList->Append(function);
    setAccessibleName(*m_functionList, wxS("Functions"));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->AddSpacer(FromDIP(kGap));
    row->Add(m_functionList);
    row->AddSpacer(FromDIP(kGap));
    column->Add(row);
    SetSizerAndFit(column);
}

void NumpadDlg::OnErase(wxCommandEvent&) { m_input.eraseLeft(); }

void NumpadDlg::OnExecute(wxCommandEvent&) { m_input.execute(); }

void NumpadDlg::OnKey(wxCommandEvent& event) {
    if (const Key* key = findKey(event.GetId()); key && key->text) m_input.typeText(key->text, 0);
}

void NumpadDlg::OnFunctionSelected(wxCommandEvent& event) {
    event.Skip();
    const int index = m_functionList->GetSelection();
    if (index >= 0) m_input.typeText(m_functionList->GetString(index), -1);
}

void NumpadDlg::OnActivate(wxActivateEvent& event) {
    event.Skip();
    m_input.keepCaretVisible(event.GetActive());
}

void NumpadDlg::OnClose(wxCloseEvent&) {
    m_input.keepCaretVisible(false);
    Hide();
}
