// SPDX-License-Identifier: MIT
// The functions and constants menu: the Insert menu and the toolbar's pop-up.
#pragma once

#include <wx/string.h>

class UserFunctions;
class wxMenu;
class wxWindow;

/// One insertion command: what it types into the console and where the caret goes afterwards.
struct FunctionEntry {
    int id;
    const wchar_t* label;
    const wchar_t* text;
    /// Caret position after insertion, counted from the start of the inserted text.
    int offset;
};

/// The entry of an insertion command id (7029..7042, 7049..7056), or null.
const FunctionEntry* findFunctionEntry(int id);

/// What an insertion command types and where the caret goes after it, counted from the start of the text.
struct Insertion {
    wxString text;
    int offset = 0;
};

/// The insertion of any command of the menu: the fixed entries, More Functions (the function table) and
/// Your Functions (user's, in the order they were defined). False for other ids.
bool FindInsertion(int id, const UserFunctions* user, Insertion* insertion);

/// Empties the menu (its items destroyed), then appends the functions and constants in order, every function of
/// the function table by category, and the user's functions. Null: nothing.
void FillFunctionsMenu(wxMenu* menu, const UserFunctions* user = nullptr);
/// Refills the user's functions' submenu (they change while the program runs).
void FillUserFunctionsMenu(wxMenu* menu, const UserFunctions* user);
