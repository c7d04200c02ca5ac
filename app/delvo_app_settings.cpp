// SPDX-License-Identifier: MIT
// DelvoApp's settings operations: the settings record, the window and the settings file.
#include <algorithm>

#include <wx/settings.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

namespace {

constexpr int kHistoryMax = 12;
constexpr size_t kEntryMax = 255;

bool equalNoCase(const std::wstring& a, const std::wstring& b) { return wxString(a).IsSameAs(wxString(b), false); }

/// The application object as the settings file's reader and writer see it.
class AppSettingsHost final : public SettingsHost {
public:
    explicit AppSettingsHost(DelvoApp& app) : m_app(app) {}

    void setConsoleFont(const std::wstring* faceName, std::uint32_t colour, int size, int orientation, int style,
                        int weight) override {
        m_app.setConsoleFont(faceName, lmColor::fromInt(colour), size, orientation, style, weight);
    }
    void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                          std::uint32_t number, std::uint32_t selection) override {
        m_app.setConsoleColors(text, background, function, op, number, selection);
    }
    SettingsFont getConsoleFont() const override {
        const lmFont& font = m_app.consoleFont;
        return {font.getFaceName(), font.color.toInt(), font.size, font.orientation, font.style, font.weight};
    }
    std::array<std::uint32_t, 5> getSyntaxColors() const override { return m_app.syntaxColors; }
    void setWindowPlacement(bool maximized, int x, int y, int width, int height) override {
        m_app.setWindowPlacement(maximized, x, y, width, height);
    }
    void getWindowPlacement(bool* maximized, int* x, int* y, int* width, int* height) const override {
        m_app.getWindowPlacement(maximized, x, y, width, height);
    }
    int getScreenWidth() const override { return wxSystemSettings::GetMetric(wxSYS_SCREEN_X); }
    int getScreenHeight() const override { return wxSystemSettings::GetMetric(wxSYS_SCREEN_Y); }
    bool addFunction(const std::wstring& text) override { return m_app.addFunction(text); }
    int getFunctionCount() const override { return m_app.historyCount; }
    std::wstring getFunction(int index) const override { return m_app.getFunction(index); }
    int getExpressionCount() const override { return m_app.getExpressionCount(); }
    bool getExpression(int index, std::wstring* out) const override { return m_app.getExpression(index, out); }
    void addExpression(const std::wstring& text) override { m_app.addExpression(text); }
    bool getVerbose() const override { return m_app.interpreter().verbose; }
    void setVerbose(bool on) override { m_app.interpreter().verbose = on; }

private:
    DelvoApp& m_app;
};

}  // namespace

void DelvoApp::setConsoleFont(const std::wstring* faceName, const lmColor& colour, int size, int orientation,
                              int style, int weight) {
    if (faceName) consoleFont.setFaceName(*faceName);
    consoleFont.setColor(colour);
    consoleFont.size = std::clamp(size, 4, 32);
    consoleFont.orientation = orientation;
    consoleFont.style = style;
    consoleFont.weight = weight;
    consoleFont.assignResources();
    if (ConsoleWindow* window = mainWindow()) window->ApplyConsoleFont(consoleFont);
}

void DelvoApp::setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function,
                                std::uint32_t op, std::uint32_t number, std::uint32_t selection) {
    if (text != consoleFont.color.toInt()) {
        // The toolkit's colour-from-integer reads 0x00BBGGRR.
        consoleFont.setColor(wxColour(static_cast<unsigned long>(text)));
        consoleFont.assignResources();
    }
    syntaxColors = {background, function, op, number, selection};
    if (ConsoleWindow* window = mainWindow()) {
        window->ApplyConsoleColors(text, background, function, op, number, selection);
    }
}

void DelvoApp::enableHighlighting(bool on) {
    if (ConsoleWindow* window = mainWindow()) window->SetHighlighting(on);
}

bool DelvoApp::isHighlighting() const {
    const ConsoleWindow* window = mainWindow();
    return window == nullptr || window->GetHighlighting();
}

// The stored position is validated by the reader but not applied: the window keeps the place that start-up
// centring gave it.
void DelvoApp::setWindowPlacement(bool maximized, int, int, int width, int height) {
    ConsoleWindow* window = mainWindow();
    if (window == nullptr) return;
    if (maximized) {
        window->Maximize(true);
    } else {
        // A component of -1 keeps the window's current one.
        window->SetSize(width, height);
    }
}

void DelvoApp::getWindowPlacement(bool* maximized, int* x, int* y, int* width, int* height) const {
    const ConsoleWindow* window = mainWindow();
    if (window == nullptr) return;
    const wxPoint position = window->GetPosition();
    const wxSize size = window->GetSize();
    if (maximized) *maximized = window->IsMaximized();
    if (x) *x = position.x;
    if (y) *y = position.y;
    if (width) *width = size.GetWidth();
    if (height) *height = size.GetHeight();
}

bool DelvoApp::addFunction(const std::wstring& text) {
    if (text.empty()) return false;
    historyCount = std::clamp(historyCount, 0, kHistoryMax);
    if (historyCount == kHistoryMax) {
        std::move(functionHistory.begin() + 5, functionHistory.end(), functionHistory.begin());
        historyCount = kHistoryMax - 5;
        std::fill(functionHistory.begin() + historyCount, functionHistory.end(), std::wstring());
    }
    for (int i = 0; i < historyCount; ++i) {
        if (equalNoCase(functionHistory[static_cast<size_t>(i)], text)) return false;
    }
    functionHistory[static_cast<size_t>(historyCount++)] = text;
    return true;
}

std::wstring DelvoApp::getFunction(int index) const {
    if (index < 0 || index >= historyCount || index >= kHistoryMax) return {};
    return functionHistory[static_cast<size_t>(index)];
}

int DelvoApp::getExpressionCount() const {
    const ConsoleWindow* window = mainWindow();
    const ConsoleEdit* console = window ? window->GetConsole() : nullptr;
    return console ? console->GetHistoryCount() : 0;
}

bool DelvoApp::getExpression(int index, std::wstring* out) const {
    const ConsoleWindow* window = mainWindow();
    const ConsoleEdit* console = window ? window->GetConsole() : nullptr;
    if (console == nullptr || out == nullptr || index < 0 || index >= console->GetHistoryCount()) return false;
    *out = console->GetHistoryEntry(index).ToStdWstring().substr(0, kEntryMax);
    return !out->empty();
}

void DelvoApp::addExpression(const std::wstring& text) {
    ConsoleWindow* window = mainWindow();
    if (ConsoleEdit* console = window ? window->GetConsole() : nullptr) console->AddHistory(wxString(text));
}

bool DelvoApp::loadSettingsFile() {
    lfConfig config(3);
    AppSettingsHost host(*this);
    return loadSettings(config, folders().settingsPath(), host);
}

bool DelvoApp::saveSettingsFile() {
    lfConfig config(3);
    AppSettingsHost host(*this);
    return saveSettings(config, folders().settingsPath(), host);
}
