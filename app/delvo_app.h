// SPDX-License-Identifier: MIT
// The application object: the composition root. It owns the interpreter, the appearance, the solver's function
// history and the folders, builds the main window and hands each part what it needs.
#pragma once

#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/timer.h>

#include "app/folders.h"
#include "app/tool_dialogs.h"
#include "console/console_host.h"
#include "engine/interpreter.h"
#include "engine/plot_host.h"
#include "libs/ui/appearance.h"
#include "tools/function_history.h"

class ConsoleWindow;

/// The single application object. Start-up runs in two halves: startUp (no display) and OnInit (window).
class DelvoApp : public wxApp, public ConsoleHost {
public:
    DelvoApp();
    ~DelvoApp() override;

    /// Start-up before the toolkit starts: the folders, and batch mode when "-show" follows it.
    void startUp(int argc, char** argv);
    /// Start-up, and for a normal start the main window and the settings. Implemented with the window.
    bool OnInit() override;
    /// Lets go of the plot windows and the main window.
    int OnExit() override;

    /// The interpreter's one entry.
    bool evaluateLine(const std::wstring& line, std::wstring* out, double* value = nullptr,
                      const std::wstring* format = nullptr) {
        return m_interpreter.evaluateLine(line, out, value, format);
    }
    Interpreter& interpreter() { return m_interpreter; }
    FunctionHistory& functionHistory() { return m_functionHistory; }
    const Folders& folders() const { return m_folders; }
    /// The main window when it is the top window, else null.
    ConsoleWindow* mainWindow() const;

    // What the main window asks of the application.
    Appearance& appearance() override { return m_appearance; }
    std::wstring helpPath() const override { return m_helpPath; }
    bool saveSettings() override { return saveSettingsFile(); }

    /// Another help document (tests point it at a missing file).
    void setHelpPath(const std::wstring& path) { m_helpPath = path; }
    /// Reads the settings file into the appearance, the histories and the window (start-up); false when nothing
    /// was applied. A file that is there but cannot be read is named on standard error.
    bool loadSettingsFile();
    /// Writes the settings file (the window's shutdown); false when it could not be written, which standard
    /// error tells.
    bool saveSettingsFile();

private:
    /// Gives the interpreter the graph library's plot windows (once a window may exist).
    void installPlotHost();
    /// The normal start: appearance, auto format, main window, settings. Implemented with the window.
    bool startWindow();

    /// Ends the session through ShutDown when the session asked the process to end (SIGTERM, SIGHUP, SIGINT).
    void watchExitRequests();
    /// Writes the settings file; false with the standard-error line that says why.
    bool writeSettingsFile(std::string* failure);
    /// The display is gone: saves what the session changed (unless the shutdown did) and says so.
    void settleWithoutDisplay();

    Interpreter m_interpreter;
    Appearance m_appearance;
    FunctionHistory m_functionHistory;
    AppToolDialogs m_toolDialogs{m_interpreter, m_functionHistory, m_appearance};
    wxTimer m_exitWatch;
    std::unique_ptr<PlotHost> m_plotHost;
    Folders m_folders;
    std::wstring m_helpPath;
    /// The shutdown has written (or tried to write) the settings: a later write would find the window half gone.
    bool m_settingsSaved = false;
};

wxDECLARE_APP(DelvoApp);
