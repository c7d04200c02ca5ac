// SPDX-License-Identifier: MIT
// The main window (spec Part 3.3), under Xvfb; its About box and functions menu are in test_gui_functions_menu.cpp.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/aboutdlg.h>
#include <wx/clipbrd.h>
#include <wx/dialog.h>
#include <wx/dataobj.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/delvo_app.h"
#include "console/about_box.h"
#include "console/command_ids.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "libs/graph/plot_frame.h"
#include "tests/gui_test_support.h"
#include "tests/window_test_fixture.h"

namespace {

/// One toolbar tool; id 0 is a separator.
struct ToolRow {
    int id;
    const char* label;
    const char* tooltip;
    wxItemKind kind;
};

using Part3_3_MainWindow = MainWindowTest;

// ---- Part 3.3 ------------------------------------------------------------------------------------------

// Spec 3.3
TEST_F(Part3_3_MainWindow, FrameHasIdTitleStyleAndOneConsole) {
    EXPECT_EQ(window->GetId(), 7000);
    EXPECT_EQ(window->GetTitle(), "DelvoCalculator");
    const long style = window->GetWindowStyleFlag();
    EXPECT_TRUE(style & wxCAPTION);
    EXPECT_TRUE(style & wxMINIMIZE_BOX);
    EXPECT_TRUE(style & wxCLOSE_BOX);
    EXPECT_TRUE(style & wxRESIZE_BORDER);
    EXPECT_FALSE(style & wxMAXIMIZE_BOX);
    EXPECT_EQ(console->GetId(), 6999);
    EXPECT_EQ(console->GetName(), "Console");
    EXPECT_EQ(console->GetHelpText(), "Console");
    EXPECT_EQ(wxGetApp().GetTopWindow(), window);
    EXPECT_EQ(wxGetApp().interpreter().format.mode, 1);
    EXPECT_TRUE(window->GetIcons().GetIcon(16).IsOk());
}

// Spec 3.3
TEST_F(Part3_3_MainWindow, MenusHaveTheSpecLabelsIdsKindsAndHelpTexts) {
    wxMenuBar* bar = window->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 7u);
    const char* titles[] = {"File", "Edit", "View", "Insert", "Options", "Run", "Help"};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(bar->GetMenuLabelText(i), titles[i]);

    expectMenu("File", {{6105, "Save As...\tCtrl+S", wxITEM_NORMAL, "", true},
                        {6102, "Open...\tCtrl+O", wxITEM_NORMAL, "", true},
                        {0, "", wxITEM_SEPARATOR, "", false},
                        {6103, "Close\tCtrl+Q", wxITEM_NORMAL, "", true}});
    expectMenu("Edit", {{6142, "Copy\tCtrl+C", wxITEM_NORMAL, "", true},
                        {6141, "Cut\tCtrl+X", wxITEM_NORMAL, "", true},
                        {6143, "Paste\tCtrl+V", wxITEM_NORMAL, "", true},
                        {0, "", wxITEM_SEPARATOR, "", false},
                        {6144, "Reset\tCtrl+R", wxITEM_NORMAL, "", true}});
    expectMenu("View", {{7019, "Numeric Pad\tF8", wxITEM_NORMAL, "", true},
                        {7020, "Variables\tF9", wxITEM_NORMAL, "", true},
                        {7022, "Solver", wxITEM_CHECK, "Solver", false},
                        {7023, "Unit Converter", wxITEM_CHECK, "Unit Converter", false},
                        {7024, "Base Converter", wxITEM_CHECK, "Base Converter", false},
                        {0, "", wxITEM_SEPARATOR, "", false},
                        {7026, "Always On Top", wxITEM_CHECK, "Keep on top of the all other windows", false}});
    expectMenu("Options", {{7060, "Colors...", wxITEM_NORMAL, "", true},
                           {7064, "&Highlighting", wxITEM_CHECK, "Enable or disable highlighting", false},
                           {0, "", wxITEM_SEPARATOR, "", false},
                           {7066, "Verbose\tCtrl+Shift+V", wxITEM_CHECK, "Enable or disable the verbose mode", false},
                           {0, "", wxITEM_SEPARATOR, "", false},
                           {7067, "Binary", wxITEM_CHECK, "Set output base to binary", false},
                           {7068, "Octal", wxITEM_CHECK, "Set output base to octal", false},
                           {7069, "Decimal", wxITEM_CHECK, "Set output base to decimal", false},
                           {7070, "Hexadecimal", wxITEM_CHECK, "Set output base to hexadecimal", false}});
    expectMenu("Run", {{7078, "&Execute\tF12", wxITEM_NORMAL, "Execute the command", true}});
    expectMenu("Help", {{6899, "Contents (PDF)\tF1", wxITEM_NORMAL, "", false},
                        {0, "", wxITEM_SEPARATOR, "", false},
                        {6900, "&Check for Update...", wxITEM_NORMAL, "Check for Update", false},
                        {0, "", wxITEM_SEPARATOR, "", false},
                        {6901, "About...", wxITEM_NORMAL, "", true}});
    // "&Highlighting" starts checked according to the console's highlight flag.
    EXPECT_TRUE(bar->IsChecked(7064));
}

// Spec 3.3
TEST_F(Part3_3_MainWindow, ToolbarHasTheSpecToolsInOrder) {
    const std::vector<ToolRow> rows = {
        {6105, "Save As...", "Save file (Ctrl+S)", wxITEM_NORMAL},
        {6102, "Open...", "Open file (Ctrl+O)", wxITEM_NORMAL},
        {0, "", "", wxITEM_SEPARATOR},
        {6142, "Copy", "Copy the seleted text (Ctrl+C)", wxITEM_NORMAL},
        {6141, "Cut", "Cut the seleted text (Ctrl+X)", wxITEM_NORMAL},
        {6143, "Paste", "Paste text (Ctrl+V)", wxITEM_NORMAL},
        {0, "", "", wxITEM_SEPARATOR},
        {7019, "Numeric Pad", "View the numeric pad (F8)", wxITEM_CHECK},
        {7020, "Variables", "View the variables list (F9)", wxITEM_CHECK},
        {0, "", "", wxITEM_SEPARATOR},
        {7021, "Functions", "View the functions list", wxITEM_NORMAL},
        {0, "", "", wxITEM_SEPARATOR},
        {7078, "Execute", "Execute the command", wxITEM_NORMAL},
        {0, "", "", wxITEM_SEPARATOR},
        {7026, "Topmost Window", "Topmost Window (Ctrl+T)", wxITEM_CHECK},
    };
    wxToolBar* tools = window->GetToolBar();
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->HasFlag(wxTB_HORIZONTAL));
    EXPECT_TRUE(tools->HasFlag(wxTB_FLAT));
    ASSERT_EQ(tools->GetToolsCount(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(static_cast<int>(i));
        if (rows[i].id == 0) {
            EXPECT_TRUE(tool->IsSeparator()) << "tool " << i;
            continue;
        }
        EXPECT_EQ(tool->GetId(), rows[i].id);
        EXPECT_EQ(tool->GetLabel(), rows[i].label);
        EXPECT_EQ(tool->GetShortHelp(), rows[i].tooltip);
        EXPECT_EQ(tool->GetKind(), rows[i].kind) << rows[i].label;
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << rows[i].label;
        EXPECT_EQ(tool->GetNormalBitmap().GetWidth(), window->FromDIP(16)) << rows[i].label;
    }
}

// Spec 3.3
TEST_F(Part3_3_MainWindow, AcceleratorTableHasTwentyEntriesWithBothLetterCases) {
    const std::vector<wxAcceleratorEntry> entries = ConsoleWindow::AcceleratorEntries();
    ASSERT_EQ(entries.size(), 20u);
    auto find = [&](int flags, int key) {
        for (const wxAcceleratorEntry& entry : entries)
            if (entry.GetFlags() == flags && entry.GetKeyCode() == key) return entry.GetCommand();
        return -1;
    };
    EXPECT_EQ(find(wxACCEL_NORMAL, WXK_F1), 6899);
    EXPECT_EQ(find(wxACCEL_NORMAL, WXK_F8), 7019);
    EXPECT_EQ(find(wxACCEL_NORMAL, WXK_F9), 7020);
    EXPECT_EQ(find(wxACCEL_NORMAL, WXK_F12), 7078);
    const struct { int key; int command; int flags; } letters[] = {
        {'R', 6144, wxACCEL_CTRL}, {'S', 6105, wxACCEL_CTRL}, {'O', 6102, wxACCEL_CTRL},
        {'N', 7019, wxACCEL_CTRL}, {'L', 7020, wxACCEL_CTRL}, {'Q', 6103, wxACCEL_CTRL},
        {'T', 7026, wxACCEL_CTRL}, {'V', 7066, wxACCEL_CTRL | wxACCEL_SHIFT},
    };
    for (const auto& letter : letters) {
        EXPECT_EQ(find(letter.flags, letter.key), letter.command) << char(letter.key);
        EXPECT_EQ(find(letter.flags, letter.key + 32), letter.command) << char(letter.key + 32);
    }
    // The table is installed on the frame: F8 maps to the keypad command.
    wxKeyEvent f8(wxEVT_KEY_DOWN);
    f8.m_keyCode = WXK_F8;
    ASSERT_NE(window->GetAcceleratorTable(), nullptr);
    EXPECT_EQ(window->GetAcceleratorTable()->GetCommand(f8), 7019);
}

// Spec 3.3: choosing "Binary" unchecks the other three base items on the next menu display.
TEST_F(Part3_3_MainWindow, BinaryUnchecksTheOtherThreeBaseItems) {
    wxMenuBar* bar = window->GetMenuBar();
    updateInterface();
    EXPECT_TRUE(bar->IsChecked(7069));
    command(7067);
    updateInterface();
    EXPECT_EQ(wxGetApp().interpreter().outputBase, 2);
    EXPECT_TRUE(bar->IsChecked(7067));
    EXPECT_FALSE(bar->IsChecked(7068));
    EXPECT_FALSE(bar->IsChecked(7069));
    EXPECT_FALSE(bar->IsChecked(7070));
    command(7070);
    updateInterface();
    EXPECT_EQ(wxGetApp().interpreter().outputBase, 16);
    EXPECT_FALSE(bar->IsChecked(7067));
    EXPECT_TRUE(bar->IsChecked(7070));
    command(7069);
    EXPECT_EQ(wxGetApp().interpreter().outputBase, 10);
}

/// The shown dialog of that window id whose parent is the main window, or null.
wxDialog* findDialog(wxWindow* parent, int id) {
    for (wxWindow* top : wxTopLevelWindows)
        if (top->GetId() == id && top->GetParent() == parent && !wxTheApp->IsScheduledForDestruction(top))
            return dynamic_cast<wxDialog*>(top);
    return nullptr;
}

// Spec 3.3: 7060 creates the colours dialog (id 7600, "Colors", not resizable) right of the window's
// right edge minus 1 and 60 pixels below its top, then hides it and shows it again; its own close
// destroys it and clears the pointer, so the next 7060 builds a new one.
TEST_F(Part3_3_MainWindow, ColorsCommandTogglesItsDialog) {
    command(7060);
    gui::pump(100);
    wxDialog* dialog = findDialog(window, 7600);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->GetTitle(), "Colors");
    EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
    const wxRect frame = window->GetRect();
    EXPECT_EQ(dialog->GetPosition().x, frame.x + frame.width - dialog->GetSize().x - 1);
    EXPECT_EQ(dialog->GetPosition().y, frame.y + 60);

    command(7060);
    EXPECT_FALSE(dialog->IsShown());
    command(7060);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(findDialog(window, 7600), dialog);

    dialog->Close();
    gui::pump(100);
    EXPECT_EQ(findDialog(window, 7600), nullptr);
    command(7060);
    gui::pump(100);
    wxDialog* again = findDialog(window, 7600);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->IsShown());
}

// Spec 3.3: closing with a tool dialog open destroys the dialog too.
TEST_F(Part3_3_MainWindow, ShutDownDestroysTheOpenToolDialogs) {
    command(7060);
    gui::pump(100);
    ASSERT_NE(findDialog(window, 7600), nullptr);
    window->Close();
    gui::pump(100);
    EXPECT_EQ(findDialog(window, 7600), nullptr);
    EXPECT_FALSE(isAlive());
}

// Spec 3.3: closing the main window writes the settings once and destroys the frame after the event.
TEST_F(Part3_3_MainWindow, CloseRequestWritesTheSettingsOnceAndDestroysTheFrame) {
    const wxString path = wxGetApp().folders().settingsPath();
    ASSERT_FALSE(path.empty());
    if (wxFileName::FileExists(path)) wxRemoveFile(path);
    window->Close();
    EXPECT_TRUE(wxFileName::FileExists(path));
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(window));
    // A second request before the delayed destruction must not save again.
    wxRemoveFile(path);
    window->Close();
    EXPECT_FALSE(wxFileName::FileExists(path));
    gui::pump();
    EXPECT_FALSE(isAlive());
}

// Spec 3.3: ShutDown closes every plot window (Part 1.3's plotCloseAll).
TEST_F(Part3_3_MainWindow, ShutDownClosesThePlotWindows) {
    const int handle = PlotFrame::plotNew(0, wxEmptyString, wxEmptyString, 640, 480, nullptr, nullptr);
    ASSERT_GT(handle, 0);
    gui::pump();
    ASSERT_TRUE(PlotFrame::plotExists(handle));
    command(6103);
    gui::pump();
    EXPECT_FALSE(PlotFrame::plotExists(handle));
    EXPECT_FALSE(isAlive());
}

// Spec 3.3: "Paste" stays in its last state for up to two seconds after the clipboard changes.
TEST_F(Part3_3_MainWindow, PasteStateIsHeldForTwoSeconds) {
    const wxLongLong start = window->GetPollTime();
    wxUpdateUIEvent early(6143);
    EXPECT_FALSE(window->UpdatePasteState(early, start + 1999));
    EXPECT_FALSE(early.GetSetEnabled());

    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(wxS("1+2")));
    wxTheClipboard->Close();
    console->DocumentEnd();
    wxUpdateUIEvent due(6143);
    EXPECT_TRUE(window->UpdatePasteState(due, start + 2000));
    EXPECT_TRUE(due.GetSetEnabled());
    EXPECT_TRUE(due.GetEnabled());
    EXPECT_EQ(window->GetPollTime(), start + 2000);

    // The caret leaves the input line: the change shows only after the next two seconds.
    run(wxS("1+2"));
    console->GotoPos(0);
    wxUpdateUIEvent held(6143);
    EXPECT_FALSE(window->UpdatePasteState(held, start + 3999));
    wxUpdateUIEvent next(6143);
    EXPECT_TRUE(window->UpdatePasteState(next, start + 4000));
    EXPECT_FALSE(next.GetEnabled());
}

// Spec 3.3 and 3.4: one dropped file is read into the command buffer; two files do nothing.
TEST_F(Part3_3_MainWindow, DroppingTwoFilesDoesNothing) {
    const wxString first = wxFileName::CreateTempFileName(wxS("delvo-drop"));
    const wxString second = wxFileName::CreateTempFileName(wxS("delvo-drop"));
    for (const wxString& path : {first, second}) {
        std::FILE* file = std::fopen(path.fn_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(path == first ? "1+2\nx=4\n" : "7*6\n", file);
        std::fclose(file);
    }
    const wxString before = console->GetCommandText();
    const wxString text = console->GetText();
    // The event owns (delete[]) its file array.
    auto* two = new wxString[2]{first, second};
    wxDropFilesEvent both(wxEVT_DROP_FILES, 2, two);
    window->GetEventHandler()->ProcessEvent(both);
    EXPECT_EQ(console->GetCommandText(), before);
    EXPECT_EQ(console->GetText(), text);

    auto* one = new wxString[1]{first};
    wxDropFilesEvent single(wxEVT_DROP_FILES, 1, one);
    window->GetEventHandler()->ProcessEvent(single);
    EXPECT_EQ(console->GetCommandText(), "x=4");
    EXPECT_EQ(console->GetText(), text);
    wxRemoveFile(first);
    wxRemoveFile(second);
}

// Spec 3.4: a dropped file that cannot be read shows "Cannot open file." and changes nothing.
TEST_F(Part3_3_MainWindow, DroppingAnUnreadableFileShowsCannotOpenFile) {
    gui::MessageBoxAnswer answer(wxOK);
    const wxString before = console->GetCommandText();
    auto* one = new wxString[1]{wxS("/nonexistent/delvo/none.txt")};
    wxDropFilesEvent drop(wxEVT_DROP_FILES, 1, one);
    window->GetEventHandler()->ProcessEvent(drop);
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(answer.requests[0].message, "Cannot open file.");
    EXPECT_EQ(answer.requests[0].caption, "DelvoCalculator");
    EXPECT_EQ(answer.requests[0].style, 0x104);
    EXPECT_EQ(answer.requests[0].parent, window);
    EXPECT_EQ(console->GetCommandText(), before);
}

// Spec 3.4 through 2.1: "help" without the manual shows the spec's message, without a parent.
TEST_F(Part3_3_MainWindow, InterpreterHelpWithoutTheManualShowsTheMessage) {
    gui::MessageBoxAnswer answer(wxOK);
    const std::wstring helpPath = wxGetApp().helpPath;
    wxGetApp().helpPath = L"/nonexistent/delvo/doc/tallyx.pdf";
    run(wxS("help"));
    wxGetApp().helpPath = helpPath;
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(answer.requests[0].message, "Cannot display help file: PDF associated application not found.");
    EXPECT_EQ(answer.requests[0].caption, "DelvoCalculator");
    EXPECT_EQ(answer.requests[0].style, 0x104);
    EXPECT_EQ(answer.requests[0].parent, nullptr);
}

// Spec 3.4 through 2.1: "save" with more than 256 console lines refuses before any file dialog.
TEST_F(Part3_3_MainWindow, InterpreterSaveOfALongConsoleShowsCannotSave) {
    gui::MessageBoxAnswer answer(wxOK);
    wxString lines;
    for (int i = 0; i < 300; ++i) lines << wxS("0\n");
    console->SetText(lines);
    run(wxS("save"));
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(answer.requests[0].message, "Cannot save console content.");
    EXPECT_EQ(answer.requests[0].parent, window);
}

// Spec 3.3: the first paint gives the console the keyboard focus.
TEST_F(Part3_3_MainWindow, FirstPaintFocusesTheConsole) {
    window->Refresh();
    window->Update();
    gui::pump();
    EXPECT_TRUE(window->IsFirstPaintDone());
    EXPECT_EQ(wxWindow::FindFocus(), console);
}

// Spec 3.3 and 2.1: "cls" reaches the window's ClearConsole through the interpreter.
TEST_F(Part3_3_MainWindow, InterpreterClsClearsTheConsoleThroughTheWindow) {
    run(wxS("1+2"));
    ASSERT_GT(console->GetLineCount(), 2);
    run(wxS("cls"));
    EXPECT_EQ(console->GetText(), "");
    EXPECT_EQ(console->GetLineCount(), 1);
}

// Spec 3.3: "exit" shuts down; the frame goes only after the line has finished.
TEST_F(Part3_3_MainWindow, InterpreterExitDestroysTheFrameAfterTheLine) {
    console->DocumentEnd();
    console->AddText(wxS("exit"));
    console->ExecuteLine();
    EXPECT_FALSE(console->IsBusy());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(window));
    gui::pump();
    EXPECT_FALSE(isAlive());
}

// Spec 1.1, step 7: the normal start keeps the interpreter's variables (what "-show" after a batch relies
// on), sets auto format, and gives the console the default font and the console's default colours.
TEST_F(Part3_3_MainWindow, NormalStartKeepsTheVariablesAndSetsTheDefaults) {
    window->Destroy();
    gui::pump();
    std::wstring out;
    ASSERT_TRUE(wxGetApp().evaluateLine(L"k=7", &out));
    wxGetApp().interpreter().format.mode = 0;
    ASSERT_TRUE(wxGetApp().OnInit());
    window = wxGetApp().mainWindow();
    ASSERT_NE(window, nullptr);
    console = window->GetConsole();
    EXPECT_EQ(wxGetApp().interpreter().format.mode, 1);
    ASSERT_TRUE(wxGetApp().evaluateLine(L"k", &out));
    EXPECT_EQ(out, L"7");

    const DelvoApp& app = wxGetApp();
    EXPECT_EQ(app.consoleFont.getFaceName(), L"Consolas");
    EXPECT_EQ(app.consoleFont.color.toInt(), 0x202020u);
    EXPECT_EQ(app.syntaxColors[0], 0xFFFFFFu);
    EXPECT_EQ(app.syntaxColors[1], 0xC00000u);
    EXPECT_EQ(app.syntaxColors[2], 0x800000u);
    EXPECT_EQ(app.syntaxColors[3], 0x808000u);
    EXPECT_EQ(app.syntaxColors[4], 0xF6D0ABu);
    EXPECT_EQ(console->preferences().styles[0].foreground, 0x202020u);
    EXPECT_EQ(console->preferences().styles[0].getFaceName(), L"Consolas");
}

// Spec 3.3: the window commands are installed while the window lives and removed with it.
TEST_F(Part3_3_MainWindow, WindowCommandsLeaveWithTheWindow) {
    window->Destroy();
    gui::pump();
    ASSERT_FALSE(isAlive());
    std::wstring out;
    // Without a window, "cls" answers like batch mode and touches nothing.
    EXPECT_TRUE(wxGetApp().evaluateLine(L"cls", &out));
}

// Spec 3.3: 7066 toggles the verbose flag; the check item follows it.
TEST_F(Part3_3_MainWindow, VerboseToggles) {
    Interpreter& interpreter = wxGetApp().interpreter();
    const bool before = interpreter.verbose;
    command(7066);
    updateInterface();
    EXPECT_EQ(interpreter.verbose, !before);
    EXPECT_EQ(window->GetMenuBar()->IsChecked(7066), !before);
    command(7066);
    updateInterface();
    EXPECT_EQ(interpreter.verbose, before);
    EXPECT_EQ(window->GetMenuBar()->IsChecked(7066), before);
}

// Spec 3.3: 7026 toggles the stay-on-top bit; menu item and tool follow it.
TEST_F(Part3_3_MainWindow, AlwaysOnTopToggles) {
    ASSERT_FALSE(window->HasFlag(wxSTAY_ON_TOP));
    command(7026);
    updateInterface();
    EXPECT_TRUE(window->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(window->GetMenuBar()->IsChecked(7026));
    EXPECT_TRUE(window->GetToolBar()->GetToolState(7026));
    command(7026);
    updateInterface();
    EXPECT_FALSE(window->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(window->GetMenuBar()->IsChecked(7026));
    EXPECT_FALSE(window->GetToolBar()->GetToolState(7026));
}

// Spec 3.3: 7064 switches the console's highlighting; the change is not stored anywhere else.
TEST_F(Part3_3_MainWindow, HighlightingToggles) {
    ASSERT_TRUE(window->GetHighlighting());
    command(7064);
    updateInterface();
    EXPECT_FALSE(window->GetHighlighting());
    EXPECT_FALSE(window->GetMenuBar()->IsChecked(7064));
    command(7064);
    EXPECT_TRUE(window->GetHighlighting());
}

// Spec 3.3: Copy is enabled with a selection; Cut only within the input with the caret on the input line.
TEST_F(Part3_3_MainWindow, CopyAndCutFollowTheSelection) {
    run(wxS("1+2"));
    console->DocumentEnd();
    updateInterface();
    EXPECT_FALSE(window->GetToolBar()->GetToolEnabled(6142));
    EXPECT_FALSE(window->GetToolBar()->GetToolEnabled(6141));
    console->SetSelection(0, 3);
    updateInterface();
    EXPECT_TRUE(window->GetToolBar()->GetToolEnabled(6142));
    EXPECT_FALSE(window->GetToolBar()->GetToolEnabled(6141));
    console->DocumentEnd();
    const int input = console->GetCurrentPos();
    console->AddText(wxS("abc"));
    console->SetSelection(input, input + 2);
    updateInterface();
    EXPECT_TRUE(window->GetToolBar()->GetToolEnabled(6141));
}

// Spec 3.2 through 3.3: the font and colour operations rewrite the console's record.
TEST_F(Part3_3_MainWindow, ApplyConsoleFontAndColorsRewriteTheRecord) {
    lmFont font;
    font.setFaceName(L"DejaVu Sans Mono");
    font.size = 14;
    font.weight = lmFont::kBold;
    font.setColor(lmColor::fromInt(0x102030));
    window->ApplyConsoleFont(font);
    const EditorPrefs& prefs = console->preferences();
    for (const StyleEntry& entry : prefs.styles) {
        EXPECT_EQ(entry.getFaceName(), L"DejaVu Sans Mono");
        EXPECT_EQ(entry.size, 14);
        EXPECT_EQ(entry.fontStyle, 1);
    }
    EXPECT_EQ(prefs.styles[0].foreground, 0x102030u);

    window->ApplyConsoleColors(0x111111, 0xEEEEEE, 0x0000C0, 0x008000, 0x800000, 0x00FFFF);
    const EditorPrefs& colours = console->preferences();
    EXPECT_EQ(colours.styles[0].foreground, 0x111111u);
    EXPECT_EQ(colours.styles[1].foreground, 0x111111u);
    EXPECT_EQ(colours.styles[5].foreground, 0x0000C0u);
    EXPECT_EQ(colours.styles[10].foreground, 0x008000u);
    EXPECT_EQ(colours.styles[4].foreground, 0x800000u);
    EXPECT_EQ(colours.styles[22].background, 0x00FFFFu);
}

/// Saves the screen area of rect as a PNG with ImageMagick's import: unlike a wxScreenDC copy, it also
/// catches the pop-up menus drawn over the window.
bool saveScreenArea(const wxRect& rect, const wxString& path) {
    gui::pump(150);
    const wxRect area = rect.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
    const wxString command = wxString::Format(wxS("import -window root -crop %dx%d+%d+%d +repage '%s'"),
                                              area.width, area.height, area.x, area.y, path);
    return std::system(command.utf8_str()) == 0 && wxFileName::FileExists(path);
}

// Spec 3.3: how the window looks after a few lines, with the Insert menu and its Constants submenu
// open (real key strokes through XTest). The PNGs go to gui::outputDir(); docs/screenshots keeps copies.
TEST_F(Part3_3_MainWindow, Screenshots) {
    for (const char* line : {"1+2", "x = 2^10", "sqrt(x)*pi", "q", "plot("}) run(line);
    console->DocumentEnd();
    console->AddText(wxS("2*sin("));
    // A plain backdrop stands in for the desktop that Xvfb lacks (its root window is black).
    auto* backdrop = new wxFrame(nullptr, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxGetDisplaySize(),
                                 wxBORDER_NONE | wxFRAME_NO_TASKBAR);
    backdrop->SetBackgroundColour(wxColour(0x5E, 0x81, 0xAC));
    backdrop->Show();
    gui::pump(100);
    window->Raise();
    ASSERT_TRUE(gui::focus(console));
    const wxString dir = gui::outputDir();
    const wxRect frame = window->GetScreenRect().Inflate(12);
    EXPECT_TRUE(saveScreenArea(frame, dir + "/window_console.png"));

    // A click on "Insert" opens the menu; resting on its last entry opens "Constants". The offsets are
    // those of the default theme's layout; a miss only leaves the menu closed in the picture.
    const wxPoint title = window->GetMenuBar()->GetScreenPosition();
    wxUIActionSimulator mouse;
    mouse.MouseMove(title.x + 154, title.y + 12);
    gui::pump(100);
    mouse.MouseClick();
    gui::pump(400);
    mouse.MouseMove(title.x + 190, title.y + 241);
    gui::pump(800);
    EXPECT_TRUE(saveScreenArea(wxRect(frame.x, frame.y, std::max(frame.width, 500), frame.height + 190),
                               dir + "/window_insert_menu.png"));
    for (int i = 0; i < 3; ++i) gui::simulateKey(WXK_ESCAPE);
    gui::pump(200);

    mouse.MouseMove(title.x + 212, title.y + 12);
    gui::pump(100);
    mouse.MouseClick();
    gui::pump(600);
    EXPECT_TRUE(saveScreenArea(frame,
                               dir + "/window_options_menu.png"));
    for (int i = 0; i < 2; ++i) gui::simulateKey(WXK_ESCAPE);

#ifdef __WXGTK__
    // GTK's native About box is not modal, so the real one can be shown here; Escape closes it.
    wxAboutBox(makeAboutInfo(), window);
    gui::pump(500);
    const wxPoint centre(frame.x + frame.width / 2, frame.y + frame.height / 2);
    EXPECT_TRUE(saveScreenArea(wxRect(centre.x - 260, centre.y - 170, 520, 340), dir + "/window_about.png"));
    gui::simulateKey(WXK_ESCAPE);
#endif
    backdrop->Destroy();
    gui::pump(100);
}

}  // namespace
