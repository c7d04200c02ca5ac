// SPDX-License-Identifier: MIT
#include "tools/integer_dlg.h"

#include <algorithm>

#include <wx/combobox.h>
#include <wx/sizer.h>

#include "libs/ui/editor_prefs.h"
#include "tools/base_conversion.h"
#include "tools/edit_keys.h"

#include "libs/ui/accessible_name.h"
#include "libs/ui/dialog_row.h"
#include "libs/ui/window_icons.h"
#include "resources/base_converter.xpm"

namespace {

/// The result field is the input field's background darkened by this much per channel.
constexpr int kResultShade = -10;

wxColour shaded(const wxColour& colour, int amount) {
    const std::uint32_t bgr = shiftColor(colour.Blue() * 65536u + colour.Green() * 256u + colour.Red(), amount);
    return wxColour(static_cast<unsigned long>(bgr));
}

/// A digit of the base: "0" up to base - 1, then letters from "a" (either case) for bases above 10.
bool isDigitOf(int code, int base) {
    if (code >= '0' && code <= '9') return code - '0' < base;
    const int lower = (code >= 'A' && code <= 'Z') ? code - 'A' + 'a' : code;
    return base > 10 && lower >= 'a' && lower < 'a' + base - 10;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(IntegerBaseEdit, wxTextCtrl)
    EVT_CHAR(IntegerBaseEdit::OnChar)
    EVT_KEY_DOWN(IntegerBaseEdit::OnKeyDown)
    EVT_TEXT(ID_INTEGER_INPUT, IntegerBaseEdit::OnText)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(IntegerDlg, wxDialog)
    EVT_COMBOBOX(ID_INTEGER_SOURCE_BASE, IntegerDlg::OnBaseSelected)
    EVT_COMBOBOX(ID_INTEGER_TARGET_BASE, IntegerDlg::OnBaseSelected)
    EVT_CLOSE(IntegerDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

IntegerBaseEdit::IntegerBaseEdit(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                                 const wxSize& size)
    : wxTextCtrl(parent, id, value, pos, size), m_history(value) {}

void IntegerBaseEdit::SetBase(int newBase) {
    m_base = newBase;
    m_maxDigits = maxDigitsOf(newBase);
    applyMaxLength();
}

void IntegerBaseEdit::applyMaxLength() {
    // GTK's entry cuts a text longer than a new maximum. A longer text keeps its own length as the
    // maximum, so that it is read (and reported as too long) in the new base; once it is short enough
    // the base's maximum holds again.
    const unsigned long length = static_cast<unsigned long>(GetValue().length());
    SetMaxLength(std::max(static_cast<unsigned long>(m_maxDigits), length));
}

void IntegerBaseEdit::OnChar(wxKeyEvent& event) {
    // Modifiers are not looked at: Ctrl+1 counts as "1".
    const int code = event.GetKeyCode();
    if (isEditingKey(code) || isDigitOf(code, m_base)) event.Skip();
}

void IntegerBaseEdit::OnKeyDown(wxKeyEvent& event) {
    if (!runEditShortcut(*this, m_history, event)) event.Skip();
}

void IntegerBaseEdit::OnText(wxCommandEvent& event) {
    event.Skip();
    m_history.record(GetValue());
    applyMaxLength();
    if (auto* dialog = dynamic_cast<IntegerDlg*>(GetParent())) dialog->Convert();
}

IntegerDlg::IntegerDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size,
                       long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER) {
    CreateControls();
}

void IntegerDlg::CreateControls() {
    SetHelpText(wxS("Base Converter (uint 32-bit)"));
    SetToolTip(wxS("Base Converter (uint 32-bit)"));
    SetIcons(pixelArtIcons(base_converter_xpm));
    const wxSize digitsText = GetTextExtent(wxS("000011110000111100000"));
    const wxSize nameText = GetTextExtent(wxS(">>Hexadecimal<<"));
    const wxSize fieldSize(digitsText.x, digitsText.y + 10), listSize(nameText.x, nameText.y + 10);

    m_inputField = new IntegerBaseEdit(this, ID_INTEGER_INPUT, wxS("1100"), wxDefaultPosition, fieldSize);
    m_inputField->SetBase(2);
    m_resultField = new wxTextCtrl(this, ID_INTEGER_RESULT, wxEmptyString, wxDefaultPosition, fieldSize, wxTE_READONLY);
    m_normalColour = m_inputField->GetBackgroundColour();
    m_errorColour = wxColour(248, 206, 212);
    m_resultField->SetBackgroundColour(shaded(m_normalColour, kResultShade));
    m_resultField->SetMaxLength(kResultMax);

    m_sourceList = new wxComboBox(this, ID_INTEGER_SOURCE_BASE, wxEmptyString, wxDefaultPosition, listSize, 0, nullptr,
                                  wxCB_READONLY);
    m_targetList = new wxComboBox(this, ID_INTEGER_TARGET_BASE, wxEmptyString, wxDefaultPosition, listSize, 0, nullptr,
                                  wxCB_READONLY);
    m_sourceList->Freeze();
    m_targetList->Freeze();
    for (int i = 0; kBaseNames[i]; ++i) {
        m_sourceList->Append(kBaseNames[i]);
        m_targetList->Append(kBaseNames[i]);
    }
    m_sourceList->SetSelection(0);
    m_targetList->SetSelection(1);
    // As wide as the template, and wider where the toolkit's arrow needs more room beside "Hexadecimal".
    const wxSize fitted(std::max(listSize.x, m_sourceList->GetBestSize().x), listSize.y);
    m_sourceList->SetMinSize(fitted);
    m_targetList->SetMinSize(fitted);
    OnBaseChanged();
    // The fields have no labels on screen; screen readers announce these names.
    setAccessibleName(*m_inputField, wxS("Number"));
    setAccessibleName(*m_sourceList, wxS("From base"));
    setAccessibleName(*m_resultField, wxS("Result"));
    setAccessibleName(*m_targetList, wxS("To base"));

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* field, wxWindow* list) {
        column->AddSpacer(FromDIP(8));
        addDialogRow(column, this, field, list, 4);
    };
    row(m_inputField, m_sourceList);
    row(m_resultField, m_targetList);
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    m_sourceList->Thaw();
    m_targetList->Thaw();
}

void IntegerDlg::OnBaseChanged() {
    const int index = m_sourceList->GetSelection();
    if (index < 0 || index >= kBaseCount || m_sourceList->GetString(index).empty()) return;
    m_inputField->SetBase(kBases[index]);
    Convert();
}

void IntegerDlg::Convert() {
    if (!m_resultField) return;
    m_resultField->Clear();
    if (m_inputField->GetBackgroundColour() != m_normalColour) {
        m_inputField->SetBackgroundColour(m_normalColour);
        m_inputField->Refresh();
    }
    if (m_inputField->IsEmpty()) return;
    const int source = m_sourceList->GetSelection(), target = m_targetList->GetSelection();
    if (source < 0 || source >= kBaseCount || target < 0 || target >= kBaseCount) return;
    const BaseResult result =
        convertBaseText(source, target, m_inputField->GetValue().ToStdWstring(), m_inputField->GetMaxDigits());
    m_resultField->ChangeValue(result.text);
    if (result.markError) MarkError();
}

void IntegerDlg::MarkError() {
    if (m_inputField->GetBackgroundColour() == m_errorColour) return;
    m_inputField->SetBackgroundColour(m_errorColour);
    m_inputField->Refresh();
}

void IntegerDlg::OnBaseSelected(wxCommandEvent&) { OnBaseChanged(); }

void IntegerDlg::OnClose(wxCloseEvent&) { Hide(); }
