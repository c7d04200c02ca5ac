// SPDX-License-Identifier: MIT
// The 16 x 16 bitmaps of the main window's menus and tools and the program icon.
#pragma once

#include <wx/artprov.h>
#include <wx/bitmap.h>
#include <wx/iconbndl.h>

class wxWindow;

/// Every bitmap the main window shows; standard ones come from wxArtProvider, the others from resources/*.xpm.
enum class WindowIcon {
    SaveAs, Open, Close, Copy, Cut, Paste, Reset,
    Numpad, Variables, Functions, Execute, Topmost, Colors, Program,
    Exp, Cos, Pi
};

/// The icon at 16 x 16 (scaled for the window's DPI); never invalid, so toolbars accept it.
wxBitmap windowIcon(WindowIcon icon, const wxWindow* window, const wxArtClient& client = wxART_MENU);

/// The program icon at 16, 32 and 48 pixels (the larger ones scaled up from the 16 x 16 drawing).
wxIconBundle programIconBundle();

/// The program icon scaled to size x size pixels (the About box).
wxBitmap programIcon(int size);

/// Lets menus show their bitmaps where the desktop hides them by default (GTK 3). No-op elsewhere.
void enableMenuIcons();
