// SPDX-License-Identifier: MIT
// Keys shared by the converters' input fields: the editing keys their filters pass, and the clipboard and
// undo shortcuts.
#pragma once

class EditHistory;
class wxKeyEvent;
class wxTextCtrl;

/// Left and right arrows (main keyboard and numeric pad), Delete (both) and Backspace.
bool isEditingKey(int keyCode);
/// Ctrl+C, Ctrl+V, Ctrl+Z or Ctrl+Y (either case) as a key-down or character event.
bool isEditShortcut(const wxKeyEvent& event);
/// Runs a shortcut on the field: copy, paste, or undo and redo through its history. True when it was one;
/// the caller then ends the key there, so that the native field does not run it a second time (as GTK's
/// entry would paste twice).
bool runEditShortcut(wxTextCtrl& field, EditHistory& history, const wxKeyEvent& event);
