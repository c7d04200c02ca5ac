// SPDX-License-Identifier: MIT
// The toolkit's colour and font choosers as the colours dialog opens them, with one
// injectable responder each so that tests answer them instead of a modal dialog.
#pragma once

#include <functional>

class wxColourData;
class wxFontData;
class wxWindow;

/// Opens a colour chooser on data (initial and custom colours in, chosen colour out); true on OK.
using ColourChooser = std::function<bool(wxWindow* parent, wxColourData& data)>;
/// Opens a font chooser on data (initial font and colour in, chosen font and colour out); true on OK.
using FontChooser = std::function<bool(wxWindow* parent, wxFontData& data)>;

/// Replaces the colour chooser; an empty one restores the default (a modal wxColourDialog).
void setColourChooser(ColourChooser chooser);
/// Replaces the font chooser; an empty one restores the default (a modal wxFontDialog).
void setFontChooser(FontChooser chooser);

/// Asks the current colour chooser.
bool chooseColour(wxWindow* parent, wxColourData& data);
/// Asks the current font chooser; the toolkit's dialog is destroyed before this returns.
bool chooseFont(wxWindow* parent, wxFontData& data);
