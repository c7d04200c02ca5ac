// SPDX-License-Identifier: MIT
#include "app/tool_dialogs.h"

#include "engine/interpreter.h"
#include "settings/colors_dlg.h"
#include "tools/converter_dlg.h"
#include "tools/integer_dlg.h"
#include "tools/numpad_dlg.h"
#include "tools/solver_dlg.h"
#include "tools/varlist_dlg.h"

wxDialog* AppToolDialogs::createToolDialog(ToolDialogKind kind, wxWindow* parent, wxWindowID id, const wxString& title,
                                           long style, InputLine& input) {
    const wxPoint at = wxDefaultPosition;
    const wxSize size = wxDefaultSize;
    switch (kind) {
        case ToolDialogKind::Numpad: return new NumpadDlg(parent, input, id, title, at, size, style);
        case ToolDialogKind::Variables: return new VarlistDlg(parent, m_interpreter, id, title, at, size, style);
        case ToolDialogKind::Colors: return new ColorsDlg(parent, m_appearance, id, title, at, size, style);
        case ToolDialogKind::Solver: return new SolverDlg(parent, m_interpreter, m_history, id, title, at, size, style);
        case ToolDialogKind::UnitConverter:
            return new ConverterDlg(parent, m_interpreter.format, id, title, at, size, style);
        case ToolDialogKind::BaseConverter: break;
    }
    return new IntegerDlg(parent, id, title, at, size, style);
}
