// SPDX-License-Identifier: MIT
#include "tools/converter_dlg.h"

#include <algorithm>

#include <wx/arrstr.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/tokenzr.h>

#include "engine/number_format.h"
#include "libs/math/lm_math.h"
#include "libs/ui/accessible_name.h"
#include "libs/ui/dialog_row.h"
#include "libs/ui/editor_prefs.h"
#include "libs/ui/window_icons.h"
#include "resources/converter.xpm"
#include "tools/edit_keys.h"
#include "tools/unit_conversion.h"

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

ConverterDlg::ConverterDlg(wxWindow* parent, const NumberFormat& format, wxWindowID id, const wxString& title,
                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_format(format) {
    CreateControls();
}

void ConverterDlg::CreateControls() {
    SetHelpText(wxS("Unit Converter"));
    SetToolTip(wxS("Unit Converter"));
    SetIcons(pixelArtIcons(converter_xpm));
    const wxSize unitText = GetTextExtent(wxS(">>Close<<"));
    const wxSize numberText = GetTextExtent(wxS(">1111.111111111111<"));
    const wxSize unitSize(unitText.x, unitText.y + 10), fieldSize(numberText.x, numberText.y + 10);

    m_categoryList = new wxComboBox(this, ID_CONVERTER_CATEGORY, wxEmptyString, wxDefaultPosition,
                                    wxSize(unitText.x + numberText.x + FromDIP(4), numberText.y + FromDIP(10)), 0,
                                    nullptr, wxCB_READONLY);
    m_categoryList->Freeze();
    m_categoryList->Clear();
    for (int i = 0; kCategoryNames[i]; ++i) m_categoryList->Append(kCategoryNames[i]);
    m_categoryList->SetSelection(kCategoryCount - 1);  // "Temperature"

    m_inputField = new UnitEdit(this, ID_CONVERTER_INPUT, wxS("1"), wxDefaultPosition, fieldSize);
    m_inputField->SetMaxLength(kInputMax);
    m_resultField =
        new wxTextCtrl(this, ID_CONVERTER_RESULT, wxEmptyString, wxDefaultPosition, fieldSize, wxTE_READONLY);
    m_resultField->SetBackgroundColour(shaded(m_inputField->GetBackgroundColour(), kResultShade));
    m_resultField->SetMaxLength(kResultMax);
    m_sourceList = new wxComboBox(this, ID_CONVERTER_SOURCE_UNIT, wxEmptyString, wxDefaultPosition, unitSize, 0,
                                  nullptr, wxCB_READONLY);
    m_targetList = new wxComboBox(this, ID_CONVERTER_TARGET_UNIT, wxEmptyString, wxDefaultPosition, unitSize, 0,
                                  nullptr, wxCB_READONLY);
    // The lists are as wide as the template, and wider where the toolkit's arrow needs more room beside
    // the longest label of all categories.
    for (const wchar_t* units : kUnitStrings) m_sourceList->Append(wxSplit(units, ':'));
    const wxSize listSize(std::max(unitSize.x, m_sourceList->GetBestSize().x), unitSize.y);
    m_sourceList->SetMinSize(listSize);
    m_targetList->SetMinSize(listSize);
    // The category list is as wide as a field, the 4-pixel gap and a unit list together.
    m_categoryList->SetMinSize(wxSize(fieldSize.x + FromDIP(4) + listSize.x, fieldSize.y));
    FillUnits();
    Convert();
    // The fields have no labels on screen; screen readers announce these names.
    setAccessibleName(*m_categoryList, wxS("Category"));
    setAccessibleName(*m_inputField, wxS("Value"));
    setAccessibleName(*m_sourceList, wxS("From unit"));
    setAccessibleName(*m_resultField, wxS("Result"));
    setAccessibleName(*m_targetList, wxS("To unit"));

    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* first, wxWindow* second) {
        column->AddSpacer(FromDIP(8));
        addDialogRow(column, this, first, second, 4);
    };
    row(m_categoryList, nullptr);
    row(m_inputField, m_sourceList);
    row(m_resultField, m_targetList);
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    m_categoryList->Thaw();
}

void ConverterDlg::FillUnits() {
    if (!m_sourceList || !m_targetList) return;
    m_sourceList->Freeze();
    m_targetList->Freeze();
    m_sourceList->Clear();
    m_targetList->Clear();
    const int index = m_categoryList->GetSelection();
    if (!selectedText(m_categoryList).empty() && index < kCategoryCount) {
        wxStringTokenizer units(kUnitStrings[index], wxS(":"));
        while (units.HasMoreTokens()) {
            const wxString unit = units.GetNextToken();
            m_sourceList->Append(unit);
            m_targetList->Append(unit);
        }
        m_sourceList->SetSelection(1);
        m_targetList->SetSelection(2);
    }
    m_sourceList->Thaw();
    m_targetList->Thaw();
}

void ConverterDlg::Convert() {
    if (!m_resultField) return;
    m_resultField->Clear();
    if (m_inputField->IsEmpty()) return;
    const double value = ReadInput();
    const wxString category = selectedText(m_categoryList), source = selectedText(m_sourceList),
                   target = selectedText(m_targetList);
    if (category.empty() || source.empty() || target.empty()) return;
    for (int i = 0; i < kCategoryCount; ++i) {
        if (category != kCategoryNames[i]) continue;
        bool valid = true;
        const double result = kCategoryRoutines[i](source.ToStdWstring(), target.ToStdWstring(), value, valid);
        if (!valid) return;
        std::wstring text;
        formatValue(result, text, kFormatLimit, m_format);
        m_resultField->ChangeValue(text);
        return;
    }
}

double ConverterDlg::ReadInput() const {
    const wxString text = m_inputField->GetValue();
    if (text.empty() || text.length() > static_cast<size_t>(kInputMax)) return 0;
    return lm_toDouble(text.ToStdWstring());
}

void ConverterDlg::OnCategory(wxCommandEvent&) {
    FillUnits();
    Convert();
}

void ConverterDlg::OnUnit(wxCommandEvent&) { Convert(); }

void ConverterDlg::OnClose(wxCloseEvent&) { Hide(); }
