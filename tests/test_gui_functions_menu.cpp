// SPDX-License-Identifier: MIT
// The About box (spec Part 3.6) and the functions and constants menu (3.5) of the main window, under Xvfb.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/aboutdlg.h>
#include <wx/menu.h>

#include "console/console_edit.h"
#include "console/console_window.h"
#include "console/functions_menu.h"
#include "tests/gui_test_support.h"
#include "tests/window_test_fixture.h"

namespace {

using Part3_3_MainWindow = MainWindowTest;
using Part3_5_FunctionsMenu = MainWindowTest;

// ---- Part 3.6 ------------------------------------------------------------------------------------------

// Spec 3.6: the About box shows the identity table with the main window as parent.
TEST_F(Part3_3_MainWindow, AboutShowsTheProgramIdentity) {
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

// ---- Part 3.5 ------------------------------------------------------------------------------------------

/// A constant's label: its name, a tab and the hint shown in the accelerator column. wxGTK keeps only
/// real shortcuts there, so on GTK the hint follows the name in parentheses.
std::string hint(const std::string& name, const std::string& text) {
#ifdef __WXGTK__
    return name + " (" + text + ")";
#else
    return name + "\t" + text;
#endif
}

// Spec 3.5
TEST_F(Part3_5_FunctionsMenu, InsertMenuHoldsTheEntriesInOrder) {
    wxMenu* insert = menu("Insert");
    ASSERT_NE(insert, nullptr);
    const std::vector<std::string> expected = {
        "exp|7029", "ln|7030", "|-2", "sqrt|7031", "pow|7032", "|-2", "Trigonometric|7036",
        "  cos|7038", "  sin|7037", "  tan|7039", "  acos|7041", "  asin|7040", "  atan|7042",
        "|-2", "abs|7033", "ceil|7034", "int|7035", "|-2", "Constants|7048",
        "  " + hint("pi", "3.14159...") + "|7049", "  " + hint("Electron charge", "_q") + "|7050",
        "  " + hint("Electron mass", "_m") + "|7051", "  " + hint("Boltzmann", "_k") + "|7052",
        "  " + hint("Planck", "_h") + "|7053", "  " + hint("Speed of Light", "_c") + "|7054",
        "  " + hint("Permittivity", "_e") + "|7055", "  " + hint("Avogadro", "_n") + "|7056",
    };
    std::vector<std::string> rows = describe(*insert);
    // Separators have the id wxID_SEPARATOR (-2) and no label.
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(insert->FindItem(7029)->GetBitmap().IsOk());
    EXPECT_TRUE(insert->FindItem(7038)->GetBitmap().IsOk());
    EXPECT_TRUE(insert->FindItem(7049)->GetBitmap().IsOk());
    EXPECT_FALSE(insert->FindItem(7037)->GetBitmap().IsOk());
}

// Spec 3.5: with the caret on an earlier line, choosing "sqrt" inserts nothing.
TEST_F(Part3_5_FunctionsMenu, CaretOnAnEarlierLineInsertsNothing) {
    run(wxS("1+2"));
    const wxString text = console->GetText();
    console->GotoPos(0);
    command(7031);
    EXPECT_EQ(console->GetText(), text);
}

// Spec 3.5: "2*" then sin gives "2*sin()" with the caret inside; typing x gives "2*sin(x)".
TEST_F(Part3_5_FunctionsMenu, SinAfterTwoTimesPutsTheCaretBetweenTheParentheses) {
    console->DocumentEnd();
    console->AddText(wxS("2*"));
    command(7037);
    const int line = console->GetLineCount() - 1;
    const int input = console->GetInputStart(line);
    EXPECT_EQ(console->GetLine(line), "2*sin()");
    EXPECT_EQ(console->GetCurrentPos(), input + 6);
    EXPECT_EQ(console->GetSelectionStart(), console->GetSelectionEnd());

    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_keyCode = 'x';
    typed.m_uniChar = 'x';
    typed.SetEventObject(console);
    console->GetEventHandler()->ProcessEvent(typed);
    EXPECT_EQ(console->GetLine(line), "2*sin(x)");
}

// Spec 3.5: "pow" puts the caret before the comma.
TEST_F(Part3_5_FunctionsMenu, PowPutsTheCaretBeforeTheComma) {
    console->DocumentEnd();
    const int input = console->GetCurrentPos();
    command(7032);
    EXPECT_EQ(console->GetLine(console->GetLineCount() - 1), "pow(,)");
    EXPECT_EQ(console->GetCurrentPos(), input + 4);
}

// Spec 3.5: with "abc" selected on the input line, Planck replaces it by "_h", caret after it.
TEST_F(Part3_5_FunctionsMenu, PlanckReplacesTheSelection) {
    console->DocumentEnd();
    const int input = console->GetCurrentPos();
    console->AddText(wxS("abc"));
    console->SetSelection(input, input + 3);
    command(7053);
    EXPECT_EQ(console->GetLine(console->GetLineCount() - 1), "_h");
    EXPECT_EQ(console->GetCurrentPos(), input + 2);
    EXPECT_EQ(console->GetSelectionStart(), console->GetSelectionEnd());
}

// Spec 3.5: the toolbar's "Functions" twice gives two independent pop-ups; the Insert menu is unaffected.
TEST_F(Part3_5_FunctionsMenu, FunctionsButtonTwiceGivesTwoIndependentPopups) {
    const std::vector<std::string> insert = describe(*menu("Insert"));
    command(7021);
    command(7021);
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0], insert);
    EXPECT_EQ(popups[1], insert);
    EXPECT_EQ(describe(*menu("Insert")), insert);

    wxMenu first, second;
    FillFunctionsMenu(&first);
    FillFunctionsMenu(&second);
    EXPECT_NE(first.FindItem(7049), second.FindItem(7049));
    EXPECT_EQ(describe(first), insert);
    // Filling again first empties the menu.
    FillFunctionsMenu(&first);
    EXPECT_EQ(describe(first), insert);
    FillFunctionsMenu(nullptr);
}

// Spec 3.5: every entry's text and offset.
TEST_F(Part3_5_FunctionsMenu, EntriesInsertTheirTextAndOffset) {
    const struct { int id; const char* text; int offset; } rows[] = {
        {7029, "exp()", 4}, {7030, "ln()", 3},    {7031, "sqrt()", 5}, {7032, "pow(,)", 4}, {7037, "sin()", 4},
        {7038, "cos()", 4}, {7039, "tan()", 4},   {7040, "asin()", 5}, {7041, "acos()", 5}, {7042, "atan()", 5},
        {7033, "abs()", 4}, {7034, "ceil()", 5},  {7035, "int()", 4},  {7049, "pi", 2},     {7050, "_q", 2},
        {7051, "_m", 2},    {7052, "_k", 2},      {7053, "_h", 2},     {7054, "_c", 2},     {7055, "_e", 2},
        {7056, "_n", 2},
    };
    for (const auto& row : rows) {
        const FunctionEntry* entry = findFunctionEntry(row.id);
        ASSERT_NE(entry, nullptr) << row.id;
        EXPECT_EQ(wxString(entry->text), row.text);
        EXPECT_EQ(entry->offset, row.offset) << row.text;
    }
    EXPECT_EQ(findFunctionEntry(7036), nullptr);
    EXPECT_EQ(findFunctionEntry(7048), nullptr);
}

}  // namespace
