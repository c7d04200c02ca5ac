// SPDX-License-Identifier: MIT
// The colours and font dialog: six colour buttons, highlighting, font chooser.
#pragma once

#include <array>

#include <wx/dialog.h>

class Appearance;
class ColorButton;
class wxCheckBox;

/// Control ids of the colours dialog (block 7600) and its two push buttons.
enum ColorsDlgId : int {
    ID_COLORS_FORE = 7601,
    ID_COLORS_BACK = 7602,
    ID_COLORS_FUNCTION = 7603,
    ID_COLORS_OPERATOR = 7604,
    ID_COLORS_NUMBER = 7605,
    ID_COLORS_SELECTION = 7607,
    ID_COLORS_FONT = 7059,
    ID_COLORS_ENABLE_HIGHLIGHTING = 7064,
    ID_COLORS_OK = 15801,
};

/// Edits the appearance it is handed: six colours, the font and highlighting; every change reaches the console
/// at once, and changes made elsewhere show here. Destroys itself on "&OK" and on close (the main window's
/// wxEVT_DESTROY binding clears its pointer).
class ColorsDlg : public wxDialog {
public:
    /// The resizable border is removed from style.
    ColorsDlg(wxWindow* parent, Appearance& appearance, wxWindowID id = 7600, const wxString& title = wxS("Colors"),
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~ColorsDlg() override;

    /// The six colours from the buttons to the appearance.
    void ApplyColors();
    /// The buttons, their font and the check box from the appearance.
    void SyncButtons();
    /// The font chooser; a new font of 4..32 points goes to the appearance.
    void ChooseConsoleFont();

    /// The colour button with that id (7601..7605, 7607), or null.
    ColorButton* GetColorButton(int id) const;
    wxCheckBox* GetHighlightingBox() const { return m_highlighting; }

private:
    void CreateControls();
    void OnColorChosen(wxCommandEvent& event);
    void OnHighlighting(wxCommandEvent& event);
    void OnFont(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    Appearance& m_appearance;
    int m_subscription = 0;
    std::array<ColorButton*, 6> m_buttons{};
    wxCheckBox* m_highlighting = nullptr;
    wxPoint m_position;

    wxDECLARE_EVENT_TABLE();
};
