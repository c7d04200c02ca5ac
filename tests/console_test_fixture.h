// SPDX-License-Identifier: MIT
// The console fixture shared by test_gui_console.cpp and test_gui_code_edit.cpp.
#pragma once

#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "console/command_ids.h"
#include "console/console_edit.h"
#include "engine/interpreter.h"
#include "libs/ui/editor_prefs.h"
#include "tests/gui_test_support.h"

/// A frame holding one console on an interpreter of its own (verbose, decimal, auto format), set up as the main
/// window sets up its console.
class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        interpreter.verbose = true;
        interpreter.outputBase = 10;
        interpreter.format.mode = NumberFormat::kAuto;

        frame = new wxFrame(nullptr, wxID_ANY, wxS("DelvoCalculator"), wxDefaultPosition, wxSize(560, 300));
        console = new ConsoleEdit(frame, interpreter, ID_CONSOLE, wxDefaultPosition, wxSize(420, 180),
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

    int lastLine() const { return console->GetLineCount() - 1; }
    wxString inputLine() const { return console->GetLineText(lastLine()); }

    std::vector<wxString> history() const {
        std::vector<wxString> entries;
        for (int i = 0; i < console->GetHistoryCount(); ++i) entries.push_back(console->GetHistoryEntry(i));
        return entries;
    }

    Interpreter interpreter;
    wxFrame* frame = nullptr;
    ConsoleEdit* console = nullptr;
};
