// SPDX-License-Identifier: MIT
// The functions and constants menu: the Insert menu and the toolbar's pop-up.
#pragma once

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

/// Empties the menu (its items destroyed), then appends the functions and constants in order. Null: nothing.
void FillFunctionsMenu(wxMenu* menu);
