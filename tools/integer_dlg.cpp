// SPDX-License-Identifier: MIT
#include "tools/integer_dlg.h"

#include <algorithm>

#include <wx/combobox.h>
#include <wx/sizer.h>

#include "libs/ui/editor_prefs.h"
#include "tools/base_conversion.h"
#include "tools/edit_keys.h"

#include "libs/ui/window_icons.h"
#include "libs/ui/accessible_name.h"
#include "libs/ui/dialog_row.h"
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
    base = newBase;
    maxDigits = maxDigitsOf(newBase);
    applyMaxLength();
}

void IntegerBaseEdit::applyMaxLength() {
    // GTK's entry cuts a text longer than a new maximum. A longer text keeps its own length as the
    // maximum, so that it is read (and reported as too long) in the new base; once it is short enough
    // the base's maximum holds again.
    const unsigned long length = static_cast<unsigned long>(GetValue().length());
    SetMaxLength(std::max(static_cast<unsigned long>(maxDigits), length));
}

void IntegerBaseEdit::OnChar(wxKeyEvent& event) {
    // Modifiers are not looked at: Ctrl+1 counts as "1".
    const int code = event.GetKeyCode();
    if (isEditingKey(code) || isDigitOf(code, base)) event.Skip();
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

    inputField = new IntegerBaseEdit(this, ID_INTEGER_INPUT, wxS("1100"), wxDefaultPosition, fieldSize);
    inputField->SetBase(2);
    resultField = new wxTextCtrl(this, ID_INTEGER_RESULT, wxEmptyString, wxDefaultPosition, fieldSize, wxTE_READONLY);
    normalColour = inputField->GetBackgroundColour();
    errorColour = wxColour(248, 206, 212);
    resultField->SetBackgroundColour(shaded(normalColour, kResultShade));
    resultField->SetMaxLength(kResultMax);

    sourceList = new wxComboBox(this, ID_INTEGER_SOURCE_BASE, wxEmptyString, wxDefaultPosition, listSize, 0, nullptr,
                                wxCB_READONLY);
    targetList = new wxComboBox(this, ID_INTEGER_TARGET_BASE, wxEmptyString, wxDefaultPosition, listSize, 0, nullptr,
                                wxCB_READONLY);
    sourceList->Freeze();
    targetList->Freeze();
    for (int i = 0; kBaseNames[i]; ++i) {
        sourceList->Append(kBaseNames[i]);
        targetList->Append(kBaseNames[i]);
    }
    sourceList->SetSelection(0);
    targetList->SetSelection(1);
    // As wide as the template, and wider where the toolkit's arrow needs more room beside "Hexadecimal".
    const wxSize fitted(std::max(listSize.x, sourceList->GetBestSize().x), listSize.y);
    sourceList->SetMinSize(fitted);
    targetList->SetMinSize(fitted);
    OnBaseChanged();
    // The fields have no labels on screen; screen readers announce these names.
    setAccessibleName(*inputField, wxS("Number"));
    setAccessibleName(*sourceList, wxS("From base"));
    setAccessibleName(*resultField, wxS("Result"));
    setAccessibleName(*targetList, wxS("To base"));

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* field, wxWindow* list) {
        column->AddSpacer(FromDIP(8));
        addDialogRow(column, this, field, list, 4);
    };
    row(inputField, sourceList);
    row(resultField, targetList);
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    sourceList->Thaw();
    targetList->Thaw();
}

void IntegerDlg::OnBaseChanged() {
    const int index = sourceList->GetSelection();
    if (index < 0 || index >= kBaseCount || sourceList->GetString(index).empty()) return;
    inputField->SetBase(kBases[index]);
    Convert();
}

void IntegerDlg::Convert() {
    if (!resultField) return;
    resultField->Clear();
    if (inputField->GetBackgroundColour() != normalColour) {
        inputField->SetBackgroundColour(normalColour);
        inputField->Refresh();
    }
    if (inputField->IsEmpty()) return;
    const int source = sourceList->GetSelection(), target = targetList->GetSelection();
    if (source < 0 || source >= kBaseCount || target < 0 || target >= kBaseCount) return;
    const BaseResult result =
        convertBaseText(source, target, inputField->GetValue().ToStdWstring(), inputField->GetMaxDigits());
    resultField->ChangeValue(result.text);
    if (result.markError) MarkError();
}

void IntegerDlg::MarkError() {
    if (inputField->GetBackgroundColour() == errorColour) return;
    inputField->SetBackgroundColour(errorColour);
    inputField->Refresh();
}

void IntegerDlg::OnBaseSelected(wxCommandEvent&) { OnBaseChanged(); }

void IntegerDlg::OnClose(wxCloseEvent&) { Hide(); }
