// SPDX-License-Identifier: MIT
// The main window's menu bar, toolbar and accelerator table.
#include "console/console_window.h"

#include <wx/menu.h>
#include <wx/toolbar.h>

#include "console/console_edit.h"
#include "console/console_host.h"
#include "console/functions_menu.h"
#include "engine/interpreter.h"
#include "libs/ui/appearance.h"
#include "libs/ui/window_icons.h"

namespace {

/// The menus in their order on the bar.
enum MenuPosition { kFile, kEdit, kView, kInsert, kOptions, kRun, kHelp, kMenuCount };

wxMenuItem* item(wxMenu* menu, int id, const wxString& label, wxItemKind kind = wxITEM_NORMAL,
                 const wxString& help = wxEmptyString) {
    return new wxMenuItem(menu, id, label, help, kind);
}

void appendWithIcon(wxMenu* menu, int id, const wxString& label, WindowIcon icon,
                    const wxString& help = wxEmptyString) {
    wxMenuItem* entry = item(menu, id, label, wxITEM_NORMAL, help);
    entry->SetBitmap(windowIcon(icon));
    menu->Append(entry);
}

}  // namespace

void ConsoleWindow::CreateMenus() {
    auto* menuBar = new wxMenuBar;
    const wxChar* const titles[kMenuCount] = {wxS("File"),    wxS("Edit"), wxS("View"), wxS("Insert"),
                                              wxS("Options"), wxS("Run"),  wxS("Help")};
    for (const wxChar* title : titles) menuBar->Append(new wxMenu, title);
    SetMenuBar(menuBar);
}

void ConsoleWindow::FillMenus() {
    wxMenuBar* menuBar = GetMenuBar();
    if (m_menusFilled || menuBar == nullptr) return;
    m_menusFilled = true;
    FillFileMenu(menuBar->GetMenu(kFile));
    FillEditMenu(menuBar->GetMenu(kEdit));
    FillViewMenu(menuBar->GetMenu(kView));
    wxMenu* insert = menuBar->GetMenu(kInsert);
    FillFunctionsMenu(insert, &m_interpreter.functions());
    // The user's functions change while the program runs: their submenu is brought up to date as it opens.
    Bind(wxEVT_MENU_OPEN, [this, insert](wxMenuEvent& event) {
        event.Skip();
        if (event.GetMenu() != insert) return;
        if (wxMenuItem* yours = insert->FindItem(ID_INSERT_USER))
            FillUserFunctionsMenu(yours->GetSubMenu(), &m_interpreter.functions());
    });
    FillOptionsMenu(menuBar->GetMenu(kOptions));
    FillRunMenu(menuBar->GetMenu(kRun));
    FillHelpMenu(menuBar->GetMenu(kHelp));
}

void ConsoleWindow::FillFileMenu(wxMenu* menu) {
    appendWithIcon(menu, ID_FILE_SAVE_AS, wxS("Save As...\tCtrl+S"), WindowIcon::SaveAs);
    appendWithIcon(menu, ID_FILE_OPEN, wxS("Open...\tCtrl+O"), WindowIcon::Open);
    menu->AppendSeparator();
    appendWithIcon(menu, ID_FILE_CLOSE, wxS("Close\tCtrl+Q"), WindowIcon::Close);
}

void ConsoleWindow::FillEditMenu(wxMenu* menu) {
    appendWithIcon(menu, ID_EDIT_COPY, wxS("Copy\tCtrl+C"), WindowIcon::Copy);
    appendWithIcon(menu, ID_EDIT_CUT, wxS("Cut\tCtrl+X"), WindowIcon::Cut);
    appendWithIcon(menu, ID_EDIT_PASTE, wxS("Paste\tCtrl+V"), WindowIcon::Paste);
    menu->AppendSeparator();
    appendWithIcon(menu, ID_EDIT_RESET, wxS("Reset\tCtrl+R"), WindowIcon::Reset);
}

void ConsoleWindow::FillViewMenu(wxMenu* menu) {
    appendWithIcon(menu, ID_VIEW_NUMPAD, wxS("Numeric Pad\tF8"), WindowIcon::Numpad);
    appendWithIcon(menu, ID_VIEW_VARIABLES, wxS("Variables\tF9"), WindowIcon::Variables);
    menu->Append(item(menu, ID_VIEW_SOLVER, wxS("Solver"), wxITEM_CHECK, wxS("Solver")));
    menu->Append(item(menu, ID_VIEW_UNIT_CONVERTER, wxS("Unit Converter"), wxITEM_CHECK, wxS("Unit Converter")));
    menu->Append(item(menu, ID_VIEW_BASE_CONVERTER, wxS("Base Converter"), wxITEM_CHECK, wxS("Base Converter")));
    menu->AppendSeparator();
    menu->Append(item(menu, ID_VIEW_ALWAYS_ON_TOP, wxS("Always On Top"), wxITEM_CHECK,
                      wxS("Keep on top of the all other windows")));
}

void ConsoleWindow::FillOptionsMenu(wxMenu* menu) {
    appendWithIcon(menu, ID_OPTIONS_COLORS, wxS("Colors..."), WindowIcon::Colors);
    menu->Append(
        item(menu, ID_OPTIONS_HIGHLIGHTING, wxS("&Highlighting"), wxITEM_CHECK, wxS("Enable or disable highlighting")));
    menu->Check(ID_OPTIONS_HIGHLIGHTING, m_host.appearance().highlighting());
    menu->AppendSeparator();
    menu->Append(item(menu, ID_OPTIONS_VERBOSE, wxS("Verbose\tCtrl+Shift+V"), wxITEM_CHECK,
                      wxS("Enable or disable the verbose mode")));
    menu->AppendSeparator();
    // Four independent check items, not a radio group: the update-interface rules keep one checked.
    menu->Append(item(menu, ID_OPTIONS_BASE_BINARY, wxS("Binary"), wxITEM_CHECK, wxS("Set output base to binary")));
    menu->Append(item(menu, ID_OPTIONS_BASE_OCTAL, wxS("Octal"), wxITEM_CHECK, wxS("Set output base to octal")));
    menu->Append(item(menu, ID_OPTIONS_BASE_DECIMAL, wxS("Decimal"), wxITEM_CHECK, wxS("Set output base to decimal")));
    menu->Append(item(menu, ID_OPTIONS_BASE_HEXADECIMAL, wxS("Hexadecimal"), wxITEM_CHECK,
                      wxS("Set output base to hexadecimal")));
    // Later additions follow the older items, so those keep their places; none is kept in the settings file.
    menu->AppendSeparator();
    menu->Append(item(menu, ID_OPTIONS_LIVE_ANSWER, wxS("Live Answer"), wxITEM_CHECK,
                      wxS("Show the value of the input line while typing")));
    menu->Check(ID_OPTIONS_LIVE_ANSWER, m_console->liveAnswer().enabled());
    Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { m_console->liveAnswer().setEnabled(event.IsChecked()); },
        ID_OPTIONS_LIVE_ANSWER);
    // The unit of the angle functions, as the commands rad, deg and grad choose it.
    auto* angle = new wxMenu;
    angle->AppendRadioItem(ID_OPTIONS_ANGLE_RADIANS, wxS("Radians"), wxS("Angles in radians (the command rad)"));
    angle->AppendRadioItem(ID_OPTIONS_ANGLE_DEGREES, wxS("Degrees"), wxS("Angles in degrees (the command deg)"));
    angle->AppendRadioItem(ID_OPTIONS_ANGLE_GRADIANS, wxS("Gradians"), wxS("Angles in gradians (the command grad)"));
    angle->Check(AngleUnitCommand(m_interpreter.angleUnit()), true);
    menu->Append(ID_OPTIONS_ANGLE, wxS("Angle"), angle, wxS("The unit of sin, cos, tan and their inverses"));
}

void ConsoleWindow::FillRunMenu(wxMenu* menu) {
    appendWithIcon(menu, ID_RUN_EXECUTE, wxS("&Execute\tF12"), WindowIcon::Execute, wxS("Execute the command"));
}

void ConsoleWindow::FillHelpMenu(wxMenu* menu) {
    menu->Append(item(menu, ID_HELP_CONTENTS, wxS("Contents (PDF)\tF1")));
    menu->AppendSeparator();
    menu->Append(item(menu, ID_HELP_CHECK_UPDATE, wxS("&Check for Update..."), wxITEM_NORMAL, wxS("Check for Update")));
    menu->AppendSeparator();
    appendWithIcon(menu, ID_HELP_ABOUT, wxS("About..."), WindowIcon::Program);
}

void ConsoleWindow::CreateTools() {
    // Horizontal, flat, no border (0x200024).
    wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxNO_BORDER);
    tools->SetToolBitmapSize(FromDIP(wxSize(16, 16)));
    auto add = [&](int id, const wxString& label, WindowIcon icon, const wxString& tooltip,
                   wxItemKind kind = wxITEM_NORMAL) { tools->AddTool(id, label, windowIcon(icon), tooltip, kind); };
    add(ID_FILE_SAVE_AS, wxS("Save As..."), WindowIcon::SaveAs, wxS("Save file (Ctrl+S)"));
    add(ID_FILE_OPEN, wxS("Open..."), WindowIcon::Open, wxS("Open file (Ctrl+O)"));
    tools->AddSeparator();
    // "seleted" is how these two tooltips have always been spelt; tests and users know them so.
    add(ID_EDIT_COPY, wxS("Copy"), WindowIcon::Copy, wxS("Copy the seleted text (Ctrl+C)"));
    add(ID_EDIT_CUT, wxS("Cut"), WindowIcon::Cut, wxS("Cut the seleted text (Ctrl+X)"));
    add(ID_EDIT_PASTE, wxS("Paste"), WindowIcon::Paste, wxS("Paste text (Ctrl+V)"));
    tools->AddSeparator();
    add(ID_VIEW_NUMPAD, wxS("Numeric Pad"), WindowIcon::Numpad, wxS("View the numeric pad (F8)"), wxITEM_CHECK);
    add(ID_VIEW_VARIABLES, wxS("Variables"), WindowIcon::Variables, wxS("View the variables list (F9)"), wxITEM_CHECK);
    tools->AddSeparator();
    add(ID_VIEW_FUNCTIONS, wxS("Functions"), WindowIcon::Functions, wxS("View the functions list"));
    tools->AddSeparator();
    add(ID_RUN_EXECUTE, wxS("Execute"), WindowIcon::Execute, wxS("Execute the command"));
    tools->AddSeparator();
    add(ID_VIEW_ALWAYS_ON_TOP, wxS("Topmost Window"), WindowIcon::Topmost, wxS("Topmost Window (Ctrl+T)"),
        wxITEM_CHECK);
    tools->Realize();
}

std::vector<wxAcceleratorEntry> ConsoleWindow::AcceleratorEntries() {
    std::vector<wxAcceleratorEntry> entries = {
        {wxACCEL_NORMAL, WXK_F1, ID_HELP_CONTENTS},
        {wxACCEL_NORMAL, WXK_F8, ID_VIEW_NUMPAD},
        {wxACCEL_NORMAL, WXK_F9, ID_VIEW_VARIABLES},
    };
    // Letters are bound in both cases.
    const struct {
        int key;
        int command;
        int flags;
    } letters[] = {
        {'R', ID_EDIT_RESET, wxACCEL_CTRL},         {'S', ID_FILE_SAVE_AS, wxACCEL_CTRL},
        {'O', ID_FILE_OPEN, wxACCEL_CTRL},          {'N', ID_VIEW_NUMPAD, wxACCEL_CTRL},
        {'L', ID_VIEW_VARIABLES, wxACCEL_CTRL},     {'Q', ID_FILE_CLOSE, wxACCEL_CTRL},
        {'T', ID_VIEW_ALWAYS_ON_TOP, wxACCEL_CTRL}, {'V', ID_OPTIONS_VERBOSE, wxACCEL_CTRL | wxACCEL_SHIFT},
    };
    for (const auto& letter : letters) {
        entries.emplace_back(letter.flags, letter.key, letter.command);
        entries.emplace_back(letter.flags, letter.key - 'A' + 'a', letter.command);
    }
    entries.emplace_back(wxACCEL_NORMAL, WXK_F12, ID_RUN_EXECUTE);
    return entries;
}
