// SPDX-License-Identifier: MIT
// The unit converter, the base converter and the numeric keypad in the running main window, under Xvfb.
#include <string>

#include <gtest/gtest.h>
#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "tests/gui_test_support.h"
#include "tools/converter_dlg.h"
#include "tools/integer_dlg.h"
#include "tools/numpad_dlg.h"
#include "tests/window_test_fixture.h"

namespace {

/// The main window through DelvoApp's normal start; tool dialogs opened through its commands.
class ToolDialogs : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The first paint gives the console the focus; that must not land in the middle of a test.
        gui::pumpUntil([this] { return window->IsFirstPaintDone(); });
        gui::pump(50);
    }
    void TearDown() override {
        wxGetApp().interpreter().format.mode = NumberFormat::kAuto;
        MainWindowTest::TearDown();
    }
    void command(int id) {
        MainWindowTest::command(id);
        gui::pump();
    }
    /// Opens a tool dialog through its command: the shown dialog of that window id.
    template <typename Dialog>
    Dialog* open(int commandId, int dialogId) {
        command(commandId);
        return dynamic_cast<Dialog*>(wxWindow::FindWindowById(dialogId, window));
    }
    template <typename Control>
    static Control* control(wxWindow* dialog, int id) {
        return dynamic_cast<Control*>(dialog->FindWindow(id));
    }
    /// Selects an entry of a list as the user does (the selection event included).
    static void choose(wxComboBox* list, int index) {
        list->SetSelection(index);
        wxCommandEvent event(wxEVT_COMBOBOX, list->GetId());
        event.SetEventObject(list);
        event.SetInt(index);
        list->GetEventHandler()->ProcessEvent(event);
        gui::pump();
    }
    /// True when the field's character filter passes the key on (false: discarded).
    static bool passes(wxWindow* field, int code, bool ctrl = false, bool alt = false) {
        const int modifiers = (ctrl ? wxMOD_CONTROL : wxMOD_NONE) | (alt ? wxMOD_ALT : wxMOD_NONE);
        wxKeyEvent event = gui::makeKeyEvent(wxEVT_CHAR, field, code, modifiers, 0);
        event.m_keyCode = code;
        return !field->GetEventHandler()->ProcessEvent(event);
    }
};

TEST_F(ToolDialogs, UnitConverterConvertsWhileTyping) {
    auto* dialog = open<ConverterDlg>(ID_VIEW_UNIT_CONVERTER, 7800);
    ASSERT_NE(dialog, nullptr);
    auto* category = control<wxComboBox>(dialog, 7802);
    auto* source = control<wxComboBox>(dialog, 7803);
    auto* target = control<wxComboBox>(dialog, 7804);
    auto* input = control<wxTextCtrl>(dialog, 7805);
    auto* result = control<wxTextCtrl>(dialog, 7806);
    ASSERT_TRUE(category && source && target && input && result);
    EXPECT_EQ(dialog->GetTitle(), "Unit Converter");
    EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
    EXPECT_EQ(category->GetValue(), "Temperature");
    EXPECT_EQ(wxJoin(source->GetStrings(), ':'), "K:C:F");
    EXPECT_EQ(target->GetValue(), "F");
    EXPECT_EQ(input->GetValue(), "1");
    EXPECT_EQ(result->GetValue(), "33.8");
    EXPECT_EQ(input->GetSize().x, dialog->GetTextExtent(">1111.111111111111<").x);

    const struct {
        int category;  // -1: keep
        const char* input;  // null: keep
        const char *source, *target, *result;
    } rows[] = {
        {0, "1", "km", "cm", "100000"},  // a new category: its second and third units
        {-1, "2.5e3", "km", "cm", "250000000"},
        {4, "100", "km/h", "mph", "62.137119223733"},
        {-1, "", "km/h", "mph", ""},
        {8, "212", "C", "F", "413.6"},
        {3, "1", "g", "ct", "5"},
        {-1, "abc", "g", "ct", "0"},  // unreadable text converts as 0
        {0, nullptr, "km", "cm", "0"},
        {8, nullptr, "C", "F", "32"},
    };
    for (const auto& row : rows) {
        if (row.category >= 0) choose(category, row.category);
        if (row.input) input->SetValue(row.input);  // a change of text converts at once
        gui::pump();
        EXPECT_EQ(source->GetValue(), row.source) << row.result;
        EXPECT_EQ(target->GetValue(), row.target) << row.result;
        EXPECT_EQ(result->GetValue(), row.result) << row.source;
    }
    // The result follows the console's number format.
    wxGetApp().interpreter().format.mode = NumberFormat::kInt;
    choose(target, 0);
    EXPECT_EQ(result->GetValue(), "273") << "abc C in K";
    input->SetValue("-7.5");
    EXPECT_EQ(result->GetValue(), "265");
}

TEST_F(ToolDialogs, UnitEditFiltersKeysAndLimitsItsLength) {
    auto* dialog = open<ConverterDlg>(ID_VIEW_UNIT_CONVERTER, 7800);
    ASSERT_NE(dialog, nullptr);
    auto* input = control<wxTextCtrl>(dialog, 7805);
    const struct {
        int code;
        bool ctrl, passes;
    } keys[] = {
        {'7', false, true}, {'e', false, true},  {'E', false, true},   {'+', false, true},  {',', false, true},
        {'-', false, true}, {'.', false, true},  {WXK_LEFT, false, true}, {WXK_BACK, false, true},
        {WXK_NUMPAD_DELETE, false, true},        {'a', false, false},  {'x', false, false}, {' ', false, false},
        {'/', false, false}, {1, true, false},   {24, true, false},     {'7', true, false},  {3, true, true},
    };
    for (const auto& key : keys) EXPECT_EQ(passes(input, key.code, key.ctrl), key.passes) << key.code;
    // A shortcut's letter in either case; with Alt as well it is no shortcut, and Alt with a digit types nothing.
    EXPECT_TRUE(passes(input, 'v', true));
    EXPECT_FALSE(passes(input, 'v', true, true));
    EXPECT_FALSE(passes(input, '7', false, true));

    input->SetValue(std::string(63, '1'));
    input->SetInsertionPointEnd();
    input->WriteText("2");
    EXPECT_EQ(input->GetValue(), std::string(63, '1'));
    // A paste that does not fit is refused whole: a cut number would convert to a wrong value.
    ASSERT_TRUE(gui::setClipboardText(std::string(10000, '9')));
    input->SetValue("5");
    gui::sendKey(input, 'V', wxMOD_CONTROL);
    gui::pump(100);
    EXPECT_EQ(input->GetValue(), "5");
    // Real key strokes: Ctrl+V pastes exactly once (GTK's entry would paste a second time).
    ASSERT_TRUE(gui::setClipboardText("25"));
    input->SetValue("1");
    ASSERT_TRUE(gui::focus(input));
    input->SetInsertionPointEnd();
    gui::simulateKey('V', wxMOD_CONTROL);
    gui::pump(200);
    EXPECT_EQ(input->GetValue(), "125");
    EXPECT_EQ(control<wxTextCtrl>(dialog, 7806)->GetValue(), "257");  // 125 C in F
    // Undo and redo walk the field's texts, converting each again.
    const struct {
        int key;
        const char *input, *result;
    } steps[] = {{'Z', "1", "33.8"}, {'Z', "5", "41"}, {'Y', "1", "33.8"}, {'Y', "125", "257"}, {'Y', "125", "257"}};
    for (const auto& step : steps) {
        gui::sendKey(input, step.key, wxMOD_CONTROL);
        EXPECT_EQ(input->GetValue(), step.input);
        EXPECT_EQ(control<wxTextCtrl>(dialog, 7806)->GetValue(), step.result) << step.input;
    }
    // Ctrl+C copies the selection.
    ASSERT_TRUE(gui::setClipboardText("old"));
    input->SelectAll();
    gui::sendKey(input, 'C', wxMOD_CONTROL);
    gui::pump(50);
    EXPECT_EQ(gui::clipboardText(), "125");
}

// Closing a tool dialog hides it; the command shows the same dialog again with what it held.
TEST_F(ToolDialogs, ClosingHidesAndKeepsTheDialog) {
    const struct {
        int command, dialog, input;
    } tools[] = {{ID_VIEW_UNIT_CONVERTER, 7800, 7805}, {ID_VIEW_BASE_CONVERTER, 7900, 7903}};
    for (const auto& tool : tools) {
        auto* dialog = open<wxDialog>(tool.command, tool.dialog);
        ASSERT_NE(dialog, nullptr) << tool.dialog;
        control<wxTextCtrl>(dialog, tool.input)->SetValue("101");
        EXPECT_TRUE(dialog->Close());
        gui::pump();
        EXPECT_FALSE(dialog->IsShown()) << tool.dialog;
        EXPECT_EQ(open<wxDialog>(tool.command, tool.dialog), dialog) << tool.dialog;
        EXPECT_TRUE(dialog->IsShown()) << tool.dialog;
        EXPECT_EQ(control<wxTextCtrl>(dialog, tool.input)->GetValue(), "101") << tool.dialog;
        dialog->Hide();
    }
}

TEST_F(ToolDialogs, BaseConverterReadsTheSameTextInTheNewBase) {
    auto* dialog = open<IntegerDlg>(ID_VIEW_BASE_CONVERTER, 7900);
    ASSERT_NE(dialog, nullptr);
    auto* source = control<wxComboBox>(dialog, 7901);
    auto* target = control<wxComboBox>(dialog, 7902);
    auto* input = control<IntegerBaseEdit>(dialog, 7903);
    auto* result = control<wxTextCtrl>(dialog, 7904);
    ASSERT_TRUE(source && target && input && result);
    EXPECT_EQ(dialog->GetTitle(), "Base Converter (uint 32-bit)");
    EXPECT_EQ(wxJoin(target->GetStrings(), ':'), "Binary:Octal:Decimal:Hexadecimal");
    EXPECT_EQ(source->GetValue(), "Binary");
    EXPECT_EQ(input->GetValue(), "1100");
    EXPECT_EQ(result->GetValue(), "14");
    const wxColour normal = input->GetBackgroundColour(), pink(248, 206, 212);

    const struct {
        int source;  // -1: keep
        const char* input;  // null: keep
        int target;
        const char* result;
        bool pink;
    } rows[] = {
        {0, "11111111111111111111111111111111", 3, "FFFFFFFF", false},
        {3, nullptr, 3, "11111111111111111111111111111111", false},  // equal bases copy the text
        {-1, nullptr, 2, "Overflow", true},  // 32 characters read as hexadecimal
        {-1, "FF", 0, "11111111", false},
        {0, nullptr, 2, "", true},  // "FF" read as binary
        {2, "-5", 3, "Overflow", true},  // a pasted negative decimal
        {-1, "4294967295", 3, "FFFFFFFF", false},
        {-1, "", 3, "", false},
    };
    for (const auto& row : rows) {
        if (row.source >= 0) choose(source, row.source);
        choose(target, row.target);
        if (row.input) input->SetValue(row.input);
        gui::pump();
        EXPECT_EQ(result->GetValue(), row.result) << row.source << " " << row.target;
        EXPECT_EQ(input->GetBackgroundColour(), row.pink ? pink : normal) << row.source << " " << row.target;
    }
    // The 32 digits survived the switch to a base of 8 digits (they were read, not cut).
    choose(target, 2);
    choose(source, 0);
    input->SetValue(std::string(32, '1'));
    choose(source, 3);
    EXPECT_EQ(input->GetValue().length(), 32u);
    EXPECT_EQ(input->GetMaxDigits(), 8u);
    gui::pump(200);
    EXPECT_GT(gui::countPixels(gui::grab(input), pink), 100);  // drawn pink, not only recorded

    const struct {
        int source, code;
        bool passes;
    } keys[] = {
        {0, '1', true}, {0, '2', false}, {1, '7', true},  {1, '8', false}, {2, '9', true},
        {2, 'a', false}, {3, 'F', true}, {3, 'f', true},  {3, 'g', false}, {3, WXK_RIGHT, true},
    };
    for (const auto& key : keys) {
        choose(source, key.source);
        EXPECT_EQ(passes(input, key.code), key.passes) << key.source << " " << key.code;
    }
    // Undo and redo walk the field's texts, as in the unit converter.
    choose(source, 2);
    input->SetValue("12");
    input->SetValue("345");
    gui::sendKey(input, 'Z', wxMOD_CONTROL);
    EXPECT_EQ(input->GetValue(), "12");
    gui::sendKey(input, 'Y', wxMOD_CONTROL);
    EXPECT_EQ(input->GetValue(), "345");
}

TEST_F(ToolDialogs, KeypadTypesIntoTheInputLine) {
    auto* keypad = open<NumpadDlg>(ID_VIEW_NUMPAD, 7400);
    ASSERT_NE(keypad, nullptr);
    auto* functions = control<wxComboBox>(keypad, 7428);
    ASSERT_NE(functions, nullptr);
    const int side = keypad->GetTextExtent(">0<").x + 4;
    EXPECT_EQ(keypad->FindWindow(7409)->GetSize(), wxSize(side, side));
    EXPECT_GE(keypad->FindWindow(7420)->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    // Presses the button of that label; "s" chooses "sqrt()" in the function list.
    auto press = [keypad, functions](wxChar label) {
        wxCommandEvent event(label == 's' ? wxEVT_COMBOBOX : wxEVT_BUTTON);
        wxWindow* target = functions;
        if (label == 's') functions->SetSelection(2);
        for (wxWindow* child : keypad->GetChildren())
            if (dynamic_cast<wxButton*>(child) && child->GetLabel() == wxString(label)) target = child;
        event.SetId(target->GetId());
        event.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(event);
        gui::pump();
    };
    enum Caret { kKeep, kFirstLine, kEnd, kLastTwo };
    const struct {
        Caret caret;  // where the console's caret is put before the keys
        const char* keys;
        const char* inputLine;
        int caretFromEnd;  // -1: not looked at
    } rows[] = {
        {kKeep, "2+3=", "", 0},
        {kFirstLine, "7", "7", 0},  // the caret in earlier output: appended at the end
        {kKeep, "0E", "70e", 0},
        {kLastTwo, "3", "73", 0},  // a selection is replaced
        {kKeep, "s2", "73sqrt(2)", 1},
        {kEnd, "CCCCCCCCCCCC", "", 0},  // "C" never crosses the input line's start
        {kKeep, "12C", "1", 0},
        {kFirstLine, "C", "1", -1},  // not on the input line: nothing
    };
    for (const auto& row : rows) {
        const int length = console->GetTextLength();
        if (row.caret == kFirstLine) console->GotoPos(0);
        if (row.caret == kEnd) console->GotoPos(length);
        if (row.caret == kLastTwo) console->SetSelection(length - 2, length);
        for (const char* key = row.keys; *key; ++key) press(*key);
        EXPECT_EQ(console->GetLineText(console->GetLineCount() - 1), row.inputLine) << row.keys;
        if (row.caretFromEnd >= 0) {
            EXPECT_EQ(console->GetTextLength() - console->GetCurrentPos(), row.caretFromEnd) << row.keys;
        }
    }
    EXPECT_EQ(console->GetLineText(1).Trim(), "5");
    press('*');
    press('s');
    press('2');
}

// F8 three times: created and shown, hidden, shown again; the tool and the console's caret follow.
TEST_F(ToolDialogs, F8TogglesTheKeypadAndTheAlwaysShownCaret) {
    wxToolBar* tools = window->GetToolBar();
    const bool states[] = {true, false, true};
    NumpadDlg* first = nullptr;
    for (bool shown : states) {
        // F8 through the frame's accelerator table; the caret is looked at before any window manager
        // (or its absence under Xvfb) moves the activation.
        const int f8 = window->GetAcceleratorTable()->GetCommand(gui::makeKeyEvent(wxEVT_KEY_DOWN, console, WXK_F8, 0, 0));
        ASSERT_EQ(f8, ID_VIEW_NUMPAD);
        wxCommandEvent event(wxEVT_MENU, f8);
        window->GetEventHandler()->ProcessEvent(event);
        EXPECT_EQ(console->isAlwaysShowCaret(), shown);
        gui::pump();
        auto* keypad = dynamic_cast<NumpadDlg*>(wxWindow::FindWindowById(7400, window));
        ASSERT_NE(keypad, nullptr);
        if (!first) {
            first = keypad;
            const wxRect frame = window->GetRect();
            EXPECT_EQ(keypad->GetPosition(), wxPoint(frame.x + frame.width - keypad->GetSize().x - 1, frame.y + 48));
        }
        EXPECT_EQ(keypad, first);
        window->UpdateWindowUI(wxUPDATE_UI_NONE);
        EXPECT_EQ(keypad->IsShown(), shown);
        EXPECT_EQ(tools->GetToolState(7019), shown);
    }
    for (bool active : {false, true}) {  // another application, then the keypad again
        wxActivateEvent activation(wxEVT_ACTIVATE, active);
        first->GetEventHandler()->ProcessEvent(activation);
        EXPECT_EQ(console->isAlwaysShowCaret(), active);
    }
    first->Close();
    gui::pump();
    EXPECT_FALSE(first->IsShown());
    EXPECT_FALSE(console->isAlwaysShowCaret());
    // The converters' menu items carry the check mark while they are shown.
    command(ID_VIEW_UNIT_CONVERTER);
    command(ID_VIEW_BASE_CONVERTER);
    command(ID_VIEW_BASE_CONVERTER);
    window->UpdateWindowUI(wxUPDATE_UI_NONE);
    EXPECT_TRUE(window->GetMenuBar()->IsChecked(ID_VIEW_UNIT_CONVERTER));
    EXPECT_FALSE(window->GetMenuBar()->IsChecked(ID_VIEW_BASE_CONVERTER));
    window->Close();
    gui::pump();
    EXPECT_EQ(wxWindow::FindWindowById(7800), nullptr);
    EXPECT_EQ(wxWindow::FindWindowById(7400), nullptr);
}

}  // namespace
