// SPDX-License-Identifier: MIT
// The main window under Xvfb: frame, menus, the functions menu, toolbar, accelerators, About, commands,
// shutdown and dropped files.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include <wx/dialog.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/toolbar.h>

#include "console/functions_menu.h"
#include "engine/function_table.h"
#include "libs/graph/plot_frame.h"
#include "tests/window_test_fixture.h"

namespace {

using MainWindow = MainWindowTest;
using FunctionsMenu = MainWindowTest;
using Rows = std::vector<std::string>;

TEST_F(MainWindow, FrameHasIdTitleStyleAndOneConsole) {
    EXPECT_EQ(window->GetId(), 7000);
    EXPECT_EQ(window->GetTitle(), "DelvoCalculator");
    const long frameBits = wxCAPTION | wxMINIMIZE_BOX | wxCLOSE_BOX | wxRESIZE_BORDER;
    EXPECT_EQ(window->GetWindowStyleFlag() & (frameBits | wxMAXIMIZE_BOX), frameBits);
    EXPECT_EQ(console->GetId(), 6999);
    EXPECT_EQ(console->GetName(), "Console");
    EXPECT_EQ(console->GetHelpText(), "Console");
    EXPECT_EQ(wxGetApp().GetTopWindow(), window);
    EXPECT_EQ(wxGetApp().interpreter().format.mode, 1);
    EXPECT_TRUE(window->GetIcons().GetIcon(16).IsOk());
    // The style table is applied by the normal start: fixed-pitch face, the console's background.
    EXPECT_EQ(console->StyleGetFaceName(0), CodeEdit::resolveFixedFace(EditorPrefs::kDefaultFace));
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_DEFAULT), CodeEdit::toColour(0xF7F7F7));
}

/// A menu item or tool as "id|label|help", with "|check" for a check item and "|icon" for a bitmap; "-" for a
/// separator.
std::string itemText(int id, const wxString& label, wxItemKind kind, const wxString& help, bool icon) {
    if (kind == wxITEM_SEPARATOR) return "-";
    return wxString::Format("%d|%s|%s%s%s", id, label, help, kind == wxITEM_CHECK ? "|check" : "", icon ? "|icon" : "")
        .ToStdString();
}

TEST_F(MainWindow, MenusHaveTheirLabelsIdsKindsAndHelpTexts) {
    wxMenuBar* bar = window->GetMenuBar();
    const std::pair<const char*, Rows> menus[] = {
        {"File", {"6105|Save As...\tCtrl+S||icon", "6102|Open...\tCtrl+O||icon", "-", "6103|Close\tCtrl+Q||icon"}},
        {"Edit", {"6142|Copy\tCtrl+C||icon", "6141|Cut\tCtrl+X||icon", "6143|Paste\tCtrl+V||icon", "-",
                  "6144|Reset\tCtrl+R||icon"}},
        {"View", {"7019|Numeric Pad\tF8||icon", "7020|Variables\tF9||icon", "7022|Solver|Solver|check",
                  "7023|Unit Converter|Unit Converter|check", "7024|Base Converter|Base Converter|check", "-",
                  "7026|Always On Top|Keep on top of the all other windows|check"}},
        {"Insert", {}},  // its items are the functions menu's, checked with it
        {"Options", {"7060|Colors...||icon", "7064|&Highlighting|Enable or disable highlighting|check", "-",
                     "7066|Verbose\tCtrl+Shift+V|Enable or disable the verbose mode|check", "-",
                     "7067|Binary|Set output base to binary|check", "7068|Octal|Set output base to octal|check",
                     "7069|Decimal|Set output base to decimal|check",
                     "7070|Hexadecimal|Set output base to hexadecimal|check", "-",
                     "7071|Live Answer|Show the value of the input line while typing|check",
                     "7072|Angle|The unit of sin, cos, tan and their inverses"}},
        {"Run", {"7078|&Execute\tF12|Execute the command|icon"}},
        {"Help", {"6899|Contents (PDF)\tF1|", "-", "6900|&Check for Update...|Check for Update", "-",
                  "6901|About...||icon"}},
    };
    ASSERT_EQ(bar->GetMenuCount(), std::size(menus));
    for (size_t i = 0; i < std::size(menus); ++i) {
        const auto& [title, rows] = menus[i];
        EXPECT_EQ(bar->GetMenuLabelText(i), title);
        if (rows.empty()) continue;
        Rows items;
        for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
            items.push_back(itemText(item->GetId(), item->GetItemLabel(), item->GetKind(), item->GetHelp(),
                                     item->GetBitmap().IsOk()));
        EXPECT_EQ(items, rows) << title;
    }
    EXPECT_TRUE(bar->IsChecked(7064));  // follows the console's highlight flag
    // Live Answer starts on; unchecking it turns the console's live answer off for the run.
    EXPECT_TRUE(bar->IsChecked(7071));
    bar->Check(7071, false);
    wxCommandEvent uncheck(wxEVT_MENU, 7071);
    uncheck.SetInt(0);
    window->GetEventHandler()->ProcessEvent(uncheck);
    EXPECT_FALSE(window->GetConsole()->liveAnswer().enabled());
}

TEST_F(MainWindow, ToolbarHasItsToolsInOrder) {
    const Rows expected = {
        "6105|Save As...|Save file (Ctrl+S)", "6102|Open...|Open file (Ctrl+O)", "-",
        "6142|Copy|Copy the seleted text (Ctrl+C)", "6141|Cut|Cut the seleted text (Ctrl+X)",
        "6143|Paste|Paste text (Ctrl+V)", "-", "7019|Numeric Pad|View the numeric pad (F8)|check",
        "7020|Variables|View the variables list (F9)|check", "-", "7021|Functions|View the functions list", "-",
        "7078|Execute|Execute the command", "-", "7026|Topmost Window|Topmost Window (Ctrl+T)|check",
    };
    wxToolBar* tools = window->GetToolBar();
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->HasFlag(wxTB_HORIZONTAL) && tools->HasFlag(wxTB_FLAT));
    Rows items;
    for (size_t i = 0; i < tools->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = tools->GetToolByPos(static_cast<int>(i));
        items.push_back(itemText(tool->GetId(), tool->GetLabel(), tool->IsSeparator() ? wxITEM_SEPARATOR : tool->GetKind(),
                                 tool->GetShortHelp(), false));
        if (!tool->IsSeparator()) { EXPECT_EQ(tool->GetNormalBitmap().GetWidth(), window->FromDIP(16)) << i; }
    }
    EXPECT_EQ(items, expected);
}

TEST_F(MainWindow, AcceleratorTableHasTwentyEntriesWithBothLetterCases) {
    const std::vector<wxAcceleratorEntry> entries = ConsoleWindow::AcceleratorEntries();
    ASSERT_EQ(entries.size(), 20u);
    auto find = [&](int flags, int key) {
        for (const wxAcceleratorEntry& entry : entries)
            if (entry.GetFlags() == flags && entry.GetKeyCode() == key) return entry.GetCommand();
        return -1;
    };
    const struct {
        int key, command, flags;
    } rows[] = {
        {WXK_F1, 6899, wxACCEL_NORMAL}, {WXK_F8, 7019, wxACCEL_NORMAL}, {WXK_F9, 7020, wxACCEL_NORMAL},
        {WXK_F12, 7078, wxACCEL_NORMAL}, {'R', 6144, wxACCEL_CTRL}, {'S', 6105, wxACCEL_CTRL},
        {'O', 6102, wxACCEL_CTRL}, {'N', 7019, wxACCEL_CTRL}, {'L', 7020, wxACCEL_CTRL},
        {'Q', 6103, wxACCEL_CTRL}, {'T', 7026, wxACCEL_CTRL}, {'V', 7066, wxACCEL_CTRL | wxACCEL_SHIFT},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(find(row.flags, row.key), row.command) << row.key;
        if (row.key < 128) { EXPECT_EQ(find(row.flags, row.key + 32), row.command) << char(row.key + 32); }
    }
    wxKeyEvent f8(wxEVT_KEY_DOWN);
    f8.m_keyCode = WXK_F8;
    ASSERT_NE(window->GetAcceleratorTable(), nullptr);
    EXPECT_EQ(window->GetAcceleratorTable()->GetCommand(f8), 7019);
}

TEST_F(MainWindow, BaseItemsSetTheOutputBaseAndCheckOnlyTheirOwn) {
    updateInterface();
    EXPECT_TRUE(window->GetMenuBar()->IsChecked(7069));
    const int bases[] = {2, 8, 10, 16};
    for (const int chosen : {7067, 7070, 7068, 7069}) {
        command(chosen);
        updateInterface();
        EXPECT_EQ(wxGetApp().interpreter().outputBase, bases[chosen - 7067]);
        for (int id = 7067; id <= 7070; ++id) EXPECT_EQ(window->GetMenuBar()->IsChecked(id), id == chosen) << id;
    }
}

TEST_F(MainWindow, CheckCommandsToggleTheirStateAndItem) {
    const std::pair<int, std::function<bool()>> rows[] = {
        {7066, [] { return wxGetApp().interpreter().verbose; }},
        {7026, [this] { return window->HasFlag(wxSTAY_ON_TOP); }},
        {7064, [this] { return window->GetHighlighting(); }},
    };
    EXPECT_FALSE(window->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(window->GetHighlighting());
    for (const auto& [id, state] : rows) {
        const bool before = state();
        for (const bool expected : {!before, before}) {
            command(id);
            updateInterface();
            EXPECT_EQ(state(), expected) << id;
            EXPECT_EQ(window->GetMenuBar()->IsChecked(id), expected) << id;
            if (id == 7026) { EXPECT_EQ(window->GetToolBar()->GetToolState(7026), expected); }
        }
    }
}

/// The shown dialog of that window id whose parent is the main window, or null.
wxDialog* findDialog(wxWindow* parent, int id) {
    for (wxWindow* top : wxTopLevelWindows)
        if (top->GetId() == id && top->GetParent() == parent && !wxTheApp->IsScheduledForDestruction(top))
            return dynamic_cast<wxDialog*>(top);
    return nullptr;
}

// The colours dialog opens 1 pixel inside the frame's right edge and 60 below its top; the command hides and
// shows it; its own close destroys it, so the next command builds a new one.
TEST_F(MainWindow, ColorsCommandTogglesItsDialog) {
    command(7060);
    gui::pump(100);
    wxDialog* dialog = findDialog(window, 7600);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->GetTitle(), "Colors");
    EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
    const wxRect frame = window->GetRect();
    EXPECT_EQ(dialog->GetPosition(), wxPoint(frame.x + frame.width - dialog->GetSize().x - 1, frame.y + 60));
    for (const bool shown : {false, true}) {
        command(7060);
        EXPECT_EQ(dialog->IsShown(), shown);
    }
    EXPECT_EQ(findDialog(window, 7600), dialog);
    dialog->Close();
    gui::pump(100);
    EXPECT_EQ(findDialog(window, 7600), nullptr);
    command(7060);
    gui::pump(100);
    ASSERT_NE(findDialog(window, 7600), nullptr);
    EXPECT_TRUE(findDialog(window, 7600)->IsShown());
}

TEST_F(MainWindow, CloseSavesOnceAndTakesToolDialogsAndPlotsAlong) {
    const wxString path = wxGetApp().folders().settingsPath();
    ASSERT_FALSE(path.empty());
    if (wxFileName::FileExists(path)) wxRemoveFile(path);
    command(7060);
    const int plot = PlotFrame::plotNew(wxEmptyString, wxEmptyString, 640, 480);
    gui::pump(100);
    ASSERT_NE(findDialog(window, 7600), nullptr);
    ASSERT_TRUE(PlotFrame::plotExists(plot));
    command(6103);
    EXPECT_TRUE(wxFileName::FileExists(path));
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(window));
    // A second request before the delayed destruction must not save again.
    wxRemoveFile(path);
    window->Close();
    EXPECT_FALSE(wxFileName::FileExists(path));
    gui::pump(100);
    EXPECT_EQ(findDialog(window, 7600), nullptr);
    EXPECT_FALSE(PlotFrame::plotExists(plot));
    EXPECT_FALSE(isAlive());
}

TEST_F(MainWindow, InterpreterExitDestroysTheFrameAfterTheLine) {
    console->DocumentEnd();
    console->AddText(wxS("exit"));
    console->ExecuteLine();
    EXPECT_FALSE(console->IsBusy());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(window));
    gui::pump();
    EXPECT_FALSE(isAlive());
}

// "Paste" keeps its last state for up to two seconds after the clipboard changes.
TEST_F(MainWindow, PasteStateIsHeldForTwoSeconds) {
    const wxLongLong start = window->GetPollTime();
    wxUpdateUIEvent early(6143);
    EXPECT_FALSE(window->UpdatePasteState(early, start + 1999));
    EXPECT_FALSE(early.GetSetEnabled());
    gui::setClipboardText(wxS("1+2"));
    console->DocumentEnd();
    wxUpdateUIEvent due(6143);
    EXPECT_TRUE(window->UpdatePasteState(due, start + 2000));
    EXPECT_TRUE(due.GetSetEnabled() && due.GetEnabled());
    EXPECT_EQ(window->GetPollTime(), start + 2000);
    // The caret leaves the input line: the change shows only after the next two seconds.
    run(wxS("1+2"));
    console->GotoPos(0);
    wxUpdateUIEvent held(6143), next(6143);
    EXPECT_FALSE(window->UpdatePasteState(held, start + 3999));
    EXPECT_TRUE(window->UpdatePasteState(next, start + 4000));
    EXPECT_FALSE(next.GetEnabled());
}

/// A fresh folder under /tmp for a test's files.
std::string makeFolder() {
    char pattern[] = "/tmp/delvo-window-XXXXXX";
    return mkdtemp(pattern) ? std::string(pattern) : std::string();
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Save As writes the console's lines through the file chooser, a line feed between two lines, and keeps the
// selection; Open reads a file chosen the same way into the command buffer. Cancelled, neither does anything;
// a file that cannot be made is reported.
TEST_F(MainWindow, SaveAsAndOpenGoThroughTheFileChoosers) {
    const std::string folder = makeFolder();
    ASSERT_FALSE(folder.empty());
    run(wxS("1+2"));
    run(wxS("2*3"));
    console->SetSelection(1, 3);
    const char* saveTitle = "DelvoCalculator Save As";
    EXPECT_TRUE(gui::answerFileChooser(saveTitle, folder + "/console.txt", [this] { command(ID_FILE_SAVE_AS); }));
    EXPECT_EQ(fileText(folder + "/console.txt"), "1+2\n3\n2*3\n6\n");
    EXPECT_EQ(console->GetSelectionStart(), 1);
    EXPECT_EQ(console->GetSelectionEnd(), 3);
    EXPECT_TRUE(gui::answerFileChooser(saveTitle, "", [this] { command(ID_FILE_SAVE_AS); }));
    {
        gui::MessageBoxAnswer answer(wxOK);
        EXPECT_TRUE(gui::answerFileChooser(saveTitle, "/proc/self/console.txt", [this] { command(ID_FILE_SAVE_AS); }));
        ASSERT_EQ(answer.requests.size(), 1u);
        EXPECT_EQ(gui::requestText(answer.requests[0]), "Cannot save console content.|DelvoCalculator|104|||");
    }
    std::ofstream(folder + "/input.txt") << "5*5\nk=4\n";
    const char* openTitle = "DelvoCalculator Open";
    EXPECT_TRUE(gui::answerFileChooser(openTitle, "", [this] { command(ID_FILE_OPEN); }));
    EXPECT_EQ(console->GetCommandText(), "2*3");  // the last line run
    EXPECT_TRUE(gui::answerFileChooser(openTitle, folder + "/input.txt", [this] { command(ID_FILE_OPEN); }));
    EXPECT_EQ(console->GetCommandText(), "k=4");
    EXPECT_EQ(console->GetSelectionStart(), 1);
    std::system(("rm -rf " + folder).c_str());
}

// One dropped file goes to the command buffer; two files do nothing; an unreadable one is reported.
TEST_F(MainWindow, DroppedFilesFillTheCommandBuffer) {
    const wxString first = wxFileName::CreateTempFileName(wxS("delvo-drop"));
    const wxString second = wxFileName::CreateTempFileName(wxS("delvo-drop"));
    ASSERT_TRUE(wxFile(first, wxFile::write).Write(wxS("1+2\nx=4\n")));
    ASSERT_TRUE(wxFile(second, wxFile::write).Write(wxS("7*6\n")));
    const wxString before = console->GetCommandText(), text = console->GetText();
    const auto drop = [this](std::vector<wxString> paths) {
        auto* files = new wxString[paths.size()];  // the event deletes the array
        std::copy(paths.begin(), paths.end(), files);
        wxDropFilesEvent event(wxEVT_DROP_FILES, static_cast<int>(paths.size()), files);
        window->GetEventHandler()->ProcessEvent(event);
    };
    gui::MessageBoxAnswer answer(wxOK);
    drop({first, second});
    drop({wxS("/nonexistent/delvo/none.txt")});
    EXPECT_EQ(console->GetCommandText(), before);
    drop({first});
    EXPECT_EQ(console->GetCommandText(), "x=4");
    EXPECT_EQ(console->GetText(), text);
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(gui::requestText(answer.requests[0]), "Cannot open file.|DelvoCalculator|104|||");
    EXPECT_EQ(answer.requests[0].parent, window);
    wxRemoveFile(first);
    wxRemoveFile(second);
}

// A file is read line by line into the command buffer, which keeps the last line read: at most 256 lines, bytes
// that are not UTF-8 as Latin-1, a line starting with a zero byte skipped.
TEST_F(MainWindow, OpenedFilesKeepTheLastOfTheirFirst256Lines) {
    const std::string folder = makeFolder();
    ASSERT_FALSE(folder.empty());
    std::string many;
    for (int i = 1; i <= 257; ++i) many += std::to_string(i) + "\n";
    const struct {
        std::string bytes;
        const char* command;
    } rows[] = {
        {many, "256"},
        {"x=\xE9t\xE9\n", "x=\u00e9t\u00e9"},
        {std::string("ok\n\0tail\n", 9), "ok"},
    };
    for (const auto& row : rows) {
        std::ofstream(folder + "/in.txt", std::ios::binary) << row.bytes;
        window->OpenConsoleFile(wxString::FromUTF8(folder + "/in.txt"));
        EXPECT_EQ(console->GetCommandText(), wxString::FromUTF8(row.command)) << row.command;
    }
    std::system(("rm -rf " + folder).c_str());
}

// The Edit and Run menus act on the console as its own keys do.
TEST_F(MainWindow, EditAndRunCommandsReachTheConsole) {
    run(wxS("12+3"));
    console->AddText(wxS("45"));
    const int input = console->GetInputStart(2);
    const struct {
        int id;
        int selectFrom, selectTo;  // within the input line
        const char* input;
        const char* clipboard;
    } rows[] = {
        {ID_EDIT_COPY, 0, 1, "45", "4"},
        {ID_EDIT_CUT, 0, 1, "5", "4"},
        {ID_EDIT_PASTE, 1, 1, "54", "4"},
    };
    for (const auto& row : rows) {
        console->SetSelection(input + row.selectFrom, input + row.selectTo);
        command(row.id);
        gui::pump(20);
        EXPECT_EQ(console->GetLineText(2), row.input) << row.id;
        EXPECT_EQ(gui::clipboardText(), row.clipboard) << row.id;
    }
    command(ID_RUN_EXECUTE);
    EXPECT_EQ(console->GetText(), "12+3\n15\n54\n54\n");
    gui::MessageBoxAnswer answer(wxYES);
    command(ID_EDIT_RESET);
    EXPECT_EQ(console->GetText(), "");
    EXPECT_EQ(answer.requests.size(), 1u);
}

// F1 opens the manual with the desktop's viewer (xdg-open, here a recorder first on PATH); without a viewer the
// message says where the manual is.
TEST_F(MainWindow, HelpOpensTheManualWithTheDesktopsViewer) {
    const std::string folder = makeFolder();
    ASSERT_FALSE(folder.empty());
    const std::string manual = folder + "/tallyx.pdf", record = folder + "/opened.txt";
    std::ofstream(manual) << "%PDF-1.4\n";
    std::ofstream(folder + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << record << "'\n";
    std::system(("chmod 755 " + folder + "/xdg-open; mkdir " + folder + "/empty").c_str());
    const std::wstring helpPath = wxGetApp().helpPath();
    wxGetApp().setHelpPath(wxString::FromUTF8(manual).ToStdWstring());
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", folder.c_str(), 1);
    command(ID_HELP_CONTENTS);
    EXPECT_TRUE(gui::pumpUntil([&] { return fileText(record) == manual + "\n"; }, 5000)) << fileText(record);
    setenv("PATH", (folder + "/empty").c_str(), 1);
    {
        gui::MessageBoxAnswer answer(wxOK);
        command(ID_HELP_CONTENTS);
        ASSERT_EQ(answer.requests.size(), 1u);
        EXPECT_EQ(gui::requestText(answer.requests[0]),
                  "Cannot display help file. It is located in Quarn/doc.|DelvoCalculator|104|||");
    }
    setenv("PATH", path.c_str(), 1);
    wxGetApp().setHelpPath(helpPath);
    std::system(("rm -rf " + folder).c_str());
}

// While a line runs (here "help", whose message box waits for its answer) the console takes no key, command or
// menu item that would change or run the input; the line ends as usual afterwards.
TEST_F(MainWindow, WhileALineRunsTheConsoleTakesNoInput) {
    run(wxS("1+1"));
    gui::setClipboardText(wxS("5"));
    const std::wstring helpPath = wxGetApp().helpPath();
    wxGetApp().setHelpPath(L"/nonexistent/delvo/doc/tallyx.pdf");
    bool asked = false;
    setMessageBoxResponder([&](const MessageBoxRequest&) {
        asked = true;
        EXPECT_TRUE(console->IsBusy());
        const wxString text = console->GetText();
        for (const int key : {int('7'), int(WXK_RETURN), int(WXK_ESCAPE), int(WXK_UP)}) gui::sendKey(console, key);
        for (const int id : {ID_RUN_EXECUTE, ID_CONSOLE_RESET}) {
            wxCommandEvent event(wxEVT_MENU, id);
            console->GetEventHandler()->ProcessEvent(event);
        }
        console->ResetConsole();
        console->ExecuteLine();
        const int input = console->GetInputStart(console->GetLineCount() - 1);
        console->SetSelection(input, input + 2);
        std::unique_ptr<wxMenu> menu(console->CreateContextMenu());
        EXPECT_NE(menu->FindItem(ID_CONSOLE_COPY), nullptr);
        EXPECT_EQ(menu->FindItem(ID_CONSOLE_CUT), nullptr);
        EXPECT_EQ(menu->FindItem(ID_CONSOLE_PASTE), nullptr);
        console->SetEmptySelection(console->GetLength());
        EXPECT_EQ(console->GetText(), text);
        return wxOK;
    });
    run(wxS("help"));
    setMessageBoxResponder(nullptr);
    wxGetApp().setHelpPath(helpPath);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(console->IsBusy());
    EXPECT_EQ(console->GetText(), "1+1\n2\nhelp\ndone.\n");
}

// "help" without the manual and "save" of more than 256 lines refuse with a message, before any other window.
TEST_F(MainWindow, InterpreterHelpAndSaveReportWhatTheyCannotDo) {
    gui::MessageBoxAnswer answer(wxOK);
    const std::wstring helpPath = wxGetApp().helpPath();
    wxGetApp().setHelpPath(L"/nonexistent/delvo/doc/tallyx.pdf");
    wxString lines;
    for (int i = 0; i < 300; ++i) lines << wxS("0\n");
    console->SetText(lines);
    run(wxS("help"));
    wxGetApp().setHelpPath(helpPath);
    run(wxS("save"));
    ASSERT_EQ(answer.requests.size(), 2u);
    EXPECT_EQ(gui::requestText(answer.requests[0]),
              "Cannot display help file: PDF associated application not found.|DelvoCalculator|104|||");
    EXPECT_EQ(answer.requests[0].parent, nullptr);
    EXPECT_EQ(gui::requestText(answer.requests[1]), "Cannot save console content.|DelvoCalculator|104|||");
    EXPECT_EQ(answer.requests[1].parent, window);
}

TEST_F(MainWindow, FirstPaintFocusesTheConsoleAndClsClearsIt) {
    window->Refresh();
    window->Update();
    gui::pump();
    EXPECT_TRUE(window->IsFirstPaintDone());
    EXPECT_EQ(wxWindow::FindFocus(), console);
    // "cls" clears the console from inside the line it runs in: one empty prompt, history kept, no undo.
    run(wxS("1+2"));
    run(wxS("cls"));
    EXPECT_EQ(console->GetText(), "");
    EXPECT_EQ(console->MarkerGet(0), 1 << ConsoleEdit::PROMPT_MARKER);
    EXPECT_EQ(console->GetHistoryEntry(console->GetHistoryCount() - 1), "cls");
    EXPECT_FALSE(console->CanUndo());
}

// The normal start keeps the interpreter's variables (what "-show" after a batch relies on), sets auto
// format, and gives the console the default font and colours.
TEST_F(MainWindow, NormalStartKeepsTheVariablesAndSetsTheDefaults) {
    window->Destroy();
    gui::pump();
    std::wstring out;
    EXPECT_TRUE(wxGetApp().evaluateLine(L"cls", &out));  // without a window "cls" touches nothing
    ASSERT_TRUE(wxGetApp().evaluateLine(L"k=7", &out));
    wxGetApp().interpreter().format.mode = 0;
    ASSERT_TRUE(wxGetApp().OnInit());
    window = wxGetApp().mainWindow();
    ASSERT_NE(window, nullptr);
    console = window->GetConsole();
    EXPECT_EQ(wxGetApp().interpreter().format.mode, 1);
    ASSERT_TRUE(wxGetApp().evaluateLine(L"k", &out));
    EXPECT_EQ(out, L"7");
    const Appearance& appearance = wxGetApp().appearance();
    EXPECT_EQ(appearance.font().getFaceName(), L"Consolas");
    EXPECT_EQ(appearance.textColor(), 0x202020u);
    const std::uint32_t colours[] = {0xFFFFFF, 0xC00000, 0x800000, 0x808000, 0xF6D0AB};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(appearance.syntaxColors()[i], colours[i]) << i;
    EXPECT_EQ(console->preferences().styles[0].foreground, 0x202020u);
    EXPECT_EQ(console->preferences().styles[0].getFaceName(), L"Consolas");
}

// Copy needs a selection; Cut a selection within the input with the caret on the input line.
TEST_F(MainWindow, CopyAndCutFollowTheSelection) {
    run(wxS("1+2"));
    wxToolBar* tools = window->GetToolBar();
    const auto expectEnabled = [&](bool copy, bool cut) {
        updateInterface();
        EXPECT_EQ(tools->GetToolEnabled(6142), copy);
        EXPECT_EQ(tools->GetToolEnabled(6141), cut);
    };
    console->DocumentEnd();
    expectEnabled(false, false);
    console->SetSelection(0, 3);
    expectEnabled(true, false);
    console->DocumentEnd();
    const int input = console->GetCurrentPos();
    console->AddText(wxS("abc"));
    console->SetSelection(input, input + 2);
    expectEnabled(true, true);
}

// The font and colour operations rewrite the console's record and through it the control's styles.
TEST_F(MainWindow, ConsoleFontAndColorsReachTheStyles) {
    lmFont font;
    font.setFaceName(L"DejaVu Sans Mono");
    font.size = 14;
    font.setColor(lmColor::fromInt(0x102030));
    for (const int weight : {lmFont::kNormal, lmFont::kBold}) {
        font.weight = weight;
        window->ApplyConsoleFont(font);
        for (int style = 0; style <= 20; ++style) {
            EXPECT_EQ(console->StyleGetFaceName(style), "DejaVu Sans Mono") << style;
            EXPECT_EQ(console->StyleGetSize(style), 14) << style;
            EXPECT_EQ(console->StyleGetBold(style), weight == lmFont::kBold) << style;
        }
    }
    EXPECT_EQ(console->StyleGetForeground(0), CodeEdit::toColour(0x102030));
    // The record's style and weight codes give the toolkit font's.
    const struct {
        int code;
        wxFontStyle style;
        wxFontWeight weight;
    } codes[] = {{lmFont::kItalic, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_NORMAL},
                 {lmFont::kSlant, wxFONTSTYLE_SLANT, wxFONTWEIGHT_NORMAL},
                 {lmFont::kLight, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_LIGHT},
                 {lmFont::kBold, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD}};
    for (const auto& row : codes) {
        lmFont record;
        (row.code == lmFont::kItalic || row.code == lmFont::kSlant ? record.style : record.weight) = row.code;
        record.assignResources();
        EXPECT_EQ(record.getFont().GetStyle(), row.style) << row.code;
        EXPECT_EQ(record.getFont().GetWeight(), row.weight) << row.code;
    }
    window->ApplyConsoleColors(0x111111, 0xEEEEEE, 0x0000C0, 0x008000, 0x800000, 0x00FFFF);
    for (int style : {0, 1, 2, 3, 6, 7, 8, 9, 11, 12, 13, 19})
        EXPECT_EQ(console->StyleGetForeground(style), CodeEdit::toColour(0x111111)) << style;
    EXPECT_EQ(console->StyleGetForeground(5), CodeEdit::toColour(0x0000C0));
    EXPECT_EQ(console->StyleGetForeground(10), CodeEdit::toColour(0x008000));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x800000));
    EXPECT_EQ(console->StyleGetBackground(5), CodeEdit::toColour(0xEAEAEA));  // the console's shifted background
    EXPECT_EQ(console->preferences().styles[22].background, 0x00FFFFu);
}

TEST_F(MainWindow, AboutShowsTheProgramIdentity) {
    command(6901);
    ASSERT_EQ(aboutShown.size(), 1u);
    const wxAboutDialogInfo& info = aboutShown[0];
    EXPECT_EQ(info.GetName(), "DelvoCalculator");
    EXPECT_EQ(info.GetVersion(), "Version 1.8 Build 2104");
    EXPECT_EQ(info.GetDescription(), "Mathematical Expression-based Calculator (Quarn component)");
    EXPECT_FALSE(info.GetCopyright().empty());
    EXPECT_TRUE(info.HasWebSite());
    EXPECT_FALSE(info.GetLicence().empty());
    EXPECT_TRUE(info.GetIcon().IsOk());
}

/// A constant's label: its name and the hint in the accelerator column. wxGTK keeps only real shortcuts
/// there, so on GTK the hint follows the name in parentheses.
std::string hint(const std::string& name, const std::string& text) {
#ifdef __WXGTK__
    return "  " + name + " (" + text + ")";
#else
    return "  " + name + "\t" + text;
#endif
}

TEST_F(FunctionsMenu, InsertMenuHoldsTheEntriesInOrder) {
    wxMenu* insert = menu("Insert");
    ASSERT_NE(insert, nullptr);
    // Separators have the id wxID_SEPARATOR (-2) and no label.
    const std::vector<std::string> expected = {
        "exp|7029", "ln|7030", "|-2", "sqrt|7031", "pow|7032", "|-2", "Trigonometric|7036",
        "  cos|7038", "  sin|7037", "  tan|7039", "  acos|7041", "  asin|7040", "  atan|7042",
        "|-2", "abs|7033", "ceil|7034", "int|7035", "|-2", "Constants|7048",
        hint("pi", "3.14159...") + "|7049", hint("Electron charge", "_q") + "|7050",
        hint("Electron mass", "_m") + "|7051", hint("Boltzmann", "_k") + "|7052",
        hint("Planck", "_h") + "|7053", hint("Speed of Light", "_c") + "|7054",
        hint("Permittivity", "_e") + "|7055", hint("Avogadro", "_n") + "|7056",
    };
    const std::vector<std::string> rows = describe(*insert);
    ASSERT_GT(rows.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + expected.size()), expected);
    // Then every function of the function table by category, and the user's functions (none yet).
    EXPECT_EQ(rows[expected.size()], "|-2");
    EXPECT_EQ(rows[expected.size() + 1], "More Functions|7043");
    EXPECT_EQ(rows[rows.size() - 2], "Your Functions|7044");
    EXPECT_EQ(rows.back().substr(0, 13), "  None yet: t");
    std::vector<std::string> categories;
    for (const std::string& row : rows)
        if (row.rfind("  ", 0) == 0 && row.rfind("    ", 0) != 0 && row.find("|82") != std::string::npos)
            categories.push_back(row.substr(2, row.find('|') - 2));
    EXPECT_EQ(categories.front(), "Powers and logarithms");
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const std::string& row) { return row.rfind("    gcd(", 0) == 0; }),
              1);
    for (const int id : {7029, 7038, 7049}) EXPECT_TRUE(insert->FindItem(id)->GetBitmap().IsOk()) << id;
    EXPECT_FALSE(insert->FindItem(7037)->GetBitmap().IsOk());
}

// Each entry inserts its text at the caret on the input line (replacing a selection) and leaves the caret at
// its offset.
TEST_F(FunctionsMenu, EntriesInsertTheirTextAndPlaceTheCaret) {
    const struct {
        int id;
        const char* before;
        const char* after;
        int caret;
    } rows[] = {
        {7029, "", "exp()", 4},   {7030, "", "ln()", 3},    {7031, "", "sqrt()", 5}, {7032, "", "pow(,)", 4},
        {7037, "2*", "2*sin()", 6}, {7038, "", "cos()", 4},  {7039, "", "tan()", 4},  {7040, "", "asin()", 5},
        {7041, "", "acos()", 5},  {7042, "", "atan()", 5},  {7033, "", "abs()", 4},  {7034, "", "ceil()", 5},
        {7035, "", "int()", 4},   {7049, "", "pi", 2},      {7050, "", "_q", 2},     {7051, "", "_m", 2},
        {7052, "", "_k", 2},      {7053, "[abc]", "_h", 2}, {7054, "", "_c", 2},     {7055, "", "_e", 2},
        {7056, "", "_n", 2},
    };
    for (const auto& row : rows) {
        console->ClearConsole();
        const wxString before(row.before);
        console->AddText(before.StartsWith("[") ? before.Mid(1, before.length() - 2) : before);
        if (before.StartsWith("[")) console->SetSelection(0, console->GetLength());
        command(row.id);
        EXPECT_EQ(console->GetText(), row.after) << row.id;
        EXPECT_EQ(console->GetCurrentPos(), row.caret) << row.after;
        EXPECT_EQ(console->GetSelectionStart(), console->GetSelectionEnd()) << row.after;
    }
    // Typing goes on between the parentheses.
    console->ClearConsole();
    command(7037);
    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_keyCode = typed.m_uniChar = 'x';
    typed.SetEventObject(console);
    console->GetEventHandler()->ProcessEvent(typed);
    EXPECT_EQ(console->GetText(), "sin(x)");
    EXPECT_EQ(findFunctionEntry(7036), nullptr);
    EXPECT_EQ(findFunctionEntry(7048), nullptr);
    // With the caret on an earlier line nothing is inserted.
    run(wxS("1+2"));
    const wxString text = console->GetText();
    console->GotoPos(0);
    command(7031);
    EXPECT_EQ(console->GetText(), text);
}

// More Functions inserts a call of any function of the table; Your Functions, brought up to date when the menu
// opens, one of the user's functions, and the toolbar's pop-up offers them too.
TEST_F(FunctionsMenu, MoreAndYourFunctionsInsertCalls) {
    wxMenu* insert = menu("Insert");
    ASSERT_NE(insert, nullptr);
    const auto idOf = [insert](const std::string& label) {
        for (const wxMenuItem* category : insert->FindItem(ID_INSERT_MORE)->GetSubMenu()->GetMenuItems())
            for (const wxMenuItem* item : category->GetSubMenu()->GetMenuItems())
                if (item->GetItemLabelText().ToStdString() == label) return item->GetId();
        return static_cast<int>(wxNOT_FOUND);
    };
    const struct {
        std::string label;
        const char* inserted;
        int caret;
    } rows[] = {{"hypot(x, y)", "hypot(,)", 6}, {"gcd(a, b, ...)", "gcd()", 4}, {"rand()", "rand()", 6},
                {"band(x, y, ...)", "band()", 5}, {"cot(x)", "cot()", 4}};
    for (const auto& row : rows) {
        console->ClearConsole();
        command(idOf(row.label));
        EXPECT_EQ(console->GetText(), row.inserted) << row.label;
        EXPECT_EQ(console->GetCurrentPos(), row.caret) << row.label;
    }
    console->ClearConsole();
    run(wxS("area(r)=pi*r^2"));
    run(wxS("g(x,y)=hypot(x,y)"));
    wxMenuEvent opened(wxEVT_MENU_OPEN, 0, insert);
    window->GetEventHandler()->ProcessEvent(opened);
    Rows yours;
    for (const wxMenuItem* item : insert->FindItem(ID_INSERT_USER)->GetSubMenu()->GetMenuItems())
        yours.push_back(item->GetItemLabelText().ToStdString() + "|" + std::to_string(item->GetId()));
    EXPECT_EQ(yours, (Rows{"area(r)=pi*r^2|8300", "g(x,y)=hypot(x,y)|8301"}));
    console->ClearConsole();
    command(8301);
    EXPECT_EQ(console->GetText(), "g(,)");
    EXPECT_EQ(console->GetCurrentPos(), 2);
    command(ID_VIEW_FUNCTIONS);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_NE(std::find(popups[0].begin(), popups[0].end(), "  area(r)=pi*r^2|8300"), popups[0].end());
    std::wstring reply;
    EXPECT_TRUE(wxGetApp().evaluateLine(L"reset", &reply));
}

// Options > Angle and the commands rad, deg and grad choose the same unit; the title names it unless it is
// radians.
TEST_F(MainWindow, AngleMenuFollowsTheCommandsAndTheTitleNamesTheUnit) {
    command(ID_OPTIONS_ANGLE_DEGREES);
    run(wxS("sin(30)"));
    EXPECT_EQ(console->GetLineText(console->GetLineCount() - 2), "0.5");
    gui::pump(50);
    EXPECT_EQ(window->GetTitle(), "DelvoCalculator (degrees)");
    EXPECT_TRUE(gui::screenshot(window, gui::outputDir() + "/window_degrees.png"));
    const std::pair<const char*, int> rows[] = {{"grad", ID_OPTIONS_ANGLE_GRADIANS}, {"rad", ID_OPTIONS_ANGLE_RADIANS}};
    for (const auto& [line, item] : rows) {
        run(line);
        updateInterface();
        gui::pump(50);
        EXPECT_TRUE(window->GetMenuBar()->IsChecked(item)) << line;
    }
    EXPECT_EQ(window->GetTitle(), "DelvoCalculator");
    EXPECT_EQ(wxGetApp().interpreter().angleUnit(), AngleUnit::Radians);
}

// The toolbar's "Functions" twice gives two independent pop-ups; the Insert menu is unaffected.
TEST_F(FunctionsMenu, FunctionsButtonTwiceGivesTwoIndependentPopups) {
    const std::vector<std::string> insert = describe(*menu("Insert"));
    command(7021);
    command(7021);
    EXPECT_EQ(popups, (std::vector<std::vector<std::string>>{insert, insert}));
    EXPECT_EQ(describe(*menu("Insert")), insert);
    wxMenu first, second;
    FillFunctionsMenu(&first);
    FillFunctionsMenu(&second);
    EXPECT_NE(first.FindItem(7049), second.FindItem(7049));
    FillFunctionsMenu(&first);  // filling again first empties the menu
    EXPECT_EQ(describe(first), insert);
    FillFunctionsMenu(nullptr);
}

}  // namespace
