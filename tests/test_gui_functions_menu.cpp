// SPDX-License-Identifier: MIT
// The About box and the functions and constants menu of the main window, under Xvfb.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/functions_menu.h"
#include "tests/window_test_fixture.h"

namespace {

using MainWindow = MainWindowTest;
using FunctionsMenu = MainWindowTest;

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
    EXPECT_EQ(describe(*insert), expected);
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
