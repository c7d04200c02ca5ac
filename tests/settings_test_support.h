// SPDX-License-Identifier: MIT
// Shared helpers of the settings file tests (Part 4.1, reader and writer): a fake host and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

const char kHeader[] = "# Quarn-RC <do not change or remove this header>";

/// Behaves like DelvoApp with a main window and console (Parts 3.1, 4.1), and records what it was given.
class FakeHost : public SettingsHost {
public:
    SettingsFont font{L"Consolas", 0x202020, 10, 0, 90, 90};
    std::array<std::uint32_t, 5> colors{0xFFFFFF, 0xC00000, 0x800000, 0x808000, 0xF6D0AB};
    bool verbose = true;
    std::vector<std::wstring> expressions;
    std::vector<std::wstring> functions;
    bool hasWindow = true;
    bool maximized = false;
    int x = -1, y = -1, width = -1, height = -1;
    int screenWidth = 1920, screenHeight = 1080;
    int fontCalls = 0, colorCalls = 0, placementCalls = 0;

    void setConsoleFont(const std::wstring* faceName, std::uint32_t colour, int size, int orientation, int style,
                        int weight) override {
        ++fontCalls;
        if (faceName) font.faceName = faceName->substr(0, 31);
        font.color = colour;
        font.size = size < 4 ? 4 : (size > 32 ? 32 : size);
        font.orientation = orientation;
        font.style = style;
        font.weight = weight;
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
        maximized = max;
        x = px;
        y = py;
        width = w;
        height = h;
    }
    void getWindowPlacement(bool* max, int* px, int* py, int* w, int* h) const override {
        if (!hasWindow) return;
        *max = maximized;
        *px = x;
        *py = y;
        *w = width;
        *h = height;
    }
    int getScreenWidth() const override { return screenWidth; }
    int getScreenHeight() const override { return screenHeight; }
    bool addFunction(const std::wstring& text) override { return addEntry(functions, text); }
    int getFunctionCount() const override { return static_cast<int>(functions.size()); }
    std::wstring getFunction(int index) const override {
        return index >= 0 && index < getFunctionCount() ? functions[static_cast<size_t>(index)] : std::wstring();
    }
    int getExpressionCount() const override { return static_cast<int>(expressions.size()); }
    bool getExpression(int index, std::wstring* out) const override {
        if (index < 0 || index >= getExpressionCount()) return false;
        *out = expressions[static_cast<size_t>(index)].substr(0, 255);
        return !out->empty();
    }
    void addExpression(const std::wstring& text) override { addEntry(expressions, text); }
    bool getVerbose() const override { return verbose; }
    void setVerbose(bool on) override { verbose = on; }

private:
    static bool equalNoCase(const std::wstring& a, const std::wstring& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (std::towlower(a[i]) != std::towlower(b[i])) return false;
        }
        return true;
    }
    static bool addEntry(std::vector<std::wstring>& list, const std::wstring& text) {
        if (text.empty()) return false;
        if (list.size() >= 12) list.erase(list.begin(), list.begin() + 5);
        for (const auto& entry : list) {
            if (equalNoCase(entry, text)) return false;
        }
        list.push_back(text);
        return true;
    }
};

inline std::wstring widen(const std::string& s) {
    std::wstring out;
    for (unsigned char c : s) out += static_cast<wchar_t>(c);
    return out;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = ::testing::TempDir() + "delvo-settings-XXXXXX";
        std::vector<char> buffer(base.begin(), base.end());
        buffer.push_back('\0');
        ASSERT_NE(::mkdtemp(buffer.data()), nullptr);
        m_dir = buffer.data();
        m_path = m_dir + "/tallyx.quarnr";
    }
    void TearDown() override {
        if (DIR* dir = ::opendir(m_dir.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") std::remove((m_dir + "/" + name).c_str());
            }
            ::closedir(dir);
        }
        ::rmdir(m_dir.c_str());
    }

    std::wstring path() const { return widen(m_path); }
    void writeBytes(const std::string& bytes) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string readBytes() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    /// Writes the header line and body (LF line ends become CR LF) and loads it into host.
    bool load(const std::string& body, FakeHost& host, const char* header = kHeader) {
        std::string bytes = std::string(header) + "\n" + body;
        std::string crlf;
        for (char c : bytes) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        writeBytes(crlf);
        lfConfig config(3);
        return loadSettings(config, path(), host);
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(m_dir.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(dir);
        }
        return names;
    }

    std::string m_dir;
    std::string m_path;
};
