// SPDX-License-Identifier: MIT
// The solver dialog, the variables list and the variable edit dialog on a real main window, under Xvfb.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "libs/ui/real_edit.h"
#include "tests/gui_test_support.h"
#include "tools/solver_dlg.h"
#include "tools/varlist_dlg.h"
#include "tools/varset_dlg.h"
#include "tests/window_test_fixture.h"

namespace {

/// The main window through DelvoApp's normal start, with an empty variable store and function history.
class ToolDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        app().interpreter().resetVariableStore();
        history().clear();
    }

    static DelvoApp& app() { return wxGetApp(); }
    static FunctionHistory& history() { return app().functionHistory(); }
    static VariableStore& store() { return app().interpreter().vars; }
    static void setVariable(int slot, const wchar_t* name, double value) {
        store().varName[slot] = name;
        store().varValue[slot] = value;
        if (!store().varSet[slot]) ++store().varCount;
        store().varSet[slot] = true;
    }
    void command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        window->GetEventHandler()->ProcessEvent(event);
        gui::pump(50);
    }
    static void push(wxWindow* dialog, int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(dialog->FindWindow(id));
        dialog->GetEventHandler()->ProcessEvent(event);
        gui::pump();
    }
    static std::vector<wxString> names(wxListCtrl* list) {
        std::vector<wxString> rows;
        for (int row = 0; row < list->GetItemCount(); ++row) rows.push_back(list->GetItemText(row, 0));
        return rows;
    }
};

using SolverDlgTest = ToolDialogTest;
using VarlistDlgTest = ToolDialogTest;
using VarsetDlgTest = ToolDialogTest;

TEST_F(SolverDlgTest, MessagesAndWhatEntersTheHistory) {
    // 379 characters that solve, then 21 that would not parse.
    std::wstring longFunction = L"x-1";
    while (longFunction.size() < 379) longFunction += L"+0";
    longFunction += std::wstring(21, L')');
    struct Row { std::wstring function; const char *lower, *upper, *message; bool remembered; };
    const Row rows[] = {
        {L"", "-10", "10", "! Empty function", false},
        {L"X^2-4", "-10", "10", "! No x in function", false},
        {L"x-1", "-10", "-10", "! Invalid interval", false},
        {L"x-1", "1", "1.0000000000000002", "! Invalid interval", false},
        {L"x-1", "abc", "", "! Invalid interval", false},
        {L"x+*", "-10", "10", "! Invalid function", false},
        {L"x - 1", "10", "-10", "x = 1\ny = 0", true},
        {L"exp(1)", "-10", "10", "No real solution found\nin the specified interval", true},
        // A jump over 0 is no root: the console's solve says so beside its reply.
        {L"floor(x)-0.5", "-10", "10", "No real solution found\nin the specified interval", true},
        {L"1/x", "-1", "2", "No real solution found\nin the specified interval", true},
        {longFunction, "-10", "10", "x = 1\ny = 0", true},
    };
    auto* dialog = new SolverDlg(window, app().interpreter(), history());
    const wxColour field = dialog->GetUpperField()->GetBackgroundColour();
    EXPECT_EQ(dialog->GetResultField()->GetBackgroundColour(),
              wxColour(std::max(0, field.Red() - 10), std::max(0, field.Green() - 10), std::max(0, field.Blue() - 10)));
    for (const Row& row : rows) {
        const int before = history().count();
        dialog->GetFunctionField()->SetValue(row.function);
        dialog->GetLowerField()->ChangeValue(row.lower);
        dialog->GetUpperField()->ChangeValue(row.upper);
        push(dialog, ID_SOLVER_SOLVE);
        EXPECT_EQ(dialog->GetResultField()->GetValue(), row.message) << row.function;
        EXPECT_EQ(history().count(), before + (row.remembered ? 1 : 0)) << row.function;
    }
    dialog->Destroy();
}

TEST_F(SolverDlgTest, HistoryIsNewestFirstWithoutCaseDuplicates) {
    const wxString longEntry(L"sin(x)+cos(x)+tan(x)+sin(2*x)+cos(2*x)-1");
    history().add(L"x-2");
    history().add(longEntry.ToStdWstring());
    auto* dialog = new SolverDlg(window, app().interpreter(), history());
    FunctionComboBox* field = dialog->GetFunctionField();
    EXPECT_EQ(field->GetValue(), longEntry);
    EXPECT_EQ(field->GetString(1), "x-2");
    EXPECT_EQ(field->GetToolTipText(), longEntry);
    for (const char* function : {"sin(x)", "SIN(x)", "x-2"}) {
        field->SetValue(function);
        push(dialog, ID_SOLVER_SOLVE);
    }
    ASSERT_EQ(field->GetCount(), 3u);
    EXPECT_EQ(field->GetString(0), "sin(x)");
    EXPECT_EQ(history().at(2), L"sin(x)");
    dialog->Destroy();

    history().clear();
    history().add(L"x-2");
    dialog = new SolverDlg(window, app().interpreter(), history());
    EXPECT_EQ(dialog->GetFunctionField()->GetToolTipText(), "");
    dialog->Destroy();
}

// The dialog reads a function as the console does: the user's functions and the angle unit that is on.
TEST_F(SolverDlgTest, SolvesTheUsersFunctionsInTheAngleUnitThatIsOn) {
    std::wstring reply;
    ASSERT_TRUE(app().evaluateLine(L"f(x)=x^2-2", &reply));
    auto* dialog = new SolverDlg(window, app().interpreter(), history());
    const struct {
        const wchar_t* setup;
        const char *function, *lower, *upper, *message;
    } rows[] = {
        {L"rad", "f(x)", "0", "3", "x = 1.41421356237309\ny = "},
        {L"deg", "sin(x)-0.5", "0", "90", "x = 30\ny = 0"},
        {L"rad", "g(x)", "0", "3", "! Unknown function"},
        {L"rad", "f(x,x)", "0", "3", "! Wrong number of arguments"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(app().evaluateLine(row.setup, &reply));
        dialog->GetFunctionField()->SetValue(row.function);
        dialog->GetLowerField()->ChangeValue(row.lower);
        dialog->GetUpperField()->ChangeValue(row.upper);
        push(dialog, ID_SOLVER_SOLVE);
        EXPECT_EQ(dialog->GetResultField()->GetValue().Left(strlen(row.message)), row.message) << row.function;
    }
    dialog->Destroy();
    ASSERT_TRUE(app().evaluateLine(L"reset", &reply));
}

// The iteration limit typed in the console holds in the dialog too.
TEST_F(SolverDlgTest, EnterSolvesWithTheConsolesLimitAndKeepsCaretAtEnd) {
    auto* dialog = new SolverDlg(window, app().interpreter(), history());
    dialog->Show();
    FunctionComboBox* field = dialog->GetFunctionField();
    field->SetValue("x^3-2*x-5");
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"iter=2", "No real solution found\nin the specified interval"},
        {L"iter=4096", "x = 2.09455148154233\ny = "},
    };
    for (const auto& [line, message] : rows) {
        std::wstring reply;
        ASSERT_TRUE(app().evaluateLine(line, &reply));
        field->SetInsertionPoint(0);
        dialog->GetResultField()->ChangeValue("");
        ASSERT_TRUE(gui::focus(field));
        gui::simulateKey(WXK_RETURN);
        EXPECT_TRUE(dialog->GetResultField()->GetValue().StartsWith(message)) << line;
        EXPECT_EQ(field->GetInsertionPoint(), field->GetLastPosition());
    }
    // The entry's activation solves too; other keys are the field's own; Close hides the dialog.
    field->SetValue("x-3");
    wxCommandEvent activation(wxEVT_TEXT_ENTER, field->GetId());
    activation.SetEventObject(field);
    field->GetEventHandler()->ProcessEvent(activation);
    EXPECT_TRUE(dialog->GetResultField()->GetValue().StartsWith("x = 3\n"));
    wxKeyEvent other = gui::makeKeyEvent(wxEVT_KEY_DOWN, field, 'A', wxMOD_NONE, 0);
    EXPECT_FALSE(field->GetEventHandler()->ProcessEvent(other));
    push(dialog, ID_SOLVER_CLOSE);
    EXPECT_FALSE(dialog->IsShown());
    dialog->Destroy();
}

// The toggle of both dialogs: created beside the main window, hidden and shown again, contents kept.
TEST_F(ToolDialogTest, ViewCommandsToggleTheDialogsAndTheirCheckMarks) {
    struct Row { int command, dialogId; const char* title; };
    // The solver's state shows in its View menu item, the variables list's on its tool.
    for (const Row& row : {Row{7022, 7700, "Solver f(x) = 0"}, Row{7020, 7500, "Variables"}}) {
        command(row.command);
        auto* dialog = dynamic_cast<wxDialog*>(wxWindow::FindWindowById(row.dialogId));
        ASSERT_NE(dialog, nullptr) << row.title;
        EXPECT_EQ(dialog->GetParent(), window);
        EXPECT_EQ(dialog->GetTitle(), row.title);
        EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
        const wxRect frame = window->GetRect();
        EXPECT_EQ(dialog->GetPosition(), wxPoint(frame.GetRight() - dialog->GetSize().x, frame.y + 60));
        auto* solver = dynamic_cast<SolverDlg*>(dialog);
        if (solver) {
            solver->GetFunctionField()->SetValue("x-4");
            push(solver, ID_SOLVER_SOLVE);
        }
        // Hide by command, show by command, hide by the close box, show by command.
        const bool byCloseBox[] = {false, false, true, false};
        bool shown = true;
        for (bool closeBox : byCloseBox) {
            window->UpdateWindowUI(wxUPDATE_UI_RECURSE);
            const bool checked = row.command == 7022 ? window->GetMenuBar()->IsChecked(7022)
                                                     : window->GetToolBar()->GetToolState(7020);
            EXPECT_EQ(checked, shown) << row.title;
            if (closeBox) dialog->Close();
            else command(row.command);
            shown = !shown;
            EXPECT_EQ(dialog->IsShown(), shown) << row.title;
        }
        EXPECT_EQ(wxWindow::FindWindowById(row.dialogId), dialog);
        if (solver) {
            EXPECT_EQ(solver->GetFunctionField()->GetValue() + solver->GetResultField()->GetValue(), "x-4x = 4\ny = 0");
        }
    }
}

TEST_F(VarlistDlgTest, ConsoleVariablesShowAndDialogVariablesWorkInTheConsole) {
    std::wstring reply;
    app().evaluateLine(L"speed=3", &reply);
    command(7020);
    auto* dialog = dynamic_cast<VarlistDlg*>(wxWindow::FindWindowById(7500));
    ASSERT_NE(dialog, nullptr);
    VarlistCtrl* list = dialog->GetList();
    ASSERT_EQ(names(list), std::vector<wxString>{"speed"});
    EXPECT_EQ(list->GetItemText(0, 1), "3");
    dialog->SetEditPresenter([](VarsetDlg& editor) {
        editor.GetNameField()->ChangeValue("w");
        editor.GetValueField()->ChangeValue("2*pi");
        editor.Accept();
    });
    push(dialog, ID_VARLIST_ADD);
    ASSERT_EQ(names(list), (std::vector<wxString>{"speed", "w"}));
    EXPECT_EQ(list->GetItemText(1, 1), "6.28318530717959");
    double value = 0;
    ASSERT_TRUE(app().evaluateLine(L"w/pi", &reply, &value));
    EXPECT_DOUBLE_EQ(value, 2);
}

TEST_F(VarlistDlgTest, SortAlternatesAndNameIgnoresCase) {
    setVariable(0, L"cherry", 2);
    setVariable(1, L"apple", 3);
    setVariable(2, L"Banana", 1);
    VarlistDlg dialog(window, app().interpreter());
    dialog.RefreshVariables();
    struct Row { int column; std::vector<wxString> order; };
    const Row rows[] = {
        {1, {"Banana", "cherry", "apple"}}, {0, {"cherry", "Banana", "apple"}}, {2, {"cherry", "Banana", "apple"}},
        {0, {"apple", "Banana", "cherry"}}, {1, {"apple", "cherry", "Banana"}},
    };
    for (const Row& row : rows) {
        wxListEvent click(wxEVT_LIST_COL_CLICK, ID_VARLIST_LIST);
        click.SetColumn(row.column);
        dialog.GetList()->GetEventHandler()->ProcessEvent(click);
        EXPECT_EQ(names(dialog.GetList()), row.order) << row.column;
    }
    dialog.RefreshVariables();
    EXPECT_EQ(names(dialog.GetList()), (std::vector<wxString>{"cherry", "apple", "Banana"}));
}

// The user's functions follow the variables, each with its body; Delete removes a function or a variable
// even where both have the same name; a function row is never opened in the variable editor.
TEST_F(VarlistDlgTest, UsersFunctionsFollowTheVariables) {
    std::wstring reply;
    for (const wchar_t* line : {L"f=5", L"speed=3", L"f(x)=x^2-2", L"g(x,y)=hypot(x,y)"})
        ASSERT_TRUE(app().evaluateLine(line, &reply)) << line;
    VarlistDlg dialog(window, app().interpreter());
    dialog.RefreshVariables();
    VarlistCtrl* list = dialog.GetList();
    ASSERT_EQ(names(list), (std::vector<wxString>{"speed", "f", "f(x)", "g(x,y)"}));
    EXPECT_EQ(list->GetItemText(2, 1), "x^2-2");
    dialog.Show();
    gui::pump(50);
    EXPECT_TRUE(gui::screenshot(&dialog, gui::outputDir() + "/tool_variables_functions.png"));
    bool edited = false;
    dialog.SetEditPresenter([&edited](VarsetDlg&) { edited = true; });
    // By value, functions after the numbers, both ways.
    dialog.SortColumn(1);
    EXPECT_EQ(names(list), (std::vector<wxString>{"speed", "f", "f(x)", "g(x,y)"}));
    dialog.SortColumn(1);
    EXPECT_EQ(names(list), (std::vector<wxString>{"g(x,y)", "f(x)", "f", "speed"}));
    const auto select = [list](const wxString& name) {
        for (long row = 0; row < list->GetItemCount(); ++row)
            list->SetItemState(row, list->GetItemText(row) == name ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    };
    select("f(x)");
    dialog.ModifyVariable();
    EXPECT_FALSE(edited);
    dialog.DeleteVariable();
    EXPECT_EQ(names(list), (std::vector<wxString>{"speed", "f", "g(x,y)"}));
    select("f");
    dialog.DeleteVariable();
    EXPECT_EQ(names(list), (std::vector<wxString>{"speed", "g(x,y)"}));
    // By name, a function by its name alone.
    dialog.SortColumn(0);
    EXPECT_EQ(names(list), (std::vector<wxString>{"g(x,y)", "speed"}));
    dialog.SortColumn(0);
    EXPECT_EQ(names(list), (std::vector<wxString>{"speed", "g(x,y)"}));
    ASSERT_TRUE(app().evaluateLine(L"g(3,4)", &reply));
    EXPECT_EQ(reply, L"5");
    ASSERT_TRUE(app().evaluateLine(L"reset", &reply));
}

TEST_F(VarlistDlgTest, KeysStepWithWrapAndDelete) {
    VarlistDlg dialog(window, app().interpreter());
    VarlistCtrl* list = dialog.GetList();
    gui::sendKey(list, WXK_DELETE);
    gui::sendKey(list, 'N');
    EXPECT_EQ(list->GetItemCount(), 0);
    for (int slot : {0, 1, 2}) setVariable(slot, std::wstring(1, L'a' + slot).c_str(), slot);
    dialog.RefreshVariables();
    auto selected = [list] { return list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); };
    for (long expected : {0, 1, 2, 0}) {
        gui::sendKey(list, 'N', wxMOD_SHIFT, 'N');
        EXPECT_EQ(selected(), expected);
    }
    gui::sendKey(list, 'N', wxMOD_NONE, 'n');
    gui::sendKey(list, WXK_DELETE);
    EXPECT_FALSE(store().varSet[1]);
    EXPECT_EQ(names(list), (std::vector<wxString>{"a", "c"}));
    EXPECT_EQ(store().varCount, 2);
    // N's character does not reach the list's type-ahead search a second time; other keys do.
    for (const auto& [code, passed] : {std::pair{'n', false}, std::pair{'N', false}, std::pair{'c', true}}) {
        wxKeyEvent typed = gui::makeKeyEvent(wxEVT_CHAR, list, code, wxMOD_NONE, code);
        EXPECT_EQ(!list->GetEventHandler()->ProcessEvent(typed), passed) << code;
    }
    wxKeyEvent other = gui::makeKeyEvent(wxEVT_KEY_DOWN, list, 'C', wxMOD_NONE, 0);
    EXPECT_FALSE(list->GetEventHandler()->ProcessEvent(other));
}

// The buttons: Refresh shows what the console changed, Delete removes the selected row, Close hides.
TEST_F(VarlistDlgTest, ButtonsRefreshDeleteAndClose) {
    VarlistDlg dialog(window, app().interpreter());
    dialog.Show();
    VarlistCtrl* list = dialog.GetList();
    setVariable(0, L"a", 1);
    push(&dialog, ID_VARLIST_REFRESH);
    EXPECT_EQ(names(list), (std::vector<wxString>{"a"}));
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    push(&dialog, ID_VARLIST_DELETE);
    EXPECT_FALSE(store().varSet[0]);
    EXPECT_EQ(list->GetItemCount(), 0);
    push(&dialog, ID_VARLIST_CLOSE);
    EXPECT_FALSE(dialog.IsShown());
}

TEST_F(VarlistDlgTest, AddAndModifyOfferTheRightSlot) {
    VarlistDlg dialog(window, app().interpreter());
    std::vector<std::pair<wxString, wxString>> offered;
    dialog.SetEditPresenter([&offered](VarsetDlg& editor) {
        offered.emplace_back(editor.GetNameField()->GetValue(), editor.GetValueField()->GetValue());
    });
    setVariable(0, L"speed", 2.5);
    store().varValue[1] = 7;
    dialog.RefreshVariables();
    push(&dialog, ID_VARLIST_MODIFY);
    dialog.GetList()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    wxMouseEvent doubleClick(wxEVT_LEFT_DCLICK);
    dialog.GetList()->GetEventHandler()->ProcessEvent(doubleClick);
    push(&dialog, ID_VARLIST_ADD);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], std::make_pair(wxString("speed"), wxString("2.5")));
    EXPECT_EQ(offered[1], std::make_pair(wxString("b"), wxString("7")));
    EXPECT_EQ(dialog.GetList()->GetSelectedItemCount(), 1);
    for (int slot = 1; slot < VariableStore::kSlots; ++slot) setVariable(slot, L"v", slot);
    push(&dialog, ID_VARLIST_ADD);
    EXPECT_EQ(offered.size(), 2u);
}

// Slot a holds "speed" = 3, slot c "time" = 5; the list offers slot a.
TEST_F(VarsetDlgTest, NameChoosesTheSlotAndValueIsEvaluated) {
    enum Outcome { kWritten, kNothing, kRefused };
    struct Row { const char *name, *value; int slot; const wchar_t* storedName; double storedValue; int count;
                 Outcome outcome; };
    const Row rows[] = {
        {"B", "2", 1, L"b", 2, 3, kWritten},          {"TIME", "7", 2, L"TIME", 7, 2, kWritten},
        {"Vx", "2*pi", 0, L"Vx", 2 * M_PI, 2, kWritten}, {"Vx", "x", 0, L"Vx", 0, 2, kWritten},
        {"", "5", 0, L"speed", 3, 2, kNothing},       {"q", "", 0, L"speed", 3, 2, kNothing},
        {"7", "5", 0, L"speed", 3, 2, kRefused},
    };
    gui::MessageBoxAnswer answer(wxOK);
    for (const Row& row : rows) {
        app().interpreter().resetVariableStore();
        setVariable(0, L"speed", 3);
        setVariable(2, L"time", 5);
        VarsetDlg editor(window, app().interpreter());
        editor.SetVariable(0, "speed", 3);
        editor.Fill();
        editor.Show();
        gui::pump(50);
        editor.GetNameField()->ChangeValue(row.name);
        editor.GetValueField()->ChangeValue(row.value);
        push(&editor, ID_VARSET_OK);
        EXPECT_EQ(editor.IsShown(), row.outcome == kRefused) << row.name;
        EXPECT_EQ(editor.IsChanged(), row.outcome == kWritten) << row.name;
        EXPECT_EQ(editor.GetNameField()->GetValue(), row.name);
        EXPECT_EQ(store().varName[row.slot], row.storedName) << row.name;
        EXPECT_DOUBLE_EQ(store().varValue[row.slot], row.storedValue) << row.name;
        EXPECT_DOUBLE_EQ(store().varValue[0], row.slot == 0 ? row.storedValue : 3) << row.name;
        EXPECT_EQ(store().varCount, row.count) << row.name;
    }
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_EQ(answer.requests[0].message + "|" + answer.requests[0].caption, "Invalid variable name|DelvoCalculator");
    EXPECT_EQ(answer.requests[0].style, wxOK | wxICON_EXCLAMATION);
}

TEST_F(VarsetDlgTest, FieldsRefuseASixteenthCharacter) {
    VarsetDlg editor(window, app().interpreter());
    editor.Show();
    for (wxTextCtrl* field : {editor.GetNameField(), editor.GetValueField()}) {
        field->ChangeValue("");
        gui::focus(field);
        gui::simulateText("abcdefghijklmnop");
        EXPECT_EQ(field->GetValue(), "abcdefghijklmno");
    }
}

}  // namespace
