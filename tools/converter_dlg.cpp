// SPDX-License-Identifier: MIT
#include "tools/converter_dlg.h"

#include <algorithm>

#include <wx/arrstr.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/tokenzr.h>

#include "app/delvo_app.h"
#include "console/editor_prefs.h"
#include "engine/number_format.h"
#include "libs/math/lm_math.h"
#include "tools/edit_keys.h"
#include "tools/unit_conversion.h"

#include "console/window_icons.h"
#include "libs/graph/accessible_name.h"
#include "libs/graph/dialog_row.h"
#include "resources/converter.xpm"

namespace {

/// The result field is the input field's background darkened by this much per channel.
constexpr int kResultShade = -10;

wxColour shaded(const wxColour& colour, int amount) {
    const std::uint32_t bgr = shiftColor(colour.Blue() * 65536u + colour.Green() * 256u + colour.Red(), amount);
    return wxColour(static_cast<unsigned long>(bgr));
}

/// The selected entry's text, empty when nothing is selected.
wxString selectedText(const wxComboBox* list) {
    const int index = list->GetSelection();
    return index >= 0 && index < static_cast<int>(list->GetCount()) ? list->GetString(index) : wxString();
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(UnitEdit, wxTextCtrl)
    EVT_CHAR(UnitEdit::OnChar)
    EVT_KEY_DOWN(UnitEdit::OnKeyDown)
    EVT_TEXT(ID_CONVERTER_INPUT, UnitEdit::OnText)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(ConverterDlg, wxDialog)
    EVT_COMBOBOX(ID_CONVERTER_CATEGORY, ConverterDlg::OnCategory)
    EVT_COMBOBOX(ID_CONVERTER_SOURCE_UNIT, ConverterDlg::OnUnit)
    EVT_COMBOBOX(ID_CONVERTER_TARGET_UNIT, ConverterDlg::OnUnit)
    EVT_CLOSE(ConverterDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

UnitEdit::UnitEdit(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos, const wxSize& size)
    : wxTextCtrl(parent, id, value, pos, size), m_history(value) {}

void UnitEdit::OnChar(wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    const bool number = (code >= '0' && code <= '9') || code == '+' || code == ',' || code == '-' || code == '.' ||
                        code == 'E' || code == 'e';
    if (isEditingKey(code) || isEditShortcut(event) || (number && !event.ControlDown() && !event.AltDown()))
        event.Skip();
}

void UnitEdit::OnKeyDown(wxKeyEvent& event) {
    if (!runEditShortcut(*this, m_history, event)) event.Skip();
}

void UnitEdit::OnText(wxCommandEvent& event) {
    event.Skip();
    m_history.record(GetValue());
    if (auto* dialog = dynamic_cast<ConverterDlg*>(GetParent())) dialog->Convert();
}

ConverterDlg::ConverterDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER) {
    CreateControls();
}

void ConverterDlg::CreateControls() {
    SetHelpText(wxS("Unit Converter"));
    SetToolTip(wxS("Unit Converter"));
    SetIcons(pixelArtIcons(converter_xpm));
    const wxSize unitText = GetTextExtent(wxS(">>Close<<"));
    const wxSize numberText = GetTextExtent(wxS(">1111.111111111111<"));
    const wxSize unitSize(unitText.x, unitText.y + 10), fieldSize(numberText.x, numberText.y + 10);

    categoryList = new wxComboBox(this, ID_CONVERTER_CATEGORY, wxEmptyString, wxDefaultPosition,
                                  wxSize(unitText.x + numberText.x + FromDIP(4), numberText.y + FromDIP(10)), 0, nullptr, wxCB_READONLY);
    categoryList->Freeze();
    categoryList->Clear();
    for (int i = 0; kCategoryNames[i]; ++i) categoryList->Append(kCategoryNames[i]);
    categoryList->SetSelection(kCategoryCount - 1);  // "Temperature"

    inputField = new UnitEdit(this, ID_CONVERTER_INPUT, wxS("1"), wxDefaultPosition, fieldSize);
    inputField->SetMaxLength(kInputMax);
    resultField = new wxTextCtrl(this, ID_CONVERTER_RESULT, wxEmptyString, wxDefaultPosition, fieldSize,
                                 wxTE_READONLY);
    resultField->SetBackgroundColour(shaded(inputField->GetBackgroundColour(), kResultShade));
    resultField->SetMaxLength(kResultMax);
    sourceList = new wxComboBox(this, ID_CONVERTER_SOURCE_UNIT, wxEmptyString, wxDefaultPosition, unitSize, 0,
                                nullptr, wxCB_READONLY);
    targetList = new wxComboBox(this, ID_CONVERTER_TARGET_UNIT, wxEmptyString, wxDefaultPosition, unitSize, 0,
                                nullptr, wxCB_READONLY);
    // The lists are as wide as the template, and wider where the toolkit's arrow needs more room beside
    // the longest label of all categories.
    for (const wchar_t* units : kUnitStrings) sourceList->Append(wxSplit(units, ':'));
    const wxSize listSize(std::max(unitSize.x, sourceList->GetBestSize().x), unitSize.y);
    sourceList->SetMinSize(listSize);
    targetList->SetMinSize(listSize);
    // The category list is as wide as a field, the 4-pixel gap and a unit list together.
    categoryList->SetMinSize(wxSize(fieldSize.x + FromDIP(4) + listSize.x, fieldSize.y));
    FillUnits();
    Convert();
    // The fields have no labels on screen; screen readers announce these names.
    setAccessibleName(*categoryList, wxS("Category"));
    setAccessibleName(*inputField, wxS("Value"));
    setAccessibleName(*sourceList, wxS("From unit"));
    setAccessibleName(*resultField, wxS("Result"));
    setAccessibleName(*targetList, wxS("To unit"));

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* first, wxWindow* second) {
        column->AddSpacer(FromDIP(8));
        addDialogRow(column, this, first, second, 4);
    };
    row(categoryList, nullptr);
    row(inputField, sourceList);
    row(resultField, targetList);
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    categoryList->Thaw();
}

void ConverterDlg::FillUnits() {
    if (!sourceList || !targetList) return;
    sourceList->Freeze();
    targetList->Freeze();
    sourceList->Clear();
    targetList->Clear();
    const int index = categoryList->GetSelection();
    if (!selectedText(categoryList).empty() && index < kCategoryCount) {
        wxStringTokenizer units(kUnitStrings[index], wxS(":"));
        while (units.HasMoreTokens()) {
            const wxString unit = units.GetNextToken();
            sourceList->Append(unit);
            targetList->Append(unit);
        }
        sourceList->SetSelection(1);
        targetList->SetSelection(2);
    }
    sourceList->Thaw();
    targetList->Thaw();
}

void ConverterDlg::Convert() {
    resultValid = true;
    if (!resultField) return;
    resultField->Clear();
    if (inputField->IsEmpty()) return;
    const double value = ReadInput();
    const wxString category = selectedText(categoryList), source = selectedText(sourceList),
                   target = selectedText(targetList);
    if (category.empty() || source.empty() || target.empty()) return;
    for (int i = 0; i < kCategoryCount; ++i) {
        if (category != kCategoryNames[i]) continue;
        const double result = kCategoryRoutines[i](source.ToStdWstring(), target.ToStdWstring(), value, resultValid);
        if (!resultValid) return;
        std::wstring text;
        formatValue(result, text, kFormatLimit, wxGetApp().interpreter().format);
        resultField->ChangeValue(text);
        return;
    }
}

double ConverterDlg::ReadInput() const {
    const wxString text = inputField->GetValue();
    if (text.empty() || text.length() > static_cast<size_t>(kInputMax)) return 0;
    return lm_toDouble(text.ToStdWstring());
}

void ConverterDlg::OnCategory(wxCommandEvent&) {
    FillUnits();
    Convert();
}

void ConverterDlg::OnUnit(wxCommandEvent&) { Convert(); }

void ConverterDlg::OnClose(wxCloseEvent&) { Hide(); }
