// SPDX-License-Identifier: MIT
// DelvoApp's normal start and its main window.
#include "app/delvo_app.h"

#include "app/console_face.h"
#include "app/coverage_counts.h"
#include "app/display_loss.h"
#include "app/exit_signals.h"

#include <cstdio>
#include <cstdlib>

#include <wx/utils.h>

#include "console/console_edit.h"
#include "console/console_window.h"

namespace {

/// The start-up benchmark (bench/startup.py) measures a start up to the console's first drawing: with
/// TALLYX_EXIT_AFTER_FIRST_PAINT set, the process ends right after it.
void exitAfterFirstPaint(wxWindow* console) {
    if (!wxGetEnv(wxS("TALLYX_EXIT_AFTER_FIRST_PAINT"), nullptr)) return;
    console->Bind(wxEVT_PAINT, [](wxPaintEvent& event) {
        event.Skip();
        wxTheApp->CallAfter([] {
            std::fflush(nullptr);
            writeCoverageCounts();
            std::_Exit(0);  // GCOVR_EXCL_LINE: runs after the coverage counts are written
        });
    });
}

}  // namespace

bool DelvoApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    return startWindow();
}

bool DelvoApp::startWindow() {
    // The window's console takes the appearance's font when it is made.
    m_appearance.resetToDefaults(defaultConsoleFace());

    m_interpreter.format.mode = NumberFormat::kAuto;

    // The window fits its contents and centres itself before it is shown; a size given here only spares the
    // toolkit asking the desktop for a default one (each question to the display server waits for its answer).
    constexpr int kPlaceholderSize = 400;
    auto* window =
        new ConsoleWindow(nullptr, m_interpreter, *this, m_toolDialogs, ID_MAIN_WINDOW, wxS("DelvoCalculator"),
                          wxDefaultPosition, wxSize(kPlaceholderSize, kPlaceholderSize), ConsoleWindow::kStyle);
    exitAfterFirstPaint(window->GetConsole());
    window->Show();
    SetTopWindow(window);
    m_interpreter.setWindowCommands(&window->GetWindowCommands());
    window->Bind(wxEVT_DESTROY, [this, window](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == window) m_interpreter.setWindowCommands(nullptr);
        event.Skip();
    });
    loadSettingsFile();
    // Before this, a lost display leaves the settings file as it was; from now on the session's settings are
    // written first.
    whenDisplayLost([this] { settleWithoutDisplay(); });
    watchExitRequests();
    return true;
}

void DelvoApp::watchExitRequests() {
    // A signal handler may only note the request (noted from before the toolkit started); the UI thread looks
    // often enough for nobody to notice.
    constexpr int kExitPollMs = 100;
    m_exitWatch.SetOwner(this);
    Bind(
        wxEVT_TIMER,
        [this](wxTimerEvent&) {
            if (!exitRequested()) return;
            m_exitWatch.Stop();
            if (ConsoleWindow* window = mainWindow()) {
                window->ShutDown();
            } else {
                ExitMainLoop();
            }
        },
        m_exitWatch.GetId());
    m_exitWatch.Start(kExitPollMs);
}

ConsoleWindow* DelvoApp::mainWindow() const { return dynamic_cast<ConsoleWindow*>(GetTopWindow()); }
