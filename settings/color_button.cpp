// SPDX-License-Identifier: MIT
#include "settings/color_button.h"

#include <wx/colourdata.h>
#include <wx/dcbuffer.h>

#include "libs/ui/accessible_name.h"
#include "settings/choosers.h"

wxBEGIN_EVENT_TABLE(ColorButton, wxPanel)
    EVT_PAINT(ColorButton::OnPaint)
    EVT_ERASE_BACKGROUND(ColorButton::OnEraseBackground)
    EVT_LEFT_UP(ColorButton::OnLeftUp)
wxEND_EVENT_TABLE()

ColorButton::ColorButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxColour& textColour,
                         const wxColour& backColour, const wxPoint& pos, const wxSize& size, int customColourSlot,
                         long style)
    : wxPanel(parent, id, pos, size, style | wxBORDER_STATIC),
      m_label(label),
      m_textColour(textColour),
      m_backColour(backColour),
      m_customColourSlot(customColourSlot) {
    setAccessibleName(*this, label);
    // The buffered paint device needs the background style "paint" under GTK.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

void ColorButton::SetColours(const wxColour& textColour, const wxColour& backColour) {
    m_textColour = textColour;
    m_backColour = backColour;
    Refresh();
}

void ColorButton::OnPaint(wxPaintEvent&) {
    wxBufferedPaintDC dc(this);
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    const wxRect rect = GetClientRect();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_backColour));
    dc.DrawRectangle(rect);
    dc.SetTextForeground(m_textColour);
    dc.SetTextBackground(m_backColour);
    dc.SetFont(GetFont());
    const wxSize text = dc.GetTextExtent(m_label);
    dc.DrawText(m_label, rect.x + (rect.width - text.x) / 2, rect.y + (rect.height - text.y) / 2);
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
}

void ColorButton::OnEraseBackground(wxEraseEvent&) {}

void ColorButton::OnLeftUp(wxMouseEvent& event) {
    ChooseColour();
    event.Skip();
}

void ColorButton::ChooseColour() {
    wxColour& edited = m_editsBackground ? m_backColour : m_textColour;
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(edited);
    data.SetCustomColour(m_customColourSlot, edited);
    if (chooseColour(this, data)) {
        edited = data.GetColour();
        wxCommandEvent changed(wxEVT_BUTTON, GetId());
        changed.SetEventObject(this);
        ProcessWindowEvent(changed);
    }
    Refresh();
}
