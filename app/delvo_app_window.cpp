// SPDX-License-Identifier: MIT
// DelvoApp's normal start (spec Part 1.1, step 7) and its main window.
#include "app/delvo_app.h"
#include "app/exit_signals.h"

#include "console/console_window.h"
#include "console/editor_prefs.h"

bool DelvoApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    return startWindow();
}

bool DelvoApp::startWindow() {
    // The console engineer's CodeEdit substitutes an installed fixed-pitch face when Consolas is missing.
    const EditorPrefs defaults;
    consoleFont.reset();
    consoleFont.setFaceName(EditorPrefs::kDefaultFace);
    consoleFont.setColor(lmColor::fromInt(defaults.styles[EditorPrefs::kDefault].foreground));
    consoleFont.assignResources();
    // Background, function, number and selection take the console's default style colours (Part 4.1).
    syntaxColors[0] = defaults.styles[EditorPrefs::kDefault].background;
    syntaxColors[1] = defaults.styles[EditorPrefs::kFunction].foreground;
    syntaxColors[3] = defaults.styles[EditorPrefs::kNumber].foreground;
    syntaxColors[4] = defaults.styles[EditorPrefs::kSelection].background;

    m_interpreter.format.mode = NumberFormat::kAuto;

    auto* window = new ConsoleWindow(nullptr, ID_MAIN_WINDOW, wxS("DelvoCalculator"), wxDefaultPosition,
                                     wxDefaultSize, ConsoleWindow::kStyle);
    window->Show();
    window->Centre(wxBOTH);
    window->ApplyConsoleFont(consoleFont);
    SetTopWindow(window);
    m_interpreter.setWindowCommands(&window->GetWindowCommands());
    window->Bind(wxEVT_DESTROY, [this, window](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == window) m_interpreter.setWindowCommands(nullptr);
        event.Skip();
    });
    loadSettingsFile();
    watchExitRequests();
    return true;
}

void DelvoApp::watchExitRequests() {
    // A signal handler may only note the request (noted from before the toolkit started); the UI thread looks
    // often enough for nobody to notice.
    constexpr int kExitPollMs = 100;
    m_exitWatch.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (!exitRequested()) return;
        m_exitWatch.Stop();
        if (ConsoleWindow* window = mainWindow()) {
            window->ShutDown();
        } else {
            ExitMainLoop();
        }
    }, m_exitWatch.GetId());
    m_exitWatch.Start(kExitPollMs);
}

ConsoleWindow* DelvoApp::mainWindow() const { return dynamic_cast<ConsoleWindow*>(GetTopWindow()); }
