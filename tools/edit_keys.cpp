// SPDX-License-Identifier: MIT
#include "tools/edit_keys.h"

#include <wx/event.h>
#include <wx/textctrl.h>

#include "tools/edit_history.h"

namespace {

/// The shortcut's letter in upper case, or 0. Character events carry Ctrl+letter as 1..26.
int shortcutLetter(const wxKeyEvent& event) {
    if (!event.ControlDown() || event.AltDown()) return 0;
    int code = event.GetKeyCode();
    if (code >= 1 && code <= 26) code += 'A' - 1;
    if (code >= 'a' && code <= 'z') code += 'A' - 'a';
    return (code == 'C' || code == 'V' || code == 'Z' || code == 'Y') ? code : 0;
}

}  // namespace

bool isEditingKey(int keyCode) {
    switch (keyCode) {
        case WXK_LEFT:
        case WXK_RIGHT:
        case WXK_NUMPAD_LEFT:
        case WXK_NUMPAD_RIGHT:
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
        case WXK_BACK: return true;
        default: return false;
    }
}

bool isEditShortcut(const wxKeyEvent& event) { return shortcutLetter(event) != 0; }

bool runEditShortcut(wxTextCtrl& field, EditHistory& history, const wxKeyEvent& event) {
    switch (shortcutLetter(event)) {
        case 'C': field.Copy(); return true;
        case 'V': field.Paste(); return true;
        case 'Z': history.undo(field); return true;
        case 'Y': history.redo(field); return true;
        default: return false;
    }
}
