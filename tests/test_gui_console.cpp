// SPDX-License-Identifier: MIT
// The console (spec Part 3.1) as a real control under Xvfb; the editor's Parts are in test_gui_code_edit.cpp.
#include <clocale>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>

#include "app/delvo_app.h"
#include "console/command_ids.h"
#include "console/console_edit.h"
#include "console/console_history.h"
#include "console/function_signatures.h"
#include "console/window_icons.h"
#include "engine/window_commands.h"
#include "libs/graph/delvo_message_box.h"
#include "tests/console_test_fixture.h"
#include "tests/gui_test_support.h"

namespace {

using Lines = std::vector<wxString>;

// ---- Part 3.1: execution -----------------------------------------------------------------------------------

TEST_F(ConsoleTest, StartsWithOnePromptAndNothingToUndo) {  // Spec 3.1
    EXPECT_EQ(console->GetLineCount(), 1);
    EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::PROMPT_MARKER));
    EXPECT_FALSE(console->CanUndo());
    EXPECT_FALSE(console->IsBusy());
    EXPECT_EQ(console->GetMarginMask(3), 0x900);
    EXPECT_EQ(console->GetMarginType(3), wxSTC_MARGIN_SYMBOL);
    EXPECT_FALSE(console->GetMarginSensitive(3));
    EXPECT_EQ(console->GetMarginWidth(3), console->TextWidth(wxSTC_STYLE_DEFAULT, ">") + 2);
    for (int margin = 0; margin < 3; ++margin) EXPECT_EQ(console->GetMarginWidth(margin), 0);
}

TEST_F(ConsoleTest, SuccessfulLinePrintsReplyOnItsOwnLine) {  // Spec 3.1
    enter(wxS("1+2"));
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::PROMPT_MARKER));
    EXPECT_FALSE(gui::hasMarker(console, 0, ConsoleEdit::ERROR_MARKER));
    EXPECT_EQ(gui::markers(console, 1), 0);
    EXPECT_TRUE(gui::hasMarker(console, 2, ConsoleEdit::PROMPT_MARKER));
    EXPECT_EQ(console->GetCurrentPos(), console->GetLength());
    EXPECT_FALSE(console->CanUndo());
    EXPECT_EQ(history(), (Lines{"1+2"}));
}

TEST_F(ConsoleTest, EnterOnBlankLineChangesNothing) {  // Spec 3.1
    enter(wxS(""));
    EXPECT_EQ(lines(), (Lines{""}));
    enter(wxS("   "));
    EXPECT_EQ(lines(), (Lines{"   "}));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    EXPECT_FALSE(console->IsBusy());
}

TEST_F(ConsoleTest, TrailingSemicolonPrintsNothingButEntersHistory) {  // Spec 3.1
    enter(wxS("1+2;"));
    EXPECT_EQ(lines(), (Lines{"1+2;", ""}));
    EXPECT_EQ(history(), (Lines{"1+2;"}));
    EXPECT_TRUE(gui::hasMarker(console, 1, ConsoleEdit::PROMPT_MARKER));
}

TEST_F(ConsoleTest, TwoStatementsPrintOnlyTheSecondReply) {  // Spec 3.1
    enter(wxS("a=2; a*3"));
    EXPECT_EQ(lines(), (Lines{"a=2; a*3", "6", ""}));
}

TEST_F(ConsoleTest, TwoSemicolonsRunNothingAndOpenANewLine) {  // Spec 3.1
    enter(wxS(";;"));
    EXPECT_EQ(lines(), (Lines{";;", ""}));
    EXPECT_TRUE(gui::hasMarker(console, 1, ConsoleEdit::PROMPT_MARKER));
}

TEST_F(ConsoleTest, FailedLineShowsMessageAfterInputAndErrorMarker) {  // Spec 3.1
    enter(wxS("q"));
    EXPECT_EQ(lines(), (Lines{"q   ! variable not set", ""}));
    EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::ERROR_MARKER));
    EXPECT_FALSE(gui::hasMarker(console, 0, ConsoleEdit::PROMPT_MARKER));
    EXPECT_TRUE(gui::hasMarker(console, 1, ConsoleEdit::PROMPT_MARKER));
    EXPECT_TRUE(console->LastFailed());
}

TEST_F(ConsoleTest, FailureStopsTheRemainingStatements) {  // Spec 3.1
    enter(wxS("b=1; q; b=5"));
    EXPECT_EQ(lines(), (Lines{"b=1; q; b=5   ! variable not set", ""}));
    enter(wxS("b"));
    EXPECT_EQ(console->GetLineText(2), wxS("1"));
}

TEST_F(ConsoleTest, FailureWithoutVerboseOpensANewLine) {  // Spec 3.1
    wxGetApp().interpreter().verbose = false;
    enter(wxS("q"));
    EXPECT_EQ(lines(), (Lines{"q ", ""}));
    EXPECT_TRUE(gui::hasMarker(console, 0, ConsoleEdit::ERROR_MARKER));
}

TEST_F(ConsoleTest, CorrectedFailedLineReplacesTheHistoryEntry) {  // Spec 3.1
    enter(wxS("7*7"));
    enter(wxS("1+"));
    EXPECT_EQ(history(), (Lines{"7*7", "1+"}));
    enter(wxS("1+2"));
    EXPECT_EQ(history(), (Lines{"7*7", "1+2"}));
    EXPECT_FALSE(console->LastFailed());
}

TEST_F(ConsoleTest, EntryEqualIgnoringCaseIsNotAdded) {  // Spec 3.1
    enter(wxS("abs(-4)"));
    enter(wxS("ABS(-4)"));
    EXPECT_EQ(history(), (Lines{"abs(-4)"}));
}

TEST_F(ConsoleTest, ThirteenthEntryLeavesEight) {  // Spec 3.1
    for (int i = 1; i <= 12; ++i) console->AddHistory(wxString::Format(wxS("%d+1"), i));
    ASSERT_EQ(console->GetHistoryCount(), 12);
    enter(wxS("13+1"));
    const Lines expected = {"6+1", "7+1", "8+1", "9+1", "10+1", "11+1", "12+1", "13+1"};
    EXPECT_EQ(history(), expected);
}

TEST_F(ConsoleTest, VersionWordIsAnsweredByTheConsole) {  // Spec 3.1
    enter(wxS("VERSION"));
    EXPECT_EQ(lines(), (Lines{"VERSION", "Version 1.8 Build 2104", ""}));
    enter(wxS("version;"));
    EXPECT_EQ(lines(), (Lines{"VERSION", "Version 1.8 Build 2104", "version;", ""}));
    enter(wxS("Release"));
    EXPECT_EQ(console->GetLineText(4), wxS("Apr 30 2021"));
    enter(wxS("author"));
    EXPECT_FALSE(console->GetLineText(6).empty());
    enter(wxS("contact"));
    EXPECT_FALSE(console->GetLineText(8).empty());
}

TEST_F(ConsoleTest, TooLongLineIsNotExecuted) {  // Spec 3.1
    const wxString line = wxString(wxS('1'), 384);
    console->AddText(line);
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{line}));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    EXPECT_EQ(console->SetCommandText(line), 0);
    EXPECT_EQ(console->SetCommandText(wxS("1+2\n")), 3);
    EXPECT_EQ(console->GetCommandText(), wxS("1+2"));
    EXPECT_EQ(console->SetCommandText(wxString()), 0);
}

TEST_F(ConsoleTest, ExecutionSetsTheNumericLocaleToC) {  // Spec 3.1
    std::setlocale(LC_NUMERIC, "");
    enter(wxS("1.5*2"));
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(console->GetLineText(1), wxS("3"));
}

TEST_F(ConsoleTest, ClsLeavesOneEmptyPromptAndKeepsHistory) {  // Spec 3.1
    enter(wxS("1+2"));
    enter(wxS("2+2"));
    // The interpreter's "cls" reaches ClearConsole through the main window; here the line is run the same way.
    struct Clear : WindowCommands {
        ConsoleEdit* console;
        void clearConsole() override { console->ClearConsole(); }
        void showHelp() override {}
        void saveConsole() override {}
        void shutDown() override {}
    } window;
    window.console = console;
    wxGetApp().interpreter().setWindowCommands(&window);
    enter(wxS("cls"));
    wxGetApp().interpreter().setWindowCommands(nullptr);
    EXPECT_EQ(lines(), (Lines{""}));
    EXPECT_EQ(gui::markers(console, 0), 1 << ConsoleEdit::PROMPT_MARKER);
    EXPECT_EQ(history(), (Lines{"1+2", "2+2", "cls"}));
    EXPECT_FALSE(console->CanUndo());
    gui::sendKey(console, WXK_UP);
    EXPECT_EQ(inputLine(), wxS("cls"));
}

TEST_F(ConsoleTest, ResetAsksAndEmptiesHistory) {  // Spec 3.1
    enter(wxS("1+2"));
    gui::MessageBoxAnswer answer(wxYES);
    gui::sendKey(console, 'R', wxMOD_NONE);  // typing is harmless; Reset comes from the menu command
    console->DocumentEnd();
    wxCommandEvent reset(wxEVT_MENU, ID_CONSOLE_RESET);
    console->GetEventHandler()->ProcessEvent(reset);
    ASSERT_EQ(answer.requests.size(), 1u);
    const MessageBoxRequest& request = answer.requests[0];
    EXPECT_EQ(request.message, wxS("Reset Math Console?"));
    EXPECT_EQ(request.caption, wxS("Quarn"));
    EXPECT_EQ(request.style, 0x48A);
    EXPECT_EQ(request.parent, console);
    EXPECT_EQ(request.label1, wxS("Reset"));
    EXPECT_EQ(request.label2, wxS("Cancel"));
    EXPECT_TRUE(request.label3.empty());
    EXPECT_EQ(lines(), (Lines{""}));
    EXPECT_EQ(console->GetHistoryCount(), 0);
    gui::sendKey(console, WXK_UP);
    EXPECT_EQ(inputLine(), wxS(""));
}

TEST_F(ConsoleTest, ResetRefusedKeepsEverything) {  // Spec 3.1
    enter(wxS("1+2"));
    gui::MessageBoxAnswer answer(wxNO);
    console->ResetConsole();
    EXPECT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    EXPECT_EQ(console->GetHistoryCount(), 1);
}

// ---- Part 3.1: history navigation ------------------------------------------------------------------------

TEST_F(ConsoleTest, UpAndDownWalkTheHistoryRound) {  // Spec 3.1
    for (const char* line : {"1+1", "2+2", "3+3"}) enter(line);
    const auto up = [this] {
        gui::sendKey(console, WXK_UP);
        return inputLine();
    };
    EXPECT_EQ(up(), wxS("3+3"));
    EXPECT_EQ(up(), wxS("2+2"));
    EXPECT_EQ(up(), wxS("1+1"));
    EXPECT_EQ(up(), wxS("3+3"));
    EXPECT_EQ(console->GetCurrentPos(), console->GetLength());
}

TEST_F(ConsoleTest, DownAfterFirstUpGoesForward) {  // Spec 3.1
    for (const char* line : {"1+1", "2+2", "3+3"}) enter(line);
    gui::sendKey(console, WXK_UP);
    const Lines expected = {"2+2", "3+3", "1+1"};
    for (const wxString& entry : expected) {
        gui::sendKey(console, WXK_DOWN);
        EXPECT_EQ(inputLine(), entry);
    }
}

TEST(Part3_1_ConsoleHistory, NavigationAndReplacementRules) {  // Spec 3.1
    ConsoleHistory history;
    std::wstring shown;
    EXPECT_FALSE(history.up(&shown));
    EXPECT_FALSE(history.add(L""));
    history.add(L"a");
    history.add(L"b");
    history.add(L"c");
    EXPECT_EQ(history.cursor(), 2);
    ASSERT_TRUE(history.up(&shown));
    EXPECT_EQ(shown, L"c");
    // A correction replaces the newest entry, unless an equal entry exists.
    EXPECT_TRUE(history.add(L"C", true));
    EXPECT_EQ(history.entry(2), L"c");
    EXPECT_TRUE(history.add(L"d", true));
    EXPECT_EQ(history.entry(2), L"d");
    EXPECT_EQ(history.count(), 3);
    history.add(std::wstring(300, L'7'));
    EXPECT_EQ(history.entry(history.count() - 1).size(), 255u);
    history.clear();
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(history.cursor(), 0);
    EXPECT_EQ(history.entry(0), L"");
}

// ---- Part 3.1: keys --------------------------------------------------------------------------------------

TEST_F(ConsoleTest, BackspaceAndLeftAtThePromptDoNothing) {  // Spec 3.1
    enter(wxS("1+2"));
    const int start = console->GetInputStart(lastLine());
    EXPECT_EQ(console->GetCurrentPos(), start);
    gui::sendKey(console, WXK_BACK);
    gui::sendKey(console, WXK_LEFT);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    EXPECT_EQ(console->GetCurrentPos(), start);
    gui::typeText(console, wxS("45"));
    gui::sendKey(console, WXK_LEFT);
    gui::sendKey(console, WXK_LEFT);
    gui::sendKey(console, WXK_LEFT);
    EXPECT_EQ(console->GetCurrentPos(), start);
    gui::sendKey(console, WXK_BACK);
    EXPECT_EQ(inputLine(), wxS("45"));
    console->DocumentEnd();
    gui::sendKey(console, WXK_BACK);
    EXPECT_EQ(inputLine(), wxS("4"));
}

TEST_F(ConsoleTest, CtrlBackspaceStopsAtThePrompt) {  // Spec 3.1
    enter(wxS("1+2"));
    gui::typeText(console, wxS(" "));
    gui::sendKey(console, WXK_BACK, wxMOD_CONTROL);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
    gui::typeText(console, wxS("x+abc"));
    gui::sendKey(console, WXK_BACK, wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("x+"));
}

TEST_F(ConsoleTest, PageDownOnTheInputLineDoesNothing) {  // Spec 3.1
    enter(wxS("1+2"));
    gui::typeText(console, wxS("12"));
    const int caret = console->GetCurrentPos();
    gui::sendKey(console, WXK_PAGEDOWN);
    EXPECT_EQ(console->GetCurrentPos(), caret);
    EXPECT_EQ(inputLine(), wxS("12"));
}

TEST_F(ConsoleTest, PageUpMovesFiveLinesKeepingTheColumn) {  // Spec 3.1
    for (int i = 0; i < 4; ++i) enter(wxS("1000+1"));  // 9 lines: input line 8
    gui::typeText(console, wxS("12"));
    gui::sendKey(console, WXK_PAGEUP);
    EXPECT_EQ(console->GetCurrentLine(), 3);
    EXPECT_EQ(console->GetCurrentPos(), console->PositionFromLine(3) + 2);
    gui::sendKey(console, WXK_UP);
    EXPECT_EQ(console->GetCurrentLine(), 2);
    gui::sendKey(console, WXK_PAGEDOWN);
    EXPECT_EQ(console->GetCurrentLine(), 7);
    gui::sendKey(console, WXK_PAGEDOWN);
    EXPECT_EQ(console->GetCurrentLine(), 8);
    gui::sendKey(console, WXK_PAGEUP);
    gui::sendKey(console, WXK_PAGEUP);
    EXPECT_EQ(console->GetCurrentLine(), 0);
    gui::sendKey(console, WXK_UP);
    EXPECT_EQ(console->GetCurrentLine(), 0);
}

TEST_F(ConsoleTest, TypingOnAnEarlierLineInsertsNothingAndCtrlCCopies) {  // Spec 3.1
    enter(wxS("12345"));
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
    gui::sendKey(console, 'V', wxMOD_CONTROL);
    gui::sendKey(console, 'X', wxMOD_CONTROL);
    EXPECT_EQ(lines(), before);
}

TEST_F(ConsoleTest, TypingWithASelectionIntoTheTranscriptGoesToTheCaret) {  // Spec 3.1 (script-console mode)
    enter(wxS("12345"));
    gui::typeText(console, wxS("7"));
    console->SetSelection(2, console->GetLength());  // caret on the input line, anchor on line 0
    gui::typeText(console, wxS("8"));
    EXPECT_EQ(lines(), (Lines{"12345", "12345", "78"}));
}

TEST_F(ConsoleTest, PasteJoinsClipboardLines) {  // Spec 3.1
    ASSERT_TRUE(gui::setClipboardText(wxS("1\n+\r\n2")));
    gui::sendKey(console, 'V', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("1+2"));
    EXPECT_EQ(console->GetCurrentPos(), console->GetLength());
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(lines(), (Lines{"1+2", "3", ""}));
}

TEST_F(ConsoleTest, PasteLongerThan255IsIgnored) {  // Spec 3.1
    gui::typeText(console, wxS("12345"));
    ASSERT_TRUE(gui::setClipboardText(wxString(wxS('7'), 251)));
    console->PasteClipboard();
    EXPECT_EQ(inputLine(), wxS("12345"));
    ASSERT_TRUE(gui::setClipboardText(wxString(wxS('7'), 250)));
    console->PasteClipboard();
    EXPECT_EQ(inputLine().length(), 255u);
}

TEST_F(ConsoleTest, PasteReplacesASelectionWithinTheInput) {  // Spec 3.1
    gui::typeText(console, wxS("2*abc"));
    console->SetSelection(2, 5);
    ASSERT_TRUE(gui::setClipboardText(wxS("pi")));
    console->PasteClipboard();
    EXPECT_EQ(inputLine(), wxS("2*pi"));
    EXPECT_EQ(console->GetCurrentPos(), 4);
}

TEST_F(ConsoleTest, CutOnlyWithinTheInput) {  // Spec 3.1
    enter(wxS("12345"));
    gui::typeText(console, wxS("678"));
    console->SetSelection(1, console->GetLength());
    console->CutSelection();
    EXPECT_EQ(inputLine(), wxS("678"));
    const int start = console->GetInputStart(lastLine());
    console->SetSelection(start + 1, start + 3);
    console->CutSelection();
    EXPECT_EQ(inputLine(), wxS("6"));
    EXPECT_EQ(gui::clipboardText(), wxS("78"));
}

TEST_F(ConsoleTest, DeleteKeyRemovesTheCharacterAfterTheCaret) {  // Spec 3.1
    gui::typeText(console, wxS("123"));
    console->GotoPos(1);
    gui::sendKey(console, WXK_DELETE);  // accelerator 5034
    EXPECT_EQ(inputLine(), wxS("13"));
    console->DocumentEnd();
    console->DeleteForward();
    EXPECT_EQ(inputLine(), wxS("13"));
    console->SetSelection(0, 1);
    console->DeleteForward();
    EXPECT_EQ(inputLine(), wxS("3"));
}

TEST_F(ConsoleTest, EarlierLineDeleteDoesNothing) {  // Spec 3.1
    enter(wxS("123"));
    console->GotoPos(1);
    console->DeleteForward();
    EXPECT_EQ(console->GetLineText(0), wxS("123"));
}

TEST_F(ConsoleTest, F12AndCommand7078Execute) {  // Spec 3.1
    gui::typeText(console, wxS("6*7"));
    gui::sendKey(console, WXK_F12);
    EXPECT_EQ(lines(), (Lines{"6*7", "42", ""}));
    gui::typeText(console, wxS("2^3"));
    wxCommandEvent execute(wxEVT_MENU, ID_RUN_EXECUTE);
    console->GetEventHandler()->ProcessEvent(execute);
    EXPECT_EQ(console->GetLineText(3), wxS("8"));
}

TEST_F(ConsoleTest, UndoAndRedoOnlyWithinTheInput) {  // Spec 3.1
    enter(wxS("1+2"));
    EXPECT_FALSE(console->CanUndo());
    gui::typeText(console, wxS("5"));
    gui::sendKey(console, 'Z', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS(""));
    gui::sendKey(console, 'Y', wxMOD_CONTROL);
    EXPECT_EQ(inputLine(), wxS("5"));
    EXPECT_EQ(console->GetLineText(1), wxS("3"));
}

TEST_F(ConsoleTest, ScriptConsoleModeClearsLineCommands) {  // Spec 3.1 (setModeScriptConsole)
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
    drop.SetDragResult(wxDragCopy);
    drop.SetString(wxS("4\n5"));
    drop.SetPosition(1);
    console->GetEventHandler()->ProcessEvent(drop);
    EXPECT_EQ(drop.GetDragResult(), wxDragNone);
    drop.SetDragResult(wxDragCopy);
    drop.SetPosition(console->GetLength());
    console->GetEventHandler()->ProcessEvent(drop);
    EXPECT_EQ(drop.GetDragResult(), wxDragCopy);
    EXPECT_EQ(drop.GetString(), wxS("45"));
}

TEST_F(ConsoleTest, RealKeystrokesThroughTheXServer) {  // Spec 3.1
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

// ---- Part 3.1: zoom and context menu ----------------------------------------------------------------------

TEST_F(ConsoleTest, ZoomStepsRecomputeThePromptMargin) {  // Spec 3.1
    const int width = console->GetMarginWidth(3);
    gui::sendKey(console, WXK_NUMPAD_ADD, wxMOD_CONTROL);
    gui::sendKey(console, '+', wxMOD_CONTROL);
    EXPECT_EQ(console->GetZoom(), 2);
    EXPECT_GT(console->GetMarginWidth(3), width);
    gui::sendKey(console, '0', wxMOD_CONTROL);
    EXPECT_EQ(console->GetZoom(), 0);
    EXPECT_EQ(console->GetMarginWidth(3), width);
    gui::sendKey(console, '-', wxMOD_CONTROL);
    EXPECT_EQ(console->GetZoom(), -1);
    gui::sendKey(console, WXK_NUMPAD0, wxMOD_CONTROL);
    EXPECT_EQ(console->GetZoom(), 0);

    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetControlDown(true);
    wheel.m_wheelRotation = -120;
    wheel.m_wheelDelta = 120;
    console->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(console->GetZoom(), 1);
    wheel.m_wheelRotation = 120;
    console->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(console->GetZoom(), 0);
}

std::vector<std::pair<int, wxString>> menuItems(wxMenu* menu) {
    std::vector<std::pair<int, wxString>> items;
    for (wxMenuItem* item : menu->GetMenuItems())
        items.emplace_back(item->IsSeparator() ? 0 : item->GetId(), item->GetItemLabelText());
    return items;
}

TEST_F(ConsoleTest, ContextMenuFollowsCaretSelectionAndClipboard) {  // Spec 3.1
    using Items = std::vector<std::pair<int, wxString>>;
    enter(wxS("1+2"));
    gui::setClipboardText(wxS("5"));
    {
        std::unique_ptr<wxMenu> menu(console->CreateContextMenu());
        const Items items = menuItems(menu.get());
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(items[0], std::make_pair(int(ID_CONSOLE_PASTE), wxString("Paste")));
        EXPECT_EQ(menu->FindItem(ID_CONSOLE_PASTE)->GetHelp(), wxS("Paste the selected text"));
        EXPECT_EQ(items[1].first, 0);
        EXPECT_EQ(items[2].second, wxS("View"));
        EXPECT_EQ(items[3], std::make_pair(int(ID_CONSOLE_RESET), wxString("Reset")));
        EXPECT_TRUE(menu->FindItem(ID_CONSOLE_RESET)->GetBitmap().IsOk());
        wxMenu* view = menu->FindItemByPosition(2)->GetSubMenu();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(menuItems(view), (Items{{ID_VIEW_ZOOM_IN, "Zoom In"},
                                          {ID_VIEW_ZOOM_OUT, "Zoom Out"},
                                          {ID_VIEW_ZOOM_NORMAL, "Normal Viewing"}}));
        EXPECT_TRUE(view->FindItem(ID_VIEW_ZOOM_IN)->GetBitmap().IsOk());
        EXPECT_TRUE(view->FindItem(ID_VIEW_ZOOM_OUT)->GetBitmap().IsOk());
    }
    gui::typeText(console, wxS("45"));
    console->SetSelection(console->GetLength() - 2, console->GetLength());
    {
        std::unique_ptr<wxMenu> menu(console->CreateContextMenu());
        const Items items = menuItems(menu.get());
        const Items expected = {{ID_EDIT_UNDO, "Undo"}, {0, ""},          {ID_CONSOLE_CUT, "Cut"},
                                {ID_CONSOLE_COPY, "Copy"}, {ID_CONSOLE_PASTE, "Paste"}, {0, ""},
                                {items[6].first, "View"}, {ID_CONSOLE_RESET, "Reset"}};
        EXPECT_EQ(items, expected);
        EXPECT_EQ(menu->FindItem(ID_CONSOLE_PASTE)->GetHelp(), wxS("Paste text"));
    }
    console->SetSelection(0, 3);  // on line 0
    {
        std::unique_ptr<wxMenu> menu(console->CreateContextMenu());
        const Items items = menuItems(menu.get());
        const Items expected = {{ID_CONSOLE_COPY, "Copy"}, {0, ""}, {items[2].first, "View"},
                                {ID_CONSOLE_RESET, "Reset"}};
        EXPECT_EQ(items, expected);
    }
}

// ---- Autocompletion and call tips (beyond the spec) ----------------------------------------------------

TEST_F(ConsoleTest, TwoLettersOfAFunctionNameOfferCompletions) {
    gui::typeText(console, wxS("2*sq"));
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

TEST_F(ConsoleTest, NoCompletionForCompleteNamesOrSingleLetters) {
    gui::typeText(console, wxS("a"));
    EXPECT_FALSE(console->AutoCompActive());
    gui::typeText(console, wxS("*max"));
    EXPECT_FALSE(console->AutoCompActive());
    console->ClearAll();
    gui::typeText(console, wxS("xy"));
    EXPECT_FALSE(console->AutoCompActive());
}

TEST(Part3_1_FunctionSignatures, TableCoversTheHighlightedNames) {
    const wxArrayString keywords = wxSplit(wxString(CodeEdit::kLuaKeywords).Trim(), ' ', '\0');
    for (const wxString& name : keywords) EXPECT_NE(findFunctionSignature(name.ToStdWstring()), nullptr) << name;
    EXPECT_STREQ(findFunctionSignature(L"pow")->signature, L"pow(x, y)");
    EXPECT_EQ(completionsFor(L"s"), std::vector<std::wstring>{});
    EXPECT_EQ(completionsFor(L"si"), (std::vector<std::wstring>{L"sign", L"sin", L"sinh"}));
}

// ---- Part 3.1: the error marker's look ---------------------------------------------------------------------

TEST_F(ConsoleTest, ErrorMarkerIsARedArrowInThePromptMargin) {  // Spec 3.1
    enter(wxS("q"));
    gui::pump(100);
    const wxImage image = gui::grab(console);
    ASSERT_TRUE(image.IsOk());
    const int lineHeight = console->TextHeight(0);
    const wxImage margin = image.GetSubImage(wxRect(0, 0, console->GetMarginWidth(3), lineHeight));
    EXPECT_GT(gui::countPixels(margin, wxColour(0xD0, 0x18, 0x18)), 6);
    const wxImage nextMargin = image.GetSubImage(wxRect(0, lineHeight, console->GetMarginWidth(3), lineHeight));
    EXPECT_EQ(gui::countPixels(nextMargin, wxColour(0xD0, 0x18, 0x18)), 0);
}

// ---- Screenshots --------------------------------------------------------------------------------------

TEST_F(ConsoleTest, Screenshots) {
    // Pictures for docs/screenshots: results, failures with their arrows, history, the context menu.
    const wxString dir = gui::outputDir();
    frame->SetSize(wxSize(560, 300));
    frame->Layout();
    enter(wxS("1+2"));
    enter(wxS("sqrt(2)*pi"));
    enter(wxS("x=3; pow(x, 2) + 2*x"));
    enter(wxS("(1+sqrt(5))/2"));
    gui::typeText(console, wxS("hypot(3, 4)"));
    console->DocumentEnd();
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("/console_result.png")));

    console->DocumentEnd();
    gui::sendKey(console, WXK_RETURN);
    enter(wxS("q"));
    enter(wxS("plot("));
    gui::typeText(console, wxS("max("));
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("/console_error.png")));

    console->CallTipCancel();
    console->SetSelection(console->GetInputStart(lastLine()), console->GetLength());
    console->ReplaceSelection(wxString());
    for (int i = 0; i < 4; ++i) gui::sendKey(console, WXK_UP);
    EXPECT_EQ(inputLine(), wxS("(1+sqrt(5))/2"));
    EXPECT_TRUE(gui::screenshot(frame, dir + wxS("/console_history.png")));

    gui::setClipboardText(wxS("2*pi"));
    console->ClearConsole();
    enter(wxS("2^10"));
    gui::typeText(console, wxS("(1+sqrt(5))/2"));
    const int start = console->GetInputStart(lastLine());
    console->SetSelection(start + 1, start + 10);
    // The context menu is modal: a timer takes the picture and closes it.
    // The View submenu is opened with the keyboard to show the zoom icons.
    enableMenuIcons();
    bool shot = false;
    gui::after(400, [] {
        wxUIActionSimulator keys;
        for (int i = 0; i < 5; ++i) keys.Char(WXK_DOWN);
        keys.Char(WXK_RIGHT);
    });
    gui::after(900, [&shot, frame = frame, dir] {
        shot = gui::screenshot(wxRect(frame->GetScreenPosition(), wxSize(460, 280)), dir + wxS("/console_menu.png"));
        wxUIActionSimulator().Char(WXK_ESCAPE);
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    gui::after(3000, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    const wxPoint at = console->PointFromPosition(start + 6) + wxPoint(4, 8);
    wxContextMenuEvent menuEvent(wxEVT_CONTEXT_MENU, console->GetId(), console->ClientToScreen(at));
    menuEvent.SetEventObject(console);
    console->GetEventHandler()->ProcessEvent(menuEvent);
    gui::pump(100);
    EXPECT_TRUE(shot);
}

}  // namespace
