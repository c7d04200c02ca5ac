// SPDX-License-Identifier: MIT
// An owner-drawn colour button of the colours dialog.
#pragma once

#include <wx/colour.h>
#include <wx/panel.h>

/// Shows its label in its text colour on its background colour; a click opens the colour chooser for one
/// of the two. A chosen colour is announced to the parent as a wxEVT_BUTTON command event with the button's id.
class ColorButton : public wxPanel {
public:
    /// The panel always gets a static border in addition to style.
    ColorButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxColour& textColour,
                const wxColour& backColour, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, int customColourSlot = 1, long style = 0);

    wxColour GetTextColour() const { return m_textColour; }
    wxColour GetBackColour() const { return m_backColour; }
    void SetColours(const wxColour& textColour, const wxColour& backColour);
    /// false: a click edits the text colour; true: the background colour.
    void SetEditsBackground(bool on) { m_editsBackground = on; }
    bool EditsBackground() const { return m_editsBackground; }
    int GetCustomColourSlot() const { return m_customColourSlot; }
    wxString GetLabelText() const { return m_label; }

    /// What a click does: the colour chooser on the edited colour; on OK the colour is stored and announced.
    void ChooseColour();

private:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    wxString m_label;
    wxColour m_textColour;
    wxColour m_backColour;
    bool m_editsBackground = false;
    int m_customColourSlot;

    wxDECLARE_EVENT_TABLE();
};
