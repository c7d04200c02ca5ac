// SPDX-License-Identifier: MIT
// How the main window gets its tool dialogs without knowing their classes.
#pragma once

#include <wx/defs.h>

class InputLine;
class wxDialog;
class wxString;
class wxWindow;

/// The tool dialogs the main window shows and hides.
enum class ToolDialogKind { Numpad, Variables, Colors, Solver, UnitConverter, BaseConverter };

/// Makes the tool dialogs, each with the collaborators it works on.
class ToolDialogFactory {
public:
    virtual ~ToolDialogFactory() = default;

    /// A new dialog of that kind, child of parent, with its id, title and window style; the keypad types into
    /// input. Null when the dialog cannot be made.
    virtual wxDialog* createToolDialog(ToolDialogKind kind, wxWindow* parent, wxWindowID id, const wxString& title,
                                       long style, InputLine& input) = 0;
};
