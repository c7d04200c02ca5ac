// SPDX-License-Identifier: MIT
// The application object: owns the interpreter, folders, font, colours and histories.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <wx/app.h>
#include <wx/timer.h>

#include "app/folders.h"
#include "engine/interpreter.h"
#include "engine/plot_host.h"
#include "libs/graph/lm_font.h"

class ConsoleWindow;

/// The single application object. Start-up runs in two halves: startUp (no display) and OnInit (window).
class DelvoApp : public wxApp {
public:
    DelvoApp();
    ~DelvoApp() override;

    /// Start-up before the toolkit starts: usage, batch mode. True: the window is wanted.
    bool startUp(int argc, char** argv);
    /// Start-up, and for a normal start the main window and the settings. Implemented with the window.
    bool OnInit() override;
    /// Closes the redirected streams.
    int OnExit() override;
    /// Exit status of the process after batch mode: 0 when the last item succeeded, 1 otherwise.
    int exitStatus() const { return m_exitStatus; }

    /// The interpreter's one entry; forwards to the engine.
    bool evaluateLine(const std::wstring& line, std::wstring* out, double* value = nullptr,
                      const std::wstring* format = nullptr) {
        return m_interpreter.evaluateLine(line, out, value, format);
    }
    Interpreter& interpreter() { return m_interpreter; }

    /// The solver dialog looks at no more than this many characters of a function text.
    static constexpr size_t kLongestFunction = 379;
    /// Finds a zero of function (in x) between lower and upper with the interpreter's engine and parameters.
    /// Gives the text the solver dialog shows: "x = ...\ny = ...", or a message; x and y receive the zero.
    std::wstring solveFunction(const std::wstring& function, double lower, double upper, double* x, double* y);
    /// The root finder's function: the parser stored in the parameter record at x, or 0 without one.
    static double solveCallback(double x, lmParam* param);
    const Folders& folders() const { return m_folders; }
    /// The main window when it is the top window, else null.
    ConsoleWindow* mainWindow() const;

    // Settings operations, in delvo_app_settings.cpp; each acts on the main window only when it exists.
    void setConsoleFont(const std::wstring* faceName, const lmColor& colour, int size, int orientation, int style,
                        int weight);
    void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function,
                          std::uint32_t op, std::uint32_t number, std::uint32_t selection);
    void enableHighlighting(bool on);
    /// The console's highlighting state (true when there is no main window).
    bool isHighlighting() const;
    void setWindowPlacement(bool maximized, int x, int y, int width, int height);
    void getWindowPlacement(bool* maximized, int* x, int* y, int* width, int* height) const;
    bool addFunction(const std::wstring& text);
    std::wstring getFunction(int index) const;
    int getExpressionCount() const;
    bool getExpression(int index, std::wstring* out) const;
    void addExpression(const std::wstring& text);
    /// Reads the settings file into the record and the window (start-up); false when nothing was applied.
    bool loadSettingsFile();
    /// Writes the settings file (ShutDown); false when it could not be written.
    bool saveSettingsFile();

    /// Console font record and the five syntax colours (0x00BBGGRR).
    lmFont consoleFont;
    std::array<std::uint32_t, 5> syntaxColors{0x000000, 0xFF0000, 0x800000, 0x808000, 0xFFFF00};
    /// Recent solver functions, oldest first.
    std::array<std::wstring, 12> functionHistory;
    int historyCount = 0;
    std::wstring helpPath;
    std::FILE* outStream = nullptr;
    std::FILE* errStream = nullptr;

private:
    /// Gives the interpreter the graph library's plot windows (once a window may exist).
    void installPlotHost();
    /// The normal start: font, auto format, main window, settings. Implemented with the window.
    bool startWindow();

    /// Ends the session through ShutDown when the session asked the process to end (SIGTERM, SIGHUP, SIGINT).
    void watchExitRequests();

    Interpreter m_interpreter;
    wxTimer m_exitWatch;
    std::unique_ptr<PlotHost> m_plotHost;
    Folders m_folders;
    int m_exitStatus = 0;
};

wxDECLARE_APP(DelvoApp);
