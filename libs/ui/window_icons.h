// SPDX-License-Identifier: MIT
// The icons of the main window's menus and tools, the dialogs' icons and the program icon, at 16 and 32 pixels
// so that they stay crisp on a 200 % desktop.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

class wxWindow;

/// Every bitmap the main window shows, each drawn in resources/*.xpm.
enum class WindowIcon {
    SaveAs, Open, Close, Copy, Cut, Paste, Reset,
    Numpad, Variables, Functions, Execute, Topmost, Colors, Program,
    Exp, Cos, Pi
};

/// The icon at 16 x 16 and 32 x 32 (the toolkit picks the one for the screen), the same in menus and tools.
wxBitmapBundle windowIcon(WindowIcon icon);

/// Our 16 x 16 pixel art with its 32 x 32 double (nearest neighbour: the edges stay sharp).
wxBitmapBundle pixelArtBundle(const char* const* xpm);
/// The same as window icons (title bars, task switchers) at 16 and 32 pixels.
wxIconBundle pixelArtIcons(const char* const* xpm);

/// The program icon at 16, 32 and 48 pixels (the larger ones scaled up from the 16 x 16 drawing).
wxIconBundle programIconBundle();

/// The program icon scaled to size x size pixels (the About box).
wxBitmap programIcon(int size);

/// Lets menus show their bitmaps where the desktop hides them by default (GTK 3). No-op elsewhere.
void enableMenuIcons();
