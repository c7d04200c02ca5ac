// SPDX-License-Identifier: MIT
// Hostile settings files and failing saves: start-up stays fast and falls back to the defaults, and a save
// that cannot complete never damages the previous file.
#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>

#include <sys/resource.h>
#include <sys/stat.h>

#include "settings_test_support.h"

namespace {

constexpr auto kStartUpBudget = std::chrono::milliseconds(500);

std::string validFile() {
    return std::string(kHeader) + "\r\n# Quarn <Version: 1.8 Build: 2104>\r\n\r\n[Common]\r\n   Verbose=0\r\n"
           "[History]\r\n   Expr1=1+2\r\n[Font]\r\n   Name=Courier\r\n   Size=12\r\n";
}

std::string utf16(const std::string& latin1) {
    std::string out("\xFF\xFE", 2);
    for (char c : latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

}  // namespace

TEST_F(SettingsFileTest, HostileFilesLoadQuicklyAndLeaveTheDefaults) {
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    std::string sections = std::string(kHeader) + "\r\n";
    for (int i = 0; i < 10000; ++i) sections += "[S" + std::to_string(i) + "]\r\n   Verbose=0\r\n";
    const struct {
        const char* name;
        std::string bytes;
        bool loads;
    } rows[] = {
        {"100 MB without a line end", std::string(kHeader) + std::string(100 << 20, 'x'), false},
        {"100 MB of short lines", std::string(kHeader) + "\r\n" + std::string(100 << 20, '\n'), false},
        {"binary bytes", binary, false},
        {"the same file in UTF-16", utf16(validFile()), false},
        {"10,000 sections", sections, false},
        {"a valid file after all that", validFile(), true},
    };
    for (const auto& row : rows) {
        writeBytes(row.bytes);
        FakeHost host;
        lfConfig config(3);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(loadSettings(config, path(), host), row.loads) << row.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, kStartUpBudget) << row.name;
        EXPECT_EQ(host.verbose, !row.loads) << row.name;
        EXPECT_EQ(host.font.faceName, row.loads ? L"Courier" : L"Consolas") << row.name;
    }
}

TEST_F(SettingsFileTest, UnreadableFileLeavesTheDefaults) {
    // A folder where the file should be: unreadable even for root, who ignores permission bits.
    ASSERT_EQ(::mkdir(m_path.c_str(), 0700), 0);
    FakeHost host;
    lfConfig config(3);
    EXPECT_FALSE(loadSettings(config, path(), host));
    EXPECT_EQ(host.fontCalls + host.colorCalls + host.placementCalls, 0);
    EXPECT_FALSE(saveSettings(config, path(), host));
    ::rmdir(m_path.c_str());
}

TEST_F(SettingsFileTest, FailedSaveKeepsThePreviousFile) {
    writeBytes(validFile());
    FakeHost host;
    host.verbose = false;
    for (int i = 0; i < 200; ++i) host.expressions.push_back(L"expression number " + std::to_wstring(i));
    lfConfig config(3);
    // A full disk: no file may grow beyond 64 bytes (the write fails with EFBIG instead of a signal).
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tiny = previous;
    tiny.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const bool saved = saveSettings(config, path(), host);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    std::ifstream in(m_path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), validFile());
    int entries = 0;
    if (DIR* dir = ::opendir(m_dir.c_str())) {
        while (::readdir(dir)) ++entries;
        ::closedir(dir);
    }
    EXPECT_EQ(entries, 3) << "no temporary file is left beside the settings file";
}
