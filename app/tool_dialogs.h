// SPDX-License-Identifier: MIT
// The tool dialogs as the application makes them for the main window.
#pragma once

#include "console/tool_dialog_factory.h"

class Appearance;
class FunctionHistory;
class Interpreter;

/// Hands each tool dialog its own collaborators: the solver the interpreter and the function history, the
/// variables list the interpreter, the unit converter the number format, the colours dialog the appearance, the
/// keypad the console's input line.
class AppToolDialogs final : public ToolDialogFactory {
public:
    AppToolDialogs(Interpreter& interpreter, FunctionHistory& history, Appearance& appearance)
        : m_interpreter(interpreter), m_history(history), m_appearance(appearance) {}

    wxDialog* createToolDialog(ToolDialogKind kind, wxWindow* parent, wxWindowID id, const wxString& title, long style,
                               InputLine& input) override;

private:
    Interpreter& m_interpreter;
    FunctionHistory& m_history;
    Appearance& m_appearance;
};
