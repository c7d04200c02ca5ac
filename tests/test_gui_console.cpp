// SPDX-License-Identifier: MIT
// The console as a real control under Xvfb: execution, history, keys, clipboard, zoom and context menu.
#include <clocale>
#include <memory>
#include <string>

#include <wx/menu.h>
#include <wx/uiaction.h>

#include "console/console_history.h"
#include "engine/function_table.h"
#include "libs/ui/window_icons.h"
#include "tests/console_test_fixture.h"

namespace {

using Lines = std::vector<wxString>;
using Console = ConsoleTest;

TEST_F(Console, EnterPrintsTheReplyAndMarksTheLine) {
    const struct {
        const char* line;
        Lines shown;
        bool failed;
        bool verbose;
    } rows[] = {
        {"1.5*2", {"1.5*2", "3", ""}, false, true},  // read with a full stop whatever the user's locale
        {"1+2", {"1+2", "3", ""}, false, true},
        {"1+2;", {"1+2;", ""}, false, true},
        {"a=2; a*3", {"a=2; a*3", "6", ""}, false, true},
        {";;", {";;", ""}, false, true},
        {"q", {"q   ! variable not set", ""}, true, true},
        {"b=1; q; b=5", {"b=1; q; b=5   ! variable not set", ""}, true, true},
        {"q", {"q ", ""}, true, false},
        {"VERSION", {"VERSION", "Version 1.8 Build 2104", ""}, false, true},
        {"version;", {"version;", ""}, false, true},
        {"Release", {"Release", "Apr 30 2021", ""}, false, true},
    };
    std::setlocale(LC_NUMERIC, "");
    for (const auto& row : rows) {
        console->ClearConsole();
        interpreter.verbose = row.verbose;
        enter(row.line);
        EXPECT_EQ(lines(), row.shown) << row.line;
        EXPECT_EQ(gui::markers(console, 0), 1 << (row.failed ? ConsoleEdit::ERROR_MARKER : ConsoleEdit::PROMPT_MARKER))
            << row.line;
        EXPECT_EQ(gui::markers(console, 1), row.shown.size() == 3 ? 0 : 1 << ConsoleEdit::PROMPT_MARKER) << row.line;
        EXPECT_TRUE(gui::hasMarker(console, lastLine(), ConsoleEdit::PROMPT_MARKER)) << row.line;
        EXPECT_EQ(console->LastFailed(), row.failed) << row.line;
        EXPECT_EQ(console->GetCurrentPos(), console->GetLength()) << row.line;
        EXPECT_FALSE(console->CanUndo()) << row.line;
        EXPECT_FALSE(console->IsBusy()) << row.line;
    }
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    // The failure stopped "b=5"; the other built-in words answer something.
    interpreter.verbose = true;
    for (const char* word : {"b", "author", "contact"}) {
        enter(word);
        EXPECT_FALSE(console->GetLineText(lastLine() - 1).empty()) << word;
    }
    EXPECT_EQ(console->GetLineText(lastLine() - 5), wxS("1"));
}

TEST_F(Console, BlankAndTooLongLinesAreNotExecuted) {
    enter(wxS("   "));
    EXPECT_EQ(lines(), (Lines{"   "}));
    const wxString line = wxString(wxS('1'), 384);
    console->ClearAll();
    console->AddText(line);
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{line}));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    EXPECT_EQ(console->SetCommandText(line), 0);
    EXPECT_EQ(console->SetCommandText(line.Left(383)), 383);
    EXPECT_EQ(console->SetCommandText(wxS("1+2\n")), 3);
    EXPECT_EQ(console->GetCommandText(), wxS("1+2"));
    EXPECT_EQ(console->SetCommandText(wxString()), 0);
}

TEST_F(Console, HistoryKeepsDistinctLinesAndReplacesACorrectedFailure) {
    // The thirteenth entry drops the five oldest.
    for (int i = 1; i <= 12; ++i) console->AddHistory(wxString::Format(wxS("%d+1"), i));
    enter(wxS("13+1"));
    EXPECT_EQ(history(), (Lines{"6+1", "7+1", "8+1", "9+1", "10+1", "11+1", "12+1", "13+1"}));
    for (const char* line : {"1+2;", "abs(-4)", "ABS(-4)", "1+"}) enter(line);
    enter(wxS("1+3"));
    EXPECT_EQ(history(), (Lines{"6+1", "7+1", "8+1", "9+1", "10+1", "11+1", "12+1", "13+1", "1+2;", "abs(-4)", "1+3"}));
    EXPECT_FALSE(console->LastFailed());
}

TEST_F(Console, ResetAsksAndEmptiesOnlyWhenConfirmed) {
    enter(wxS("1+2"));
    {
        gui::MessageBoxAnswer answer(wxNO);
        console->ResetConsole();
        EXPECT_EQ(answer.requests.size(), 1u);
        EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
        EXPECT_EQ(console->GetHistoryCount(), 1);
    }
    gui::MessageBoxAnswer answer(wxYES);
    wxCommandEvent reset(wxEVT_MENU, ID_CONSOLE_RESET);
    console->GetEventHandler()->ProcessEvent(reset);
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(gui::requestText(answer.requests[0]), wxS("Reset Math Console?|Quarn|48a|Reset|Cancel|"));
    EXPECT_EQ(answer.requests[0].parent, console);
    EXPECT_EQ(lines(), (Lines{""}));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    for (const int key : {WXK_UP, WXK_DOWN}) {
        gui::sendKey(console, key);
        EXPECT_EQ(inputLine(), wxS(""));
    }
}

TEST_F(Console, UpAndDownWalkTheHistoryRound) {
    for (const char* line : {"1+1", "2+2", "3+3"}) enter(line);
    const struct {
        int key;
        const char* shown;
    } steps[] = {{WXK_UP, "3+3"},   {WXK_UP, "2+2"},   {WXK_UP, "1+1"}, {WXK_UP, "3+3"},
                 {WXK_DOWN, "2+2"}, {WXK_DOWN, "3+3"}, {WXK_DOWN, "1+1"}};
    for (const auto& step : steps) {
        gui::sendKey(console, step.key);
        EXPECT_EQ(inputLine(), step.shown);
        EXPECT_EQ(console->GetCurrentPos(), console->GetLength());
    }
    // A recalled entry takes the call tip of the replaced text away with it.
    gui::typeText(console, wxS("+sqrt("));
    ASSERT_TRUE(console->CallTipActive());
    gui::sendKey(console, WXK_UP);
    EXPECT_FALSE(console->CallTipActive());
    EXPECT_EQ(inputLine(), wxS("2+2"));
}

TEST(ConsoleHistory, CorrectionsAndLongLines) {
    ConsoleHistory history;
    std::wstring shown;
    EXPECT_FALSE(history.up(&shown) || history.add(L""));
    for (const wchar_t* line : {L"a", L"b", L"c"}) history.add(line);
    // A correction replaces the newest entry, unless an equal entry exists.
    EXPECT_TRUE(history.add(L"C", true));
    EXPECT_EQ(history.entry(2), L"c");
    EXPECT_TRUE(history.add(L"d", true));
    EXPECT_EQ(history.entry(2), L"d");
    history.add(std::wstring(300, L'7'));
    EXPECT_EQ(history.count(), 4);
    EXPECT_EQ(history.entry(3).size(), 255u);
    EXPECT_EQ(history.entry(4), L"");
    // An entry is one line, whatever a settings file held (found by fuzz_console_edit).
    EXPECT_FALSE(history.add(L"\r\n"));
    history.add(L"#[\naok\r+1");
    EXPECT_EQ(history.entry(4), L"#[aok+1");
}

// The keypad's caret offset counts characters, also after letters of more than one byte.
TEST_F(Console, KeypadCaretOffsetCountsCharacters) {
    console->typeText(wxS("(\u00e9\u00e9)"), -3);
    EXPECT_EQ(console->GetTextRange(console->GetInputStart(), console->GetCurrentPos()), wxS("("));
    console->DeleteForward();
    EXPECT_EQ(console->GetLineText(lastLine()), wxS("(\u00e9)"));
}

TEST_F(Console, EditingKeysStopAtThePrompt) {
    enter(wxS("1+2"));
    const int start = console->GetInputStart(lastLine());
    gui::sendKey(console, WXK_BACK);
    gui::sendKey(console, WXK_LEFT);
    EXPECT_EQ(console->GetCurrentPos(), start);
    gui::typeText(console, wxS(" "));
    gui::sendKey(console, WXK_BACK, wxMOD_CONTROL);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    gui::typeText(console, wxS("x+abc"));
    gui::sendKey(console, WXK_BACK, wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("x+"));
    for (int i = 0; i < 3; ++i) gui::sendKey(console, WXK_LEFT);
    EXPECT_EQ(console->GetCurrentPos(), start);
    gui::sendKey(console, WXK_BACK);
    EXPECT_EQ(inputLine(), wxS("x+"));
    gui::sendKey(console, WXK_DELETE);  // the Delete accelerator's command
    EXPECT_EQ(inputLine(), wxS("+"));
    console->DocumentEnd();
    console->DeleteForward();
    gui::sendKey(console, WXK_BACK);
    EXPECT_EQ(inputLine(), wxS(""));
    gui::typeText(console, wxS("123"));
    console->SetSelection(start, start + 1);
    console->DeleteForward();
    EXPECT_EQ(inputLine(), wxS("23"));
    console->SetSelection(start, start + 1);
    gui::sendKey(console, WXK_BACK, wxMOD_CONTROL);  // the selection only, not the word
    EXPECT_EQ(inputLine(), wxS("3"));
    console->GotoPos(1);  // on an earlier line
    console->DeleteForward();
    EXPECT_EQ(console->GetLineText(0), wxS("1+2"));
}

// Emptying the only line of the text (a new or cleared console) must not take its prompt away.
TEST_F(Console, EmptiedOnlyLineKeepsItsPrompt) {
    const struct {
        const char* how;
        std::function<void()> empty;
    } rows[] = {
        {"Backspace", [this] { gui::sendKey(console, WXK_BACK); }},
        {"the keypad's erase", [this] { console->eraseLeft(); }},
        {"Ctrl+Backspace", [this] { gui::sendKey(console, WXK_BACK, wxMOD_CONTROL); }},
        {"Escape", [this] { gui::sendKey(console, WXK_ESCAPE); }},
        {"Ctrl+Z", [this] { gui::sendKey(console, 'Z', wxMOD_CONTROL); }},
        {"cut of the line",
         [this] {
             console->SelectAll();
             console->CutSelection();
         }},
        {"Delete on the line",
         [this] {
             console->SelectAll();
             gui::sendKey(console, WXK_DELETE);
         }},
        {"a recalled entry", [this] { gui::sendKey(console, WXK_UP); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        console->ClearConsole();
        gui::typeText(console, wxS("7"));
        row.empty();
        EXPECT_TRUE(gui::hasMarker(console, lastLine(), ConsoleEdit::PROMPT_MARKER));
        console->SetText(wxS(""));
        gui::typeText(console, wxS("7"));
        gui::sendKey(console, WXK_RETURN);
        ASSERT_EQ(lines(), (Lines{"7", "7", ""}));
        EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::PROMPT_MARKER));
        EXPECT_TRUE(gui::hasMarker(console, 2, ConsoleEdit::PROMPT_MARKER));
    }
}

TEST_F(Console, PageKeysMoveFiveLinesKeepingTheColumn) {
    gui::typeText(console, wxS("7"));
    gui::sendKey(console, WXK_PAGEUP);  // a single line: nowhere to go
    EXPECT_EQ(console->GetCurrentPos(), 1);
    console->ClearConsole();
    for (int i = 0; i < 4; ++i) enter(wxS("1000+1"));  // 9 lines: input line 8
    gui::typeText(console, wxS("12"));
    const int caret = console->GetCurrentPos();
    gui::sendKey(console, WXK_PAGEDOWN);
    EXPECT_EQ(console->GetCurrentPos(), caret);
    const struct {
        int key;
        int line;
    } steps[] = {{WXK_PAGEUP, 3}, {WXK_UP, 2},     {WXK_PAGEDOWN, 7}, {WXK_PAGEDOWN, 8},
                 {WXK_PAGEUP, 3}, {WXK_PAGEUP, 0}, {WXK_UP, 0},       {WXK_DOWN, 1}, {WXK_UP, 0}};
    for (const auto& step : steps) {
        gui::sendKey(console, step.key);
        EXPECT_EQ(console->GetCurrentLine(), step.line);
    }
    EXPECT_EQ(console->GetCurrentPos(), 2);
    EXPECT_EQ(inputLine(), wxS("12"));
}

TEST_F(Console, EarlierLinesTakeNoTextButCtrlCCopies) {
    enter(wxS("12345"));
    gui::typeText(console, wxS("7"));
    const Lines before = lines();
    console->SetSelection(1, 4);  // "234" on line 0
    gui::typeText(console, wxS("9x"));
    for (int key : {WXK_RETURN, WXK_BACK, WXK_TAB, WXK_HOME, WXK_END, WXK_LEFT, WXK_RIGHT, WXK_DELETE})
        gui::sendKey(console, key);
    EXPECT_EQ(lines(), before);
    console->SetSelection(1, 4);
    gui::setClipboardText(wxS("nothing"));
    gui::sendKey(console, 'C', wxMOD_CONTROL);
    EXPECT_EQ(gui::clipboardText(), wxS("234"));
    console->SetEmptySelection(1);
    gui::sendKey(console, 'C', wxMOD_CONTROL);  // nothing selected: the clipboard stays
    EXPECT_EQ(gui::clipboardText(), wxS("234"));
    console->SetSelection(2, 5);
    gui::sendKey(console, 'C', wxMOD_CONTROL | wxMOD_SHIFT);  // a terminal's copy key copies too
    EXPECT_EQ(gui::clipboardText(), wxS("345"));
    // The context-menu keys are left to the toolkit, which opens the menu; the control inserts nothing.
    for (const auto& [key, modifiers] : {std::pair{WXK_MENU, wxMOD_NONE}, std::pair{WXK_F10, wxMOD_SHIFT}}) {
        wxKeyEvent down = gui::makeKeyEvent(wxEVT_KEY_DOWN, console, key, modifiers, 0);
        EXPECT_FALSE(console->GetEventHandler()->ProcessEvent(down)) << key;
    }
    wxKeyEvent plainF10 = gui::makeKeyEvent(wxEVT_KEY_DOWN, console, WXK_F10, wxMOD_NONE, 0);
    EXPECT_TRUE(console->GetEventHandler()->ProcessEvent(plainF10));
    gui::sendKey(console, 'V', wxMOD_CONTROL);
    gui::sendKey(console, 'X', wxMOD_CONTROL);
    EXPECT_EQ(lines(), before);
    // With the anchor on an earlier line and the caret on the input line, typing goes to the caret.
    console->SetSelection(2, console->GetLength());
    gui::typeText(console, wxS("8"));
    EXPECT_EQ(lines(), (Lines{"12345", "12345", "78"}));
    // Nor does a key of the editor's own key map take the earlier text of such a selection away.
    const wxString earlier = console->GetTextRange(0, console->GetInputStart(lastLine()));
    const struct {
        int key, modifiers;
    } keys[] = {{WXK_INSERT, wxMOD_SHIFT}, {WXK_DELETE, wxMOD_SHIFT}, {WXK_DELETE, wxMOD_CONTROL},
                {WXK_BACK, wxMOD_CONTROL}, {WXK_BACK, wxMOD_ALT},     {'X', wxMOD_CONTROL}};
    for (const auto& key : keys) {
        console->SetSelection(2, console->GetLength());
        gui::sendKey(console, key.key, key.modifiers);
        ASSERT_EQ(console->GetTextRange(0, console->GetInputStart(lastLine())), earlier)
            << key.key << "+" << key.modifiers;
    }
}

TEST_F(Console, CutAndPasteStayWithinTheInputLine) {
    enter(wxS("12345"));
    gui::typeText(console, wxS("678"));
    console->SetSelection(1, console->GetLength());
    console->CutSelection();
    EXPECT_EQ(inputLine(), wxS("678"));
    int start = console->GetInputStart(lastLine());
    console->SetSelection(start + 1, start + 3);
    console->CutSelection();
    EXPECT_EQ(inputLine(), wxS("6"));
    EXPECT_EQ(gui::clipboardText(), wxS("78"));

    // Clipboard lines are joined; a selection within the input is replaced; more than 255 characters are refused.
    console->ClearConsole();
    ASSERT_TRUE(gui::setClipboardText(wxS("1\n+\r\n2")));
    gui::sendKey(console, 'V', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("1+2"));
    EXPECT_EQ(console->GetCurrentPos(), console->GetLength());
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    gui::typeText(console, wxS("2*abc"));
    start = console->GetInputStart(lastLine());
    console->SetSelection(start + 2, start + 5);
    ASSERT_TRUE(gui::setClipboardText(wxS("pi")));
    console->PasteClipboard();
    EXPECT_EQ(inputLine(), wxS("2*pi"));
    EXPECT_EQ(console->GetCurrentPos(), start + 4);
    for (const int length : {252, 251}) {
        ASSERT_TRUE(gui::setClipboardText(wxString(wxS('7'), length)));
        console->PasteClipboard();
    }
    EXPECT_EQ(inputLine(), wxS("2*pi") + wxString(wxS('7'), 251));
    // Copy and paste with the terminal's keys; an empty clipboard pastes nothing.
    console->ClearConsole();
    gui::typeText(console, wxS("4*5"));
    console->SetSelection(0, 2);
    gui::sendKey(console, 'C', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(gui::clipboardText(), wxS("4*"));
    console->DocumentEnd();
    gui::sendKey(console, 'V', wxMOD_CONTROL | wxMOD_ALT);
    EXPECT_EQ(inputLine(), wxS("4*54*"));
    ASSERT_TRUE(gui::setClipboardText(wxString()));
    gui::sendKey(console, 'V', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("4*54*"));
}

TEST_F(Console, F12ExecuteAndUndoStayWithinTheInput) {
    gui::typeText(console, wxS("6*7"));
    gui::sendKey(console, WXK_F12);
    EXPECT_EQ(lines(), (Lines{"6*7", "42", ""}));
    EXPECT_FALSE(console->CanUndo());
    gui::sendKey(console, 'Z', wxMOD_CONTROL);  // the executed line is not undone
    EXPECT_EQ(lines(), (Lines{"6*7", "42", ""}));
    gui::typeText(console, wxS("5"));
    gui::sendKey(console, 'Z', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS(""));
    for (int i = 0; i < 2; ++i) gui::sendKey(console, 'Y', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("5"));
    gui::typeText(console, wxS("^2"));
    wxCommandEvent execute(wxEVT_MENU, ID_RUN_EXECUTE);
    console->GetEventHandler()->ProcessEvent(execute);
    EXPECT_EQ(lines(), (Lines{"6*7", "42", "5^2", "25", ""}));
}

TEST_F(Console, ScriptConsoleModeBlocksLineCommandsAndDrags) {
    enter(wxS("1+2"));
    gui::typeText(console, wxS("9"));
    for (int key : {'T', 'D', 'L', 'U'}) gui::sendKey(console, key, wxMOD_CONTROL);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", "9"}));
    EXPECT_TRUE(console->isModeScriptConsole());

    // Text is neither dragged out of the console nor dropped on an earlier line; a drop is one line.
    wxStyledTextEvent drag(wxEVT_STC_START_DRAG, console->GetId());
    drag.SetString(wxS("1+2"));
    console->GetEventHandler()->ProcessEvent(drag);
    EXPECT_TRUE(drag.GetString().empty());
    wxStyledTextEvent drop(wxEVT_STC_DO_DROP, console->GetId());
    for (const int at : {1, console->GetLength()}) {
        drop.SetDragResult(wxDragCopy);
        drop.SetString(wxS("4\n5"));
        drop.SetPosition(at);
        console->GetEventHandler()->ProcessEvent(drop);
    }
    EXPECT_EQ(drop.GetDragResult(), wxDragCopy);
    EXPECT_EQ(drop.GetString(), wxS("45"));
    drop.SetPosition(1);
    console->GetEventHandler()->ProcessEvent(drop);
    EXPECT_EQ(drop.GetDragResult(), wxDragNone);

    // A rectangular selection (Alt+drag) turns into a plain one, so typing does not write on every line.
    const Lines before = lines();
    console->SetSelectionMode(wxSTC_SEL_RECTANGLE);
    console->SetRectangularSelectionAnchor(0);
    console->SetRectangularSelectionCaret(console->GetLength());
    gui::pump(50);
    EXPECT_FALSE(console->SelectionIsRectangle());
    gui::typeText(console, wxS("7"));
    EXPECT_EQ(lines(), (Lines{"1+2", "3", "97"}));
    // A middle click does not paste the primary selection where it lands.
    wxTheClipboard->UsePrimarySelection(true);
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(wxS("55")));
    wxTheClipboard->Close();
    wxTheClipboard->UsePrimarySelection(false);
    wxUIActionSimulator mouse;
    mouse.MouseMove(console->ClientToScreen(console->PointFromPosition(1) + wxPoint(1, 4)));
    mouse.MouseClick(wxMOUSE_BTN_MIDDLE);
    gui::pump(100);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", "97"}));
}

TEST_F(Console, RealKeystrokesThroughTheXServer) {
    // XTest key presses go through GTK: accelerator tables, key down, character events.
    ASSERT_TRUE(gui::focus(console));
    gui::simulateText("6*7");
    gui::simulateKey(WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"6*7", "42", ""}));
    gui::simulateKey(WXK_UP);
    EXPECT_EQ(inputLine(), wxS("6*7"));
    gui::simulateKey(WXK_BACK);
    gui::simulateKey(WXK_BACK);
    gui::simulateText("8");
    gui::simulateKey(WXK_F12);
    EXPECT_EQ(console->GetLineText(3), wxS("68"));
    console->SetSelection(0, 3);
    gui::setClipboardText(wxS("nothing"));
    gui::simulateKey('C', wxMOD_CONTROL);
    EXPECT_EQ(gui::clipboardText(), wxS("6*7"));
    gui::simulateText("123");
    EXPECT_EQ(console->GetLineText(0), wxS("6*7"));
}

TEST_F(Console, PromptMarginIsOneSymbolWideAtEveryZoom) {
    EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::PROMPT_MARKER));
    EXPECT_EQ(console->GetMarginMask(3), 0x900);
    EXPECT_EQ(console->GetMarginType(3), wxSTC_MARGIN_SYMBOL);
    EXPECT_FALSE(console->GetMarginSensitive(3));
    for (int margin = 0; margin < 3; ++margin) EXPECT_EQ(console->GetMarginWidth(margin), 0);
    const int width = console->GetMarginWidth(3);
    EXPECT_EQ(width, console->TextWidth(wxSTC_STYLE_DEFAULT, ">") + 2);
    const struct {
        int key, zoom;
    } steps[] = {{WXK_NUMPAD_ADD, 1}, {'+', 2}, {'0', 0}, {'-', -1}, {WXK_NUMPAD0, 0}};
    for (const auto& step : steps) {
        gui::sendKey(console, step.key, wxMOD_CONTROL);
        EXPECT_EQ(console->GetZoom(), step.zoom) << step.key;
        if (step.zoom == 2) { EXPECT_GT(console->GetMarginWidth(3), width); }
    }
    EXPECT_EQ(console->GetMarginWidth(3), width);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelDelta = 120;
    wheel.m_wheelRotation = -120;
    console->GetEventHandler()->ProcessEvent(wheel);  // without Ctrl the wheel scrolls
    EXPECT_EQ(console->GetZoom(), 0);
    wheel.SetControlDown(true);
    for (const int rotation : {-120, 120}) {
        wheel.m_wheelRotation = rotation;
        console->GetEventHandler()->ProcessEvent(wheel);
        EXPECT_EQ(console->GetZoom(), rotation < 0 ? 1 : 0);
    }
}

/// "label|id" of each item ("-" for a separator), submenus after their item, and "+" for an icon.
Lines menuRows(wxMenu* menu) {
    Lines rows;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator()) {
            rows.push_back(wxS("-"));
            continue;
        }
        rows.push_back(wxString::Format(wxS("%s|%d%s"), item->GetItemLabelText(), item->GetId(),
                                        item->GetBitmap().IsOk() ? "+" : ""));
        if (item->GetSubMenu())
            for (const wxString& row : menuRows(item->GetSubMenu())) rows.push_back(wxS("  ") + row);
    }
    return rows;
}

TEST_F(Console, ContextMenuFollowsCaretSelectionAndClipboard) {
    // Every menu ends in the View submenu and Reset; what comes before depends on caret, selection and clipboard.
    const auto expectMenu = [this](Lines rows, const wxString& pasteHelp) {
        std::unique_ptr<wxMenu> menu(console->CreateContextMenu());
        const int view = menu->FindItemByPosition(menu->GetMenuItemCount() - 2)->GetId();
        rows.push_back(wxString::Format(wxS("View|%d"), view));
        for (const char* row : {"  Zoom In|7081+", "  Zoom Out|7082+", "  Normal Viewing|7080", "Reset|7088+"})
            rows.push_back(row);
        EXPECT_EQ(menuRows(menu.get()), rows);
        if (!pasteHelp.empty()) { EXPECT_EQ(menu->FindItem(ID_CONSOLE_PASTE)->GetHelp(), pasteHelp); }
    };
    enter(wxS("1+2"));
    gui::setClipboardText(wxS("5"));
    expectMenu({"Paste|5033", "-"}, wxS("Paste the selected text"));
    gui::typeText(console, wxS("45"));
    console->SetSelection(console->GetLength() - 2, console->GetLength());
    expectMenu({"Undo|7084", "-", "Cut|5031", "Copy|5032", "Paste|5033", "-"}, wxS("Paste text"));
    gui::sendKey(console, 'Z', wxMOD_CONTROL);
    expectMenu({"Redo|7083", "-", "Paste|5033", "-"}, wxS("Paste the selected text"));
    console->SetSelection(0, 3);  // on line 0
    expectMenu({"Copy|5032", "-"}, wxString());

    // The menu opened by a key leaves caret and selection alone; a click outside the selection takes the caret.
    const auto openMenu = [this](const wxPoint& at) {
        gui::after(300, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
        wxContextMenuEvent event(wxEVT_CONTEXT_MENU, console->GetId(), at);
        event.SetEventObject(console);
        console->GetEventHandler()->ProcessEvent(event);
        gui::pump(20);
    };
    openMenu(wxDefaultPosition);
    EXPECT_EQ(console->GetSelectionStart(), 0);
    EXPECT_EQ(console->GetSelectionEnd(), 3);
    const int outside = console->PositionFromLine(1) + 1;
    openMenu(console->ClientToScreen(console->PointFromPosition(outside) + wxPoint(1, 4)));
    EXPECT_EQ(console->GetCurrentPos(), outside);
    EXPECT_EQ(console->GetSelectionStart(), outside);
}

TEST_F(Console, TwoLettersOfAFunctionNameOfferCompletions) {
    for (const char* typed : {"a", "*max"}) {
        gui::typeText(console, typed);
        EXPECT_FALSE(console->AutoCompActive()) << typed;
    }
    console->ClearAll();
    gui::typeText(console, wxS("2*sq"));
    EXPECT_TRUE(console->AutoCompActive());
    gui::sendKey(console, WXK_F12);  // executes nothing while the list is open
    EXPECT_TRUE(console->AutoCompActive());
    gui::sendKey(console, WXK_RETURN);  // takes the choice instead of executing
    EXPECT_EQ(inputLine(), wxS("2*sqrt"));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    gui::typeText(console, wxS("("));
    EXPECT_TRUE(console->CallTipActive());
    gui::typeText(console, wxS("16)"));
    EXPECT_FALSE(console->CallTipActive());
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"2*sqrt(16)", "8", ""}));
}

// The user's functions are offered like the built-in ones; their call tip shows the definition.
TEST_F(Console, CompletionAndCallTipsKnowTheUsersFunctions) {
    enter(wxS("area(r)=pi*r^2"));
    gui::typeText(console, wxS("2*ar"));
    EXPECT_TRUE(console->AutoCompActive());
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(inputLine(), wxS("2*area"));
    gui::typeText(console, wxS("("));
    ASSERT_TRUE(console->CallTipActive());
    gui::typeText(console, wxS("1)"));
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines().back(), wxS(""));
    EXPECT_EQ(lines()[lines().size() - 2], wxS("6.28318530717959"));
}

// Escape first closes a completion list or call tip, then empties the input line; earlier lines stay.
TEST_F(Console, EscapeClosesThePopupThenClearsTheLine) {
    enter(wxS("1+2"));
    gui::typeText(console, wxS("2*sq"));
    ASSERT_TRUE(console->AutoCompActive());
    gui::sendKey(console, WXK_ESCAPE);
    EXPECT_FALSE(console->AutoCompActive());
    EXPECT_EQ(inputLine(), wxS("2*sq"));
    gui::typeText(console, wxS("rt("));
    ASSERT_TRUE(console->CallTipActive());
    gui::sendKey(console, WXK_ESCAPE);
    EXPECT_FALSE(console->CallTipActive());
    EXPECT_EQ(inputLine(), wxS("2*sqrt("));
    gui::sendKey(console, WXK_ESCAPE);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    gui::typeText(console, wxS("4"));
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", "4", "4", ""}));
}

// A solve that finds no root keeps its reply and marker; a dimmed note under the reply says why. The note is
// no text: the console's text, and so saving and copying, never hold it.
TEST_F(Console, SolveWithoutRootShowsWhyUnderTheReply) {
    enter(wxS("solve(x^2-2,0,3)"));
    enter(wxS("solve(x^2+1)"));
    gui::pump(50);
    ASSERT_EQ(lines().size(), 5u);
    EXPECT_EQ(lines()[3], wxS("x = 0   y = 1"));
    EXPECT_EQ(console->MarkerGet(2), 1 << ConsoleEdit::PROMPT_MARKER);
    EXPECT_EQ(console->AnnotationGetText(1), wxString());
    EXPECT_EQ(console->AnnotationGetText(3), wxS("no root here: f changes no sign on [-10, 10]"));
    EXPECT_EQ(console->GetText().Find(wxS("no root")), wxNOT_FOUND);
    EXPECT_TRUE(gui::screenshot(frame, gui::outputDir() + wxS("/console_solve_note.png")));
    // A line ending in ";" shows no reply, so no note either.
    enter(wxS("solve(x^2+1);"));
    EXPECT_EQ(console->AnnotationGetText(lastLine() - 1), wxString());
}

TEST(FunctionSignatures, CoverTheHighlightedNames) {
    const wxArrayString keywords = wxSplit(wxString(CodeEdit::kLuaKeywords).Trim(), ' ', '\0');
    for (const wxString& name : keywords) EXPECT_NE(findFunctionSignature(name.ToStdWstring()), nullptr) << name;
    EXPECT_STREQ(findFunctionSignature(L"pow")->signature, L"pow(x, y)");
    EXPECT_EQ(completionsFor(L"s"), std::vector<std::wstring>{});
    EXPECT_EQ(completionsFor(L"si"), (std::vector<std::wstring>{L"sign", L"sin", L"sinh"}));
}

TEST_F(Console, ErrorMarkerIsARedArrowInThePromptMargin) {
    enter(wxS("q"));
    gui::pump(100);
    const wxImage image = gui::grab(console);
    ASSERT_TRUE(image.IsOk());
    const int height = console->TextHeight(0), width = console->GetMarginWidth(3);
    const wxColour red(0xD0, 0x18, 0x18);
    EXPECT_GT(gui::countPixels(image.GetSubImage(wxRect(0, 0, width, height)), red), 6);
    EXPECT_EQ(gui::countPixels(image.GetSubImage(wxRect(0, height, width, height)), red), 0);
}

TEST_F(Console, Screenshots) {
    // Pictures for docs/screenshots: results, failures with their arrows, history, the context menu.
    const wxString dir = gui::outputDir() + wxS("/console_");
    for (const char* line : {"1+2", "sqrt(2)*pi", "x=3; pow(x, 2) + 2*x", "(1+sqrt(5))/2"}) enter(line);
    gui::typeText(console, wxS("hypot(3, 4)"));
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("result.png")));
    gui::sendKey(console, WXK_RETURN);
    for (const char* line : {"q", "plot("}) enter(line);
    gui::typeText(console, wxS("max("));
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("error.png")));
    console->CallTipCancel();
    console->SetSelection(console->GetInputStart(lastLine()), console->GetLength());
    console->ReplaceSelection(wxString());
    for (int i = 0; i < 4; ++i) gui::sendKey(console, WXK_UP);
    EXPECT_EQ(inputLine(), wxS("(1+sqrt(5))/2"));
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("history.png")));

    gui::setClipboardText(wxS("2*pi"));
    console->ClearConsole();
    enter(wxS("2^10"));
    gui::typeText(console, wxS("(1+sqrt(5))/2"));
    const int start = console->GetInputStart(lastLine());
    console->SetSelection(start + 1, start + 10);
    // The context menu is modal: timers open its View submenu with the keys, take the picture and close it.
    enableMenuIcons();
    bool shot = false;
    gui::after(400, [] {
        wxUIActionSimulator keys;
        for (int i = 0; i < 5; ++i) keys.Char(WXK_DOWN);
        keys.Char(WXK_RIGHT);
    });
    gui::after(900, [&shot, frame = frame, dir] {
        shot = gui::screenshot(wxRect(frame->GetScreenPosition(), wxSize(460, 280)), dir + wxS("menu.png"));
        for (int i = 0; i < 2; ++i) wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    gui::after(3000, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    const wxPoint at = console->ClientToScreen(console->PointFromPosition(start + 6) + wxPoint(4, 8));
    wxContextMenuEvent menuEvent(wxEVT_CONTEXT_MENU, console->GetId(), at);
    menuEvent.SetEventObject(console);
    console->GetEventHandler()->ProcessEvent(menuEvent);
    gui::pump(100);
    EXPECT_TRUE(shot);
}

// Every failed line still on screen keeps a squiggle under the stretch where it went wrong, found in the
// failing statement of the line; hovering it or F2 there shows the reason in a call tip.
TEST_F(Console, FailedLinesUnderlineWhereTheyWentWrong) {
    enter(wxS("2 * (3 + 4"));
    enter(wxS("1+2;  3 * foo ; 4"));
    enter(wxS("6*7"));
    const struct {
        int line;
        int column;
        int length;
        const char* reason;
    } marks[] = {
        {0, 4, 1, "missing closing parenthesis"},
        {1, 10, 3, "unknown name 'foo'"},
    };
    const int indicatorBit = 1 << ConsoleErrorMarks::kIndicator;
    for (const auto& mark : marks) {
        const int start = console->PositionFromLine(mark.line);
        for (int column = 0; column < console->GetLineLength(mark.line); ++column) {
            const bool inside = column >= mark.column && column < mark.column + mark.length;
            EXPECT_EQ((console->IndicatorAllOnFor(start + column) & indicatorBit) != 0, inside)
                << mark.line << ":" << column;
            EXPECT_EQ(console->errorMarks().reasonAt(start + column), inside ? wxString(mark.reason) : wxString());
        }
    }
    EXPECT_EQ(console->IndicatorAllOnFor(console->PositionFromLine(3)) & indicatorBit, 0);  // "6*7" succeeded

    // F2 with the caret at the underline shows the reason; the mouse resting on it does too.
    console->GotoPos(console->PositionFromLine(0) + 4);
    gui::sendKey(console, WXK_F2);
    EXPECT_TRUE(console->CallTipActive());
    console->CallTipCancel();
    const int foo = console->PositionFromLine(1) + 11;
    const wxPoint point = console->PointFromPosition(foo) + wxPoint(2, console->TextHeight(1) / 2);
    wxUIActionSimulator().MouseMove(console->ClientToScreen(point));
    EXPECT_TRUE(gui::pumpUntil([this] { return console->CallTipActive(); }, 3000));
    const wxString dir = gui::outputDir() + wxS("/");
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("console_error_underline.png")));

    // Clearing the console forgets the marks with the text.
    console->ClearConsole();
    enter(wxS("1+"));
    EXPECT_EQ(console->errorMarks().reasonAt(console->PositionFromLine(0) + 1), wxS("value expected after '+'"));
}

// Past kMaxLines the oldest kDroppedLines leave at once; the lines that stay keep their prompts, a failed line its
// mark and the reason of its underline, and the input line its prompt.
TEST_F(Console, KeepsItsLastLinesWithTheirMarks) {
    wxString filler;
    for (int i = 0; i < ConsoleEdit::kMaxLines - 4; ++i) filler += wxS("1\n");
    console->InsertText(0, filler);
    enter(wxS("1+"));
    ASSERT_EQ(console->GetLineText(lastLine() - 1).Left(2), wxS("1+"));
    enter(wxS("2*3"));
    enter(wxS("4*5"));
    // The drop came with the last reply.
    EXPECT_EQ(console->GetLineCount(), ConsoleEdit::kMaxLines - ConsoleEdit::kDroppedLines);
    const int moved = lastLine() - 5;
    EXPECT_EQ(console->GetLineText(moved).Left(2), wxS("1+"));
    EXPECT_TRUE(gui::hasMarker(console, moved, ConsoleEdit::ERROR_MARKER));
    EXPECT_EQ(console->errorMarks().reasonAt(console->PositionFromLine(moved) + 1), wxS("value expected after '+'"));
    EXPECT_EQ(console->GetLineText(lastLine() - 1), wxS("20"));
    EXPECT_TRUE(gui::hasMarker(console, lastLine() - 2, ConsoleEdit::PROMPT_MARKER));
    EXPECT_TRUE(gui::hasMarker(console, lastLine(), ConsoleEdit::PROMPT_MARKER));
    EXPECT_FALSE(gui::hasMarker(console, 0, ConsoleEdit::ERROR_MARKER));
}

// The value of the input line appears dimmed below it while typing, as an annotation: not text, not in the
// history, and the last answer stays as it was until Enter.
TEST_F(Console, LiveAnswerShowsTheValueBelowTheInputLine) {
    console->DocumentEnd();
    gui::typeText(console, wxS("2*(3+4"));
    EXPECT_EQ(console->liveAnswer().shown(), wxString());
    gui::typeText(console, wxS(")"));
    gui::pump(50);
    EXPECT_EQ(console->liveAnswer().shown(), wxS("14"));
    EXPECT_EQ(console->AnnotationGetText(0), wxS("= 14"));
    EXPECT_EQ(console->GetLineCount(), 1);
    EXPECT_EQ(console->GetText(), wxS("2*(3+4)"));
    EXPECT_FALSE(interpreter.ansSet);
    EXPECT_EQ(console->GetHistoryCount(), 0);
    const wxString dir = gui::outputDir() + wxS("/");
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("console_live_answer.png")));

    // Enter: the line runs as always; its annotation goes, the new input line has none.
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"2*(3+4)", "14", ""}));
    for (int line = 0; line < console->GetLineCount(); ++line) EXPECT_EQ(console->AnnotationGetText(line), wxString());
    EXPECT_TRUE(interpreter.ansSet);
    EXPECT_EQ(history(), (std::vector<wxString>{"2*(3+4)"}));

    // Assignments and commands show nothing; the state used is the one of the moment (ans, base).
    const struct {
        const char* typed;
        const char* shown;
    } rows[] = {{"a=3", ""}, {"format int", ""}, {"ans/4", "3.5"}, {"cls", ""}};
    for (const auto& row : rows) {
        gui::typeText(console, row.typed);
        gui::pump(20);
        EXPECT_EQ(console->liveAnswer().shown(), row.shown) << row.typed;
        console->SetSelection(console->GetInputStart(), console->GetLength());
        console->ReplaceSelection(wxString());
    }
    interpreter.outputBase = 16;
    gui::typeText(console, wxS("ans+1"));
    EXPECT_TRUE(gui::pumpUntil([this] { return console->liveAnswer().shown() == wxS("0xF"); }, 3000))
        << console->liveAnswer().shown();
    interpreter.outputBase = 10;
    // At the bottom of a full console the view follows, so the answer stays on screen.
    for (int i = 0; i < 30; ++i) enter(wxS("1"));
    gui::typeText(console, wxS("2+2"));
    EXPECT_TRUE(gui::pumpUntil([this] { return console->liveAnswer().shown() == wxS("4"); }, 3000))
        << console->liveAnswer().shown();
    EXPECT_GE(console->GetFirstVisibleLine() + console->LinesOnScreen(), console->VisibleFromDocLine(lastLine()) + 2);
    // Switched off, nothing shows.
    console->liveAnswer().setEnabled(false);
    EXPECT_EQ(console->AnnotationGetText(lastLine()), wxString());
    console->liveAnswer().setEnabled(true);
}

}  // namespace
