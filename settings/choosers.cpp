// SPDX-License-Identifier: MIT
#include "settings/choosers.h"

#include <utility>

#include <wx/colordlg.h>
#include <wx/fontdlg.h>

namespace {

// The settings dialogs' one piece of state: who answers the choosers (tests install their own).
ColourChooser& colourChooser() {
    static ColourChooser instance;
    return instance;
}

FontChooser& fontChooser() {
    static FontChooser instance;
    return instance;
}

}  // namespace

void setColourChooser(ColourChooser chooser) { colourChooser() = std::move(chooser); }

void setFontChooser(FontChooser chooser) { fontChooser() = std::move(chooser); }

bool chooseColour(wxWindow* parent, wxColourData& data) {
    if (colourChooser()) return colourChooser()(parent, data);
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return false;
    data = dialog.GetColourData();
    return true;
}

bool chooseFont(wxWindow* parent, wxFontData& data) {
    if (fontChooser()) return fontChooser()(parent, data);
    wxFontDialog dialog(parent, data);
    if (dialog.ShowModal() != wxID_OK) return false;
    data = dialog.GetFontData();
    return true;
}
