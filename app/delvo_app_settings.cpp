// SPDX-License-Identifier: MIT
// DelvoApp's settings file: the appearance, the histories, the verbose flag and the main window's placement.
#include <cstdio>

#include <wx/settings.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "libs/file/lf_config.h"
#include "libs/file/lf_text.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

namespace {

/// Longest console history entry the settings file takes.
constexpr size_t kEntryMax = 255;
/// Sections of the settings store.
constexpr int kSettingsSections = 3;

/// A line for standard error: the window says nothing of the settings file, a terminal that started it does.
void tellTerminal(const std::string& line) {
    std::fflush(stdout);
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

/// The application's state as the settings file's reader and writer see it: the appearance, the histories, the
/// verbose flag and the main window.
class AppSettingsHost final : public SettingsHost {
public:
    AppSettingsHost(Appearance& appearance, FunctionHistory& functions, Interpreter& interpreter, ConsoleWindow& window)
        : m_appearance(appearance),
          m_functions(functions),
          m_interpreter(interpreter),
          m_window(window),
          m_console(*window.GetConsole()) {}

    void setConsoleFont(const std::wstring* faceName, std::uint32_t colour, int size, int orientation, int style,
                        int weight) override {
        m_appearance.setFont(faceName, lmColor::fromInt(colour), size, orientation, style, weight);
    }
    void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                          std::uint32_t number, std::uint32_t selection) override {
        m_appearance.setColors(text, background, function, op, number, selection);
    }
    SettingsFont getConsoleFont() const override {
        const lmFont& font = m_appearance.font();
        return {font.getFaceName(), font.color.toInt(), font.size, font.orientation, font.style, font.weight};
    }
    std::array<std::uint32_t, 5> getSyntaxColors() const override { return m_appearance.syntaxColors(); }

    // The stored position is validated by the reader but not applied: the window keeps the place that start-up
    // centring gave it.
    void setWindowPlacement(bool maximized, int, int, int width, int height) override {
        if (maximized) {
            m_window.Maximize(true);
        } else {
            // A component of -1 keeps the window's current one.
            m_window.SetSize(width, height);
        }
    }
    void getWindowPlacement(bool* maximized, int* x, int* y, int* width, int* height) const override {
        const wxPoint position = m_window.GetPosition();
        const wxSize size = m_window.GetSize();
        *maximized = m_window.IsMaximized();
        *x = position.x;
        *y = position.y;
        *width = size.GetWidth();
        *height = size.GetHeight();
    }
    int getScreenWidth() const override { return wxSystemSettings::GetMetric(wxSYS_SCREEN_X); }
    int getScreenHeight() const override { return wxSystemSettings::GetMetric(wxSYS_SCREEN_Y); }

    bool addFunction(const std::wstring& text) override { return m_functions.add(text); }
    int getFunctionCount() const override { return m_functions.count(); }
    std::wstring getFunction(int index) const override { return m_functions.at(index); }

    int getExpressionCount() const override { return m_console.GetHistoryCount(); }
    bool getExpression(int index, std::wstring* out) const override {
        // An index outside the history reads as an empty entry.
        *out = m_console.GetHistoryEntry(index).ToStdWstring().substr(0, kEntryMax);
        return !out->empty();
    }
    void addExpression(const std::wstring& text) override { m_console.AddHistory(wxString(text)); }

    bool getVerbose() const override { return m_interpreter.verbose; }
    void setVerbose(bool on) override { m_interpreter.verbose = on; }

private:
    Appearance& m_appearance;
    FunctionHistory& m_functions;
    Interpreter& m_interpreter;
    ConsoleWindow& m_window;
    ConsoleEdit& m_console;
};

}  // namespace

bool DelvoApp::loadSettingsFile() {
    ConsoleWindow* window = mainWindow();
    if (window == nullptr) return false;  // the file restores the main window and its console
    lfConfig config(kSettingsSections);
    AppSettingsHost host(m_appearance, m_functionHistory, m_interpreter, *window);
    const std::wstring path = folders().settingsPath();
    std::string problem;
    const bool loaded = ::loadSettings(config, path, host, &problem);
    if (!problem.empty())
        tellTerminal("tallyx: the settings file could not be read: " + utf8FromWide(path) + ": " + problem +
                     "; the window starts with the default settings\n");
    return loaded;
}

bool DelvoApp::writeSettingsFile(std::string* failure) {
    const std::wstring path = folders().settingsPath();
    std::string problem;
    ConsoleWindow* window = mainWindow();
    if (window != nullptr) {
        lfConfig config(kSettingsSections);
        AppSettingsHost host(m_appearance, m_functionHistory, m_interpreter, *window);
        if (::saveSettings(config, path, host, &problem)) return true;
    }
    // Without a reason from the writer (no main window, or a store it could not fill), the plain one.
    *failure = "tallyx: the settings of this session were not saved: " + utf8FromWide(path) + ": " +
               (problem.empty() ? std::string("the file cannot be written") : problem) + "\n";
    return false;
}

bool DelvoApp::saveSettingsFile() {
    m_settingsSaved = true;
    std::string failure;
    if (writeSettingsFile(&failure)) return true;
    tellTerminal(failure);
    return false;
}

void DelvoApp::settleWithoutDisplay() {
    const char* lost = "tallyx: lost the connection to the display";
    // The shutdown saved already: the display went in the moment before the process ends (docs/quality.md).
    // GCOVR_EXCL_START
    if (m_settingsSaved) {
        tellTerminal(std::string(lost) + "\n");
        return;
    }
    // GCOVR_EXCL_STOP
    m_settingsSaved = true;
    std::string failure;
    if (writeSettingsFile(&failure)) {
        tellTerminal(std::string(lost) + "; the settings of this session were saved\n");
    } else {
        tellTerminal(std::string(lost) + "\n" + failure);
    }
}
