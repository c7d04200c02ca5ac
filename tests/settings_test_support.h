// SPDX-License-Identifier: MIT
// Helpers of the settings file tests: a host that records what it is given, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

const char kHeader[] = "# Quarn-RC <do not change or remove this header>";

/// Keeps exactly what the reader hands over (no clamping, no duplicate rule), so tests see the reader's own work.
class FakeHost : public SettingsHost {
public:
    SettingsFont font{L"Consolas", 0x202020, 10, 0, 90, 90};
    std::array<std::uint32_t, 5> colors{0xFFFFFF, 0xC00000, 0x800000, 0x808000, 0xF6D0AB};
    bool verbose = true;
    std::vector<std::wstring> expressions, functions;
    bool hasWindow = true, maximized = false;
    int x = -1, y = -1, width = -1, height = -1;
    int screenWidth = 1920, screenHeight = 1080;
    int fontCalls = 0, colorCalls = 0, placementCalls = 0;

    void setConsoleFont(const std::wstring* face, std::uint32_t colour, int size, int orientation, int style,
                        int weight) override {
        ++fontCalls;
        font = {face ? *face : font.faceName, colour, size, orientation, style, weight};
    }
    void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                          std::uint32_t number, std::uint32_t selection) override {
        ++colorCalls;
        font.color = text;
        colors = {background, function, op, number, selection};
    }
    SettingsFont getConsoleFont() const override { return font; }
    std::array<std::uint32_t, 5> getSyntaxColors() const override { return colors; }
    void setWindowPlacement(bool max, int px, int py, int w, int h) override {
        ++placementCalls;
        maximized = max, x = px, y = py, width = w, height = h;
    }
    void getWindowPlacement(bool* max, int* px, int* py, int* w, int* h) const override {
        if (hasWindow) *max = maximized, *px = x, *py = y, *w = width, *h = height;
    }
    int getScreenWidth() const override { return screenWidth; }
    int getScreenHeight() const override { return screenHeight; }
    bool addFunction(const std::wstring& text) override { return functions.push_back(text), true; }
    int getFunctionCount() const override { return static_cast<int>(functions.size()); }
    std::wstring getFunction(int index) const override { return functions.at(static_cast<size_t>(index)); }
    int getExpressionCount() const override { return static_cast<int>(expressions.size()); }
    bool getExpression(int index, std::wstring* out) const override {
        return *out = expressions.at(static_cast<size_t>(index)), true;
    }
    void addExpression(const std::wstring& text) override { expressions.push_back(text); }
    bool getVerbose() const override { return verbose; }
    void setVerbose(bool on) override { verbose = on; }
};

inline std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

/// A fresh folder per test holding the settings file "tallyx.quarnr".
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string dir = ::testing::TempDir() + "delvo-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(dir.data()), nullptr);
        m_dir = dir;
        m_path = m_dir + "/tallyx.quarnr";
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::wstring path() const { return widen(m_path); }
    void writeBytes(const std::string& bytes, const std::string& file = {}) const {
        std::ofstream(file.empty() ? m_path : m_dir + "/" + file, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string readBytes() const {
        std::stringstream text;
        text << std::ifstream(m_path, std::ios::binary).rdbuf();
        return text.str();
    }
    /// Writes the header line and body with CR LF line ends and loads the file into host.
    bool load(const std::string& body, FakeHost& host, const std::string& header = kHeader) const {
        std::string crlf;
        for (char c : header + "\n" + body) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        writeBytes(crlf);
        lfConfig config(3);
        return loadSettings(config, path(), host);
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir)) names.push_back(entry.path().filename());
        return names;
    }

    std::string m_dir, m_path;
};
