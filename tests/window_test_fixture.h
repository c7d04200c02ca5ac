// SPDX-License-Identifier: MIT
// The main-window fixture shared by the window, settings, application and tool tests and the picture program.
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

    ConsoleWindow* window = nullptr;
    ConsoleEdit* console = nullptr;
    std::vector<wxAboutDialogInfo> aboutShown;
    std::vector<std::vector<std::string>> popups;
};
