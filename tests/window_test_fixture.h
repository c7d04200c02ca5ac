// SPDX-License-Identifier: MIT
// The main-window fixture shared by test_gui_window.cpp (Part 3.3) and test_gui_functions_menu.cpp (3.5, 3.6).
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/aboutdlg.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "tests/gui_test_support.h"

/// One menu item as the spec's tables give it.
struct MenuRow {
    int id;  // 0: separator
    const char* label;
    wxItemKind kind;
    const char* help;
    bool icon;
};

/// Opens the main window through DelvoApp's normal start (Part 1.1, step 7) and closes it afterwards.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Log messages go to stderr: a modal log box would block the test.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxTheApp->SetExitOnFrameDelete(false);
        ASSERT_TRUE(wxGetApp().OnInit());
        window = wxGetApp().mainWindow();
        ASSERT_NE(window, nullptr);
        console = window->GetConsole();
        window->SetAboutPresenter([this](const wxAboutDialogInfo& info, wxWindow*) { aboutShown.push_back(info); });
        window->SetPopupPresenter([this](wxMenu& menu, const wxPoint&) { popups.push_back(describe(menu)); });
        gui::pump();
    }

    void TearDown() override {
        if (!isAlive()) return;
        window->Destroy();
        gui::pump();
    }

    /// True while the window has not been deleted.
    bool isAlive() const {
        for (wxWindow* top : wxTopLevelWindows)
            if (top == window) return true;
        return false;
    }

    void command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(event);
    }

    void updateInterface() { window->UpdateWindowUI(wxUPDATE_UI_NONE); }

    wxMenu* menu(const char* title) const {
        const int index = window->GetMenuBar()->FindMenu(title);
        return index == wxNOT_FOUND ? nullptr : window->GetMenuBar()->GetMenu(index);
    }

    /// Types a line on the input line and runs it like Enter.
    void run(const wxString& line) {
        console->DocumentEnd();
        console->AddText(line);
        console->ExecuteLine();
        gui::pump();
    }

    /// "label|id" of every item, submenus expanded (the popups' content).
    static std::vector<std::string> describe(wxMenu& menu) {
        std::vector<std::string> rows;
        for (wxMenuItem* item : menu.GetMenuItems()) {
            rows.push_back(item->GetItemLabel().ToStdString() + "|" + std::to_string(item->GetId()));
            if (item->GetSubMenu())
                for (const std::string& row : describe(*item->GetSubMenu())) rows.push_back("  " + row);
        }
        return rows;
    }

    void expectMenu(const char* title, const std::vector<MenuRow>& rows) {
        wxMenu* found = menu(title);
        ASSERT_NE(found, nullptr) << title;
        ASSERT_EQ(found->GetMenuItemCount(), rows.size()) << title;
        for (size_t i = 0; i < rows.size(); ++i) {
            const wxMenuItem* item = found->FindItemByPosition(i);
            const MenuRow& row = rows[i];
            if (row.id == 0) {
                EXPECT_TRUE(item->IsSeparator()) << title << " item " << i;
                continue;
            }
            EXPECT_EQ(item->GetId(), row.id) << row.label;
            EXPECT_EQ(item->GetItemLabel(), wxString::FromUTF8(row.label));
            EXPECT_EQ(item->GetKind(), row.kind) << row.label;
            EXPECT_EQ(item->GetHelp(), wxString::FromUTF8(row.help)) << row.label;
            EXPECT_EQ(item->GetBitmap().IsOk(), row.icon) << row.label;
        }
    }

    ConsoleWindow* window = nullptr;
    ConsoleEdit* console = nullptr;
    std::vector<wxAboutDialogInfo> aboutShown;
    std::vector<std::vector<std::string>> popups;
};
