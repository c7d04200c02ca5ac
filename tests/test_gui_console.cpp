// SPDX-License-Identifier: MIT
// The console (spec Part 3.1), the styled editor (3.2), and the message box and real field (1.3), driven
// as real controls under Xvfb.
#include <clocale>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/delvo_app.h"
#include "console/command_ids.h"
#include "console/console_edit.h"
#include "console/console_history.h"
#include "console/editor_prefs.h"
#include "console/function_signatures.h"
#include "console/window_icons.h"
#include "engine/window_commands.h"
#include "libs/graph/delvo_message_box.h"
#include "libs/graph/real_edit.h"
#include "tests/gui_test_support.h"

namespace {

/// A frame holding one console set up as the main window does (Part 3.3, CreateControls step 2).
class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        Interpreter& interpreter = wxGetApp().interpreter();
        interpreter.resetVariableStore();
        interpreter.verbose = true;
        interpreter.outputBase = 10;
        interpreter.format.mode = NumberFormat::kAuto;

        frame = new wxFrame(nullptr, wxID_ANY, wxS("DelvoCalculator"), wxDefaultPosition, wxSize(560, 300));
        console = new ConsoleEdit(frame, ID_CONSOLE, wxDefaultPosition, wxSize(420, 180),
                                  wxVSCROLL | wxHSCROLL | wxBORDER_NONE, wxS("Console"));
        console->ApplyPreferences(EditorPrefs(), true);
        console->SetScrollWidth(380);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(console, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Layout();
        gui::focus(console);
    }

    void TearDown() override {
        frame->Destroy();
        gui::pump();
    }

    /// Types a line at the end of the input line and presses Enter, as the user does.
    void enter(const wxString& line) {
        console->DocumentEnd();
        gui::typeText(console, line);
        gui::sendKey(console, WXK_RETURN);
    }

    std::vector<wxString> lines() const {
        std::vector<wxString> result;
        for (int i = 0; i < console->GetLineCount(); ++i) result.push_back(console->GetLineText(i));
        return result;
    }

    wxString inputLine() const { return console->GetLineText(console->GetLineCount() - 1); }
    int lastLine() const { return console->GetLineCount() - 1; }

    std::vector<wxString> history() const {
        std::vector<wxString> entries;
        for (int i = 0; i < console->GetHistoryCount(); ++i) entries.push_back(console->GetHistoryEntry(i));
        return entries;
    }

    wxFrame* frame = nullptr;
    ConsoleEdit* console = nullptr;
};

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

// ---- Part 3.2: the styled editor -----------------------------------------------------------------------

TEST(Part3_2_EditorPrefs, DefaultsFollowTheTable) {  // Spec 3.2
    const EditorPrefs prefs;
    EXPECT_TRUE(prefs.highlight);
    EXPECT_EQ(prefs.tabWidth, 3);
    EXPECT_EQ(prefs.edgeColumn, 120);
    EXPECT_EQ(prefs.markerColors, (std::array<std::uint32_t, 4>{0x00B1E6, 0x009700, 0xC24230, 0x0000FF}));
    EXPECT_EQ(prefs.styles[0].foreground, 0x202020u);
    EXPECT_EQ(prefs.styles[4].foreground, 0x808000u);
    EXPECT_EQ(prefs.styles[5].fontStyle, 1);
    EXPECT_EQ(prefs.styles[10].foreground, 0xFF0080u);
    EXPECT_EQ(prefs.styles[20].background, 0xECECECu);
    EXPECT_EQ(prefs.styles[22].background, 0xF6D0ABu);
    for (int i = 0; i < EditorPrefs::kStyleCount; ++i) {
        EXPECT_EQ(prefs.styles[i].id, i);
        EXPECT_EQ(prefs.styles[i].lexerStyle, i);
        EXPECT_EQ(prefs.styles[i].getFaceName(), L"Consolas");
        EXPECT_EQ(prefs.styles[i].size, 10);
    }
}

TEST(Part3_2_EditorPrefs, CopyKeepsSelectionButLexerEntriesTakeTheDefaultBackground) {  // Spec 3.2
    EditorPrefs source;
    source.styles[0].background = 0x102030;
    source.styles[5].background = 0xAAAAAA;
    source.styles[23].background = 0xBBBBBB;
    source.styles[20].background = 0x111111;
    source.styles[21].background = 0x222222;
    source.styles[22].background = 0x333333;
    source.tabWidth = 7;
    EditorPrefs copy;
    copy = source;
    EXPECT_EQ(copy.tabWidth, 7);
    EXPECT_EQ(copy.styles[5].background, 0x102030u);
    EXPECT_EQ(copy.styles[19].background, 0x102030u);
    EXPECT_EQ(copy.styles[23].background, 0x102030u);
    EXPECT_EQ(copy.styles[20].background, 0x111111u);
    EXPECT_EQ(copy.styles[21].background, 0x222222u);
    EXPECT_EQ(copy.styles[22].background, 0x333333u);
    const EditorPrefs constructed(source);
    EXPECT_EQ(constructed.styles[5].background, 0x102030u);
}

TEST(Part3_2_EditorPrefs, ShiftColorClampsEachChannel) {  // Spec 3.2
    EXPECT_EQ(shiftColor(0xFFFFFF, -4), 0xFBFBFBu);
    EXPECT_EQ(shiftColor(0x02FF10, 4), 0x06FF14u);
    EXPECT_EQ(shiftColor(0x02FF10, -40), 0x00D700u);
}

TEST_F(ConsoleTest, ApplyPreferencesShiftsTheBackgroundAndForcesConsoleSwitches) {  // Spec 3.1, 3.2
    EditorPrefs prefs;
    prefs.wrap = true;
    prefs.viewEol = true;
    prefs.lineSpacing = 3;
    prefs.foldMargin = true;
    EXPECT_TRUE(console->ApplyPreferences(prefs, true));
    EditorPrefs stored;
    console->GetPreferences(stored);
    EXPECT_FALSE(stored.wrap);
    EXPECT_FALSE(stored.viewEol);
    EXPECT_FALSE(stored.foldMargin);
    EXPECT_EQ(stored.lineSpacing, 0);
    EXPECT_EQ(stored.styles[0].background, 0xFBFBFBu);
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_DEFAULT), wxColour(0xFB, 0xFB, 0xFB));
    EXPECT_EQ(console->GetCaretLineBackground(), wxColour(0xFB, 0xFB, 0xFB));
    EXPECT_EQ(console->GetWrapMode(), wxSTC_WRAP_NONE);
    EXPECT_FALSE(console->GetViewEOL());
    EXPECT_EQ(console->GetEdgeMode(), wxSTC_EDGE_NONE);
    EXPECT_EQ(console->GetExtraAscent(), 1);
    EXPECT_EQ(console->GetExtraDescent(), 1);
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_LUA);
    // A dark record: the background grows lighter.
    prefs.styles[0].foreground = 0xE0E0E0;
    prefs.styles[0].background = 0x202020;
    console->ApplyPreferences(prefs, false);
    console->GetPreferences(stored);
    EXPECT_EQ(stored.styles[0].background, 0x242424u);
}

TEST_F(ConsoleTest, ConsoleColorsLeaveOnlyNumbersOperatorsAndFunctionsColoured) {  // Spec 3.2
    EditorPrefs prefs;
    console->GetPreferences(prefs);
    applyColorsToPrefs(prefs, 0x000000, 0xFFFFFF, 0xFF0000, 0x800000, 0x808000, 0xFFFF00);
    console->ApplyPreferences(prefs, true);
    const wxColour text(0, 0, 0);
    for (int style : {1, 2, 3, 6, 7, 8, 9, 11, 12, 13, 19}) EXPECT_EQ(console->StyleGetForeground(style), text) << style;
    EXPECT_EQ(console->StyleGetForeground(5), CodeEdit::toColour(0xFF0000));
    EXPECT_EQ(console->StyleGetForeground(10), CodeEdit::toColour(0x800000));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x808000));
    EXPECT_EQ(console->StyleGetBackground(5), CodeEdit::toColour(0xFBFBFB));
    console->GetPreferences(prefs);
    EXPECT_EQ(prefs.styles[22].background, 0xFFFF00u);
}

TEST_F(ConsoleTest, ConsoleFontWeightDecidesBoldness) {  // Spec 3.2
    EditorPrefs prefs;
    console->GetPreferences(prefs);
    applyFontToPrefs(prefs, L"DejaVu Sans Mono", 12, 90, 0x302010);
    console->ApplyPreferences(prefs, true);
    for (int style = 0; style <= 20; ++style) EXPECT_FALSE(console->StyleGetBold(style)) << style;
    EXPECT_EQ(console->StyleGetSize(5), 12);
    EXPECT_EQ(console->StyleGetForeground(0), CodeEdit::toColour(0x302010));
    EXPECT_EQ(console->StyleGetFaceName(5), wxS("DejaVu Sans Mono"));
    applyFontToPrefs(prefs, L"DejaVu Sans Mono", 12, 92, 0x302010);
    console->ApplyPreferences(prefs, true);
    for (int style = 0; style <= 20; ++style) EXPECT_TRUE(console->StyleGetBold(style)) << style;
}

TEST_F(ConsoleTest, DefaultStylesColourFunctionsBold) {  // Spec 3.2
    EXPECT_TRUE(console->StyleGetBold(5));
    EXPECT_FALSE(console->StyleGetBold(0));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x808000));
    EXPECT_EQ(console->StyleGetSize(33), 9);
    // The face: Consolas when installed, else the documented fixed-pitch substitute.
    EXPECT_EQ(console->StyleGetFaceName(0), CodeEdit::resolveFixedFace(wxS("Consolas")));
    gui::typeText(console, wxS("sqrt(16)+1"));
    console->Colourise(0, -1);
    EXPECT_EQ(console->GetStyleAt(0), 5);   // function name
    EXPECT_EQ(console->GetStyleAt(4), 10);  // operator
    EXPECT_EQ(console->GetStyleAt(5), 4);   // number
}

TEST_F(ConsoleTest, HighlightingOffShowsNoBracesAndOneLook) {  // Spec 3.2
    gui::typeText(console, wxS("(1+2)"));
    console->SetHighlighting(false);
    EXPECT_FALSE(console->GetHighlighting());
    for (int style = 0; style <= 20; ++style) {
        EXPECT_EQ(console->StyleGetForeground(style), console->StyleGetForeground(0)) << style;
        EXPECT_FALSE(console->StyleGetBold(style)) << style;
    }
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_BRACELIGHT), console->StyleGetBackground(0));
    EXPECT_FALSE(console->StyleGetBold(wxSTC_STYLE_BRACELIGHT));
    EXPECT_EQ(console->StyleGetForeground(wxSTC_STYLE_BRACEBAD), console->StyleGetForeground(0));
    console->SetHighlighting(true);
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_BRACELIGHT), CodeEdit::toColour(0xF6D0AB));
    EXPECT_TRUE(console->StyleGetBold(wxSTC_STYLE_BRACELIGHT));
    EXPECT_TRUE(console->StyleGetBold(5));
}

TEST_F(ConsoleTest, BracketsOnTheLastLineAreHighlightedOnlyWithHighlighting) {  // Spec 3.2
    const wxColour braceBackground = CodeEdit::toColour(0xF6D0AB);  // entry 22's background
    gui::typeText(console, wxS("(1+2)"));
    console->DocumentEnd();
    gui::pump(100);
    EXPECT_GT(gui::countPixels(gui::grab(console), braceBackground), 20);
    console->SetHighlighting(false);
    console->DocumentEnd();
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
    // With highlighting on again, a bracket on an earlier line is not matched.
    console->SetHighlighting(true);
    gui::sendKey(console, WXK_RETURN);
    console->GotoPos(5);
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
    console->GotoPos(0);
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
}

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

TEST_F(ConsoleTest, ApplyStyleIgnoresSizesOutsideFourToNinetySix) {  // Spec 3.2
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 14, wxS("Consolas"), 6, 1);
    EXPECT_EQ(console->StyleGetSize(7), 14);
    EXPECT_FALSE(console->StyleGetBold(7));
    EXPECT_TRUE(console->StyleGetItalic(7));
    EXPECT_TRUE(console->StyleGetUnderline(7));
    EXPECT_EQ(console->StyleGetCase(7), 1);
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 200, wxS("Consolas"), 8, 0);
    EXPECT_EQ(console->StyleGetSize(7), 14);
    EXPECT_FALSE(console->StyleGetVisible(7));
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 3, wxS("Consolas"), 0, 0);
    EXPECT_EQ(console->StyleGetSize(7), 14);
}

TEST(Part3_2_CodeEdit, AppliesTheWholeRecord) {  // Spec 3.2
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("CodeEdit"), wxDefaultPosition, wxSize(400, 200));
    auto* edit = new CodeEdit(frame, wxID_ANY);
    frame->Show();
    EXPECT_EQ(edit->GetModEventMask(), 3);
    EXPECT_EQ(edit->GetCodePage(), wxSTC_CP_UTF8);
    for (int margin = 0; margin < 4; ++margin) EXPECT_EQ(edit->GetMarginWidth(margin), 0);
    EditorPrefs prefs;
    prefs.lineSpacing = 2;
    prefs.tabWidth = 5;
    prefs.useTabs = false;
    EXPECT_TRUE(edit->SetPreferences(prefs, true));
    EXPECT_EQ(edit->GetMarginWidth(0), edit->TextWidth(wxSTC_STYLE_LINENUMBER, wxS("-0000")));
    EXPECT_EQ(edit->GetMarginWidth(1), 0);
    EXPECT_EQ(edit->GetMarginWidth(2), 0);
    EXPECT_EQ(edit->GetEdgeMode(), wxSTC_EDGE_LINE);
    EXPECT_EQ(edit->GetEdgeColumn(), 120);
    EXPECT_EQ(edit->GetEdgeColour(), CodeEdit::toColour(shiftColor(0xF2EDEA, -40)));
    EXPECT_EQ(edit->GetTabWidth(), 5);
    EXPECT_EQ(edit->GetIndent(), 5);
    EXPECT_FALSE(edit->GetUseTabs());
    EXPECT_GT(edit->GetExtraAscent(), 3);  // h/4 + 3 with h the height of "Qy"
    EXPECT_EQ(edit->GetExtraAscent(), edit->GetExtraDescent());
    EXPECT_EQ(edit->StyleGetSize(wxSTC_STYLE_LINENUMBER), 9);
    EXPECT_EQ(edit->StyleGetBackground(wxSTC_STYLE_LINENUMBER), CodeEdit::toColour(0xECECEC));
    EXPECT_EQ(edit->GetCaretLineBackground(), CodeEdit::toColour(0xF2EDEA));
    EXPECT_EQ(edit->AutoCompGetSeparator(), '|');
    EXPECT_TRUE(edit->AutoCompGetChooseSingle());
    EXPECT_FALSE(edit->AutoCompGetIgnoreCase());
    EXPECT_EQ(edit->GetMouseDwellTime(), 500);
    EXPECT_EQ(edit->GetProperty(wxS("fold.quotes.lua")), wxS("1"));
    EXPECT_EQ(edit->GetLexer(), wxSTC_LEX_LUA);
    edit->UpdatePromptMargin();
    EXPECT_EQ(edit->GetMarginWidth(3), edit->TextWidth(wxSTC_STYLE_DEFAULT, wxS(">")) + 2);
    EditorPrefs out;
    edit->GetPreferences(out);
    EXPECT_EQ(out.tabWidth, 5);
    frame->Destroy();
    gui::pump();
}

TEST_F(ConsoleTest, LanguageNoneSwitchesTheLexerOff) {  // Spec 3.2
    EXPECT_FALSE(console->SetLanguage(CodeEdit::kLanguageNone));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_NULL);
    EXPECT_FALSE(console->SetLanguage(3));
    EXPECT_TRUE(console->SetLanguage(CodeEdit::kLanguageLua));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_LUA);
}

TEST_F(ConsoleTest, MarkerColoursReachTheControl) {  // Spec 3.2 (setMarkersColors)
    console->setMarkersColors(0x0000FF, 0x00FF00, 0xFF0000, 0x123456);
    // Scintilla gives no getter for marker colours; the call must at least leave the console's markers alone.
    EXPECT_EQ(console->GetMarginMask(3), 0x900);
    SUCCEED();
}

TEST_F(ConsoleTest, AlwaysShowCaretKeepsTheCaretWhileAnotherWindowHasTheFocus) {  // Spec 3.3 (setAlwaysShowCaret)
    auto* other = new wxFrame(frame, wxID_ANY, wxS("NumKeypad"), wxPoint(600, 50), wxSize(200, 100));
    auto* field = new wxTextCtrl(other, wxID_ANY);
    other->Show();
    console->setAlwaysShowCaret(true);
    gui::focus(field);
    gui::pump(100);
    EXPECT_NE(wxWindow::FindFocus(), console);
    EXPECT_TRUE(console->GetSTCFocus());
    EXPECT_TRUE(console->GetCaretLineVisibleAlways());
    console->setAlwaysShowCaret(false);
    EXPECT_FALSE(console->GetSTCFocus());
    other->Destroy();
    gui::pump();
}

// ---- Part 1.3: message box and real field -------------------------------------------------------------

TEST(Part1_3_MessageBox, ResponderAnswersAndRecordsTheRequest) {  // Spec 1.3
    std::vector<MessageBoxRequest> seen;
    setMessageBoxResponder([&seen](const MessageBoxRequest& request) {
        seen.push_back(request);
        return wxOK;
    });
    EXPECT_EQ(DelvoMessageBox(wxS("Cannot open file."), wxS("DelvoCalculator"), wxOK | wxICON_EXCLAMATION, nullptr),
              wxOK);
    setMessageBoxResponder(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].style, 0x104);
    EXPECT_EQ(seen[0].caption, wxS("DelvoCalculator"));
    EXPECT_TRUE(seen[0].label1.empty());
}

TEST(Part1_3_MessageBox, DefaultDialogUsesTheLabelsAndMapsTheAnswer) {  // Spec 1.3
    // The real (native GTK) dialog, answered by a timer through GTK itself: it never blocks.
    std::string yesLabel, noLabel;
    gui::after(300, [&yesLabel, &noLabel] {
        yesLabel = gui::gtkDialogButtonLabel("Quarn", gui::kGtkResponseYes);
        noLabel = gui::gtkDialogButtonLabel("Quarn", gui::kGtkResponseNo);
        gui::gtkDialogRespond("Quarn", gui::kGtkResponseYes);
    });
    gui::after(4000, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseNo); });
    const int answer = DelvoMessageBox(wxS("Reset Math Console?"), wxS("Quarn"), 0x48A, nullptr, wxS("Reset"),
                                       wxS("Cancel"), wxString());
    EXPECT_EQ(answer, wxYES);
    EXPECT_EQ(yesLabel, "Reset");
    EXPECT_EQ(noLabel, "Cancel");
}

TEST(Part1_3_MessageBox, ClosingAYesNoBoxMeansNo) {  // Spec 1.3
    gui::after(300, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseDeleteEvent); });
    gui::after(4000, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseNo); });
    EXPECT_EQ(DelvoMessageBox(wxS("Reset Math Console?"), wxS("Quarn"), 0x48A, nullptr), wxNO);
}

TEST(Part1_3_MessageBox, OkBoxAnswersOk) {  // Spec 1.3
    gui::after(300, [] { gui::gtkDialogRespond("DelvoCalculator", gui::kGtkResponseOk); });
    gui::after(4000, [] { gui::gtkDialogRespond("DelvoCalculator", gui::kGtkResponseDeleteEvent); });
    EXPECT_EQ(DelvoMessageBox(wxS("Cannot open file."), wxS("DelvoCalculator"), 0x104, nullptr), wxOK);
}

TEST(Part1_3_RealEdit, ReadsNumbersWithAFullStop) {  // Spec 1.3
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("RealEdit"));
    auto* edit = new RealEdit(frame, wxID_ANY, wxS(" 3.25 "));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 3.25);
    EXPECT_TRUE(edit->IsValueReal());
    edit->ChangeValue(wxS("-1.5e3"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), -1500);
    edit->ChangeValue(wxS("abc"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 0);
    EXPECT_FALSE(edit->IsValueReal());
    edit->SetValueReal(0.1);
    EXPECT_EQ(edit->GetValue(), wxS("0.1"));
    frame->Destroy();
    gui::pump();
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
