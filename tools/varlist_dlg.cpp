// SPDX-License-Identifier: MIT
#include "tools/varlist_dlg.h"

#include <string>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "engine/interpreter.h"
#include "engine/variables.h"
#include "tools/varset_dlg.h"

#include "libs/ui/accessible_name.h"
#include "libs/ui/window_icons.h"
#include "resources/variables.xpm"

namespace {

/// Longest value text in the list.
constexpr int kValueTextMax = 63;
/// Space between the "&Delete" and "&Close" buttons.
constexpr int kCloseGap = 56;

/// Item data of a user function's row: this plus its index (a variable's row holds its slot plus 1).
constexpr wxUIntPtr kFunctionRow = 1000;

bool isFunctionRow(wxIntPtr data) { return data >= static_cast<wxIntPtr>(kFunctionRow); }

/// What a column sort compares: the store and the functions the rows' item data point into.
struct SortOrder {
    const VariableStore* store;
    const UserFunctions* functions;
    int column;
    bool ascending;
};

wxString nameOf(const SortOrder& order, wxIntPtr data) {
    if (isFunctionRow(data)) return wxString(order.functions->list()[static_cast<size_t>(data) - kFunctionRow].name);
    return wxString(order.store->varName[static_cast<size_t>(data - 1)]);
}

int wxCALLBACK compareRows(wxIntPtr first, wxIntPtr second, wxIntPtr data) {
    const auto& order = *reinterpret_cast<const SortOrder*>(data);
    int result = 0;
    if (order.column == 0) {
        result = nameOf(order, first).CmpNoCase(nameOf(order, second));
    } else if (isFunctionRow(first) || isFunctionRow(second)) {
        // Functions have no value: they follow the variables, in their own order.
        result = isFunctionRow(first) && isFunctionRow(second) ? (first < second ? -1 : (first > second ? 1 : 0))
                                                               : (isFunctionRow(first) ? 1 : -1);
    } else {
        const double x = order.store->varValue[first - 1], y = order.store->varValue[second - 1];
        result = x < y ? -1 : (x > y ? 1 : 0);
    }
    return order.ascending ? result : -result;
}

/// "g(x,y)": how a function's row names it.
wxString callOf(const UserFunction& function) {
    wxString call = wxString(function.name) + wxS("(");
    for (size_t i = 0; i < function.parameters.size(); ++i) call << (i > 0 ? wxS(",") : wxS("")) << function.parameters[i];
    return call + wxS(")");
}

}  // namespace

VarlistCtrl::VarlistCtrl(VarlistDlg& dialog, wxWindowID id, const wxSize& size)
    : wxListCtrl(&dialog, id, wxDefaultPosition, size, wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_ALIGN_LEFT),
      m_dialog(dialog) {
    Bind(wxEVT_KEY_DOWN, &VarlistCtrl::OnKeyDown, this);
    Bind(wxEVT_CHAR, &VarlistCtrl::OnChar, this);
    Bind(wxEVT_LEFT_DCLICK, &VarlistCtrl::OnDoubleClick, this);
    Bind(wxEVT_LIST_COL_CLICK, &VarlistCtrl::OnColumnClick, this);
}

void VarlistCtrl::SelectNextRow() {
    const int count = GetItemCount();
    if (count == 0) return;
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    const long next = focused < 0 || focused >= count - 1 ? 0 : focused + 1;
    SetItemState(next, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    EnsureVisible(next);
}

void VarlistCtrl::OnKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case 'N':
        case 'n': SelectNextRow(); break;
        case WXK_DELETE: m_dialog.DeleteVariable(); break;
        default: event.Skip(); break;
    }
}

void VarlistCtrl::OnChar(wxKeyEvent& event) {
    // N already moved the selection on key down; the list's own type-ahead search must not move it again.
    const int code = event.GetKeyCode();
    if (code != 'N' && code != 'n') event.Skip();
}

void VarlistCtrl::OnDoubleClick(wxMouseEvent&) { m_dialog.ModifyVariable(); }

void VarlistCtrl::OnColumnClick(wxListEvent& event) { m_dialog.SortColumn(event.GetColumn()); }

// clang-format off
wxBEGIN_EVENT_TABLE(VarlistDlg, wxDialog)
    EVT_BUTTON(ID_VARLIST_REFRESH, VarlistDlg::OnButton)
    EVT_BUTTON(ID_VARLIST_ADD, VarlistDlg::OnButton)
    EVT_BUTTON(ID_VARLIST_MODIFY, VarlistDlg::OnButton)
    EVT_BUTTON(ID_VARLIST_DELETE, VarlistDlg::OnButton)
    EVT_BUTTON(ID_VARLIST_CLOSE, VarlistDlg::OnButton)
    EVT_CLOSE(VarlistDlg::OnClose)
    EVT_SHOW(VarlistDlg::OnShow)
wxEND_EVENT_TABLE()
// clang-format on

VarlistDlg::VarlistDlg(wxWindow* parent, Interpreter& interpreter, wxWindowID id, const wxString& title,
                       const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_interpreter(interpreter) {
    SetHelpText(title);
    SetToolTip(title);
    SetIcons(pixelArtIcons(variables_xpm));
    m_presenter = [](VarsetDlg& editor) { editor.ShowModal(); };
    CreateControls();
}

void VarlistDlg::CreateControls() {
    const wxSize text = GetTextExtent(wxS(">>Refresh<<"));
    const int w = text.x, h = text.y;
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* listColumn = new wxBoxSizer(wxVERTICAL);
    auto* buttons = new wxBoxSizer(wxVERTICAL);
    m_list = new VarlistCtrl(*this, ID_VARLIST_LIST, wxSize(2 * w + 32, 5 * (h + 26)));
    m_list->AppendColumn(wxS("Name"), wxLIST_FORMAT_LEFT, w);
    m_list->AppendColumn(wxS("Value"), wxLIST_FORMAT_LEFT, w);
    setAccessibleName(*m_list, wxS("Variables"));
    listColumn->AddSpacer(FromDIP(8));
    listColumn->Add(m_list);
    listColumn->AddSpacer(FromDIP(8));

    struct ButtonRow {
        int id;
        const wchar_t* label;
        int gapBefore;
    };
    const ButtonRow rows[] = {{ID_VARLIST_REFRESH, L"&Refresh", 8},
                              {ID_VARLIST_ADD, L"&Add", 8},
                              {ID_VARLIST_MODIFY, L"&Modify", 8},
                              {ID_VARLIST_DELETE, L"&Delete", 8},
                              {ID_VARLIST_CLOSE, L"&Close", kCloseGap}};
    for (const ButtonRow& button : rows) {
        buttons->AddSpacer(FromDIP(button.gapBefore));
        buttons->Add(new wxButton(this, button.id, button.label, wxDefaultPosition, wxSize(w, h + FromDIP(10))));
    }
    buttons->AddSpacer(FromDIP(8));

    row->AddSpacer(FromDIP(8));
    row->Add(listColumn);
    row->AddSpacer(FromDIP(8));
    row->Add(buttons);
    row->AddSpacer(FromDIP(8));
    SetSizerAndFit(row);
}

void VarlistDlg::RefreshVariables() {
    const VariableStore& store = m_interpreter.vars;
    m_list->DeleteAllItems();
    for (int slot = 0; slot < VariableStore::kSlots; ++slot) {
        if (!store.varSet[slot]) continue;
        const long row = m_list->InsertItem(m_list->GetItemCount(), store.varName[slot]);
        std::wstring value;
        lm_reformatAuto(store.varValue[slot], value, kValueTextMax);
        m_list->SetItem(row, 1, value);
        m_list->SetItemData(row, slot + 1);
    }
    // The user's functions follow, each with its body where a variable shows its value.
    const std::vector<UserFunction>& functions = m_interpreter.functions().list();
    for (size_t i = 0; i < functions.size(); ++i) {
        const long row = m_list->InsertItem(m_list->GetItemCount(), callOf(functions[i]));
        m_list->SetItem(row, 1, wxString(functions[i].body));
        m_list->SetItemData(row, static_cast<long>(kFunctionRow + i));
    }
    m_list->Refresh();
}

void VarlistDlg::EditSlot(int slot, wxWindow* parent, const wxPoint& position, long row) {
    const VariableStore& store = m_interpreter.vars;
    const long state = row >= 0 ? m_list->GetItemState(row, wxLIST_STATE_SELECTED) : 0;
    VarsetDlg editor(parent, m_interpreter, 7300, wxS("Variable"), wxDefaultPosition, wxDefaultSize,
                     wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    editor.SetVariable(slot, store.varName[slot], store.varValue[slot]);
    editor.SetPlacement(position);
    editor.Fill();
    m_presenter(editor);
    if (editor.IsChanged()) RefreshVariables();
    if (row >= 0 && row < m_list->GetItemCount()) m_list->SetItemState(row, state, wxLIST_STATE_SELECTED);
}

void VarlistDlg::AddVariable() {
    const VariableStore& store = m_interpreter.vars;
    for (int slot = 0; slot < VariableStore::kSlots; ++slot) {
        if (store.varSet[slot]) continue;
        EditSlot(slot, this, GetPosition(), m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
        return;
    }
}

void VarlistDlg::ModifyVariable() {
    if (m_list->GetSelectedItemCount() != 1) return;
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    // A function is changed by defining it again in the console.
    if (isFunctionRow(static_cast<wxIntPtr>(m_list->GetItemData(row)))) return;
    EditSlot(static_cast<int>(m_list->GetItemData(row)) - 1, m_list, wxGetMousePosition(), row);
}

void VarlistDlg::DeleteVariable() {
    const int selected = m_list->GetSelectedItemCount();
    const int rows = m_interpreter.vars.varCount + static_cast<int>(m_interpreter.functions().list().size());
    if (selected == 0 || selected > rows) return;
    // Names first, then removal: removing a function renumbers the rows after it.
    std::vector<std::pair<bool, std::wstring>> doomed;
    for (long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
         row = m_list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        const wxIntPtr data = static_cast<wxIntPtr>(m_list->GetItemData(row));
        if (isFunctionRow(data))
            doomed.emplace_back(true, m_interpreter.functions().list()[static_cast<size_t>(data) - kFunctionRow].name);
        else
            doomed.emplace_back(false, m_list->GetItemText(row, 0).ToStdWstring());
    }
    // A variable's row removes the variable even where a function has the same name, and the other way round.
    for (const auto& [function, name] : doomed) {
        if (name.empty()) continue;
        if (function)
            m_interpreter.removeFunction(name);
        else
            removeVariable(m_interpreter.vars, name);
    }
    RefreshVariables();
}

void VarlistDlg::SortColumn(int column) {
    if (column != 0 && column != 1) return;
    SortOrder order{&m_interpreter.vars, &m_interpreter.functions(), column, m_ascending};
    m_list->SortItems(compareRows, reinterpret_cast<wxIntPtr>(&order));
    m_ascending = !m_ascending;
}

void VarlistDlg::OnButton(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_VARLIST_REFRESH: RefreshVariables(); break;
        case ID_VARLIST_ADD: AddVariable(); break;
        case ID_VARLIST_MODIFY: ModifyVariable(); break;
        case ID_VARLIST_DELETE: DeleteVariable(); break;
        default: Hide(); break;
    }
}

void VarlistDlg::OnClose(wxCloseEvent&) { Hide(); }

void VarlistDlg::OnShow(wxShowEvent& event) {
    RefreshVariables();
    event.Skip();
}
