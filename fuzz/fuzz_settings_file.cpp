// SPDX-License-Identifier: MIT
// The settings reader on any file bytes: the application's settings operations are recorded, not applied.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "libs/file/lf_config.h"
#include "libs/file/lf_text.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

namespace {

class RecordingHost : public SettingsHost {
public:
    void setConsoleFont(const std::wstring* face, std::uint32_t, int, int, int, int) override {
        if (face) m_font.faceName = *face;
    }
    void setConsoleColors(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                          std::uint32_t) override {}
    SettingsFont getConsoleFont() const override { return m_font; }
    std::array<std::uint32_t, 5> getSyntaxColors() const override { return {}; }
    void setWindowPlacement(bool, int, int, int, int) override {}
    void getWindowPlacement(bool*, int*, int*, int*, int*) const override {}
    int getScreenWidth() const override { return 1280; }
    int getScreenHeight() const override { return 1024; }
    bool addFunction(const std::wstring& text) override {
        if (text.empty() || m_functions.size() >= 12) return false;
        m_functions.push_back(text);
        return true;
    }
    int getFunctionCount() const override { return static_cast<int>(m_functions.size()); }
    std::wstring getFunction(int index) const override {
        return index >= 0 && index < getFunctionCount() ? m_functions[index] : std::wstring();
    }
    int getExpressionCount() const override { return static_cast<int>(m_history.size()); }
    bool getExpression(int index, std::wstring* out) const override {
        if (index < 0 || index >= getExpressionCount()) return false;
        *out = m_history[index];
        return true;
    }
    void addExpression(const std::wstring& text) override {
        if (m_history.size() < 256) m_history.push_back(text);
    }
    bool getVerbose() const override { return m_verbose; }
    void setVerbose(bool on) override { m_verbose = on; }

private:
    SettingsFont m_font;
    std::vector<std::wstring> m_functions, m_history;
    bool m_verbose = true;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzFile(data, size, "tallyx.quarnr");
    lfConfig config(3);
    RecordingHost host;
    loadSettings(config, wideFromUtf8(path), host);
    return 0;
}
