// SPDX-License-Identifier: MIT
// The unit converter: a quantity, a number in one of its units, and the number in another unit.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "tools/edit_history.h"

class wxComboBox;
struct NumberFormat;

/// Control ids of the unit converter (block 7800).
enum ConverterDlgId : int {
    ID_CONVERTER_CATEGORY = 7802,
    ID_CONVERTER_SOURCE_UNIT = 7803,
    ID_CONVERTER_TARGET_UNIT = 7804,
    ID_CONVERTER_INPUT = 7805,
    ID_CONVERTER_RESULT = 7806,
};

/// The input field: a number filter, the clipboard and undo shortcuts, and a conversion on every change.
class UnitEdit : public wxTextCtrl {
public:
    UnitEdit(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos, const wxSize& size);

private:
    void OnChar(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnText(wxCommandEvent& event);

    EditHistory m_history;

    wxDECLARE_EVENT_TABLE();
};

/// Converts while the user types and shows the result in the number format it is handed (the console's);
/// there is no button. Closing hides it.
class ConverterDlg : public wxDialog {
public:
    /// Longest input text and the result buffer's limits.
    static constexpr int kInputMax = 63;
    static constexpr int kResultMax = 256;
    static constexpr int kFormatLimit = 252;

    /// The resizable border is removed from style.
    ConverterDlg(wxWindow* parent, const NumberFormat& format, wxWindowID id = 7800,
                 const wxString& title = wxS("Unit Converter"), const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// Refills both unit lists for the selected category: its second unit as source, its third as target.
    void FillUnits();
    /// Recomputes and shows the result in the number format.
    void Convert();
    /// The input field's number (0 for an empty or over-long text).
    double ReadInput() const;

private:
    void CreateControls();
    void OnCategory(wxCommandEvent& event);
    void OnUnit(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    const NumberFormat& m_format;
    wxComboBox* m_categoryList = nullptr;
    UnitEdit* m_inputField = nullptr;
    wxComboBox* m_sourceList = nullptr;
    wxTextCtrl* m_resultField = nullptr;
    wxComboBox* m_targetList = nullptr;

    wxDECLARE_EVENT_TABLE();
};
