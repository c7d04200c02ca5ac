// SPDX-License-Identifier: MIT
// The main-window fixture shared by test_gui_window.cpp, test_gui_functions_menu.cpp and the tool tests.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/aboutdlg.h>
#include <wx/menu.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "tests/gui_test_support.h"

/// One expected menu item: id (0 for a separator), label with its accelerator, kind, help text, icon or not.
struct MenuRow {
    int id;
    const char* label;
    wxItemKind kind;
    const char* help;
    bool icon;
};

/// Opens the main window through DelvoApp's normal start and closes it afterwards; About boxes and pop-up
/// menus are recorded instead of shown.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
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
        return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), window) != wxTopLevelWindows.end();
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
