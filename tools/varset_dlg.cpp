// SPDX-License-Identifier: MIT
#include "tools/varset_dlg.h"

#include <string>

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "engine/interpreter.h"
#include "libs/ui/delvo_message_box.h"

#include "libs/ui/accessible_name.h"
#include "libs/ui/window_icons.h"
#include "resources/varset.xpm"

// clang-format off
wxBEGIN_EVENT_TABLE(VarsetDlg, wxDialog)
    EVT_BUTTON(ID_VARSET_OK, VarsetDlg::OnOK)
    EVT_CLOSE(VarsetDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

VarsetDlg::VarsetDlg(wxWindow* parent, Interpreter& interpreter, wxWindowID id, const wxString& title,
                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_interpreter(interpreter) {
    SetHelpText(title);
    SetToolTip(title);
    SetIcons(pixelArtIcons(varset_xpm));
    CreateControls();
}

void VarsetDlg::CreateControls() {
    // Laid out in dialog units, so that the dialog grows with its font.
    auto at = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
    auto size = [this](int width, int height) { return ConvertDialogToPixels(wxSize(width, height)); };
    SetClientSize(size(178, 31));
    new wxStaticText(this, ID_VARSET_LABEL, wxS("Name"), at(4, 3), size(19, 8));
    new wxStaticText(this, ID_VARSET_LABEL, wxS("Value"), at(62, 3), size(18, 8));
    m_nameField = new wxTextCtrl(this, ID_VARSET_NAME, wxEmptyString, at(4, 15), size(55, 13));
    m_valueField = new wxTextCtrl(this, ID_VARSET_VALUE, wxEmptyString, at(62, 15), size(64, 13));
    m_nameField->SetMaxLength(kTextMax);
    m_valueField->SetMaxLength(kTextMax);
    // Screen readers announce each field with the label above it.
    setAccessibleName(*m_nameField, wxS("Name"));
    setAccessibleName(*m_valueField, wxS("Value"));
    new wxButton(this, ID_VARSET_OK, wxS("&OK"), at(128, 14), size(45, 14));
    ShowValue();
}

void VarsetDlg::SetVariable(int slot, const wxString& name, double value) {
    m_slot = slot;
    m_name = name.Left(kTextMax);
    m_value = value;
}

void VarsetDlg::ShowValue() {
    std::wstring text;
    lm_reformatAuto(m_value, text, kTextMax);
    m_valueField->ChangeValue(text);
    m_valueField->SetFocus();
    m_valueField->SetInsertionPointEnd();
}

void VarsetDlg::Fill() {
    Move(m_position);
    m_nameField->ChangeValue(m_name);
    ShowValue();
}

int VarsetDlg::SlotOf(wxString& name) const {
    const VariableStore& store = m_interpreter.vars;
    if (name.length() == 1) {
        name.MakeLower();
        const wxChar letter = name[0];
        return letter >= 'a' && letter <= 'z' ? letter - 'a' : -1;
    }
    for (int slot = 0; slot < VariableStore::kSlots; ++slot) {
        if (store.varSet[slot] && name.IsSameAs(wxString(store.varName[slot]), false)) return slot;
    }
    return m_slot;
}

double VarsetDlg::ValueOf(const wxString& text) {
    if (text.length() == 1) {
        const wxChar digit = text[0];
        return digit >= '0' && digit <= '9' ? digit - '0' : 0;
    }
    std::wstring output;
    double value = 0;
    m_interpreter.evaluateLine(text.ToStdWstring(), &output, &value);
    return value;
}

void VarsetDlg::Accept() {
    wxString name = m_nameField->GetValue().Left(kTextMax);
    if (name.empty()) return Finish();
    const int slot = SlotOf(name);
    if (slot < 0) {
        DelvoMessageBox(wxS("Invalid variable name"), wxS("DelvoCalculator"), wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    const wxString valueText = m_valueField->GetValue().Left(kTextMax);
    if (valueText.empty()) return Finish();

    VariableStore& store = m_interpreter.vars;
    m_slot = slot;
    m_name = name;
    store.varName[slot] = name.ToStdWstring();
    m_value = ValueOf(valueText);
    store.varValue[slot] = m_value;
    if (!store.varSet[slot]) {
        store.varSet[slot] = true;
        if (store.varCount < VariableStore::kSlots) ++store.varCount;
    }
    m_changed = true;
    Finish();
}

void VarsetDlg::Finish() {
    // Tests run the dialog without a modal loop; then it is merely hidden.
    if (IsModal()) EndModal(0);
    else Hide();
}

void VarsetDlg::OnOK(wxCommandEvent&) { Accept(); }

void VarsetDlg::OnClose(wxCloseEvent&) { Finish(); }
